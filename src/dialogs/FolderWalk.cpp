#include "dialogs/FolderWalk.h"

#include "gui/Handles.h"
#include "shell/ShellHelpers.h"

namespace {

void FindCloseHandle(HANDLE find) { FindClose(find); }
using TFindHandle = TUniqueHandle<HANDLE, FindCloseHandle>;

}  // namespace

void WalkFolderContents(const std::wstring& folder,
                        const std::function<void(const std::wstring& path, DWORD attributes)>& visit)
{
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = JoinPath(folder, name);
        if (IsWalkableFolder(data.dwFileAttributes)) WalkFolderContents(path, visit);
        visit(path, data.dwFileAttributes);
    } while (FindNextFileW(find.Get(), &data));
}
