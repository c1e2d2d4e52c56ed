#pragma once
// The run of a report: idle, printing or previewing, the page counter and
// the page range, and the scale from page units to the target. The platform
// side does the printer's and the canvas's part of each operation; this
// says whether it may and where the page goes.
#include "core/report/ReportGeometry.h"

#include <cstdint>

enum class TReportMode { Idle, Printing, Previewing };

// Where PrintPage renders the page it starts.
enum class TPageTarget {
    Printer,  // a sheet of the document
    Scratch,  // outside the range: rendered and thrown away, so that the
              // print events, and the data cursor behind them, advance
};

class TReportRun {
public:
    int32_t FirstPage = 0;  // 0: no limit
    int32_t LastPage = 0;   // 0: no limit

    TReportMode Mode() const { return State; }
    // The page counter while printing or previewing, otherwise 0.
    int32_t PageNumber() const { return State == TReportMode::Idle ? 0 : Counter; }

    // Start a print job. Raises ELRError while printing; with LastPage below
    // FirstPage it sets LastPage to FirstPage and raises. A preview is ended
    // first. Returns whether a scratch target is needed (a range in force).
    bool BeginDoc();
    // Start the next page. Raises ELRError unless printing (a page started
    // in a preview would go to a printer with no document).
    TPageTarget PrintPage();
    // Whether NewPage feeds a sheet: while printing and within the range,
    // so that no blank sheets come out for skipped pages.
    bool NewPageFeeds() const;
    // Whether there was a document to end; the run is idle afterwards.
    bool EndDoc();

    // Raises ELRError while printing.
    void BeginPreview();
    void EndPreview();
    // A preview page: enters preview from idle (raising while printing) and
    // counts the page.
    void PreviewPage();

private:
    TReportMode State = TReportMode::Idle;
    int32_t Counter = 0;
};

// The scale of a printed page: the printer's vertical resolution over the
// screen's, 1.0 when either is unknown (0 or less).
double PrinterScale(int32_t printerDpiY, int32_t screenDpiY);
// A panel's rectangle on a printed page, moved so that page coordinates
// count from the paper's edge rather than the printable area's.
TLRRect ShiftByPhysicalOffset(TLRRect rect, int32_t offsetX, int32_t offsetY, double scale);

// DrawPreview's scale in percent must lie in 25..100; otherwise ELRError.
void CheckPreviewScale(int32_t percent);
// The size a page is drawn at in a preview: trunc(percent x side / 100).
TLRSize PreviewDrawSize(TLRSize page, int32_t percent);
