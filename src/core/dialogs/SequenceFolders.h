#pragma once
// The names of a run of numbered folders and the loop that creates them.
#include "core/dialogs/NameText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TSequencePattern {
    std::wstring HeaderText1;
    bool HeaderParent = true;  // the folder's name after HeaderText1
    std::wstring HeaderText2;
    int Digits = 1;
    int64_t Start = 1;
    int64_t Step = 1;
    std::wstring FooterText1;
    bool FooterParent = false;
    std::wstring FooterText2;
};

// Index over the four texts (header, then footer) of the first forbidden
// character, the character through `found`; npos when there is none.
size_t FindForbiddenInSequence(const TSequencePattern& pattern, wchar_t* found = nullptr);

std::wstring SequenceFolderName(const TSequencePattern& pattern, std::wstring_view folderName, int64_t index);

// The first name, " ～ ", the last name.
std::wstring SequenceSample(const TSequencePattern& pattern, std::wstring_view folderName, int64_t count);

enum class TEntryKind { None, File, Folder };

// The file-system operations of the loop, by name inside the folder.
struct TSequenceFolderOps {
    std::function<TEntryKind(const std::wstring& name)> Kind;
    std::function<bool(const std::wstring& from, const std::wstring& to)> Rename;
    std::function<bool(const std::wstring& name)> Create;
};

struct TSequenceOutcome {
    bool Completed = false;
    // The run stopped before changing anything: an existing folder would be
    // pushed aside to an "old_" name that is taken.
    bool Refused = false;
    size_t Created = 0;
    std::wstring FailedName;  // the name that stopped the run
};

// For each name: an existing folder of that name is first renamed to "old_"
// + name, then the folder is created; the first failure stops the run and
// what was created stays. Nothing is ever overwritten or merged: when an
// "old_" name is taken (by the folder or by a name of the run), or a name is
// one the file system cannot hold as it is, the run is refused before
// anything is touched.
TSequenceOutcome CreateSequenceFolders(const std::vector<std::wstring>& names, const TSequenceFolderOps& ops,
                                       TCharFold fold);
