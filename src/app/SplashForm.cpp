#include "app/SplashForm.h"

#include "dialogs/InfoPanel.h"
#include "gui/MessageBox.h"

namespace {

const int kClientWidth = 350, kClientHeight = 212;
const UINT_PTR kReleaseTimer = 1;

}  // namespace

TSubForm00000::TSubForm00000(HWND owner)
{
    RegisterWindowClass(ClassName(), 0);
    MONITORINFO monitor{sizeof monitor};
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor)) screen = monitor.rcMonitor;
    int x = screen.left + (screen.right - screen.left - kClientWidth) / 2;
    int y = screen.top + (screen.bottom - screen.top - kClientHeight) / 2;
    // A tool window: no button of its own on the task bar.
    if (!CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName(), ApplicationTitle().c_str(), WS_POPUP, x, y,
                      kClientWidth, kClientHeight, owner, nullptr))
        return;
    InfoPanel = std::make_unique<TInfoPanel>(Wnd, RECT{0, 0, kClientWidth, kClientHeight}, TInfoBevel::Raised);
    // Shown without taking the activation from the main window, and painted
    // now: the restore keeps the message loop busy.
    ShowWindow(Wnd, SW_SHOWNA);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Some platforms put what was painted on the screen only when the
    // thread next looks at its queue.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

TSubForm00000::~TSubForm00000() = default;

void TSubForm00000::ReleaseAfter(UINT milliseconds)
{
    if (Wnd) SetTimer(Wnd, kReleaseTimer, milliseconds, nullptr);
}

void TSubForm00000::Release()
{
    if (Wnd) DestroyWindow(Wnd);
}

LRESULT TSubForm00000::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        if (wParam == kReleaseTimer) {
            KillTimer(Wnd, kReleaseTimer);
            Release();
            return 0;
        }
        break;
    case WM_NCHITTEST:
        // Clicks go through to the window beneath: the main window is ready
        // while the splash still shows.
        return HTTRANSPARENT;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
