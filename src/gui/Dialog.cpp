#include "gui/Dialog.h"

#include "gui/ChildControl.h"
#include "gui/HelpTopic.h"
#include "gui/MessageBox.h"
#include "gui/Strings.h"

#include <algorithm>
#include <string>

TDialog::TDialog(HWND owner, int templateId, int helpContext)
    : Owner(owner), TemplateId(templateId), HelpContext(helpContext)
{
}

TDialog::~TDialog()
{
    if (Wnd) DestroyWindow(Wnd);
}

bool TDialog::Create()
{
    Ended = false;
    Result = IDCANCEL;
    Wnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TemplateId), Owner, StaticDialogProc,
                             reinterpret_cast<LPARAM>(this));
    if (!Wnd) return false;
    ShowWindow(Wnd, SW_SHOW);
    return true;
}

int TDialog::ShowModal()
{
    if (!Create()) return IDCANCEL;
    Modal = true;
    bool ownerWasEnabled = Owner && IsWindowEnabled(Owner);
    if (ownerWasEnabled) EnableWindow(Owner, FALSE);
    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (!Ended) {
        while (!Ended && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = int(msg.wParam);
                CloseWith(IDCANCEL);
                break;
            }
            if (!IsDialogMessageW(Wnd, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (Ended) break;
        UpdateControls();
        WaitMessage();
    }
    // The owner is enabled again before the dialog goes, so that it gets the
    // activation back.
    if (ownerWasEnabled) EnableWindow(Owner, TRUE);
    Modal = false;
    if (Wnd) DestroyWindow(Wnd);
    if (quit) PostQuitMessage(quitCode);
    return Result;
}

void TDialog::PressOk()
{
    if (ButtonOkClick()) CloseWith(IDOK);
}

void TDialog::PressCancel() { CloseWith(IDCANCEL); }

void TDialog::CloseWith(int result)
{
    if (Ended) return;
    Result = result;
    FormClose(result);
    Ended = true;
    if (!Modal && Wnd) DestroyWindow(Wnd);
}

void TDialog::CentreOnOwner()
{
    RECT area{}, box{};
    if (Owner && IsWindowVisible(Owner)) GetWindowRect(Owner, &area);
    else SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(Wnd, &box);
    int width = box.right - box.left, height = box.bottom - box.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep it on the owner's monitor.
    MONITORINFO monitor{sizeof monitor};
    if (GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max<int>(work.left, std::min<int>(x, work.right - width));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    }
    SetWindowPos(Wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialog::CentreOnScreen()
{
    MONITORINFO monitor{sizeof monitor};
    HMONITOR screen = MonitorFromWindow(Owner ? Owner : Wnd, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(screen, &monitor)) return;
    const RECT& work = monitor.rcWork;
    RECT box{};
    GetWindowRect(Wnd, &box);
    int width = box.right - box.left, height = box.bottom - box.top;
    int x = work.left + std::max(0, int(work.right - work.left - width) / 2);
    int y = work.top + std::max(0, int(work.bottom - work.top - height) / 2);
    SetWindowPos(Wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialog::SetClientSize(int width, int height)
{
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrW(Wnd, GWL_STYLE)), FALSE, DWORD(GetWindowLongPtrW(Wnd, GWL_EXSTYLE)));
    SetWindowPos(Wnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TDialog::ItemText(int id) const
{
    HWND item = Item(id);
    int length = GetWindowTextLengthW(item);
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(item, text.data(), length + 1)));
    return text;
}

void TDialog::SetItemText(int id, const std::wstring& text) { SetDlgItemTextW(Wnd, id, text.c_str()); }
std::string TDialog::ItemAnsiText(int id) const { return WideToAnsiDroppingUnmapped(ItemText(id)); }
void TDialog::SetItemAnsiText(int id, const std::string& text) { SetItemText(id, AnsiToWide(text)); }
bool TDialog::Checked(int id) const { return IsDlgButtonChecked(Wnd, id) == BST_CHECKED; }
void TDialog::SetChecked(int id, bool checked) { CheckDlgButton(Wnd, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void TDialog::EnableItem(int id, bool enabled)
{
    HWND item = Item(id);
    if (item && bool(IsWindowEnabled(item)) != enabled) EnableWindow(item, enabled);
}

INT_PTR TDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    INT_PTR handled = 0;
    switch (msg) {
    case WM_INITDIALOG:
        CentreOnOwner();
        FormCreate();
        UpdateControls();
        return TRUE;
    case WM_COMMAND: {
        LRESULT reflected = 0;
        if (TChildControl::ReflectToControl(msg, wParam, lParam, reflected)) return TRUE;
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (OnCommand(id, code, reinterpret_cast<HWND>(lParam))) return TRUE;
        if (code == BN_CLICKED || lParam == 0) {
            if (id == IDOK) PressOk();
            else if (id == IDCANCEL) PressCancel();
            else if (id == IDHELPBUTTON) ShowHelpTopic(Wnd, HelpContext);
            else return FALSE;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (TChildControl::ReflectToControl(msg, wParam, lParam, result) ||
            OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) {
            SetWindowLongPtrW(Wnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }
    case WM_HELP:
        ShowHelpTopic(Wnd, HelpContext);
        return TRUE;
    case WM_CLOSE:
        PressCancel();
        return TRUE;
    }
    if (OnMessage(msg, wParam, lParam, handled)) return handled;
    return FALSE;
}

INT_PTR CALLBACK TDialog::StaticDialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrW(wnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<TDialog*>(lParam);
        SetWindowLongPtrW(wnd, DWLP_USER, lParam);
        self->Wnd = wnd;
    }
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(wnd, DWLP_USER, 0);
        self->Wnd = nullptr;
        return FALSE;
    }
    // An exception must not unwind through the system's frames: a handler's
    // failure is shown as the command dispatcher shows it, and a dialog that
    // could not be set up closes.
    try {
        return self->DialogProc(msg, wParam, lParam);
    } catch (...) {
        ShowCurrentException(wnd);
        if (msg == WM_INITDIALOG) self->CloseWith(IDCANCEL);
        return msg == WM_INITDIALOG ? TRUE : FALSE;
    }
}
