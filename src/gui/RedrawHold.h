#pragma once
// Holding a control's repainting while many changes are made, so that they
// show as one repaint at the end: for a scope, or between nested Begin and
// End calls of a control's own BeginUpdate and EndUpdate.
#include <windows.h>

class TRedrawHold {
public:
    explicit TRedrawHold(HWND control) : Control(control)
    {
        if (Control) SendMessageW(Control, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawHold()
    {
        if (!Control) return;
        SendMessageW(Control, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Control, nullptr, TRUE);
    }
    TRedrawHold(const TRedrawHold&) = delete;
    TRedrawHold& operator=(const TRedrawHold&) = delete;

private:
    HWND Control;
};

class TRedrawNesting {
public:
    void Begin(HWND control)
    {
        if (Depth++ == 0 && control) SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    }
    // The outermost End repaints; an End without a Begin does nothing.
    void End(HWND control)
    {
        if (Depth == 0 || --Depth > 0 || !control) return;
        SendMessageW(control, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control, nullptr, TRUE);
    }
    bool Holding() const { return Depth > 0; }

private:
    int Depth = 0;
};
