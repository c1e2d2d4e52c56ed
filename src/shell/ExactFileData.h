#pragma once
// A folder's entries as the file system lists them, with full 64-bit sizes
// and real names. The shell's own copy inside each identifier keeps only 32
// bits of a size, and reading the folder again costs as much as the
// enumeration itself on some systems: it is done on a thread of its own.
#include "shell/FileItem.h"

#include <windows.h>

#include <string>
#include <vector>

using TFolderEntryList = std::vector<TRowFileData>;

// Every entry of the folder but "." and "..", in the file system's order.
TFolderEntryList ReadFolderEntries(const std::wstring& folder);

// Reads the folder on a worker thread and posts `message` to `notify` with
// wParam = generation and lParam = a TFolderEntryList* the receiver owns.
// When the window is gone by then, the list is freed.
void ReadFolderEntriesAsync(const std::wstring& folder, HWND notify, UINT message, unsigned generation);

// Frees the lists of such messages still queued for `notify` (before it is
// destroyed).
void DiscardPendingFolderEntries(HWND notify, UINT message);
