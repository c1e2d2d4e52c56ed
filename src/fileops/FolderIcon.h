#pragma once
// A folder's own icon: the shell's icon picker where it works, the entries
// of the folder's "desktop.ini", and the shell made to load its icons again.
#include <windows.h>

#include <string>

enum class TIconPick { Chosen, Cancelled, NoPicker };

// The shell's icon picker (shell32, ordinal 62) on `file` and `index`. Only
// a positive answer is a choice and 0 is a cancel; a missing picker, or any
// other answer (some shells give -1 without showing anything), is NoPicker,
// and `file` and `index` are left as they were.
TIconPick PickIconWithShell(HWND owner, std::wstring& file, int& index);

// Records the icon in `folder`'s "desktop.ini": IconFile and IconIndex of
// ".ShellClassInfo", everything else in the file kept, written whole as
// UTF-16 with a byte-order mark. The file is made hidden and system, and the
// folder a system folder (the shell reads "desktop.ini" only then); the
// shell is told that the folder changed. 0, or the system's reason of a
// failure (nothing is changed then).
DWORD WriteFolderIcon(const std::wstring& folder, const std::wstring& iconFile, int index);
std::wstring DesktopIniPath(const std::wstring& folder);

// Makes the shell load its icons again: the current user's "Shell Icon
// Size" (32 when missing or not a number) is written one less and then back,
// each time with the icon metrics written back unchanged, which tells every
// window.
void RefreshShellIcons();

// Where the program's own picker starts: the system's shell library.
std::wstring DefaultIconLibrary();
