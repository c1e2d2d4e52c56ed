#pragma once
// The program's message loop: keyboard shortcuts are offered to a filter
// before dispatch, and an idle handler runs whenever the queue runs dry.
#include <windows.h>

#include <functional>

struct TMessageLoopHooks {
    // Returns true when the message was consumed (a shortcut ran).
    std::function<bool(MSG&)> PreTranslate;
    std::function<void()> OnIdle;
};

int RunMessageLoop(const TMessageLoopHooks& hooks);
// Dispatches what is waiting in the queue, then returns (no idle pass).
void ProcessPendingMessages();
