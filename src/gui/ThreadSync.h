#pragma once
// Hands work from a worker thread to the GUI thread and waits until it ran.
// The worker never blocks the GUI: its wait also ends when its own stop
// event is signalled, and a call handed over by then still runs later on
// the GUI thread, where it must check itself whether it is still wanted.
#include <windows.h>

#include <functional>

// Called on the GUI thread before any worker hands work over: the calls run
// on the thread that called this first.
void PrepareGuiSync();

// From a worker: runs `call` on the GUI thread. True when it ran; false
// when `stop` was signalled first (the call may still run later) or when
// there is no GUI thread to run it.
bool RunOnGuiThread(HANDLE stop, std::function<void()> call);
