#pragma once
// The bytes of an exported listing: tab-separated text, CSV and the HTML
// page, made from the selected rows' records and handed on in pieces of
// whole lines. The fixed text is encoded once, and the code page is asked
// once per distinct character.
#include "core/export/ExportForm.h"
#include "core/export/TextEncoding.h"
#include "core/dialogs/DateParts.h"
#include "core/shell/RowRecord.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What the page shows beside the rows.
struct TListingPage {
    std::wstring Date;        // the local date and time of the export, formatted
    std::wstring Folder;      // the listed folder's path, or its display name
    std::wstring IconFolder;  // the name of the icon folder beside the page (list.file)
    wchar_t Thousands = L',';  // the locale's separators for the foot
    wchar_t Decimal = L'.';
};

enum class TListingResult { Written, WriteFailed, NotInCodePage };

// Takes the bytes in pieces; false stops the writing.
using TByteSink = std::function<bool(std::string_view bytes)>;

// Text (tab-separated) and CSV (RFC 4180: every field quoted, quotes
// doubled); lines end with CR LF. With `ansi`, the system's code page, a
// text that page cannot hold stops the writing with NotInCodePage; the
// listing is then written again without it, as UTF-8 behind a byte-order
// mark (null `ansi`), rather than with '?' in a name.
TListingResult WriteDelimitedListing(TExportForm form, const std::vector<TListRowRecord>& rows, const TCodePage* ansi,
                                     const TByteSink& sink);

// The HTML page in Shift-JIS, as its META says, with characters it has no
// form for as references; names are escaped, and each row's image is its
// own icon's bitmap in the icon folder (IconFileName).
TListingResult WriteHtmlListing(const TListingPage& page, const std::vector<TListRowRecord>& rows,
                                const TCodePage& shiftJis, const TByteSink& sink);

// The page's date: "yyyy/mm/dd hh:nn:ss" (four-digit year, two-digit month,
// day, 24-hour hour, minute, second) with the locale's separators.
std::wstring FormatListingDate(const TDateTimeParts& parts, std::wstring_view dateSeparator,
                               std::wstring_view timeSeparator);

// The icon of a row in the page (a row without one shows the first).
int ListingIcon(const TListRowRecord& row);
// The icons the page's rows show, each once, in the order they appear.
std::vector<int> ListingIcons(const std::vector<TListRowRecord>& rows);
