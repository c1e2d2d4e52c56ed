// The list export of 100,000 rows: from the rows' records to the replaced
// file, as CSV and as the HTML page, each against a bare loop writing the
// same bytes to the same folder with the same flush and rename, in the
// same run. Gathering the records from the list and writing the page's
// bitmaps are reported on their own. Prints ratios, never bare times alone.
#include "BenchPump.h"
#include "browser/ListRows.h"
#include "browser/ShellListView.h"
#include "export/CodePages.h"
#include "export/ListingFile.h"
#include "shell/IDList.h"
#include "shell/ShellHelpers.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(size_t(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

// The floor: the same bytes to a temporary file beside the target, in
// pieces of 64 KiB, flushed, closed and moved over the target.
double BareWrite(const std::wstring& path, const std::string& bytes)
{
    TClock::time_point start = TClock::now();
    std::wstring temp = path + L".tmp";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    for (size_t at = 0; ok && at < bytes.size(); at += 64 * 1024) {
        DWORD put = 0;
        ok = WriteFile(file, bytes.data() + at, DWORD(std::min<size_t>(64 * 1024, bytes.size() - at)), &put, nullptr);
    }
    ok = ok && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    ok = ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    double time = Seconds(start);
    if (!ok) std::printf("export_bench: the bare write failed\n");
    return time;
}

double Export(const std::wstring& path, TExportForm form, const TListingPage& page,
              const std::vector<TListRowRecord>& rows)
{
    TClock::time_point start = TClock::now();
    TFileFailure failure = WriteListingDocument(path, form, page, rows);
    double time = Seconds(start);
    if (!failure.Path.empty()) std::printf("export_bench: the export failed (%lu)\n", failure.Error);
    return time;
}

struct TPair {
    double Bare = 1e9, Ours = 1e9;
    size_t Bytes = 0;
};

// Ours first, so that the bare loop writes exactly the bytes ours made;
// the best of the rounds, alternating, so that a drift of the machine
// touches both.
TPair Measure(const std::wstring& path, TExportForm form, const TListingPage& page,
              const std::vector<TListRowRecord>& rows, int rounds)
{
    TPair pair;
    for (int round = 0; round < rounds; ++round) {
        pair.Ours = std::min(pair.Ours, Export(path, form, page, rows));
        std::string bytes = FileBytes(path);
        pair.Bytes = bytes.size();
        pair.Bare = std::min(pair.Bare, BareWrite(path, bytes));
    }
    return pair;
}

}  // namespace

int main(int argc, char** argv)
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    std::wstring base = L"C:\\quirevue-bench";
    if (argc > 1) {
        std::string arg = argv[1];
        base.assign(arg.begin(), arg.end());
    }
    std::wstring folder = base + L"\\files" + std::to_wstring(kRows);
    std::wstring out = base + L"\\export-out";
    CreateDirectoryW(out.c_str(), nullptr);

    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                nullptr, nullptr);
    TSHListView list(host);
    SetWindowPos(list.Handle(), nullptr, 0, 0, 780, 560, SWP_NOZORDER);
    list.SetViewStyleValue(LV_VIEW_DETAILS);
    if (TIDListPtr id = PathToIDList(folder)) list.SetFolder(id.get());
    // The folder's marker file of the benchmark data counts as one more row.
    int count = list.FileList().Count();
    if (count < kRows) {
        std::printf("export_bench: %s needs %d files (tools/run-bench.sh makes them), found %d\n",
                    std::string(folder.begin(), folder.end()).c_str(), kRows, count);
        return 1;
    }
    // The list reads its folder's exact sizes on a thread of its own after
    // it is shown; an export comes later than that.
    PumpUntil([&] { return list.FileList().Rows(count - 1)->HasExactData(); }, 120);
    list.SelectAll(true);
    ProcessPendingMessages();

    TClock::time_point start = TClock::now();
    std::vector<TListRowRecord> rows = SelectedRowRecords(list);
    double gather = Seconds(start);

    TListingPage page;
    page.Date = ListingDateNow();
    page.Folder = folder;
    page.IconFolder = L"list.file";
    page.Thousands = LocaleThousandsSeparator();
    page.Decimal = LocaleDecimalSeparator();
    int rounds = getenv("QV_BENCH_ROUNDS") ? std::max(1, atoi(getenv("QV_BENCH_ROUNDS"))) : 3;
    // What reading the records' texts alone costs, once: a part of every
    // export that no bare write has.
    start = TClock::now();
    size_t sum = 0;
    for (const TListRowRecord& r : rows)
        for (const std::wstring* text : {&r.Name, &r.SizeText, &r.TypeText, &r.DateText})
            for (wchar_t c : *text) sum += c;
    double reading = Seconds(start);
    if (getenv("QV_BENCH_DETAIL")) {
        TWindowsCodePage ansi(GetACP()), shiftJis(932);
        for (TExportForm form : {TExportForm::Csv, TExportForm::Html}) {
            size_t bytes = 0;
            TByteSink count = [&bytes](std::string_view piece) { return bytes += piece.size(), true; };
            TClock::time_point begin = TClock::now();
            if (form == TExportForm::Csv) WriteDelimitedListing(form, rows, &ansi, count);
            else WriteHtmlListing(page, rows, shiftJis, count);
            std::fprintf(stderr, "%s bytes without a file: %.1f ms for %zu bytes\n",
                         form == TExportForm::Csv ? "csv" : "html", Seconds(begin) * 1000, bytes);
        }
    }
    TPair csv = Measure(out + L"\\list.csv", TExportForm::Csv, page, rows, rounds);
    TPair html = Measure(out + L"\\list.htm", TExportForm::Html, page, rows, rounds);

    start = TClock::now();
    std::vector<int> icons = ListingIcons(rows);
    TFileFailure failure = WriteIconBitmaps(out + L"\\list.file", icons);
    double bitmaps = Seconds(start);
    if (!failure.Path.empty()) std::printf("export_bench: the bitmaps failed (%lu)\n", failure.Error);

    std::printf("P8 export.csv.%d: %.2fx a bare write of the same %.1f MB (bare %.0f ms, ours %.0f ms; goal <= 1.5x)\n",
                kRows, csv.Ours / csv.Bare, csv.Bytes / 1e6, csv.Bare * 1000, csv.Ours * 1000);
    std::printf("P8 export.html.%d: %.2fx a bare write of the same %.1f MB (bare %.0f ms, ours %.0f ms; goal <= 1.5x)\n",
                kRows, html.Ours / html.Bare, html.Bytes / 1e6, html.Bare * 1000, html.Ours * 1000);
    std::printf("export.gather_rows.%d: %.0f ms to take the selected rows' texts from the list (%.1f us a row; %.2fx "
                "the CSV export)\n",
                kRows, gather * 1000, gather * 1e6 / count, gather / csv.Ours);
    std::printf("export.read_records.%d: %.1f ms to read the records' texts alone (%zu)\n", kRows, reading * 1000,
                sum % 10);
    std::printf("export.html_bitmaps.%d: %.1f ms for the page's %zu bitmaps (one per distinct icon)\n", kRows,
                bitmaps * 1000, icons.size());
    DestroyWindow(host);
    OleUninitialize();
    return 0;
}
