#include "viewer/PanelBox.h"

#include "gui/Handles.h"
#include "gui/GdiLines.h"

namespace {
constexpr int kBevel = 1;  // raised outer bevel, width 1
}

TPanelBox::TPanelBox(HWND parent, const std::wstring& caption, HFONT font) : Caption(caption), Font(font)
{
    RegisterWindowClass(L"TPanelBox", CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(WS_EX_CONTROLPARENT, L"TPanelBox", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                 100, 100, parent, nullptr);
    Title = TextHeight() + 4 + 2 + 2;
}

void TPanelBox::SetCaption(const std::wstring& caption)
{
    Caption = caption;
    InvalidateRect(Wnd, nullptr, TRUE);
}

int TPanelBox::TextHeight() const
{
    TWindowDC dc(Wnd);
    TSelectObject font(dc.Get(), Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE s{};
    GetTextExtentPoint32W(dc.Get(), L"W", 1, &s);
    return s.cy;
}

RECT TPanelBox::ContentRect() const
{
    RECT r;
    GetClientRect(Wnd, &r);
    r.top += TextHeight() + 4 + kBevel;
    InflateRect(&r, -kBevel, 0);
    r.bottom -= kBevel;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void TPanelBox::Paint(HDC dc)
{
    RECT r;
    GetClientRect(Wnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
    const int th = TextHeight();
    RECT strip{r.left + 4, r.top + 2, r.right - 4, r.top + 2 + th + 2};
    HGDIOBJ old = SelectObject(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, Caption.c_str(), -1, &strip, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, old);
    // An etched line under the strip, in the colours of the raised bevel.
    DrawSystemColourLine(dc, COLOR_BTNSHADOW, {{r.left + 1, strip.bottom}, {r.right - 1, strip.bottom}});
    DrawSystemColourLine(dc, COLOR_BTNHIGHLIGHT, {{r.left + 1, strip.bottom + 1}, {r.right - 1, strip.bottom + 1}});
    Title = strip.bottom + 2;
}

LRESULT TPanelBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        Paint(TPaintDC(Wnd).Get());
        return 0;
    case WM_SIZE:
        if (OnResize) OnResize();
        return 0;
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
