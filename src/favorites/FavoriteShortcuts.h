#pragma once
// The shortcut files of the favorites folder: writing one to a folder, and
// finding where one leads. The calling thread has COM initialised.
#include "shell/IDList.h"

#include <string>

enum class TShortcutResult { Written, Exists, Failed };

// Writes a shortcut to `target` (a file-system path) as `linkPath`, whole or
// not at all. An existing file is replaced only with `replace`; otherwise
// the result is Exists and nothing is written. `error` receives the
// system's reason of a failure (0 when it gave none).
TShortcutResult CreateShortcut(const std::wstring& linkPath, const std::wstring& target, bool replace,
                               DWORD* error = nullptr);

// The folder a shortcut leads to, resolved with `owner` for any question
// the shell asks about a moved target. Null when the file is no shortcut,
// or its target is gone; for a shortcut to a file, its folder.
TIDListPtr ShortcutTargetFolder(HWND owner, const std::wstring& linkPath);
