#pragma once
// Base of the program's dialogs: built from a DIALOGEX template of the
// program's resources, owned by the given window and centred on it.
// ShowModal runs its own loop, so that the dialog gets an idle pass (its
// enabling rules) whenever its queue runs dry, as the main window does.
// Create shows the same dialog without a loop of its own, for callers (and
// tests) that drive it themselves.
#include <windows.h>

#include <string>

class TDialog {
public:
    TDialog(HWND owner, int templateId, int helpContext);
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;
    virtual ~TDialog();

    // IDOK or IDCANCEL. The owner is disabled while the dialog is shown.
    int ShowModal();
    // Creates and shows the dialog without waiting; false on failure.
    bool Create();
    // What ShowModal does when the OK or Cancel button is pressed: OK runs
    // ButtonOkClick first, which may keep the dialog open.
    void PressOk();
    void PressCancel();

    HWND Handle() const { return Wnd; }
    HWND Item(int id) const { return GetDlgItem(Wnd, id); }
    int ModalResult() const { return Result; }
    bool Closed() const { return Ended; }

    // The enabling pass; runs when the queue goes idle.
    virtual void UpdateControls() {}

protected:
    // WM_INITDIALOG: the controls exist.
    virtual void FormCreate() {}
    // The OK button; return false to keep the dialog open.
    virtual bool ButtonOkClick() { return true; }
    // Before the dialog closes with `result`, whatever it is.
    virtual void FormClose(int result) {}
    virtual bool OnCommand(int id, int code, HWND control) { return false; }
    virtual bool OnNotify(NMHDR& header, LRESULT& result) { return false; }
    // Other messages; return true when handled (the result through `result`).
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) { return false; }

    // Moves the dialog to the middle of the screen its owner is on (where
    // a dialog about the program, not about the owner's content, goes).
    void CentreOnScreen();
    // Sizes the dialog so that its client area is `width` x `height` pixels.
    void SetClientSize(int width, int height);

    // Text helpers over the dialog's controls.
    std::wstring ItemText(int id) const;
    void SetItemText(int id, const std::wstring& text);
    // A settings text (ANSI) in a control and back; see
    // WideToAnsiDroppingUnmapped for what the settings cannot hold.
    std::string ItemAnsiText(int id) const;
    void SetItemAnsiText(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    void EnableItem(int id, bool enabled);

    HWND Owner;

private:
    void CloseWith(int result);
    void CentreOnOwner();
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK StaticDialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    int TemplateId;
    int HelpContext;
    HWND Wnd = nullptr;
    int Result = IDCANCEL;
    bool Ended = false;
    bool Modal = false;
};

// The id of the help buttons of every dialog template.
constexpr int IDHELPBUTTON = 9;
