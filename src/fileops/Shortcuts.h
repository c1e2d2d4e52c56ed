#pragma once
// Shortcut files made by the program itself with the shell link object, so
// that making a shortcut behaves the same on every shell (some shells' own
// "link" command fails). The calling thread has COM initialised.
#include <string>

// Makes a shortcut to `target` (a file-system path) in `folder`, named as
// the platform names new shortcuts ("<name> - ショートカット.lnk", numbered
// when taken). The new file's path, or empty on failure; an existing file
// is never replaced.
std::wstring CreateShortcutIn(const std::wstring& folder, const std::wstring& target);

// Writes a shortcut to `target` as the new file `linkPath`. False, with
// nothing left behind, when the file exists or cannot be written.
bool WriteNewShortcut(const std::wstring& linkPath, const std::wstring& target);
