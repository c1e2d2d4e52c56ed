#pragma once
// What the in-process GUI tests of the shell controls share beside
// ShellTestHelpers: pumping for a while, OLE and the common controls, and a
// plain top-level window to host the controls.
#include "ShellTestHelpers.h"
#include "gui/MessageLoop.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

// Dispatches messages for that long.
inline void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

// OLE and the common controls the tests use, once per process.
inline void PrepareControls(DWORD classes)
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    InitCommonControlsEx(&icc);
}

// A visible top-level window with the dialog colour, for the controls
// under test; the caller destroys it.
inline HWND MakeTestHost(const wchar_t* title, int width, int height)
{
    static const wchar_t kClass[] = L"QuirevueTestHost";
    WNDCLASSW wc{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), kClass, &wc)) {
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassW(&wc);
    }
    HWND host = CreateWindowExW(0, kClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, width, height,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (host) ShowWindow(host, SW_SHOWNORMAL);
    return host;
}

// Moves the real pointer to a screen point through the input queue, with
// the button flags given (MOUSEEVENTF_LEFTDOWN and the like).
inline void MouseTo(POINT screen, DWORD flags = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG(screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = LONG(screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

// A real drag with the left button from one screen point to another, in
// steps. Runs on a thread of its own while the windows' thread pumps.
inline void MouseDrag(POINT from, POINT to)
{
    MouseTo(from);
    MouseTo(from, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 20; ++step)
        MouseTo(POINT{from.x + (to.x - from.x) * step / 20, from.y + (to.y - from.y) * step / 20});
    MouseTo(to);
    MouseTo(to, MOUSEEVENTF_LEFTUP);
}
