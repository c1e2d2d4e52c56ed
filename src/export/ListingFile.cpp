#include "export/ListingFile.h"

#include "export/CodePages.h"
#include "gui/AtomicFile.h"


namespace {

// The page's own code page whatever the system's: its META says shift_jis.
constexpr UINT kShiftJis = 932;

TFileFailure Failed(const std::wstring& path, DWORD error) { return {path, error ? error : ERROR_WRITE_FAULT}; }

// One attempt at the whole file; NotInCodePage discards it.
TListingResult WriteOnce(const std::wstring& path, const std::function<TListingResult(const TByteSink&)>& write,
                         DWORD& error)
{
    TAtomicFile file(path);
    TListingResult result = write([&file](std::string_view bytes) { return file.Write(bytes.data(), bytes.size()); });
    if (result == TListingResult::Written && !file.Commit()) result = TListingResult::WriteFailed;
    error = file.Error();
    return result;
}

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback)
{
    wchar_t text[16] = {};
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 16) > 1 ? std::wstring(text) : std::wstring(fallback);
}

}  // namespace

TFileFailure WriteListingDocument(const std::wstring& path, TExportForm form, const TListingPage& page,
                                  const std::vector<TListRowRecord>& rows)
{
    DWORD error = 0;
    TListingResult result;
    if (form == TExportForm::Html) {
        TWindowsCodePage shiftJis(kShiftJis);
        result = WriteOnce(path, [&](const TByteSink& sink) { return WriteHtmlListing(page, rows, shiftJis, sink); },
                           error);
    } else {
        TWindowsCodePage ansi(GetACP());
        result = WriteOnce(path, [&](const TByteSink& sink) { return WriteDelimitedListing(form, rows, &ansi, sink); },
                           error);
        // A name the system's code page cannot hold: the whole file in UTF-8.
        if (result == TListingResult::NotInCodePage)
            result = WriteOnce(
                path, [&](const TByteSink& sink) { return WriteDelimitedListing(form, rows, nullptr, sink); }, error);
    }
    return result == TListingResult::Written ? TFileFailure{} : Failed(path, error);
}

TFileFailure WriteListingFile(const std::wstring& path, TExportForm form, TListingPage page,
                              const std::vector<TListRowRecord>& rows)
{
    if (form == TExportForm::Html) {
        // The icons first: a page whose icons could not be written does not
        // replace the old one.
        std::wstring icons = IconFolderPath(path);
        page.IconFolder = LastPathComponent(icons);
        TFileFailure failure = WriteIconBitmaps(icons, ListingIcons(rows));
        if (!failure.Path.empty()) return failure;
    }
    return WriteListingDocument(path, form, page, rows);
}

std::wstring ListingDateNow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    TDateTimeParts parts;
    parts.Year = now.wYear;
    parts.Month = now.wMonth;
    parts.Day = now.wDay;
    parts.Hour = now.wHour;
    parts.Minute = now.wMinute;
    parts.Second = now.wSecond;
    return FormatListingDate(parts, LocaleText(LOCALE_SDATE, L"/"), LocaleText(LOCALE_STIME, L":"));
}
