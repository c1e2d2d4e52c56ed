#include "report/LightRep.h"

#include "core/report/ReportErrors.h"
#include "fileops/PrinterSettings.h"

#include <vector>

TLightRep::TLightRep() : PrinterUsed(&ProgramPrinter())
{
    Page = PageSizeOf(Paper, Direction, {});
    Box = {0, 0, Page.Width, Page.Height};
    PrinterIndex = PrinterUsed->DeviceName();
}

TLightRep::~TLightRep()
{
    if (Run.Mode() == TReportMode::Printing) AbortDoc();
    EndJob();
}

void TLightRep::PlaceOn(HWND window)
{
    TLRObjectKind parent = TLRObjectKind::Nothing;
    if (window) parent = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? TLRObjectKind::Other : TLRObjectKind::Form;
    PlaceReportObject(Kind(), parent);
}

void TLightRep::PageChanged()
{
    Box = {0, 0, Page.Width, Page.Height};
    Realign();
}

void TLightRep::SetPaperSize(TPaperSize paper)
{
    Paper = paper;
    Page = PageSizeOf(Paper, Direction, Page);
    PageChanged();
}

void TLightRep::SetOrientation(TPaperOrientation orientation)
{
    if (orientation == Direction) return;
    Direction = orientation;
    // Without a paper the page keeps its size, turned.
    Page = Paper == TPaperSize::psNone ? TLRSize{Page.Height, Page.Width} : PageSizeOf(Paper, Direction, Page);
    PageChanged();
}

void TLightRep::SetPageSize(TLRSize size)
{
    if (Paper != TPaperSize::psNone || size.Width <= 0 || size.Height <= 0) return;
    Page = size;
    PageChanged();
}

void TLightRep::SetMargin(int32_t& margin, int32_t value)
{
    if (!ReportMarginAccepted(value, Page.Width)) return;
    margin = value;
    Realign();
}

void TLightRep::SetMarginTop(int32_t value) { SetMargin(Margin.Top, value); }
void TLightRep::SetMarginLeft(int32_t value) { SetMargin(Margin.Left, value); }
void TLightRep::SetMarginRight(int32_t value) { SetMargin(Margin.Right, value); }
void TLightRep::SetMarginBottom(int32_t value) { SetMargin(Margin.Bottom, value); }

void TLightRep::SetPrinter(TPrinterSettings* printer)
{
    if (printer) PrinterUsed = printer;
}

void TLightRep::ApplyPaperSettings()
{
    const std::wstring device = PrinterUsed->DeviceName();
    if (device != PrinterIndex) {
        // Another printer: its driver's defaults, not the last one's settings.
        PrinterUsed->Prepare(true);
        PrinterIndex = device;
    }
    if (Paper == TPaperSize::psNone) {
        if (OnSetPrinter) OnSetPrinter(*this);
        return;
    }
    const bool edited = PrinterUsed->Prepare() && PrinterUsed->EditDevMode([this](DEVMODEW& dm) {
        dm.dmPaperSize = DevModePaperCode(Paper);
        dm.dmOrientation = DevModeOrientation(Direction);
        dm.dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
    });
    if (!edited) throw ELRError(kLRPaperSetupFailed);
}

void TLightRep::BeginDoc()
{
    const bool range = Run.BeginDoc();
    try {
        if (!PrinterUsed->HasPrinter()) throw EShownError(kNoPrinterText);
        ApplyPaperSettings();
        PrinterDC = PrinterUsed->CreatePrinterDC();
        if (!PrinterDC) throw EShownError(kNoPrinterText);
        DOCINFOW doc{sizeof doc};
        doc.lpszDocName = Title.c_str();
        if (StartDocW(PrinterDC, &doc) <= 0) throw EShownError(kPrintStartFailedText);
        if (StartPage(PrinterDC) <= 0) {
            AbortDoc();
            throw EShownError(kPrintStartFailedText);
        }
    } catch (...) {
        EndJob();
        Run.EndDoc();
        throw;
    }
    Target = PrinterDC;
    TWindowDC screen(nullptr);
    ScreenDpiY = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    if (range && !ScratchDC) {
        ScratchBitmap.Reset(CreateBitmap(Page.Width, Page.Height, 1, 1, nullptr));
        ScratchDC = CreateCompatibleDC(nullptr);
        if (ScratchDC && ScratchBitmap) ScratchOld = SelectObject(ScratchDC, ScratchBitmap.Get());
    }
}

void TLightRep::PrintPage()
{
    if (Run.PrintPage() == TPageTarget::Scratch) {
        Factor = 1.0;
        Target = ScratchDC;
    } else {
        Target = PrinterDC;
        Factor = PrinterScale(GetDeviceCaps(PrinterDC, LOGPIXELSY), ScreenDpiY);
    }
    RenderPage();
}

void TLightRep::NewPage()
{
    if (!Run.NewPageFeeds() || !PrinterDC) return;
    EndPage(PrinterDC);
    StartPage(PrinterDC);
}

void TLightRep::EndDoc()
{
    if (Run.EndDoc() && PrinterDC) {
        EndPage(PrinterDC);
        ::EndDoc(PrinterDC);
    }
    EndJob();
}

void TLightRep::AbortDoc()
{
    if (PrinterDC) ::AbortDoc(PrinterDC);
    Run.EndDoc();
    EndJob();
}

void TLightRep::EndJob()
{
    if (PrinterDC) DeleteDC(PrinterDC);
    PrinterDC = nullptr;
    if (ScratchDC) {
        if (ScratchOld) SelectObject(ScratchDC, ScratchOld);
        DeleteDC(ScratchDC);
    }
    ScratchDC = nullptr;
    ScratchOld = nullptr;
    ScratchBitmap.Reset();
    Target = nullptr;
}

void TLightRep::BeginPreview() { Run.BeginPreview(); }
void TLightRep::EndPreview()
{
    Run.EndPreview();
    PreviewBitmap.Reset();
    PreviewBits = nullptr;
}

void TLightRep::PreviewPage(HDC canvas)
{
    Run.PreviewPage();
    Factor = 1.0;
    Target = canvas;
    RECT page{0, 0, Page.Width, Page.Height};
    FillRect(canvas, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RenderPage();
    Target = nullptr;
}

void TLightRep::DrawPreview(HDC canvas, int x, int y, int bitCount, int32_t percent)
{
    CheckPreviewScale(percent);
    // The page is drawn off screen into rows of our own (a DIB section),
    // which are then stretched onto the canvas. The device's format is 32
    // bits on a true-colour display; on one of fewer colours the page goes
    // through a bitmap of the display's own and is read back.
    if (bitCount == 0 && GetDeviceCaps(canvas, BITSPIXEL) * GetDeviceCaps(canvas, PLANES) >= 24) bitCount = 32;
    HDC memory = CreateCompatibleDC(canvas);
    if (!memory) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Page.Width, Page.Height, 1, WORD(bitCount == 32 ? 32 : 24), BI_RGB};
    // The page's rows are kept from one preview page to the next: making
    // and freeing them costs more than drawing a page.
    if (!PreviewBitmap || PreviewBitCount != bitCount || PreviewSize != Page) {
        PreviewBits = nullptr;
        PreviewBitmap.Reset(bitCount == 0 ? CreateCompatibleBitmap(canvas, Page.Width, Page.Height)
                                          : CreateDIBSection(canvas, &info, DIB_RGB_COLORS, &PreviewBits, nullptr, 0));
        PreviewBitCount = bitCount;
        PreviewSize = Page;
    }
    const TBitmapHandle& bitmap = PreviewBitmap;
    void* sectionBits = PreviewBits;
    if (!bitmap) {
        DeleteDC(memory);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap.Get());
    try {
        PreviewPage(memory);
    } catch (...) {
        SelectObject(memory, old);
        DeleteDC(memory);
        throw;
    }
    GdiFlush();
    SelectObject(memory, old);
    std::vector<uint8_t> readBack;
    const void* bits = sectionBits;
    if (!bits) {
        readBack.resize(size_t((Page.Width * 3 + 3) & ~3) * size_t(Page.Height));
        if (GetDIBits(memory, bitmap.Get(), 0, UINT(Page.Height), readBack.data(), &info, DIB_RGB_COLORS))
            bits = readBack.data();
    }
    if (bits) {
        const TLRSize size = PreviewDrawSize(Page, percent);
        const int mode = SetStretchBltMode(canvas, HALFTONE);
        POINT origin{};
        SetBrushOrgEx(canvas, 0, 0, &origin);
        StretchDIBits(canvas, x, y, size.Width, size.Height, 0, 0, Page.Width, Page.Height, bits, &info,
                      DIB_RGB_COLORS, SRCCOPY);
        SetBrushOrgEx(canvas, origin.x, origin.y, nullptr);
        SetStretchBltMode(canvas, mode);
    }
    DeleteDC(memory);
}

void TLightRep::RenderPage()
{
    const bool printing = Run.Mode() == TReportMode::Printing;
    const int offsetX = printing ? GetDeviceCaps(Target, PHYSICALOFFSETX) : 0;
    const int offsetY = printing ? GetDeviceCaps(Target, PHYSICALOFFSETY) : 0;
    // The panels in the order they were added; a handler may not add or
    // take panels while the page prints.
    for (const auto& object : Objects) {
        auto* panel = dynamic_cast<TCustomLRPanel*>(object.get());
        if (!panel || !panel->Enabled) continue;
        TLRRect rect = panel->Bounds();
        if (printing) rect = ShiftByPhysicalOffset(rect, offsetX, offsetY, Factor);
        panel->PrintOut(Target, rect, Factor);
    }
}
