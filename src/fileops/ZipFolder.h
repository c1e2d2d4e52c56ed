#pragma once
// A new, empty zip archive in a folder.
#include <string>

// Makes the archive under the first free name and returns that name. An
// existing file is never opened: the name is claimed with CREATE_NEW, and a
// name taken meanwhile makes it try the next. Throws std::system_error when
// the file cannot be made or written (nothing is left behind then).
std::wstring CreateEmptyZipIn(const std::wstring& folder);
