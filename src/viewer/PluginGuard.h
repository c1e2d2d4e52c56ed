#pragma once
// Calls into a plug-in so that a fault inside it (an access violation, a
// stack overflow, any exception the plug-in leaves unhandled) returns here
// instead of ending the program.
//
// mingw's g++ has no __try/__except, so the guard is a small assembly frame
// of our own around the call: on i686 a registration record pushed on the
// thread's exception chain (fs:0), on x86_64 a function whose unwind data
// names our handler (table-based dispatch). The plug-in's own handlers see
// the exception first; ours is the last before the program's code. It
// resumes in the guard frame with the callee-saved registers, the FPU
// control word and MXCSR restored, and returns "faulted". A faulted plug-in
// is never called again and never unloaded: its state is unknown, and
// DllMain running on that state could fault where nothing guards it.
#include <windows.h>

struct TPluginFault {
    DWORD Code = 0;
    void* Address = nullptr;
};

// Runs body(context). True when it returned normally; false when it
// faulted, with the exception's code and address in `fault`.
bool CallGuarded(void (*body)(void*), void* context, TPluginFault& fault);

// After a stack overflow the thread's guard page is used up; this makes the
// lowest committed page of the stack a guard page again, so the next
// overflow is caught as well (what _resetstkoflw does).
bool RearmStackGuard();
