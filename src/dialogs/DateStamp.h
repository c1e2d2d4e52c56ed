#pragma once
// The date dialog's work: three time stamps for every selected object, and
// with `subfolders` for everything below the selected folders.
#include <windows.h>

#include <string>
#include <vector>

struct TFileStamps {
    FILETIME Creation{}, LastAccess{}, LastWrite{};
};

// Files and folders alike get all three stamps; a reparse point is stamped
// itself, not what it points to. The contents of a folder are stamped before
// the folder, since reading them can change its access time. Gives the number of
// objects that could not be changed (a file that is read-only or open
// elsewhere, an object without rights).
size_t StampObjects(const std::vector<std::wstring>& paths, const TFileStamps& stamps, bool subfolders);
