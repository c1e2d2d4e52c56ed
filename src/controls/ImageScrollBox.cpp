#include "controls/ImageScrollBox.h"

#include <algorithm>

TImageScrollBox::TImageScrollBox(HWND parent, const RECT& bounds, int id)
{
    RegisterWindowClass(L"QuirevueImageScrollBox", CS_HREDRAW | CS_VREDRAW, nullptr);
    CreateHandle(WS_EX_CLIENTEDGE, L"QuirevueImageScrollBox", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                 bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                 reinterpret_cast<HMENU>(INT_PTR(id)));
}

SIZE TImageScrollBox::FullClientSize() const
{
    RECT window{};
    GetWindowRect(Wnd, &window);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
    return {window.right - window.left - (frame.right - frame.left),
            window.bottom - window.top - (frame.bottom - frame.top)};
}

void TImageScrollBox::SetImage(const RECT& place)
{
    Place = place;
    const int width = std::max<int>(1, place.right - place.left), height = std::max<int>(1, place.bottom - place.top);
    TWindowDC screen(Wnd);
    Picture.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    HDC memory = CreateCompatibleDC(screen.Get());
    if (memory && Picture) {
        TSelectObject in(memory, Picture.Get());
        RECT all{0, 0, width, height};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    if (memory) DeleteDC(memory);
    Scroll = {};
    UpdateScrollBars();
    InvalidateRect(Wnd, nullptr, TRUE);
}

void TImageScrollBox::ImageChanged() { InvalidateRect(Wnd, nullptr, FALSE); }

void TImageScrollBox::UpdateScrollBars()
{
    // A bar takes room from the other direction: settle both together.
    const SIZE full = FullClientSize();
    const int bar = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
    bool vertical = false, horizontal = false;
    for (int i = 0; i < 2; ++i) {
        horizontal = Place.right > full.cx - (vertical ? bar : 0);
        vertical = Place.bottom > full.cy - (horizontal ? barHeight : 0);
    }
    const int pageX = full.cx - (vertical ? bar : 0), pageY = full.cy - (horizontal ? barHeight : 0);
    auto settle = [this](int which, bool shown, LONG extent, int page, LONG& position) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
        info.nMax = shown ? int(extent) - 1 : 0;
        info.nPage = shown ? UINT(page) : 0;
        position = shown ? std::clamp<LONG>(position, 0, extent - page) : 0;
        info.nPos = int(position);
        SetScrollInfo(Wnd, which, &info, TRUE);
        ShowScrollBar(Wnd, which, shown);
    };
    settle(SB_HORZ, horizontal, Place.right, pageX, Scroll.x);
    settle(SB_VERT, vertical, Place.bottom, pageY, Scroll.y);
}

void TImageScrollBox::ScrollTo(int bar, int position)
{
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(Wnd, bar, &info);
    const int limit = std::max(0, info.nMax - int(info.nPage) + 1);
    position = std::clamp(position, 0, limit);
    LONG& current = bar == SB_HORZ ? Scroll.x : Scroll.y;
    if (position == current) return;
    current = position;
    SetScrollPos(Wnd, bar, position, TRUE);
    InvalidateRect(Wnd, nullptr, FALSE);
}

void TImageScrollBox::Paint(HDC dc)
{
    RECT client{};
    GetClientRect(Wnd, &client);
    RECT image{Place.left - Scroll.x, Place.top - Scroll.y, Place.right - Scroll.x, Place.bottom - Scroll.y};
    // The workspace colour around the picture, never under it (no flicker).
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, image.left, image.top, image.right, image.bottom);
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    RestoreDC(dc, saved);
    if (!Picture) return;
    HDC memory = CreateCompatibleDC(dc);
    {
        TSelectObject in(memory, Picture.Get());
        BitBlt(dc, image.left, image.top, image.right - image.left, image.bottom - image.top, memory, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
}

LRESULT TImageScrollBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        TPaintDC paint(Wnd);
        Paint(paint.Get());
        return 0;
    }
    case WM_SIZE:
        UpdateScrollBars();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const int bar = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
        SCROLLINFO info{sizeof info, SIF_ALL};
        GetScrollInfo(Wnd, bar, &info);
        int position = info.nPos;
        switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= 16; break;
        case SB_LINEDOWN: position += 16; break;
        case SB_PAGEUP: position -= int(info.nPage); break;
        case SB_PAGEDOWN: position += int(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = info.nMax; break;
        default: break;
        }
        ScrollTo(bar, position);
        return 0;
    }
    case WM_MOUSEWHEEL:
        ScrollTo(SB_VERT, Scroll.y - GET_WHEEL_DELTA_WPARAM(wParam) * 48 / WHEEL_DELTA);
        return 0;
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
