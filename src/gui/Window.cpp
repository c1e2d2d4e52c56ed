#include "gui/Window.h"

static const wchar_t* const kObjectProp = L"Quirevue.Object";

TWindow::~TWindow()
{
    if (Wnd) {
        HWND wnd = Wnd;
        RemovePropW(wnd, kObjectProp);
        Wnd = nullptr;
        DestroyWindow(wnd);
    }
}

TWindow* TWindow::FromHandle(HWND wnd)
{
    return wnd ? static_cast<TWindow*>(GetPropW(wnd, kObjectProp)) : nullptr;
}

void TWindow::RegisterWindowClass(const wchar_t* className, UINT style, HBRUSH background, HICON icon)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

HWND TWindow::CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                           int x, int y, int width, int height, HWND parent, HMENU menuOrId)
{
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                           GetModuleHandleW(nullptr), this);
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefaultProc(msg, wParam, lParam);
}

LRESULT TWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(Wnd, msg, wParam, lParam);
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindow* self = FromHandle(wnd);
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        void* param = cs->lpCreateParams;
        if (cs->dwExStyle & WS_EX_MDICHILD)
            param = reinterpret_cast<void*>(static_cast<MDICREATESTRUCTW*>(param)->lParam);
        self = static_cast<TWindow*>(param);
        if (self) {
            self->Wnd = wnd;
            SetPropW(wnd, kObjectProp, self);
        }
    }
    if (!self) return DefWindowProcW(wnd, msg, wParam, lParam);

    if (msg == WM_NCDESTROY) {
        LRESULT result = self->DefaultProc(msg, wParam, lParam);
        RemovePropW(wnd, kObjectProp);
        self->Wnd = nullptr;
        self->HandleDestroyed();
        return result;
    }
    return self->HandleMessage(msg, wParam, lParam);
}
