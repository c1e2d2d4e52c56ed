#include "controls/NoWheelComboBox.h"

#include <commctrl.h>

static LRESULT CALLBACK NoWheelProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (msg == WM_MOUSEWHEEL) return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, NoWheelProc, id);
    return DefSubclassProc(wnd, msg, wParam, lParam);
}

HWND CreateNoWheelComboBox(HWND parent, int id, int width, HFONT font)
{
    HWND combo = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                                 0, 0, width, 300, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(combo, WM_SETFONT, WPARAM(font), FALSE);
    IgnoreMouseWheel(combo);
    return combo;
}

void IgnoreMouseWheel(HWND combo) { SetWindowSubclass(combo, NoWheelProc, 1, 0); }
