#include "core/report/ReportRun.h"

#include "core/report/ReportErrors.h"

#include <cmath>

bool TReportRun::BeginDoc()
{
    if (State == TReportMode::Printing) throw ELRError(kLRPrinterBusy);
    if (State == TReportMode::Previewing) EndPreview();
    if (LastPage != 0 && LastPage < FirstPage) {
        LastPage = FirstPage;
        throw ELRError(kLRBadPageRange);
    }
    State = TReportMode::Printing;
    Counter = 0;
    return FirstPage > 1 || LastPage > 0;
}

TPageTarget TReportRun::PrintPage()
{
    if (State != TReportMode::Printing) throw ELRError(kLRNoBeginDoc);
    const int32_t p = ++Counter;
    if (p < FirstPage || (LastPage != 0 && p > LastPage)) return TPageTarget::Scratch;
    return TPageTarget::Printer;
}

bool TReportRun::NewPageFeeds() const
{
    return State == TReportMode::Printing && FirstPage <= Counter && (LastPage == 0 || Counter < LastPage);
}

bool TReportRun::EndDoc()
{
    if (State != TReportMode::Printing) return false;
    State = TReportMode::Idle;
    return true;
}

void TReportRun::BeginPreview()
{
    if (State == TReportMode::Printing) throw ELRError(kLRPreviewWhilePrinting);
    State = TReportMode::Previewing;
    Counter = 0;
}

void TReportRun::EndPreview()
{
    // A print job's counter is not the preview's to reset.
    if (State != TReportMode::Previewing) return;
    State = TReportMode::Idle;
    Counter = 0;
}

void TReportRun::PreviewPage()
{
    if (State != TReportMode::Previewing) BeginPreview();
    ++Counter;
}

double PrinterScale(int32_t printerDpiY, int32_t screenDpiY)
{
    if (printerDpiY <= 0 || screenDpiY <= 0) return 1.0;
    return double(printerDpiY) / double(screenDpiY);
}

TLRRect ShiftByPhysicalOffset(TLRRect r, int32_t offsetX, int32_t offsetY, double scale)
{
    const int32_t dx = int32_t(std::trunc(offsetX / scale)), dy = int32_t(std::trunc(offsetY / scale));
    return {r.Left - dx, r.Top - dy, r.Right - dx, r.Bottom - dy};
}

void CheckPreviewScale(int32_t percent)
{
    if (percent < 25 || percent > 100) throw ELRError(kLRBadPreviewScale);
}

TLRSize PreviewDrawSize(TLRSize page, int32_t percent)
{
    return {int32_t(int64_t(percent) * page.Width / 100), int32_t(int64_t(percent) * page.Height / 100)};
}
