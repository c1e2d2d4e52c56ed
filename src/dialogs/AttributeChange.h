#pragma once
// The attribute dialog's work: one value for every selected object, and
// with `subfolders` for everything below the selected folders.
#include <windows.h>

#include <string>
#include <vector>

// The four attributes the dialog shows.
constexpr DWORD kDialogAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The value replaces each object's whole attribute set (bits the dialog
// does not show are cleared as well). Below a selected folder, the contents
// of each subfolder are changed before the subfolder. Gives the number of objects that could not be changed.
size_t ChangeAttributes(const std::vector<std::wstring>& paths, DWORD value, bool subfolders);
