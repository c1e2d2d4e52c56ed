#include "report/LRItem.h"

#include "core/report/ReportText.h"

#include <cmath>

TNumberSeparators UserNumberSeparators()
{
    static const TNumberSeparators separators = [] {
        TNumberSeparators s;
        wchar_t text[8] = {};
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, 8) > 1) s.Thousands = text[0];
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) > 1) s.Decimal = text[0];
        return s;
    }();
    return separators;
}

void TLRItem::SetHMargin(int32_t value)
{
    if (ItemMarginAccepted(value)) HorzMargin = value;
}

void TLRItem::SetVMargin(int32_t value)
{
    if (ItemMarginAccepted(value)) VertMargin = value;
}

std::wstring TLRItem::DisplayText() const { return ItemDisplayText(Text, DisplayMask, UserNumberSeparators()); }

HFONT TLRItem::FontFor(double scale)
{
    if (!MadeFont || !(MadeFor == Font) || MadeScale != scale) {
        LOGFONTW lf{};
        lf.lfHeight = -std::max(1, int(std::lround(Font.Height * scale)));
        lf.lfWeight = Font.Bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, Font.Name.c_str(), LF_FACESIZE);
        MadeFont.Reset(CreateFontIndirectW(&lf));
        MadeFor = Font;
        MadeScale = scale;
    }
    return MadeFont.Get();
}

void TLRItem::PrintOut(HDC canvas, const TLRRect& rect, TPrintStatus status, double scale)
{
    const TItemPaint paint = ItemPaintFor(status, Transparent);
    const TLRRect box = ItemBox(rect, scale);
    if (paint.Background) {
        HBRUSH brush = CreateSolidBrush(Color);
        RECT r{box.Left, box.Top, box.Right, box.Bottom};
        FillRect(canvas, &r, brush);
        DeleteObject(brush);
    }
    if (paint.Text) {
        const std::wstring text = DisplayText();
        if (!text.empty()) {
            TSelectObject font(canvas, FontFor(scale));
            SIZE bar{};
            GetTextExtentPoint32W(canvas, L"|", 1, &bar);
            UINT flags = WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
            if (Alignment == TLRTextAlign::Right) flags |= DT_RIGHT;
            else if (Alignment == TLRTextAlign::Center) flags |= DT_CENTER;
            flags |= DT_NOPREFIX;
            RECT measured{0, 0, ItemMeasureWidth(box, HorzMargin, scale), bar.cy};
            DrawTextW(canvas, text.c_str(), int(text.size()), &measured, flags | DT_CALCRECT);
            const TLRRect t =
                ItemTextRect(box, Alignment, Layout, HorzMargin, VertMargin, scale, int32_t(measured.bottom));
            RECT r{t.Left, t.Top, t.Right, t.Bottom};
            const int oldMode = SetBkMode(canvas, TRANSPARENT);
            const COLORREF oldColor = SetTextColor(canvas, Font.Color);
            DrawTextW(canvas, text.c_str(), int(text.size()), &r, flags);
            SetTextColor(canvas, oldColor);
            SetBkMode(canvas, oldMode);
        }
    }
    if (paint.Lines) DrawLines(canvas, box, scale);
}

void TLRItem::DrawLines(HDC canvas, const TLRRect& box, double scale) const
{
    const std::pair<TLRSide, TLineStyle> lines[] = {
        {TLRSide::Top, LineTop}, {TLRSide::Left, LineLeft}, {TLRSide::Right, LineRight}, {TLRSide::Bottom, LineBottom}};
    for (auto [side, style] : lines) {
        const int32_t width = LinePenWidth(style, scale);
        if (width < 0) continue;
        HPEN pen = CreatePen(PS_SOLID, width, LineColor);
        HGDIOBJ old = SelectObject(canvas, pen);
        const TLRSegment s = ItemLine(side, box, scale);
        MoveToEx(canvas, s.X1, s.Y1, nullptr);
        LineTo(canvas, s.X2, s.Y2);
        SelectObject(canvas, old);
        DeleteObject(pen);
    }
}
