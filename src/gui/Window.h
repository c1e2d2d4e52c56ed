#pragma once
// Base of the program's own windows: the object owns its HWND, messages are
// dispatched to a virtual handler, and the object forgets the handle when the
// window is destroyed (WM_NCDESTROY).
#include <windows.h>

class TWindow {
public:
    TWindow() = default;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    HWND Handle() const { return Wnd; }
    static TWindow* FromHandle(HWND wnd);

    // Registers a window class whose procedure dispatches to TWindow objects.
    static void RegisterWindowClass(const wchar_t* className, UINT style = CS_HREDRAW | CS_VREDRAW,
                                    HBRUSH background = nullptr, HICON icon = nullptr);

protected:
    // lpParam of CreateWindowEx must be `this` (or, for MDI children, the
    // MDICREATESTRUCT's lParam).
    HWND CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menuOrId);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void HandleDestroyed() {}

    HWND Wnd = nullptr;

private:
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
