#pragma once
// The clipboard formats of cut and copy, written and read by the program
// itself rather than through the shell's context menu, so that it behaves the
// same on every shell: some shells neither mark a cut nor paste (the paste
// itself is in fileops/OwnVerbs). The formats are the shell's own ("Shell
// IDList Array", CF_HDROP, "Preferred DropEffect"), so other programs
// exchange files with us as usual.
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

// Whether a data object's "Shell IDList Array" holds an object that is not
// in the file system (My Computer, Control Panel).
bool DataObjectHasNonFileObjects(IDataObject* data);

// The file names of a data object's CF_HDROP (empty when it has none),
// without the class texts some shells give virtual objects there.
std::vector<std::wstring> DataObjectFiles(IDataObject* data);

// The file names of the clipboard's CF_HDROP (empty when it has none), and
// whether its source asked for a move.
std::vector<std::wstring> ClipboardFiles(bool* move = nullptr);

// Empties the clipboard unless something new was put on it since
// `sequence` (GetClipboardSequenceNumber): after a cut's files were moved,
// a second paste must not try to move them again.
void EmptyClipboardUnlessChanged(HWND window, DWORD sequence);
