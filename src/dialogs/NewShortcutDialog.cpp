#include "dialogs/NewShortcutDialog.h"

#include "core/fileops/ShortcutName.h"
#include "core/help/HelpContexts.h"
#include "fileops/Shortcuts.h"
#include "gui/MessageBox.h"
#include "gui/SystemLibrary.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"

#include <commdlg.h>

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool HasForbiddenCharacter(const std::wstring& name)
{
    return name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos;
}

}  // namespace

TNewShortcutDialog::TNewShortcutDialog(HWND owner, const std::wstring& folder)
    : TDialog(owner, IDD_NEWSHORTCUT, HelpContext::NewShortcutDialog), Folder(folder)
{
}

void TNewShortcutDialog::FormCreate() { SendMessageW(Item(IDC_LINKTARGET), EM_LIMITTEXT, MAX_PATH - 1, 0); }

void TNewShortcutDialog::UpdateControls() { EnableItem(IDOK, !ItemText(IDC_LINKTARGET).empty()); }

bool TNewShortcutDialog::OnCommand(int id, int code, HWND)
{
    if (id == IDC_LINKBROWSE && code == BN_CLICKED) {
        Browse();
        return true;
    }
    return false;
}

void TNewShortcutDialog::Browse()
{
    TSystemLibrary dialogs(L"COMDLG32.DLL");
    auto open = dialogs.Proc<BOOL(WINAPI*)(LPOPENFILENAMEW)>("GetOpenFileNameW");
    if (!open) return;
    wchar_t file[MAX_PATH] = {};
    std::wstring typed = ItemText(IDC_LINKTARGET);
    if (typed.size() < MAX_PATH) typed.copy(file, typed.size());
    OPENFILENAMEW info{};
    info.lStructSize = sizeof info;
    info.hwndOwner = Handle();
    info.lpstrFilter = L"すべてのファイル (*.*)\0*.*\0";
    info.lpstrFile = file;
    info.nMaxFile = MAX_PATH;
    info.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NODEREFERENCELINKS;
    if (open(&info)) SetItemText(IDC_LINKTARGET, file);
}

bool TNewShortcutDialog::ButtonOkClick()
{
    std::wstring target = ItemText(IDC_LINKTARGET);
    std::wstring name = ItemText(IDC_LINKNAME);
    if (target.empty() || !Exists(target)) {
        ShowMessageBox(Handle(), L"リンク先が見つかりません。", MB_OK | MB_ICONWARNING);
        return false;
    }
    if (HasForbiddenCharacter(name)) {
        ShowMessageBox(Handle(), L"名前に次の文字は使えません。\n\\ / : * ? \" < > |", MB_OK | MB_ICONWARNING);
        return false;
    }
    if (name.empty()) {
        Created = CreateShortcutIn(Folder, target);
    } else {
        std::wstring path = JoinPath(Folder, name + L".lnk");
        if (Exists(path)) {
            ShowMessageBox(Handle(), L"同じ名前のファイルが既にあります。", MB_OK | MB_ICONWARNING);
            return false;
        }
        if (WriteNewShortcut(path, target)) Created = path;
    }
    if (Created.empty()) {
        ShowMessageBox(Handle(), L"新規ショートカットを作成できません。", MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}
