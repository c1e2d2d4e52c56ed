#pragma once
// The moves of a batch rename and their all-or-nothing run. Every object
// first moves to a temporary name, so that names can be exchanged among the
// selected objects; an object outside the rename that holds a new name is
// pushed aside to "old_" + its name; then each object takes its new name.
// Temporary and "old_" names are always free ones.
#include "core/dialogs/RenamePattern.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

enum class TMoveKind { ToTemporary, PushAside, ToNewName };

struct TPlannedMove {
    TMoveKind Kind = TMoveKind::ToTemporary;
    size_t Object = 0;  // index into TRenamePlan::Originals
    std::wstring From, To;
};

struct TRenamePlan {
    std::vector<std::wstring> Originals;  // each moved object's name before the run
    std::vector<TPlannedMove> Moves;      // in the order they are made
};

// `wanted` when its folded form is not in `takenKeys`, otherwise the first
// of wanted(1), wanted(2) ... (the number before the extension) that is
// free. At most 255 units: the stem is shortened to make room.
std::wstring FreeName(std::wstring_view wanted, const std::unordered_set<std::wstring>& takenKeys, TCharFold fold);

// `rows` as the preview shows them (new names filled); `folder` every object
// of the folder now, the selected ones included.
TRenamePlan MakeRenamePlan(const std::vector<TRenameRow>& rows, const std::vector<TFolderEntry>& folder,
                           bool folderMode, TCharFold fold);

// Makes one move inside the folder; gives 0, or the system's error code.
using TMoveFunction = std::function<uint32_t(const std::wstring& from, const std::wstring& to)>;

struct TStrandedObject {
    std::wstring Original;  // its name before the run
    std::wstring Current;   // where the failed rollback left it
};

struct TRenameOutcome {
    bool Completed = false;
    size_t FailedMove = 0;  // index into the plan's moves, when not completed
    uint32_t Error = 0;
    // Empty when everything was put back after a failure.
    std::vector<TStrandedObject> Stranded;
};

// Makes the moves in order. When one fails, the moves already made are
// undone in reverse order; an object that cannot be moved back stays where
// it is and is reported.
TRenameOutcome RunRenamePlan(const TRenamePlan& plan, const TMoveFunction& move);
