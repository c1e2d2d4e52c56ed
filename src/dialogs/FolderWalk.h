#pragma once
// The walk of the date and attribute dialogs through everything below a
// folder. It never enters a reparse point (a junction or a symbolic link):
// what lies behind one is outside the selection, and may lead back into it.
#include <windows.h>

#include <functional>
#include <string>

// Calls `visit` for every object below `folder`, depth first: the contents
// of a subfolder before the subfolder itself. A reparse point is visited as
// an object of its own, but its contents are not.
void WalkFolderContents(const std::wstring& folder,
                        const std::function<void(const std::wstring& path, DWORD attributes)>& visit);

// Whether a folder is one the walk enters.
inline bool IsWalkableFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
