#include "dialogs/DateStamp.h"

#include "dialogs/FolderWalk.h"
#include "gui/Handles.h"

static bool StampOne(const std::wstring& path, DWORD attributes, const TFileStamps& stamps)
{
    DWORD flags = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? FILE_FLAG_OPEN_REPARSE_POINT : 0;
    TFileHandle file;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        file.Reset(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
    } else {
        // Opened for writing without sharing: a read-only file, or one that
        // another program has open, keeps its times.
        file.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, flags, nullptr));
    }
    return file && SetFileTime(file.Get(), &stamps.Creation, &stamps.LastAccess, &stamps.LastWrite);
}

size_t StampObjects(const std::vector<std::wstring>& paths, const TFileStamps& stamps, bool subfolders)
{
    size_t failed = 0;
    auto stamp = [&failed, &stamps](const std::wstring& path, DWORD attributes) {
        if (attributes == INVALID_FILE_ATTRIBUTES || !StampOne(path, attributes, stamps)) ++failed;
    };
    for (const std::wstring& path : paths) {
        DWORD attributes = GetFileAttributesW(path.c_str());
        // Reading a folder can change its access time: its contents go first.
        if (subfolders && IsWalkableFolder(attributes)) WalkFolderContents(path, stamp);
        stamp(path, attributes);
    }
    return failed;
}
