#pragma once
// The walk below a folder (see TreeWalk.h) over the file system.
#include "core/dialogs/TreeWalk.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The entries of one folder ("." and ".." left out), in one pass.
std::vector<TWalkEntry> ListFolderEntries(const std::wstring& folder);

// Calls `visit` for every object below `folder`, the contents of each
// subfolder before the subfolder, never entering a reparse point.
void WalkFolderContents(const std::wstring& folder,
                        const std::function<void(const std::wstring& path, DWORD attributes)>& visit);

// Whether a selected object is a folder the walk may enter.
inline bool IsWalkableFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
