#pragma once
// Shows the hourglass for the life of the object.
#include <windows.h>

class TWaitCursor {
public:
    TWaitCursor() : Previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(Previous); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR Previous;
};
