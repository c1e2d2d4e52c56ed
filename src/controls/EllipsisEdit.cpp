#include "controls/EllipsisEdit.h"

HWND TEllipsisEdit::Create(HWND parent, int id, int x, int y, int width, int height)
{
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | ES_MULTILINE | ES_AUTOHSCROLL,
                                x, y, width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    AttachEdit(edit);
    return edit;
}

void TEllipsisEdit::AttachEdit(HWND edit)
{
    Attach(edit);
    RECT box{};
    GetWindowRect(edit, &box);
    // Square at first: as wide as the edit is high.
    ButtonWidth = box.bottom - box.top;
    ButtonWnd = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, ButtonWidth,
                                ButtonWidth, edit, nullptr, GetModuleHandleW(nullptr), nullptr);
    Layout();
}

void TEllipsisEdit::Layout()
{
    RECT client{}, box{};
    GetClientRect(Wnd, &client);
    GetWindowRect(Wnd, &box);
    int left = client.right - ButtonWidth;
    SetWindowPos(ButtonWnd, nullptr, left, 0, ButtonWidth, (box.bottom - box.top) - 3, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT text{0, 0, left, client.bottom + 1};
    SendMessageW(Wnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

void TEllipsisEdit::DrawButton(const DRAWITEMSTRUCT& item)
{
    bool pushed = (item.itemState & ODS_SELECTED) != 0;
    RECT r = item.rcItem;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    // The 10 x 10 glyph: three 2 x 2 dots at x 1, 4 and 7, y 4.
    int x = (r.right - r.left - 10) / 2 + (pushed ? 1 : 0);
    int y = (r.bottom - r.top - 10) / 2 + (pushed ? 1 : 0);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (int dot : {1, 4, 7}) {
        RECT d{x + dot, y + 4, x + dot + 2, y + 6};
        FillRect(item.hDC, &d, black);
    }
}

LRESULT TEllipsisEdit::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE: {
        LRESULT result = Default(msg, wParam, lParam);
        if (ButtonWnd) Layout();
        return result;
    }
    case WM_SETFONT: {
        // The edit resets its text area when its font changes.
        LRESULT result = Default(msg, wParam, lParam);
        if (ButtonWnd) Layout();
        return result;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem != ButtonWnd) break;
        DrawButton(*item);
        return TRUE;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == ButtonWnd && HIWORD(wParam) == BN_CLICKED) {
            SetFocus(Wnd);
            if (OnButtonClick) OnButtonClick();
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        // A multi-line edit would take Enter and Tab from the dialog.
        return Default(msg, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    }
    return Default(msg, wParam, lParam);
}
