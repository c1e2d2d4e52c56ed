#pragma once
// The report's text cell: a framed text with alignment, margins, optional
// word wrap, a display mask and four border lines styled one by one.
#include "core/report/ReportItemLayout.h"
#include "core/report/ReportText.h"
#include "gui/Handles.h"
#include "report/LRObjects.h"

#include <string>

// The font an item prints in: its height in page units (pixels at 96 dots
// per inch), so that its point size is kept on every target.
struct TLRFont {
    std::wstring Name = L"ＭＳ ゴシック";
    int32_t Height = 12;
    bool Bold = false;
    COLORREF Color = RGB(0, 0, 0);
    bool operator==(const TLRFont&) const = default;
};

// The thousands and decimal separators of the user's locale.
TNumberSeparators UserNumberSeparators();

class TLRItem : public TCustomLRItem {
public:
    std::wstring Text;
    std::wstring DisplayMask;
    TLRTextAlign Alignment = TLRTextAlign::Left;
    TTextLayout Layout = TTextLayout::tlTop;
    bool WordWrap = false;
    COLORREF Color = RGB(255, 255, 255);
    bool Transparent = true;
    TLRFont Font;
    COLORREF LineColor = RGB(0, 0, 0);
    TLineStyle LineTop = TLineStyle::lsNone, LineLeft = TLineStyle::lsNone;
    TLineStyle LineRight = TLineStyle::lsNone, LineBottom = TLineStyle::lsNone;

    // Margins inside the cell; values outside -255..255 are ignored.
    int32_t HMargin() const { return HorzMargin; }
    int32_t VMargin() const { return VertMargin; }
    void SetHMargin(int32_t value);
    void SetVMargin(int32_t value);
    void SetLines(TLineStyle style) { LineTop = LineLeft = LineRight = LineBottom = style; }

    // What prints: Text through DisplayMask. A text of digits, signs and
    // points that is still no number raises std::invalid_argument.
    std::wstring DisplayText() const;

    void PrintOut(HDC canvas, const TLRRect& rect, TPrintStatus status, double scale) override;

private:
    HFONT FontFor(double scale);
    void DrawLines(HDC canvas, const TLRRect& box, double scale) const;

    int32_t HorzMargin = kDefaultItemMargin, VertMargin = kDefaultItemMargin;
    // The font made for the last scale printed at.
    TFontHandle MadeFont;
    TLRFont MadeFor;
    double MadeScale = 0;
};
