#include "gui/Panel.h"

#include "gui/Handles.h"

TPanel::TPanel(HWND parent, const wchar_t* name) : PanelName(name)
{
    RegisterWindowClass(L"QuirevuePanel", CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_BTNFACE));
    CreateHandle(WS_EX_CONTROLPARENT, L"QuirevuePanel", name,
                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr);
}

void TPanel::SetTitle(const std::wstring& title, int height, HFONT font)
{
    Title = title;
    TitleBarHeight = height;
    TitleFont = font;
    InvalidateRect(Wnd, nullptr, TRUE);
}

LRESULT TPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        if (OnResize) OnResize();
        return 0;
    case WM_PAINT:
        if (TitleBarHeight > 0) {
            TPaintDC paint(Wnd);
            HDC dc = paint.Get();
            RECT r;
            GetClientRect(Wnd, &r);
            r.bottom = TitleBarHeight;
            FillRect(dc, &r, GetSysColorBrush(COLOR_ACTIVECAPTION));
            TSelectObject font(dc, TitleFont ? TitleFont : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
            DrawTextW(dc, Title.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
            return 0;
        }
        break;
    default:
        if (OnMessage) {
            LRESULT result = 0;
            if (OnMessage(msg, wParam, lParam, result)) return result;
        }
        // Children's commands and notifications belong to the form.
        if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_DRAWITEM)
            return SendMessageW(GetParent(Wnd), msg, wParam, lParam);
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
