#pragma once
// Copying, moving and linking files into a folder, done by the program with
// the shell's file operation so that it works the same on every shell, and
// reported honestly: success only when every file arrived.
#include <windows.h>

#include <string>
#include <vector>

enum class TransferKind { Copy, Move, Link };

enum class TransferResult {
    Done,        // every file is at its destination
    Nothing,     // nothing was left to do (a move into the files' own folder)
    Cancelled,   // the operation was stopped; what was not done is still at its source
    Failed,      // some or all files could not be transferred
    Refused,     // a folder would have gone into itself or its own subfolder
    NoTarget,    // the target is not an existing folder
};

// Transfers the files (full paths) into the folder, owned by the window;
// undo is allowed. A move leaves out files already in the folder; a copy into
// the folder it came from gets new names instead of replacing itself; a link
// makes a shortcut per file. Errors are not shown by the shell: the caller
// shows ReportTransfer's message, so that every failure is told once.
TransferResult TransferFiles(HWND owner, const std::vector<std::wstring>& files, const std::wstring& targetFolder,
                             TransferKind kind);

// Tells the user why a transfer did not end as asked (nothing for Done and
// Nothing).
void ReportTransfer(HWND owner, TransferKind kind, TransferResult result);

// The full path of a file or folder, without a trailing backslash except
// for a drive's root.
std::wstring FullPath(const std::wstring& path);

// The folder a full path lies in ("C:\a\b.txt" → "C:\a"; "C:\a" → "C:\").
std::wstring FolderOf(const std::wstring& path);
