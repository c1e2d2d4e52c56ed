#include "gui/MessageLoop.h"

int RunMessageLoop(const TMessageLoopHooks& hooks)
{
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return int(msg.wParam);
            if (!(hooks.PreTranslate && hooks.PreTranslate(msg))) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (hooks.OnIdle) hooks.OnIdle();
        WaitMessage();
    }
}

void ProcessPendingMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
