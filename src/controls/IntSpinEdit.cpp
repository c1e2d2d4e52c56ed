#include "controls/IntSpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

void TIntSpinEdit::AttachEdit(HWND edit)
{
    // Right alignment is part of the control; a template that forgot it
    // gets it here (edits take ES_RIGHT after creation).
    SetWindowLongPtrW(edit, GWL_STYLE, GetWindowLongPtrW(edit, GWL_STYLE) | ES_RIGHT | ES_NUMBER);
    Attach(edit);
    Buttons = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                              WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                              0, 0, 0, 0, GetParent(edit), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(Buttons, UDM_SETBUDDY, WPARAM(edit), 0);
    // Next to its edit in the tab and paint order.
    SetWindowPos(Buttons, edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetRange(Min, Max);
}

void TIntSpinEdit::AttachEdit(HWND edit, int minValue, int maxValue, int maxLength)
{
    AttachEdit(edit);
    SetRange(minValue, maxValue);
    SetMaxLength(maxLength);
}

HWND TIntSpinEdit::Create(HWND parent, int id, int x, int y, int width, int height)
{
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_RIGHT | ES_NUMBER | ES_AUTOHSCROLL, x, y,
                                width, height, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    AttachEdit(edit);
    return edit;
}

int TIntSpinEdit::ReadText(bool& valid) const
{
    wchar_t text[32] = {};
    GetWindowTextW(Wnd, text, 32);
    wchar_t* end = nullptr;
    long long number = wcstoll(text, &end, 10);
    valid = end != text && *end == 0 && number >= Min && number <= Max;
    if (end == text) return Min;
    return int(std::clamp<long long>(number, Min, Max));
}

int TIntSpinEdit::Value() const
{
    bool valid = false;
    return ReadText(valid);
}

void TIntSpinEdit::SetValue(int value)
{
    value = std::clamp(value, Min, Max);
    SetWindowTextW(Wnd, std::to_wstring(value).c_str());
}

void TIntSpinEdit::SetRange(int minValue, int maxValue)
{
    Min = minValue;
    Max = std::max(minValue, maxValue);
    if (Buttons) SendMessageW(Buttons, UDM_SETRANGE32, WPARAM(Min), LPARAM(Max));
}

void TIntSpinEdit::SetEnabled(bool enabled)
{
    if (bool(IsWindowEnabled(Wnd)) != enabled) EnableWindow(Wnd, enabled);
    if (Buttons && bool(IsWindowEnabled(Buttons)) != enabled) EnableWindow(Buttons, enabled);
}

void TIntSpinEdit::SetMaxLength(int characters) { SendMessageW(Wnd, EM_SETLIMITTEXT, WPARAM(characters), 0); }

bool TIntSpinEdit::Reflect(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        if (OnChange) OnChange();
        result = 0;
        return true;
    }
    return false;
}

LRESULT TIntSpinEdit::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Leaving the box shows the number it stands for.
    if (msg == WM_KILLFOCUS) {
        bool valid = false;
        int value = ReadText(valid);
        if (!valid) SetValue(value);
    }
    return Default(msg, wParam, lParam);
}
