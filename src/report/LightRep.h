#pragma once
// The report: a page of paper with margins, its panels docked inside the
// margins, printed page by page on the program's printer or drawn for a
// preview. The application decides, page by page, whether another page is
// needed, and feeds the data through the panels' print events.
#include "core/report/ReportPage.h"
#include "core/report/ReportRun.h"
#include "gui/Handles.h"
#include "report/LRObjects.h"

#include <functional>
#include <string>

class TPrinterSettings;

// What the print job tells when the printer cannot be had or refuses the
// document.
inline constexpr const wchar_t* kNoPrinterText = L"プリンタがありません。";
inline constexpr const wchar_t* kPrintStartFailedText = L"印刷を開始できませんでした。";

class TLightRep : public TLRContainer {
public:
    TLightRep();
    ~TLightRep() override;

    TLRObjectKind Kind() const override { return TLRObjectKind::Report; }
    // The report sits on a form (a top-level window) or nowhere; a child
    // window raises ELRError.
    void PlaceOn(HWND window);

    TPaperSize PaperSize() const { return Paper; }
    void SetPaperSize(TPaperSize paper);
    TPaperOrientation Orientation() const { return Direction; }
    void SetOrientation(TPaperOrientation orientation);
    TLRSize PageSize() const { return Page; }
    // Only while the paper is psNone does the page take another size.
    void SetPageSize(TLRSize size);

    const TLRMargins& Margins() const { return Margin; }
    // A value that is not positive or not below half the page width is
    // ignored.
    void SetMarginTop(int32_t value);
    void SetMarginLeft(int32_t value);
    void SetMarginRight(int32_t value);
    void SetMarginBottom(int32_t value);
    TLRRect DockArea() const override { return ReportPanelArea(Page, Margin); }

    std::wstring Title;  // the print job's document name
    int32_t FirstPage() const { return Run.FirstPage; }
    int32_t LastPage() const { return Run.LastPage; }
    void SetFirstPage(int32_t page) { Run.FirstPage = page; }
    void SetLastPage(int32_t page) { Run.LastPage = page; }

    // The printer printed on; the program's printer unless another is given
    // (a null one is ignored).
    TPrinterSettings& Printer() const { return *PrinterUsed; }
    void SetPrinter(TPrinterSettings* printer);
    // The printer the paper setup last selected (its device name): when the
    // printer changes, its driver's defaults are taken again.
    std::wstring PrinterIndex;
    // Called instead of the paper setup when the paper is psNone.
    std::function<void(TLightRep&)> OnSetPrinter;

    TReportMode Mode() const { return Run.Mode(); }
    int32_t PageNumber() const { return Run.PageNumber(); }
    double Scale() const { return Factor; }

    // The print job: BeginDoc, then PrintPage for each page with NewPage
    // between them, then EndDoc. AbortDoc throws the job away (a failure
    // midway); the report is idle afterwards.
    void BeginDoc();
    void PrintPage();
    void NewPage();
    void EndDoc();
    void AbortDoc();

    void BeginPreview();
    void EndPreview();
    // The next page at scale 1.0 on a canvas of the page's size.
    void PreviewPage(HDC canvas);
    // The next page drawn off screen (bitCount 24 or 32; 0: the canvas's
    // format) and put on `canvas` at (x, y) reduced to `percent` (25..100,
    // else ELRError).
    void DrawPreview(HDC canvas, int x, int y, int bitCount, int32_t percent);

private:
    void ApplyPaperSettings();
    void RenderPage();
    void PageChanged();
    void SetMargin(int32_t& margin, int32_t value);
    void EndJob();

    TPaperSize Paper = TPaperSize::psA4;
    TPaperOrientation Direction = TPaperOrientation::Portrait;
    TLRSize Page;
    TLRMargins Margin;
    TPrinterSettings* PrinterUsed;
    TReportRun Run;
    double Factor = 1.0;
    HDC Target = nullptr;
    HDC PrinterDC = nullptr;
    // Pages outside the page range are drawn here and thrown away.
    HDC ScratchDC = nullptr;
    TBitmapHandle ScratchBitmap;
    HGDIOBJ ScratchOld = nullptr;
    int ScreenDpiY = 96;
    // The off-screen page of the previews, kept between pages.
    TBitmapHandle PreviewBitmap;
    void* PreviewBits = nullptr;
    int PreviewBitCount = -1;
    TLRSize PreviewSize;
};
