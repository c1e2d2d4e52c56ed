#include "gui/Splitter.h"

#include <windowsx.h>

TSplitter::TSplitter(HWND parent, TOrientation orientation) : Orientation(orientation)
{
    RegisterWindowClass(L"QuirevueSplitter", 0, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(0, L"QuirevueSplitter", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr);
}

LRESULT TSplitter::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, Orientation == TOrientation::Vertical ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    case WM_LBUTTONDOWN:
        Dragging = true;
        GetCursorPos(&Last);
        SetCapture(Wnd);
        return 0;
    case WM_MOUSEMOVE:
        if (Dragging) {
            POINT p;
            GetCursorPos(&p);
            int delta = Orientation == TOrientation::Vertical ? p.x - Last.x : p.y - Last.y;
            if (delta && OnMoved) {
                Last = p;
                OnMoved(delta);
            }
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (Dragging) {
            Dragging = false;
            if (msg == WM_LBUTTONUP) ReleaseCapture();
        }
        return 0;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
