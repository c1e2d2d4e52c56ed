#pragma once
// The program's own code for the shell menu entries that not every shell
// runs well: cut, copy, paste and making shortcuts. Taken by verb, so that
// the entries behave the same whatever the shell's numbering.
#include "shell/ShIDList.h"

#include <string>

// Runs a shell command on the items: the program's own code for cut, copy,
// paste (into the one folder item) and shortcuts, the shell's menu for the
// rest (TSHIDList::ExecuteCommand).
bool RunShellCommand(HWND owner, const TSHIDList& items, TShellCommand command);

// Copies (or, after a cut, moves) the clipboard's files into the folder with
// SHFileOperation, owned by the window; undo is allowed. A copy pasted into
// the folder it came from gets new names instead of replacing itself; a move
// leaves out files already in the folder. After a move the clipboard is
// emptied, as long as nothing else was put on it meanwhile, so that a second
// paste does not try to move the same files again. False when the clipboard
// holds no files, the folder does not exist, nothing was left to do, or the
// operation failed or was cancelled; a failure, a cancel or a folder pasted
// into itself is told in a message box owned by the window.
bool PasteFromClipboard(HWND window, const std::wstring& targetFolder);

// Runs `verb` (lower case) on the items when it is one of ours: answers
// whether it was, and sets `ran` to whether it succeeded. Shortcuts go
// beside their targets; pasting goes into the one folder item.
bool RunOwnVerb(HWND owner, const TSHIDList& items, const std::wstring& verb, bool& ran);

// Makes a shortcut to each item (that has a file-system path) beside it.
// False when an item has no path or a shortcut could not be made.
bool CreateShortcutsBeside(const TSHIDList& items);
