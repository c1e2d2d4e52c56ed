#include "gui/ChildControl.h"

#include <commctrl.h>

namespace {
const wchar_t* const kControlProp = L"Quirevue.Control";
constexpr UINT_PTR kSubclassId = 0x5156;  // "QV"
}  // namespace

TChildControl::~TChildControl() { Detach(); }

void TChildControl::Attach(HWND control)
{
    Detach();
    Wnd = control;
    if (!Wnd) return;
    SetPropW(Wnd, kControlProp, this);
    SetWindowSubclass(Wnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    Attached();
}

void TChildControl::Detach()
{
    if (!Wnd) return;
    RemoveWindowSubclass(Wnd, SubclassProc, kSubclassId);
    RemovePropW(Wnd, kControlProp);
    Wnd = nullptr;
}

TChildControl* TChildControl::FromHandle(HWND control)
{
    return control ? static_cast<TChildControl*>(GetPropW(control, kControlProp)) : nullptr;
}

bool TChildControl::Reflect(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool TChildControl::ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND from = nullptr;
    if (msg == WM_NOTIFY) from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    else if (msg == WM_COMMAND) from = reinterpret_cast<HWND>(lParam);
    TChildControl* control = FromHandle(from);
    return control && control->Reflect(msg, wParam, lParam, result);
}

LRESULT TChildControl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }

LRESULT TChildControl::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(Wnd, msg, wParam, lParam);
}

LRESULT CALLBACK TChildControl::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data)
{
    auto* self = reinterpret_cast<TChildControl*>(data);
    if (msg == WM_NCDESTROY) {
        LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
        self->Detach();
        return result;
    }
    return self->WindowProc(msg, wParam, lParam);
}
