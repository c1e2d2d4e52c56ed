#pragma once
// What a typed address may be before anything hands it to the shell: a
// full Windows path of a folder, with a drive letter ("C:\...") or a UNC
// share ("\\server\share..."). Relative forms and anything else are not.
#include <string>

bool IsFullWindowsPath(const std::wstring& text);
