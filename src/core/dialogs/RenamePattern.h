#pragma once
// How the batch rename assembles each new name, and when its OK may be
// pressed. Names are UTF-16; see NameText.h.
#include "core/dialogs/NameText.h"

#include <cstdint>
#include <string>
#include <vector>

// Extension rules.
constexpr int erKeep = 0;
constexpr int erUpper = 1;
constexpr int erLower = 2;
constexpr int erReplace = 3;

struct TRenamePattern {
    std::wstring HeaderText1;
    bool HeaderParent = true;     // the folder's name after HeaderText1
    bool HeaderOriginal = false;  // the old name without extension after that
    std::wstring HeaderText2;
    int Digits = 0;               // 0: no number
    int64_t Start = 1;
    int64_t Step = 1;
    std::wstring FooterText1;
    bool FooterParent = false;
    bool FooterOriginal = false;
    std::wstring FooterText2;
    std::wstring Search;          // replaced in every quoted name
    std::wstring Replacement;
    int ExtRule = erKeep;
    std::wstring ExtText = L"tmp";
};

// The index of the first forbidden character over the typed texts (header,
// footer, search, replacement, extension, in that order), the character
// itself through `found`; npos when there is none.
size_t FindForbiddenInPattern(const TRenamePattern& pattern, wchar_t* found = nullptr);

// The new name of the object row at `position` (skip rows included in the
// count).
std::wstring MakeNewName(const TRenamePattern& pattern, std::wstring_view oldName, std::wstring_view folderName,
                         int64_t position, TCharFold fold);

// One row of the preview. A skip row stands for no object and only takes a
// number position; its new name stays empty.
struct TRenameRow {
    bool Skip = false;
    std::wstring OldName;
    std::wstring NewName;
};

void UpdateNewNames(std::vector<TRenameRow>& rows, const TRenamePattern& pattern, std::wstring_view folderName,
                    TCharFold fold);

// An object of the folder.
struct TFolderEntry {
    std::wstring Name;
    bool IsFolder = false;
};

enum class TRenameProblem {
    None,
    NeighboursEqual,  // a row and the one below it have the same new name (skip rows too)
    SameNewName,      // two object rows anywhere get the same new name
    NameTaken,        // an object outside the rename holds a new name and will not be pushed aside
    UnusableName,     // the file system cannot hold the new name
};

struct TRenameCheck {
    TRenameProblem Problem = TRenameProblem::None;
    size_t Row = 0;    // the row concerned
    size_t Other = 0;  // the other row (NeighboursEqual, SameNewName)
};

// Whether OK may be pressed. Names compare through `fold`, as the file system
// compares them. `others` are the folder's objects outside the rename; the
// rename pushes an object of its own kind (a folder in folder mode, a file
// otherwise) aside to an "old_" name, so only the other kind blocks a name.
TRenameCheck CheckRenameRows(const std::vector<TRenameRow>& rows, const std::vector<TFolderEntry>& others,
                             bool folderMode, TCharFold fold);
