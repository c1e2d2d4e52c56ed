#include "dialogs/BatchObjects.h"

#include "gui/MessageBox.h"
#include "shell/ShellHelpers.h"

std::vector<std::wstring> SelectedPaths(const std::wstring& folder, const std::vector<std::wstring>& names)
{
    std::vector<std::wstring> paths;
    paths.reserve(names.size());
    for (const std::wstring& name : names) paths.push_back(JoinPath(folder, name));
    return paths;
}

bool AnyFolder(const std::vector<std::wstring>& paths)
{
    for (const std::wstring& path : paths)
        if (DirectoryExists(path)) return true;
    return false;
}

void ReportUnchangedObjects(HWND owner, size_t count, const std::wstring& what)
{
    if (count == 0) return;
    ShowMessageBox(owner, std::to_wstring(count) + L" 個のオブジェクトの" + what + L"を変更できませんでした。",
                   MB_OK | MB_ICONWARNING);
}
