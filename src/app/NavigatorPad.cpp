#include "app/NavigatorPad.h"

#include "core/help/HelpContexts.h"
#include "core/settings/OptionValues.h"
#include "gui/HelpTopic.h"
#include "settings/FontData.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_NOACTIVATE;
constexpr COLORREF kHighlight = RGB(128, 128, 128);

// The arrows beside the wedges' outer edges: left, right, top, bottom, each
// in a 16 x 16 box.
const POINT kArrowBoxes[] = {{16, 52}, {88, 52}, {52, 16}, {52, 89}};

COLORREF Shade(COLORREF c, int percent)
{
    return RGB(GetRValue(c) * percent / 100, GetGValue(c) * percent / 100, GetBValue(c) * percent / 100);
}

void Triangle(HDC dc, const TPadTriangle& t)
{
    POINT p[3] = {{t[0].X, t[0].Y}, {t[1].X, t[1].Y}, {t[2].X, t[2].Y}};
    Polygon(dc, p, 3);
}

// A filled arrow pointing out of the pad, in the middle of its box.
void Arrow(HDC dc, TPadWedge wedge, POINT box)
{
    int x = box.x, y = box.y;
    POINT p[3];
    switch (wedge) {
    case TPadWedge::Left: p[0] = {x + 3, y + 8}; p[1] = {x + 11, y + 2}; p[2] = {x + 11, y + 14}; break;
    case TPadWedge::Right: p[0] = {x + 13, y + 8}; p[1] = {x + 5, y + 2}; p[2] = {x + 5, y + 14}; break;
    case TPadWedge::Top: p[0] = {x + 8, y + 3}; p[1] = {x + 2, y + 11}; p[2] = {x + 14, y + 11}; break;
    case TPadWedge::Bottom: p[0] = {x + 8, y + 13}; p[1] = {x + 2, y + 5}; p[2] = {x + 14, y + 5}; break;
    }
    Polygon(dc, p, 3);
}

}  // namespace

TSubForm06080::TSubForm06080(HWND owner, TColor color, int32_t level, int left, int top) : Owner(owner), Color(color)
{
    RegisterWindowClass(ClassName(), CS_HREDRAW | CS_VREDRAW, nullptr, nullptr);
    RECT r{0, 0, kPadClientSize, kPadClientSize};
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    int width = r.right - r.left, height = r.bottom - r.top;
    // A position of another screen layout would leave the pad out of reach.
    RECT wanted{left, top, left + width, top + height};
    if (!MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) {
        RECT area{};
        GetWindowRect(owner, &area);
        left = area.left + 40;
        top = area.top + 80;
    }
    if (!CreateHandle(kExStyle, ClassName(), L"ナビゲーター", kStyle, left, top, width, height, owner, nullptr)) return;
    SetLook(color, level);
    ShowWindow(Wnd, SW_SHOWNOACTIVATE);
    // Never activated, it would keep the inactive caption it was shown with.
    SendMessageW(Wnd, WM_NCACTIVATE, TRUE, 0);
}

TSubForm06080::~TSubForm06080()
{
    OnWedge = nullptr;
    if (Wnd) DestroyWindow(Wnd);
}

void TSubForm06080::SetLook(TColor color, int32_t level)
{
    Color = color;
    Background.Reset(CreateSolidBrush(ColorToRGB(color)));
    SetLayeredWindowAttributes(Wnd, 0, ToolAlpha(level), LWA_ALPHA);
    InvalidateRect(Wnd, nullptr, TRUE);
}

POINT TSubForm06080::Position() const
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    return {r.left, r.top};
}

void TSubForm06080::Paint(HDC dc)
{
    RECT client;
    GetClientRect(Wnd, &client);
    FillRect(dc, &client, Background.Get());
    COLORREF face = ColorToRGB(Color);
    TBrushHandle wedgeBrush(CreateSolidBrush(Shade(face, 85)));
    TBrushHandle arrowBrush(CreateSolidBrush(Shade(face, 40)));
    HGDIOBJ oldBrush = SelectObject(dc, wedgeBrush.Get());
    for (TPadWedge wedge : kPadWedges) {
        // The outline in the pad's colour, or grey under the pointer.
        HPEN pen = CreatePen(PS_SOLID, 1, Hot == wedge ? kHighlight : face);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Triangle(dc, WedgeCorners(wedge));
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    SelectObject(dc, arrowBrush.Get());
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (TPadWedge wedge : kPadWedges) Arrow(dc, wedge, kArrowBoxes[int(wedge)]);
    Ellipse(dc, 56, 56, 65, 65);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void TSubForm06080::SetHot(std::optional<TPadWedge> wedge)
{
    if (wedge == Hot) return;
    Hot = wedge;
    InvalidateRect(Wnd, nullptr, FALSE);
}

void TSubForm06080::GiveFocusBack()
{
    if (!Owner || !IsWindow(Owner)) return;
    if (GetActiveWindow() != Owner) SetActiveWindow(Owner);
    HWND focus = GetFocus();
    if (focus != Owner && !IsChild(Owner, focus)) SetFocus(Owner);
}

LRESULT TSubForm06080::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd, &ps);
        Paint(dc);
        EndPaint(Wnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        // The pad never takes the activation from the main window.
        return MA_NOACTIVATE;
    case WM_NCACTIVATE:
        // The caption is always drawn active.
        return DefWindowProcW(Wnd, msg, TRUE, lParam);
    case WM_MOUSEMOVE:
        if (!Tracking) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Wnd, 0};
            Tracking = TrackMouseEvent(&track) != 0;
        }
        SetHot(WedgeAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_MOUSELEAVE:
        Tracking = false;
        SetHot(std::nullopt);
        return 0;
    case WM_LBUTTONDOWN: {
        GiveFocusBack();
        std::optional<TPadWedge> wedge = WedgeAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (wedge && OnWedge) OnWedge(*wedge);
        return 0;
    }
    case WM_EXITSIZEMOVE: {
        LRESULT result = TWindow::HandleMessage(msg, wParam, lParam);
        GiveFocusBack();
        return result;
    }
    case WM_HELP:
        ShowHelpTopic(Wnd, HelpContext::Navigator);
        return TRUE;
    case WM_CLOSE:
        // It closes through the main window's command only.
        return 0;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
