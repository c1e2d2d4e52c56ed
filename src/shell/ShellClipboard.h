#pragma once
// Cut, copy and paste of files through the clipboard, done by the program
// itself rather than through the shell's context menu, so that it behaves the
// same on every shell: some shells neither mark a cut nor paste. The formats
// are the shell's own ("Shell IDList Array", CF_HDROP, "Preferred
// DropEffect"), so other programs exchange files with us as usual.
#include "shell/ShIDList.h"

#include <string>
#include <vector>

// Replaces the clipboard's contents with the items: CF_HDROP with the paths
// of the items that have one, "Shell IDList Array" with all of them, and
// "Preferred DropEffect" (move for a cut, copy or link for a copy). The data
// stays on the clipboard after the program ends. False, with the clipboard
// untouched, when the set is empty or no item has a file-system path.
bool CopyToClipboard(const TSHIDList& items, bool cut);

// Whether the clipboard offers a shell item list or a file drop list.
bool ClipboardHasFiles();

// The file names of a data object's CF_HDROP (empty when it has none).
std::vector<std::wstring> DataObjectFiles(IDataObject* data);

// The file names of the clipboard's CF_HDROP (empty when it has none), and
// whether its source asked for a move.
std::vector<std::wstring> ClipboardFiles(bool* move = nullptr);

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
