#include "core/export/ListingWriter.h"

#include "core/export/HtmlText.h"
#include "core/shell/AttributeLetters.h"
#include "core/shell/SizeText.h"

#include <unordered_set>

namespace {

// The listing's text gathers in UTF-16 and goes on in encoded pieces of
// about this many characters, always cut after a whole line.
constexpr size_t kPieceChars = 32 * 1024;

using TEncode = std::function<bool(std::wstring_view text, std::string& out)>;

class TListingOutput {
public:
    TListingOutput(TEncode encode, const TByteSink& sink) : Encode(std::move(encode)), Sink(sink)
    {
        Text.reserve(kPieceChars + 4096);
    }

    std::wstring Text;

    // Ends the line; hands the text on once a piece is full.
    TListingResult EndLine()
    {
        Text += L"\r\n";
        return Text.size() >= kPieceChars ? Flush() : TListingResult::Written;
    }
    TListingResult Flush()
    {
        if (Text.empty()) return TListingResult::Written;
        Bytes.clear();
        if (!Encode(Text, Bytes)) return TListingResult::NotInCodePage;
        Text.clear();
        return Sink(Bytes) ? TListingResult::Written : TListingResult::WriteFailed;
    }
    TListingResult Line(std::wstring_view line)
    {
        Text += line;
        return EndLine();
    }

private:
    TEncode Encode;
    const TByteSink& Sink;
    std::string Bytes;
};

void AppendField(std::wstring& out, std::wstring_view text, bool csv)
{
    if (!csv) {
        out += text;
        return;
    }
    out += L'"';
    for (wchar_t c : text) {
        if (c == L'"') out += L'"';
        out += c;
    }
    out += L'"';
}

void AppendFields(std::wstring& out, const std::wstring_view (&fields)[5], bool csv)
{
    for (int i = 0; i < 5; ++i) {
        if (i != 0) out += csv ? L',' : L'\t';
        AppendField(out, fields[i], csv);
    }
}

#define QV_TRY(step)                                                            \
    do {                                                                        \
        TListingResult result_ = (step);                                        \
        if (result_ != TListingResult::Written) return result_;                 \
    } while (false)

// ---- the HTML page

void AppendHeadingCell(std::wstring& out, const wchar_t* heading)
{
    out += L"    <TD bgcolor=\"#000080\">\r\n"
           L"      <P align=\"center\"><FONT color=\"#FFFFFF\">";
    out += heading;
    out += L"</FONT></P>\r\n"
           L"    </TD>\r\n";
}

void AppendHead(std::wstring& out, const TListingPage& page)
{
    out += L"<HTML>\r\n"
           L"<HEAD>\r\n"
           L"<META http-equiv=\"Content-Language\" content=\"ja\">\r\n"
           L"<META http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\r\n"
           L"<META name=\"GENERATOR\" content=\"Quirevue\">\r\n"
           L"<TITLE>Quirevue</TITLE>\r\n"
           L"</HEAD>\r\n"
           L"<BODY>\r\n"
           L"<P align=\"right\"><FONT face=\"Arial Black\" color=\"#000080\">Quirevue</FONT></P>\r\n"
           L"<P><FONT color=\"#FF0000\"><B>";
    AppendHtmlEscaped(out, page.Date);
    out += L"</B></FONT></P>\r\n"
           L"<P><B>フォルダ</B>： ";
    AppendHtmlEscaped(out, page.Folder);
    out += L"</P>\r\n"
           L"<TABLE border=\"1\" width=\"100%\">\r\n"
           L"  <TR>\r\n";
    for (const wchar_t* heading : {L"名　前", L"サイズ", L"ファイルの種類", L"更新日時 ", L"属　性"})
        AppendHeadingCell(out, heading);
    out += L"  </TR>";
}

void AppendRow(std::wstring& out, const TListRowRecord& row, const std::wstring& iconUrl)
{
    out += L"<TR>\r\n"
           L"  <TD><IMG border=\"0\" src=\"";
    out += iconUrl;
    out += std::to_wstring(ListingIcon(row));
    out += L".bmp\" width=\"16\" height=\"16\">\r\n"
           L"    ";
    AppendHtmlEscaped(out, row.Name);
    out += L"</TD>\r\n"
           L"  <TD>\r\n"
           L"    <P align=\"right\">　";
    AppendHtmlEscaped(out, row.SizeText);
    out += L"</P>\r\n"
           L"  </TD>\r\n"
           L"  <TD>　";
    AppendHtmlEscaped(out, row.TypeText);
    out += L"</TD>\r\n"
           L"  <TD>\r\n"
           L"    <P align=\"center\">　";
    AppendHtmlEscaped(out, row.DateText);
    out += L"</P>\r\n"
           L"  </TD>\r\n"
           L"  <TD>\r\n"
           L"    <P align=\"right\">　";
    AppendHtmlEscaped(out, AttributeLetters(row.Attributes));
    out += L"</P>\r\n"
           L"  </TD>\r\n"
           L"</TR>";
}

void AppendFoot(std::wstring& out, const TListingPage& page, const std::vector<TListRowRecord>& rows)
{
    uint64_t total = 0;
    for (const TListRowRecord& row : rows)
        if (!row.Folder) total += row.Size;
    out += L"  <TR>\r\n"
           L"    <TD>\r\n"
           L"      <P align=\"center\">";
    out += FormatObjectTotal(rows.size(), page.Thousands);
    out += L"</P>\r\n"
           L"    </TD>\r\n"
           L"    <TD>\r\n"
           L"      <P align=\"right\">";
    out += FormatListingTotal(total, page.Thousands, page.Decimal);
    out += L"</P>\r\n"
           L"    </TD>\r\n"
           L"    <TD>　</TD>\r\n"
           L"    <TD>　</TD>\r\n"
           L"    <TD>　</TD>\r\n"
           L"  </TR>\r\n"
           L"</TABLE>\r\n"
           L"</BODY>\r\n"
           L"</HTML>";
}

}  // namespace

TListingResult WriteDelimitedListing(TExportForm form, const std::vector<TListRowRecord>& rows, const TCodePage* ansi,
                                     const TByteSink& sink)
{
    TEncode encode;
    if (ansi) {
        encode = [ansi](std::wstring_view text, std::string& out) { return ansi->Append(text, out); };
    } else {
        if (!sink(kUtf8ByteOrderMark)) return TListingResult::WriteFailed;
        encode = [](std::wstring_view text, std::string& out) {
            AppendUtf8(text, out);
            return true;
        };
    }
    TListingOutput output(std::move(encode), sink);
    bool csv = form == TExportForm::Csv;
    const std::wstring_view headings[5] = {L"名前", L"サイズ", L"ファイルの種類", L"更新日時", L"属性"};
    AppendFields(output.Text, headings, csv);
    QV_TRY(output.EndLine());
    for (const TListRowRecord& row : rows) {
        // The five texts of the list's report view.
        std::wstring attributes = AttributeLetters(row.Attributes);
        const std::wstring_view fields[5] = {row.Name, row.SizeText, row.TypeText, row.DateText, attributes};
        AppendFields(output.Text, fields, csv);
        QV_TRY(output.EndLine());
    }
    return output.Flush();
}

TListingResult WriteHtmlListing(const TListingPage& page, const std::vector<TListRowRecord>& rows,
                                const TCodePage& shiftJis, const TByteSink& sink)
{
    TListingOutput output(
        [&shiftJis](std::wstring_view text, std::string& out) {
            AppendWithCharacterReferences(text, shiftJis, out);
            return true;
        },
        sink);
    AppendHead(output.Text, page);
    QV_TRY(output.EndLine());
    const std::wstring iconUrl = UrlAttribute(page.IconFolder) + L"/";
    for (const TListRowRecord& row : rows) {
        AppendRow(output.Text, row, iconUrl);
        QV_TRY(output.EndLine());
    }
    AppendFoot(output.Text, page, rows);
    QV_TRY(output.EndLine());
    return output.Flush();
}

std::wstring FormatListingDate(const TDateTimeParts& parts, std::wstring_view dateSeparator,
                               std::wstring_view timeSeparator)
{
    auto digits = [](int value, size_t width) {
        std::wstring text = std::to_wstring(value);
        return text.size() < width ? std::wstring(width - text.size(), L'0') + text : text;
    };
    std::wstring text = digits(parts.Year, 4);
    text += dateSeparator;
    text += digits(parts.Month, 2);
    text += dateSeparator;
    text += digits(parts.Day, 2);
    text += L' ';
    text += digits(parts.Hour, 2);
    text += timeSeparator;
    text += digits(parts.Minute, 2);
    text += timeSeparator;
    text += digits(parts.Second, 2);
    return text;
}

int ListingIcon(const TListRowRecord& row) { return row.IconIndex < 0 ? 0 : row.IconIndex; }

std::vector<int> ListingIcons(const std::vector<TListRowRecord>& rows)
{
    std::vector<int> icons;
    std::unordered_set<int> seen;
    for (const TListRowRecord& row : rows)
        if (seen.insert(ListingIcon(row)).second) icons.push_back(ListingIcon(row));
    return icons;
}
