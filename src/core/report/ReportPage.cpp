#include "core/report/ReportPage.h"

#include <algorithm>

TLRSize PageSizeOf(TPaperSize paper, TPaperOrientation orientation, TLRSize current)
{
    TLRSize portrait;
    switch (paper) {
    case TPaperSize::psA4: portrait = {794, 1123}; break;
    case TPaperSize::psB4: portrait = {971, 1376}; break;
    case TPaperSize::psB5: portrait = {688, 971}; break;
    case TPaperSize::psA3: portrait = {1123, 1587}; break;
    case TPaperSize::psA5: portrait = {559, 794}; break;
    case TPaperSize::psNone: return current;
    }
    if (orientation == TPaperOrientation::Landscape) return {portrait.Height, portrait.Width};
    return portrait;
}

int16_t DevModePaperCode(TPaperSize paper)
{
    switch (paper) {
    case TPaperSize::psA4: return 9;
    case TPaperSize::psB4: return 12;
    case TPaperSize::psB5: return 13;
    case TPaperSize::psA3: return 8;
    case TPaperSize::psA5: return 11;
    case TPaperSize::psNone: break;
    }
    return 0;
}

int16_t DevModeOrientation(TPaperOrientation orientation)
{
    return orientation == TPaperOrientation::Landscape ? 2 : 1;
}

bool ReportMarginAccepted(int32_t value, int32_t pageWidth) { return value > 0 && value < pageWidth / 2; }

TLRRect ReportPanelArea(TLRSize page, const TLRMargins& m)
{
    return {m.Left + kReportPageBorder, m.Top + kReportPageBorder, page.Width - m.Right - kReportPageBorder,
            page.Height - m.Bottom - kReportPageBorder};
}

std::vector<TLRRect> DockPanels(TLRRect area, std::span<const TDockedPanel> panels)
{
    std::vector<TLRRect> out(panels.size());
    const TLRAlign order[] = {TLRAlign::laTop, TLRAlign::laBottom, TLRAlign::laLeft, TLRAlign::laRight,
                              TLRAlign::laClient};
    for (TLRAlign align : order) {
        std::vector<size_t> those;
        for (size_t i = 0; i < panels.size(); ++i)
            if (panels[i].Align == align) those.push_back(i);
        std::stable_sort(those.begin(), those.end(), [&](size_t a, size_t b) {
            const TLRRect &x = panels[a].Bounds, &y = panels[b].Bounds;
            switch (align) {
            case TLRAlign::laTop: return x.Top < y.Top;
            case TLRAlign::laBottom: return x.Bottom > y.Bottom;
            case TLRAlign::laLeft: return x.Left < y.Left;
            case TLRAlign::laRight: return x.Right > y.Right;
            case TLRAlign::laClient: break;
            }
            return false;
        });
        for (size_t i : those) {
            const TLRRect& b = panels[i].Bounds;
            TLRRect& r = out[i];
            switch (align) {
            case TLRAlign::laTop:
                r = {area.Left, area.Top, area.Right, std::min(area.Bottom, area.Top + b.Height())};
                area.Top = r.Bottom;
                break;
            case TLRAlign::laBottom:
                r = {area.Left, std::max(area.Top, area.Bottom - b.Height()), area.Right, area.Bottom};
                area.Bottom = r.Top;
                break;
            case TLRAlign::laLeft:
                r = {area.Left, area.Top, std::min(area.Right, area.Left + b.Width()), area.Bottom};
                area.Left = r.Right;
                break;
            case TLRAlign::laRight:
                r = {std::max(area.Left, area.Right - b.Width()), area.Top, area.Right, area.Bottom};
                area.Right = r.Left;
                break;
            case TLRAlign::laClient: r = area; break;
            }
        }
    }
    return out;
}
