#pragma once
// Windows path texts taken apart without asking the file system.
#include <string>

// The folder that holds `path`: "C:\a\b" -> "C:\a", "C:\a" -> "C:\";
// empty for a drive's root and for a bare name.
std::wstring ParentFolderPath(const std::wstring& path);
