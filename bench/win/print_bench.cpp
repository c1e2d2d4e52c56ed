// The printed file listing against its floors, measured in one run:
// - the preview of a page of 40 rows (what turning a page costs) against
//   DrawTextW of the same 40 rows' texts onto a page-size memory DC;
// - printing 1,000 rows to the PDF printer against a bare TextOutW loop of
//   the same texts on the same printer, page for page.
// Where the time goes: the rows' grid (icons and text cells), the header
// and footer, and the rest (the page's bitmap and its reduction, or the
// printer's pages and the spooling).
#include "../../tests/win/FileReportTesting.h"
#include "BenchPump.h"
#include "fileops/PrinterSettings.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Time spent between a panel's BeforePrint and its AfterPrint.
struct TPanelClock {
    double Seconds = 0;
    TClock::time_point Started;
    void Watch(TCustomLRPanel& panel)
    {
        panel.BeforePrint.Add([this](TCustomLRPanel&, const TLRRect&, TPrintStatus&) { Started = TClock::now(); });
        panel.AfterPrint.Add([this](TCustomLRPanel&) { Seconds += ::Seconds(Started); });
    }
};

struct TClocks {
    TPanelClock Grid, Header, Footer;
    explicit TClocks(TSubForm01070& dialog)
    {
        Grid.Watch(*dialog.Items().LRGridPanel20);
        Header.Watch(*dialog.Items().LRLayoutPanel10);
        Footer.Watch(*dialog.Items().LRLayoutPanel30);
    }
};

// The five texts of each row, where the listing puts them (page units).
struct TRowText {
    std::wstring Text;
    int X;
};
std::vector<std::vector<TRowText>> RowTexts(const std::vector<TListRowRecord>& rows)
{
    std::vector<std::vector<TRowText>> out;
    for (const TListRowRecord& r : rows)
        out.push_back({{r.Name, 91}, {std::to_wstring(r.Size / 1024) + L".0KB", 320}, {r.TypeText, 407},
                       {r.DateText, 575}, {L"A", 683}});
    return out;
}

HFONT ListingFont(int height)
{
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, L"ＭＳ ゴシック");
}

void PreviewBench()
{
    const int pages = 40;
    std::vector<TListRowRecord> rows = NumberedRows(80);
    TSubForm01070 dialog(nullptr, rows, L"C:\\bench");
    if (!dialog.Create()) {
        std::printf("print_bench: the dialog could not be made\n");
        return;
    }
    TClocks clocks(dialog);
    // Turning between pages 1 and 2: each turn draws one page of 40 rows.
    auto start = TClock::now();
    for (int i = 0; i < pages; ++i) {
        if (i % 2 == 0) dialog.ActionNextExecute();
        else dialog.ActionFirstExecute();
    }
    const double preview = Seconds(start) / pages;
    const double grid = clocks.Grid.Seconds / pages, frame = (clocks.Header.Seconds + clocks.Footer.Seconds) / pages;
    dialog.PressCancel();

    // The floor: the same texts with DrawTextW on a page-size memory DC.
    const auto texts = RowTexts(std::vector<TListRowRecord>(rows.begin(), rows.begin() + 40));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP page = CreateCompatibleBitmap(screen, 794, 1123);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(memory, page);
    HFONT font = ListingFont(12);
    HGDIOBJ oldFont = SelectObject(memory, font);
    SetBkMode(memory, TRANSPARENT);
    start = TClock::now();
    for (int i = 0; i < pages; ++i) {
        RECT all{0, 0, 794, 1123};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        for (size_t r = 0; r < texts.size(); ++r)
            for (const TRowText& t : texts[r]) {
                RECT cell{t.X, 97 + int(r) * 24, t.X + 160, 97 + int(r) * 24 + 21};
                DrawTextW(memory, t.Text.c_str(), int(t.Text.size()), &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            }
    }
    GdiFlush();
    const double floor = Seconds(start) / pages;
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(font);
    DeleteObject(page);
    DeleteDC(memory);

    // The reduction alone: a page of 32-bit rows stretched to the preview's
    // size, in the stretch mode the preview uses and in the plain one.
    double reduce[2] = {};
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 794, 1123, 1, 32, BI_RGB};
        std::vector<uint32_t> bits(size_t(794) * 1123, 0x00FFFFFF);
        HDC target = CreateCompatibleDC(nullptr);
        HBITMAP image = CreateCompatibleBitmap(GetDC(nullptr), 420, 594);
        HGDIOBJ oldImage = SelectObject(target, image);
        const int modes[2] = {HALFTONE, COLORONCOLOR};
        for (int m = 0; m < 2; ++m) {
            SetStretchBltMode(target, modes[m]);
            start = TClock::now();
            for (int i = 0; i < pages; ++i)
                StretchDIBits(target, 0, 0, 420, 594, 0, 0, 794, 1123, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
            GdiFlush();
            reduce[m] = Seconds(start) / pages;
        }
        SelectObject(target, oldImage);
        DeleteObject(image);
        DeleteDC(target);
    }
    // What a page's rows made afresh for every page would cost (made,
    // filled white, freed): the preview keeps them between pages instead.
    double blank = 0;
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 794, 1123, 1, 32, BI_RGB};
        start = TClock::now();
        for (int i = 0; i < pages; ++i) {
            void* bits = nullptr;
            HDC dc = CreateCompatibleDC(nullptr);
            HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            HGDIOBJ old = SelectObject(dc, section);
            RECT all{0, 0, 794, 1123};
            FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            GdiFlush();
            SelectObject(dc, old);
            DeleteObject(section);
            DeleteDC(dc);
        }
        blank = Seconds(start) / pages;
    }

    std::printf("print_bench: preview of a 40-row page %.2f ms; DrawTextW of its 200 texts on a page-size DC %.2f ms;"
                " ratio %.1f\n", preview * 1e3, floor * 1e3, preview / floor);
    std::printf("print_bench:   of the preview: rows (icons, 6 cells each) %.2f ms, header and footer %.2f ms,"
                " page bitmap and its reduction %.2f ms (the reduction alone %.2f ms in halftone, %.2f ms plain;\n"
                "print_bench:   a page-size bitmap made afresh for each page would add %.2f ms)\n", grid * 1e3, frame * 1e3, (preview - grid - frame) * 1e3,
                reduce[0] * 1e3, reduce[1] * 1e3, blank * 1e3);
}

void PrintBench()
{
    TPrinterSettings& printer = ProgramPrinter();
    if (!printer.HasPrinter()) {
        std::printf("print_bench: there is no printer (no print spooler); printing 1,000 rows is not measured\n");
        return;
    }
    const int count = 1000;
    std::vector<TListRowRecord> rows = NumberedRows(count);
    TSubForm01070 dialog(nullptr, rows, L"C:\\bench");
    if (!dialog.Create()) return;
    TClocks clocks(dialog);
    const double previewGrid = clocks.Grid.Seconds, previewFrame = clocks.Header.Seconds + clocks.Footer.Seconds;
    auto start = TClock::now();
    dialog.ActionPrintExecute();
    const double printed = Seconds(start);
    const double grid = clocks.Grid.Seconds - previewGrid;
    const double frame = clocks.Header.Seconds + clocks.Footer.Seconds - previewFrame;

    // The floor: the same texts with TextOutW on the same printer, 40 rows a
    // page, at the printer's scale.
    const auto texts = RowTexts(rows);
    start = TClock::now();
    HDC dc = printer.CreatePrinterDC();
    const double scale = GetDeviceCaps(dc, LOGPIXELSY) / 96.0;
    HFONT font = ListingFont(int(12 * scale + 0.5));
    DOCINFOW doc{sizeof doc};
    doc.lpszDocName = L"bare";
    StartDocW(dc, &doc);
    HGDIOBJ oldFont = SelectObject(dc, font);
    for (size_t r = 0; r < texts.size(); ++r) {
        if (r % 40 == 0) StartPage(dc);
        for (const TRowText& t : texts[r])
            TextOutW(dc, int(t.X * scale), int((97 + int(r % 40) * 24 + 4) * scale), t.Text.c_str(), int(t.Text.size()));
        if (r % 40 == 39 || r + 1 == texts.size()) EndPage(dc);
    }
    SelectObject(dc, oldFont);
    EndDoc(dc);
    DeleteDC(dc);
    DeleteObject(font);
    const double floor = Seconds(start);
    std::printf("print_bench: printing 1,000 rows (25 pages) to the PDF printer %.0f ms; a bare TextOutW loop of their"
                " 5,000 texts on the same printer %.0f ms; ratio %.1f\n", printed * 1e3, floor * 1e3, printed / floor);
    std::printf("print_bench:   of the print job: rows (icons, 6 cells and lines each) %.0f ms, header and footer"
                " %.0f ms, the printer's pages and spooling %.0f ms\n", grid * 1e3, frame * 1e3,
                (printed - grid - frame) * 1e3);
}

}  // namespace

int main()
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    PreviewBench();
    PrintBench();
    return 0;
}
