#pragma once
// A control of a window or dialog, given behaviour of the program's own by
// subclassing. The parent hands the control's notifications and commands
// back to it (Reflect) before handling them itself.
#include <windows.h>

class TChildControl {
public:
    TChildControl() = default;
    TChildControl(const TChildControl&) = delete;
    TChildControl& operator=(const TChildControl&) = delete;
    virtual ~TChildControl();

    // Takes over a control made by a dialog template or by code.
    void Attach(HWND control);
    HWND Handle() const { return Wnd; }
    int Id() const { return GetDlgCtrlID(Wnd); }
    static TChildControl* FromHandle(HWND control);

    // WM_COMMAND and WM_NOTIFY that the parent received from this control.
    // Returns true when handled; `result` is then the message's result.
    virtual bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Offers a parent's WM_COMMAND or WM_NOTIFY to the control it came from.
    static bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Messages of the control itself; call Default for what is not handled.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void Attached() {}

    HWND Wnd = nullptr;

private:
    void Detach();
    static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
};
