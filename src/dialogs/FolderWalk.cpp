#include "dialogs/FolderWalk.h"

#include "gui/Handles.h"
#include "shell/ShellHelpers.h"

std::vector<TWalkEntry> ListFolderEntries(const std::wstring& folder)
{
    std::vector<TWalkEntry> entries;
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        DWORD attributes = data.dwFileAttributes;
        entries.push_back({std::move(name), attributes, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(find.Get(), &data));
    return entries;
}

void WalkFolderContents(const std::wstring& folder,
                        const std::function<void(const std::wstring& path, DWORD attributes)>& visit)
{
    WalkTree(folder, ListFolderEntries, [&visit](const std::wstring& path, const TWalkEntry& entry) {
        visit(path, entry.Attributes);
    });
}
