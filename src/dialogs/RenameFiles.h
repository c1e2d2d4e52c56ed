#pragma once
// The batch rename on the file system: the folder's objects, names compared
// as the file system compares them, the run of the plan with MoveFileW, and
// what the user is told when it fails.
#include "core/dialogs/RenamePlan.h"

#include <string>
#include <vector>

// The system's upper-case mapping, which name comparisons follow.
wchar_t FileSystemFold(wchar_t c);

// Every object of `folder` now.
std::vector<TFolderEntry> ListFolder(const std::wstring& folder);

struct TRenameRun {
    TRenamePlan Plan;
    TRenameOutcome Outcome;
};

// Lists the folder, plans the moves for `rows` and runs them; all or
// nothing (see RunRenamePlan).
TRenameRun RenameInFolder(const std::wstring& folder, const std::vector<TRenameRow>& rows, bool folderMode);

// For a run that failed: which rename failed and why, and whether all was
// put back.
std::wstring RenameFailureText(const TRenameRun& run);
// For a run whose rollback failed too: each object not under its old name,
// with its path, one a line.
std::wstring StrandedObjectsText(const std::wstring& folder, const TRenameRun& run);
