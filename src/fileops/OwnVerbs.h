#pragma once
// The program's own code for the shell menu entries that not every shell
// runs well: cut, copy, paste and making shortcuts. Taken by verb, so that
// the entries behave the same whatever the shell's numbering.
#include "shell/ShIDList.h"

#include <string>

// Runs `verb` (lower case) on the items when it is one of ours: answers
// whether it was, and sets `ran` to whether it succeeded. Shortcuts go
// beside their targets; pasting goes into the one folder item.
bool RunOwnVerb(HWND owner, const TSHIDList& items, const std::wstring& verb, bool& ran);

// Makes a shortcut to each item (that has a file-system path) beside it.
// False when an item has no path or a shortcut could not be made.
bool CreateShortcutsBeside(const TSHIDList& items);
