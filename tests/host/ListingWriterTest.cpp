#include "core/export/ExportForm.h"
#include "core/export/HtmlText.h"
#include "core/export/ListingWriter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A code page for the tests: UTF-8 bytes for every character except the
// Hangul syllables and those outside the basic plane (surrogates where
// wchar_t has 16 bits), which it cannot hold.
class TNoHangulCodePage : public TCodePage {
public:
    bool Append(std::wstring_view text, std::string& out) const override
    {
        ++Calls;
        for (wchar_t c : text)
            if ((c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xD800 && c <= 0xDFFF) || uint32_t(c) > 0xFFFF) return false;
        AppendUtf8(text, out);
        return true;
    }
    mutable int Calls = 0;
};

std::string Utf8(std::wstring_view text)
{
    std::string out;
    AppendUtf8(text, out);
    return out;
}

std::string Lines(std::initializer_list<std::wstring_view> lines)
{
    std::string out;
    for (std::wstring_view line : lines) out += Utf8(line) + "\r\n";
    return out;
}

TListRowRecord Row(std::wstring name, uint64_t size, std::wstring type, int icon, uint32_t attributes = 0x20)
{
    TListRowRecord r;
    r.Name = std::move(name);
    r.Size = size;
    r.SizeText = std::to_wstring((size + 1023) / 1024) + L"KB";
    r.TypeText = std::move(type);
    r.DateText = L"2024/05/06 7:08";
    r.Attributes = attributes;
    r.IconIndex = icon;
    return r;
}

struct TWritten {
    TListingResult Result;
    std::string Bytes;
    std::vector<std::string> Pieces;
};

// What a writer hands on, piece by piece.
template <class F>
TWritten Collect(F write)
{
    TWritten w;
    w.Result = write([&w](std::string_view piece) {
        w.Pieces.emplace_back(piece);
        w.Bytes += piece;
        return true;
    });
    return w;
}

TWritten Delimited(TExportForm form, const std::vector<TListRowRecord>& rows, const TCodePage* ansi)
{
    return Collect([&](const TByteSink& sink) { return WriteDelimitedListing(form, rows, ansi, sink); });
}

TWritten Html(const TListingPage& page, const std::vector<TListRowRecord>& rows, const TCodePage& codePage)
{
    return Collect([&](const TByteSink& sink) { return WriteHtmlListing(page, rows, codePage, sink); });
}

TListingPage Page()
{
    TListingPage page;
    page.Date = L"2024/05/06 07:08:09";
    page.Folder = L"C:\\Docs & <Work>";
    page.IconFolder = L"list.file";
    return page;
}

}  // namespace

// Tabs or quoted fields, a heading line, one line per row, no foot. A quote
// in a field is doubled, so that a comma or a quote never splits a field.
TEST(ListingWriter, TextAndCsvLines)
{
    TNoHangulCodePage ansi;
    std::vector<TListRowRecord> rows = {Row(L"a,b.txt", 1536, L"Text \"plain\" Document", 3),
                                        Row(L"sub", 0, L"Folder", 4, 0x10)};
    rows[1].SizeText.clear();
    TWritten text = Delimited(TExportForm::Text, rows, &ansi);
    EXPECT_EQ(text.Result, TListingResult::Written);
    EXPECT_EQ(text.Bytes, Lines({L"名前\tサイズ\tファイルの種類\t更新日時\t属性",
                                 L"a,b.txt\t2KB\tText \"plain\" Document\t2024/05/06 7:08\tA",
                                 L"sub\t\tFolder\t2024/05/06 7:08\tD"}));
    TWritten csv = Delimited(TExportForm::Csv, rows, &ansi);
    EXPECT_EQ(csv.Result, TListingResult::Written);
    EXPECT_EQ(csv.Bytes, Lines({L"\"名前\",\"サイズ\",\"ファイルの種類\",\"更新日時\",\"属性\"",
                                L"\"a,b.txt\",\"2KB\",\"Text \"\"plain\"\" Document\",\"2024/05/06 7:08\",\"A\"",
                                L"\"sub\",\"\",\"Folder\",\"2024/05/06 7:08\",\"D\""}));
}

// A name the code page cannot hold stops the writing, and the listing is
// written again as UTF-8 behind a byte-order mark: nothing becomes '?'.
TEST(ListingWriter, TextOutsideTheCodePageGoesUtf8)
{
    TNoHangulCodePage ansi;
    std::vector<TListRowRecord> rows = {Row(L"plain.txt", 1, L"T", 1), Row(L"한글 😀.txt", 1, L"T", 1)};
    for (TExportForm form : {TExportForm::Text, TExportForm::Csv}) {
        EXPECT_EQ(Delimited(form, rows, &ansi).Result, TListingResult::NotInCodePage);
        TWritten w = Delimited(form, rows, nullptr);
        EXPECT_EQ(w.Result, TListingResult::Written);
        ASSERT_GT(w.Bytes.size(), 3u);
        EXPECT_EQ(w.Bytes.substr(0, 3), "\xEF\xBB\xBF");
        EXPECT_NE(w.Bytes.find("\xED\x95\x9C\xEA\xB8\x80 \xF0\x9F\x98\x80.txt"), std::string::npos);
    }
}

// The page, line for line: head, one row per object with its own icon,
// foot with the count and the 64-bit total. Names are escaped, the icon
// folder's name is a URL, and what Shift-JIS cannot hold is a reference.
TEST(ListingWriter, HtmlPageLineForLine)
{
    TNoHangulCodePage shiftJis;
    TListingPage page = Page();
    page.IconFolder = L"my list #1 100%?&\"日.file";
    std::vector<TListRowRecord> rows = {Row(L"R&D <new> \"1\".txt", 1536, L"Text", 7, 0x21),
                                        Row(L"한 😀", 512, L"型 \"q\"", -1)};
    TWritten w = Html(page, rows, shiftJis);
    EXPECT_EQ(w.Result, TListingResult::Written);
    const std::wstring src = L"my%20list%20%231%20100%25%3F&amp;&quot;%E6%97%A5.file/";
    std::string expected = Lines({
        L"<HTML>",
        L"<HEAD>",
        L"<META http-equiv=\"Content-Language\" content=\"ja\">",
        L"<META http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">",
        L"<META name=\"GENERATOR\" content=\"Quirevue\">",
        L"<TITLE>Quirevue</TITLE>",
        L"</HEAD>",
        L"<BODY>",
        L"<P align=\"right\"><FONT face=\"Arial Black\" color=\"#000080\">Quirevue</FONT></P>",
        L"<P><FONT color=\"#FF0000\"><B>2024/05/06 07:08:09</B></FONT></P>",
        L"<P><B>フォルダ</B>： C:\\Docs &amp; &lt;Work&gt;</P>",
        L"<TABLE border=\"1\" width=\"100%\">",
        L"  <TR>",
        L"    <TD bgcolor=\"#000080\">",
        L"      <P align=\"center\"><FONT color=\"#FFFFFF\">名　前</FONT></P>",
        L"    </TD>",
        L"    <TD bgcolor=\"#000080\">",
        L"      <P align=\"center\"><FONT color=\"#FFFFFF\">サイズ</FONT></P>",
        L"    </TD>",
        L"    <TD bgcolor=\"#000080\">",
        L"      <P align=\"center\"><FONT color=\"#FFFFFF\">ファイルの種類</FONT></P>",
        L"    </TD>",
        L"    <TD bgcolor=\"#000080\">",
        L"      <P align=\"center\"><FONT color=\"#FFFFFF\">更新日時 </FONT></P>",
        L"    </TD>",
        L"    <TD bgcolor=\"#000080\">",
        L"      <P align=\"center\"><FONT color=\"#FFFFFF\">属　性</FONT></P>",
        L"    </TD>",
        L"  </TR>",
        L"<TR>",
        L"  <TD><IMG border=\"0\" src=\"" + src + L"7.bmp\" width=\"16\" height=\"16\">",
        L"    R&amp;D &lt;new&gt; &quot;1&quot;.txt</TD>",
        L"  <TD>",
        L"    <P align=\"right\">　2KB</P>",
        L"  </TD>",
        L"  <TD>　Text</TD>",
        L"  <TD>",
        L"    <P align=\"center\">　2024/05/06 7:08</P>",
        L"  </TD>",
        L"  <TD>",
        L"    <P align=\"right\">　RA</P>",
        L"  </TD>",
        L"</TR>",
        L"<TR>",
        L"  <TD><IMG border=\"0\" src=\"" + src + L"0.bmp\" width=\"16\" height=\"16\">",
        L"    &#54620; &#128512;</TD>",
        L"  <TD>",
        L"    <P align=\"right\">　1KB</P>",
        L"  </TD>",
        L"  <TD>　型 &quot;q&quot;</TD>",
        L"  <TD>",
        L"    <P align=\"center\">　2024/05/06 7:08</P>",
        L"  </TD>",
        L"  <TD>",
        L"    <P align=\"right\">　A</P>",
        L"  </TD>",
        L"</TR>",
        L"  <TR>",
        L"    <TD>",
        L"      <P align=\"center\">2個のオブジェクト</P>",
        L"    </TD>",
        L"    <TD>",
        L"      <P align=\"right\">2.0KB</P>",
        L"    </TD>",
        L"    <TD>　</TD>",
        L"    <TD>　</TD>",
        L"    <TD>　</TD>",
        L"  </TR>",
        L"</TABLE>",
        L"</BODY>",
        L"</HTML>",
    });
    EXPECT_EQ(w.Bytes, expected);
}

// The total is kept in 64 bits (two files of 3 GiB do not wrap) and
// folders add nothing; 1 MiB in all reads 1.00MB.
TEST(ListingWriter, HtmlFootTotals)
{
    TNoHangulCodePage shiftJis;
    struct Case {
        std::vector<uint64_t> Sizes;
        const char* Foot;
    };
    const uint64_t GiB = uint64_t(1) << 30;
    const Case cases[] = {
        {{1536, 512}, "2.0KB"},
        {{1 << 19, 1 << 19}, "1.00MB"},
        {{3 * GiB, 3 * GiB}, "6,144.00MB"},
    };
    for (const Case& c : cases) {
        std::vector<TListRowRecord> rows;
        for (uint64_t size : c.Sizes) rows.push_back(Row(L"f", size, L"T", 1));
        TListRowRecord folder = Row(L"d", 1 << 20, L"Folder", 2, 0x10);
        folder.Folder = true;
        rows.push_back(folder);
        std::string bytes = Html(Page(), rows, shiftJis).Bytes;
        EXPECT_NE(bytes.find("<P align=\"right\">" + std::string(c.Foot) + "</P>\r\n    </TD>\r\n    <TD>"),
                  std::string::npos) << c.Foot;
        EXPECT_NE(bytes.find(Utf8(std::to_wstring(rows.size()) + L"個のオブジェクト")), std::string::npos);
    }
}

// A long listing goes on in pieces of whole lines, and the code page is
// asked once per distinct character; a sink that fails stops it.
TEST(ListingWriter, LongListingsGoInPiecesOfWholeLines)
{
    TNoHangulCodePage codePage;
    std::vector<TListRowRecord> rows(5000, Row(L"file name of some length.txt", 100, L"Text Document", 3));
    TWritten csv = Delimited(TExportForm::Csv, rows, &codePage);
    EXPECT_EQ(csv.Result, TListingResult::Written);
    ASSERT_GT(csv.Pieces.size(), 3u);
    for (const std::string& piece : csv.Pieces) EXPECT_EQ(piece.substr(piece.size() - 2), "\r\n");
    std::wstring headings = L"名前サイズファイルの種類更新日時属性";
    EXPECT_EQ(codePage.Calls, int(std::set<wchar_t>(headings.begin(), headings.end()).size()));
    size_t lines = 0;
    for (char c : csv.Bytes) lines += c == '\n';
    EXPECT_EQ(lines, rows.size() + 1);

    int pieces = 0;
    TListingResult refused = WriteHtmlListing(Page(), rows, codePage, [&](std::string_view) { return ++pieces < 2; });
    EXPECT_EQ(refused, TListingResult::WriteFailed);
    EXPECT_EQ(pieces, 2);
}

TEST(ListingWriter, PageDate)
{
    TDateTimeParts parts;
    parts.Year = 2024, parts.Month = 5, parts.Day = 6, parts.Hour = 7, parts.Minute = 8, parts.Second = 9;
    EXPECT_EQ(FormatListingDate(parts, L"/", L":"), L"2024/05/06 07:08:09");
    parts.Year = 987, parts.Hour = 23;
    EXPECT_EQ(FormatListingDate(parts, L"-", L"."), L"0987-05-06 23.08.09");
}

TEST(ListingWriter, IconsEachOnceInOrder)
{
    std::vector<TListRowRecord> rows = {Row(L"a", 1, L"T", 5), Row(L"a", 1, L"T", 9), Row(L"b", 1, L"T", 5),
                                        Row(L"c", 1, L"T", -1), Row(L"d", 1, L"T", 0)};
    EXPECT_EQ(ListingIcons(rows), (std::vector<int>{5, 9, 0}));
    EXPECT_EQ(IconFileName(9), L"9.bmp");
}

TEST(ListingWriter, UrlsOfFileNames)
{
    struct Case {
        const wchar_t* Path;
        const wchar_t* Url;
    };
    const Case cases[] = {
        {L"list.file/3.bmp", L"list.file/3.bmp"},
        {L"a b#c%d?e", L"a%20b%23c%25d%3Fe"},
        {L"日本", L"%E6%97%A5%E6%9C%AC"},
        {L"한", L"%ED%95%9C"},
        {L"😀", L"%F0%9F%98%80"},  // a surrogate pair is one character
        {L"é", L"%C3%A9"},
        {L"a&b\"c'd", L"a&b\"c'd"},
    };
    for (const Case& c : cases) EXPECT_EQ(PercentEncodedPath(c.Path), c.Url);
    EXPECT_EQ(UrlAttribute(L"R&D \"x\".file"), L"R&amp;D%20&quot;x&quot;.file");
    std::wstring escaped;
    AppendHtmlEscaped(escaped, L"<a href=\"x\">&amp;</a>");
    EXPECT_EQ(escaped, L"&lt;a href=&quot;x&quot;&gt;&amp;amp;&lt;/a&gt;");
}

TEST(ListingWriter, FormsAndIconFolders)
{
    EXPECT_EQ(ExportFormOfFilter(1), TExportForm::Text);
    EXPECT_EQ(ExportFormOfFilter(2), TExportForm::Csv);
    EXPECT_EQ(ExportFormOfFilter(3), TExportForm::Html);
    EXPECT_EQ(ExportFormOfFilter(0), TExportForm::Text);
    EXPECT_STREQ(ExportExtension(TExportForm::Csv), L"csv");
    EXPECT_STREQ(ExportExtension(TExportForm::Html), L"htm");

    struct Case {
        const wchar_t* Page;
        const wchar_t* Folder;
        const wchar_t* Name;
    };
    const Case cases[] = {
        {L"C:\\Docs\\list.htm", L"C:\\Docs\\list.file", L"list.file"},
        {L"C:\\Docs\\list", L"C:\\Docs\\list.file", L"list.file"},
        {L"C:\\my.docs\\list", L"C:\\my.docs\\list.file", L"list.file"},
        {L"C:\\Docs\\a.b.htm", L"C:\\Docs\\a.b.file", L"a.b.file"},
        {L"\\\\server\\share\\日本 #1.htm", L"\\\\server\\share\\日本 #1.file", L"日本 #1.file"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IconFolderPath(c.Page), c.Folder);
        EXPECT_EQ(LastPathComponent(IconFolderPath(c.Page)), c.Name);
    }
}

// Each character the page cannot hold is one reference of its code point,
// or refuses the text; a lone surrogate is U+FFFD.
TEST(ListingWriter, CharacterReferences)
{
    TNoHangulCodePage codePage;
    struct Case {
        std::wstring Text;
        std::string Bytes;
    };
    const Case cases[] = {
        {L"plain", "plain"},
        {L"a한b", "a&#54620;b"},
        {L"😀", "&#128512;"},
        {std::wstring(L"x") + wchar_t(0xD800) + L"y", "x&#65533;y"},
        {L"ok\r\n한\r\nok\r\n", "ok\r\n&#54620;\r\nok\r\n"},
    };
    TTextEncoder references(codePage, TTextEncoder::TMissing::Reference);
    TTextEncoder refusing(codePage, TTextEncoder::TMissing::Refuse);
    for (const Case& c : cases) {
        EXPECT_EQ(references.Encoded(c.Text), c.Bytes);
        TByteBuffer out;
        EXPECT_EQ(refusing.Append(c.Text, out), c.Text.find_first_of(L"한😀\xD800") == std::wstring::npos);
    }
    std::string lone;
    AppendUtf8(std::wstring(1, wchar_t(0xDC00)), lone);
    EXPECT_EQ(lone, "\xEF\xBF\xBD");
}
