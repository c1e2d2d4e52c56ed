#include "core/export/ListingWriter.h"

#include "core/export/HtmlText.h"
#include "core/shell/AttributeLetters.h"
#include "core/shell/SizeText.h"

#include <charconv>
#include <memory>
#include <unordered_set>

namespace {

// The listing goes on in pieces of about this many bytes, always cut after
// a whole line.
constexpr size_t kPieceBytes = 64 * 1024;

class TListingOutput {
public:
    TListingOutput(TTextEncoder& encoder, const TByteSink& sink) : Encoder(encoder), Sink(sink) {}

    TTextEncoder& Encoder;
    TByteBuffer Bytes;

    void Put(std::string_view bytes) { Bytes.Append(bytes); }
    bool Put(std::wstring_view text, TTextEscape escape = TTextEscape::None)
    {
        if (Encoder.Append(text, Bytes, escape)) return true;
        Refused = true;
        return false;
    }
    // Ends a line; hands the bytes on once a piece is full.
    TListingResult EndLine()
    {
        Bytes.Append("\r\n");
        return Bytes.Size() >= kPieceBytes ? Flush() : Result();
    }
    TListingResult Flush()
    {
        if (Refused) return TListingResult::NotInCodePage;
        if (Bytes.Size() == 0) return TListingResult::Written;
        bool taken = Sink(Bytes.View());
        Bytes.Clear();
        return taken ? TListingResult::Written : TListingResult::WriteFailed;
    }

private:
    TListingResult Result() const { return Refused ? TListingResult::NotInCodePage : TListingResult::Written; }

    const TByteSink& Sink;
    bool Refused = false;
};

#define QV_TRY(step)                                            \
    do {                                                        \
        TListingResult result_ = (step);                        \
        if (result_ != TListingResult::Written) return result_; \
    } while (false)

void PutFields(TListingOutput& out, const std::wstring_view (&fields)[5], bool csv)
{
    for (int i = 0; i < 5; ++i) {
        if (i != 0) out.Put(csv ? std::string_view(",") : std::string_view("\t"));
        out.Put(fields[i], csv ? TTextEscape::CsvField : TTextEscape::None);
    }
}

// ---- the HTML page

std::wstring Head(const TListingPage& page)
{
    std::wstring head = L"<HTML>\r\n"
                        L"<HEAD>\r\n"
                        L"<META http-equiv=\"Content-Language\" content=\"ja\">\r\n"
                        L"<META http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\r\n"
                        L"<META name=\"GENERATOR\" content=\"Quirevue\">\r\n"
                        L"<TITLE>Quirevue</TITLE>\r\n"
                        L"</HEAD>\r\n"
                        L"<BODY>\r\n"
                        L"<P align=\"right\"><FONT face=\"Arial Black\" color=\"#000080\">Quirevue</FONT></P>\r\n"
                        L"<P><FONT color=\"#FF0000\"><B>";
    AppendHtmlEscaped(head, page.Date);
    head += L"</B></FONT></P>\r\n"
            L"<P><B>フォルダ</B>： ";
    AppendHtmlEscaped(head, page.Folder);
    head += L"</P>\r\n"
            L"<TABLE border=\"1\" width=\"100%\">\r\n"
            L"  <TR>\r\n";
    for (const wchar_t* heading : {L"名　前", L"サイズ", L"ファイルの種類", L"更新日時 ", L"属　性"}) {
        head += L"    <TD bgcolor=\"#000080\">\r\n"
                L"      <P align=\"center\"><FONT color=\"#FFFFFF\">";
        head += heading;
        head += L"</FONT></P>\r\n"
                L"    </TD>\r\n";
    }
    head += L"  </TR>";
    return head;
}

std::wstring Foot(const TListingPage& page, const std::vector<TListRowRecord>& rows)
{
    uint64_t total = 0;
    for (const TListRowRecord& row : rows)
        if (!row.Folder) total += row.Size;
    return L"  <TR>\r\n"
           L"    <TD>\r\n"
           L"      <P align=\"center\">" + FormatObjectTotal(rows.size(), page.Thousands) + L"</P>\r\n"
           L"    </TD>\r\n"
           L"    <TD>\r\n"
           L"      <P align=\"right\">" + FormatListingTotal(total, page.Thousands, page.Decimal) + L"</P>\r\n"
           L"    </TD>\r\n"
           L"    <TD>　</TD>\r\n"
           L"    <TD>　</TD>\r\n"
           L"    <TD>　</TD>\r\n"
           L"  </TR>\r\n"
           L"</TABLE>\r\n"
           L"</BODY>\r\n"
           L"</HTML>";
}

// The fixed text of a row between its five texts, encoded once: a row is
// then copied bytes and its own texts.
struct TRowPieces {
    std::string BeforeIcon, BeforeName, BeforeSize, BeforeType, BeforeDate, BeforeAttributes, End;

    TRowPieces(TTextEncoder& encoder, const std::wstring& iconFolder)
        : BeforeIcon(encoder.Encoded(L"<TR>\r\n  <TD><IMG border=\"0\" src=\"" + UrlAttribute(iconFolder) + L"/")),
          BeforeName(encoder.Encoded(L".bmp\" width=\"16\" height=\"16\">\r\n    ")),
          BeforeSize(encoder.Encoded(L"</TD>\r\n  <TD>\r\n    <P align=\"right\">　")),
          BeforeType(encoder.Encoded(L"</P>\r\n  </TD>\r\n  <TD>　")),
          BeforeDate(encoder.Encoded(L"</TD>\r\n  <TD>\r\n    <P align=\"center\">　")),
          BeforeAttributes(encoder.Encoded(L"</P>\r\n  </TD>\r\n  <TD>\r\n    <P align=\"right\">　")),
          End(encoder.Encoded(L"</P>\r\n  </TD>\r\n</TR>"))
    {
    }
};

void PutNumber(TListingOutput& out, int value)
{
    char* at = out.Bytes.Room(16);
    out.Bytes.Added(size_t(std::to_chars(at, at + 16, value).ptr - at));
}

void PutRow(TListingOutput& out, const TRowPieces& pieces, const TListRowRecord& row)
{
    out.Put(pieces.BeforeIcon);
    PutNumber(out, ListingIcon(row));
    out.Put(pieces.BeforeName);
    out.Put(row.Name, TTextEscape::Html);
    out.Put(pieces.BeforeSize);
    out.Put(row.SizeText, TTextEscape::Html);
    out.Put(pieces.BeforeType);
    out.Put(row.TypeText, TTextEscape::Html);
    out.Put(pieces.BeforeDate);
    out.Put(row.DateText, TTextEscape::Html);
    out.Put(pieces.BeforeAttributes);
    out.Put(AttributeLetters(row.Attributes), TTextEscape::Html);
    out.Put(pieces.End);
}

}  // namespace

TListingResult WriteDelimitedListing(TExportForm form, const std::vector<TListRowRecord>& rows, const TCodePage* ansi,
                                     const TByteSink& sink)
{
    std::unique_ptr<TTextEncoder> encoder;
    if (ansi) {
        encoder = std::make_unique<TTextEncoder>(*ansi, TTextEncoder::TMissing::Refuse);
    } else {
        encoder = std::make_unique<TTextEncoder>();
        if (!sink(kUtf8ByteOrderMark)) return TListingResult::WriteFailed;
    }
    TListingOutput out(*encoder, sink);
    bool csv = form == TExportForm::Csv;
    const std::wstring_view headings[5] = {L"名前", L"サイズ", L"ファイルの種類", L"更新日時", L"属性"};
    PutFields(out, headings, csv);
    QV_TRY(out.EndLine());
    for (const TListRowRecord& row : rows) {
        // The five texts of the list's report view.
        std::wstring attributes = AttributeLetters(row.Attributes);
        const std::wstring_view fields[5] = {row.Name, row.SizeText, row.TypeText, row.DateText, attributes};
        PutFields(out, fields, csv);
        QV_TRY(out.EndLine());
    }
    return out.Flush();
}

TListingResult WriteHtmlListing(const TListingPage& page, const std::vector<TListRowRecord>& rows,
                                const TCodePage& shiftJis, const TByteSink& sink)
{
    TTextEncoder encoder(shiftJis, TTextEncoder::TMissing::Reference);
    TListingOutput out(encoder, sink);
    out.Put(Head(page));
    QV_TRY(out.EndLine());
    const TRowPieces pieces(encoder, page.IconFolder);
    for (const TListRowRecord& row : rows) {
        PutRow(out, pieces, row);
        QV_TRY(out.EndLine());
    }
    out.Put(Foot(page, rows));
    QV_TRY(out.EndLine());
    return out.Flush();
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
