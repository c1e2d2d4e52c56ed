#include "core/report/ReportItemLayout.h"

#include <algorithm>
#include <cmath>

bool ItemMarginAccepted(int32_t value) { return value >= -255 && value <= 255; }

int32_t ScaledUnits(int32_t value, double scale) { return int32_t(std::trunc(value * scale)); }

TLRRect ItemBox(TLRRect r, double s)
{
    return {ScaledUnits(r.Left, s), ScaledUnits(r.Top, s), ScaledUnits(r.Right - 1, s), ScaledUnits(r.Bottom - 1, s)};
}

int32_t ItemMeasureWidth(TLRRect box, int32_t hMargin, double scale)
{
    return box.Right - box.Left - ScaledUnits(hMargin, scale);
}

TLRRect ItemTextRect(TLRRect box, TLRTextAlign align, TTextLayout layout, int32_t hMargin, int32_t vMargin,
                     double scale, int32_t textHeight)
{
    TLRRect r = box;
    if (align == TLRTextAlign::Left) r.Left += ScaledUnits(hMargin, scale);
    else if (align == TLRTextAlign::Right) r.Right -= ScaledUnits(hMargin, scale);
    switch (layout) {
    case TTextLayout::tlTop: r.Top += ScaledUnits(vMargin, scale); break;
    case TTextLayout::tlBottom: r.Top = box.Bottom - ScaledUnits(vMargin, scale) - textHeight; break;
    case TTextLayout::tlCenter: r.Top += (box.Bottom - box.Top - textHeight) / 2; break;  // toward zero
    }
    return r;
}

int32_t LinePenWidth(TLineStyle style, double s)
{
    switch (style) {
    case TLineStyle::lsSingle: return int32_t(std::trunc(1.2 * s));
    case TLineStyle::lsHalf: return int32_t(std::trunc(s / 2));
    case TLineStyle::lsDouble: return int32_t(std::trunc(2 * s));
    case TLineStyle::lsNone: break;
    }
    return -1;
}

TLRSegment ItemLine(TLRSide side, TLRRect b, double scale)
{
    const int32_t o = int32_t(std::trunc(scale));
    switch (side) {
    case TLRSide::Top: return {b.Left - o, b.Top - o, b.Right, b.Top - o};
    case TLRSide::Left: return {b.Left - o, b.Top - o, b.Left - o, b.Bottom};
    case TLRSide::Right: return {b.Right, b.Top - o, b.Right, b.Bottom};
    case TLRSide::Bottom: break;
    }
    return {b.Left - o, b.Bottom, b.Right, b.Bottom};
}

TItemPaint ItemPaintFor(TPrintStatus status, bool transparent)
{
    return {!transparent, status == TPrintStatus::psNormal, status != TPrintStatus::psEndNow};
}

TImagePlacement ImageItemPlacement(TLRRect rect, TLRSize picture, bool stretch, double scale)
{
    TLRSize source = picture;
    if (!stretch) {
        source = {std::min(picture.Width, rect.Width()), std::min(picture.Height, rect.Height())};
        rect = LRBounds(rect.Left, rect.Top, source.Width, source.Height);
    }
    return {source, {ScaledUnits(rect.Left, scale), ScaledUnits(rect.Top, scale), ScaledUnits(rect.Right, scale),
                     ScaledUnits(rect.Bottom, scale)}};
}
