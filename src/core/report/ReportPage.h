#pragma once
// The page of a report: its size by paper and orientation, the paper codes
// a printer's device mode takes, the margins, and the docking of the report
// panels inside the area the margins leave.
#include "core/report/ReportGeometry.h"

#include <cstdint>
#include <span>
#include <vector>

enum class TPaperSize { psNone, psA4, psB4, psB5, psA3, psA5 };
enum class TPaperOrientation { Portrait, Landscape };

// The page size of a paper; psNone keeps `current`.
TLRSize PageSizeOf(TPaperSize paper, TPaperOrientation orientation, TLRSize current);
// The device mode's paper-size field (the Windows paper codes): A4 9, B4 12,
// B5 13, A3 8, A5 11; 0 for psNone.
int16_t DevModePaperCode(TPaperSize paper);
// The device mode's orientation field: 1 portrait, 2 landscape.
int16_t DevModeOrientation(TPaperOrientation orientation);

// 378 page units are 10 cm; the default margins are a tenth of that, less one.
inline constexpr int32_t kDefaultReportMargin = 378 / 10 - 1;

struct TLRMargins {
    int32_t Top = kDefaultReportMargin, Left = kDefaultReportMargin;
    int32_t Right = kDefaultReportMargin, Bottom = kDefaultReportMargin;
};

// Whether a margin setter takes a value: positive and below half the page
// width (for all four margins); any other value is ignored.
bool ReportMarginAccepted(int32_t value, int32_t pageWidth);

// The area the report panels dock in: the page less its margins, less the
// page's own border.
inline constexpr int32_t kReportPageBorder = 1;
TLRRect ReportPanelArea(TLRSize page, const TLRMargins& margins);

enum class TLRAlign { laTop, laLeft, laRight, laBottom, laClient };

struct TDockedPanel {
    TLRAlign Align = TLRAlign::laTop;
    TLRRect Bounds;  // where it is now; its width or height is what it keeps
};

// The panels' rectangles after docking in `area`, in the order the platform
// aligns controls: top, bottom, left, right, then client, each taking from
// what the ones before left. Panels of one kind dock in the order of their
// present place (the upper first for top, the lower first for bottom, the
// further left first for left, the further right first for right), ties in
// the order given; client panels fill what is left.
std::vector<TLRRect> DockPanels(TLRRect area, std::span<const TDockedPanel> panels);
