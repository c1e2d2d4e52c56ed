#pragma once
// The name of a new shortcut file, as the platform's explorer names it:
// "<name> - ショートカット.lnk", then " (2)", " (3)", ... before the extension
// while the name is taken.
#include <functional>
#include <string>
#include <string_view>

// What a shortcut to `targetPath` is called before the suffix: the last
// component of the path ("report.txt", "Pictures"), or the drive letter for
// a drive's root ("C"). Trailing separators are ignored.
std::wstring ShortcutBaseName(std::wstring_view targetPath);

// The first free file name for a shortcut called `baseName`; `taken` tells
// whether a file name is in use. Empty when every number up to 9999 is.
std::wstring FreeShortcutFileName(const std::wstring& baseName, const std::function<bool(const std::wstring&)>& taken);
