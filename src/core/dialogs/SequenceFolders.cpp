#include "core/dialogs/SequenceFolders.h"

#include <unordered_set>

size_t FindForbiddenInSequence(const TSequencePattern& p, wchar_t* found)
{
    return FindForbiddenInTexts({&p.HeaderText1, &p.HeaderText2, &p.FooterText1, &p.FooterText2},
                                kNameForbiddenChars, found);
}

std::wstring SequenceFolderName(const TSequencePattern& p, std::wstring_view folderName, int64_t index)
{
    std::wstring name = p.HeaderText1;
    if (p.HeaderParent) name += folderName;
    name += p.HeaderText2;
    name += RunningNumber(p.Start, p.Step, index, p.Digits);
    name += p.FooterText1;
    if (p.FooterParent) name += folderName;
    name += p.FooterText2;
    return name;
}

std::wstring SequenceSample(const TSequencePattern& pattern, std::wstring_view folderName, int64_t count)
{
    return SequenceFolderName(pattern, folderName, 0) + L" \uFF5E " +
           SequenceFolderName(pattern, folderName, count > 0 ? count - 1 : 0);
}

TSequenceOutcome CreateSequenceFolders(const std::vector<std::wstring>& names, const TSequenceFolderOps& ops,
                                       TCharFold fold)
{
    TSequenceOutcome outcome;
    std::unordered_set<std::wstring> runKeys;
    for (const std::wstring& name : names) runKeys.insert(FoldName(name, fold));
    for (const std::wstring& name : names) {
        // A name Windows would change (a trailing dot or space) would be
        // created under another name.
        if (!IsUsableName(name)) {
            outcome.Refused = true;
            outcome.FailedName = name;
            return outcome;
        }
        if (ops.Kind(name) != TEntryKind::Folder) continue;
        std::wstring aside = L"old_" + name;
        if (ops.Kind(aside) != TEntryKind::None || runKeys.count(FoldName(aside, fold))) {
            outcome.Refused = true;
            outcome.FailedName = name;
            return outcome;
        }
    }
    for (const std::wstring& name : names) {
        if (ops.Kind(name) == TEntryKind::Folder) ops.Rename(name, L"old_" + name);
        if (!ops.Create(name)) {
            outcome.FailedName = name;
            return outcome;
        }
        ++outcome.Created;
    }
    outcome.Completed = true;
    return outcome;
}
