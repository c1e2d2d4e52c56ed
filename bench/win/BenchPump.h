#pragma once
// Timing and message pumping shared by the Windows benchmarks.
#include "gui/MessageLoop.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

using TClock = std::chrono::steady_clock;

inline double Seconds(TClock::time_point start)
{
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// Pumps until done or the time is up, sleeping whenever the queue is empty.
template <class F>
bool PumpUntil(F&& done, double limitSeconds)
{
    auto start = TClock::now();
    for (;;) {
        ProcessPendingMessages();
        if (done()) return true;
        double left = limitSeconds - Seconds(start);
        if (left <= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(std::min(left, 0.05) * 1000) + 1, QS_ALLINPUT);
    }
}
