#include "dialogs/BatchObjects.h"

#include "gui/MessageBox.h"
#include "res/DialogIds.h"
#include "shell/ShellHelpers.h"

TBatchObjectsDialog::TBatchObjectsDialog(HWND owner, int templateId, int helpContext, const std::wstring& folder,
                                         const std::vector<std::wstring>& names)
    : TDialog(owner, templateId, helpContext)
{
    Paths.reserve(names.size());
    for (const std::wstring& name : names) Paths.push_back(JoinPath(folder, name));
}

void TBatchObjectsDialog::EnableSubfolders()
{
    bool anyFolder = false;
    for (const std::wstring& path : Paths) anyFolder = anyFolder || DirectoryExists(path);
    EnableItem(IDC_SUBFOLDERS, anyFolder);
}

bool TBatchObjectsDialog::Subfolders() const { return IsWindowEnabled(Item(IDC_SUBFOLDERS)) && Checked(IDC_SUBFOLDERS); }

void TBatchObjectsDialog::ReportFailed(const std::wstring& what)
{
    if (Failed == 0) return;
    ShowMessageBox(Handle(), std::to_wstring(Failed) + L" 個のオブジェクトの" + what + L"を変更できませんでした。",
                   MB_OK | MB_ICONWARNING);
}
