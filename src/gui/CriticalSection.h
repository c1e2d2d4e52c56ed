#pragma once
// A critical section and a scope that holds it.
#include <windows.h>

class TCriticalSection {
public:
    TCriticalSection() { InitializeCriticalSection(&Section); }
    ~TCriticalSection() { DeleteCriticalSection(&Section); }
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&Section); }
    void Leave() { LeaveCriticalSection(&Section); }

private:
    CRITICAL_SECTION Section;
};

class TLockScope {
public:
    explicit TLockScope(TCriticalSection& section) : Section(section) { Section.Enter(); }
    ~TLockScope() { Section.Leave(); }
    TLockScope(const TLockScope&) = delete;
    TLockScope& operator=(const TLockScope&) = delete;

private:
    TCriticalSection& Section;
};
