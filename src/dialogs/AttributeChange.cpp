#include "dialogs/AttributeChange.h"

#include "dialogs/FolderWalk.h"

size_t ChangeAttributes(const std::vector<std::wstring>& paths, DWORD value, bool subfolders)
{
    size_t failed = 0;
    auto set = [&failed, value](const std::wstring& path, DWORD) {
        // 0 would be refused; it means a plain object.
        if (!SetFileAttributesW(path.c_str(), value ? value : FILE_ATTRIBUTE_NORMAL)) ++failed;
    };
    for (const std::wstring& path : paths) {
        set(path, 0);
        if (subfolders && IsWalkableFolder(GetFileAttributesW(path.c_str()))) WalkFolderContents(path, set);
    }
    return failed;
}
