#include "core/dialogs/RenamePattern.h"

#include <unordered_map>

size_t FindForbiddenInPattern(const TRenamePattern& p, wchar_t* found)
{
    return FindForbiddenInTexts({&p.HeaderText1, &p.HeaderText2, &p.FooterText1, &p.FooterText2, &p.Search,
                                 &p.Replacement, &p.ExtText},
                                kNameForbiddenChars, found);
}

static void AppendQuotations(std::wstring& name, const TRenamePattern& p, bool parent, bool original,
                             std::wstring_view oldName, std::wstring_view folderName, TCharFold fold)
{
    if (parent) name += ReplaceIgnoringCase(folderName, p.Search, p.Replacement, fold);
    if (original) name += ReplaceIgnoringCase(NameStem(oldName), p.Search, p.Replacement, fold);
}

std::wstring MakeNewName(const TRenamePattern& p, std::wstring_view oldName, std::wstring_view folderName,
                         int64_t position, TCharFold fold)
{
    std::wstring name = p.HeaderText1;
    AppendQuotations(name, p, p.HeaderParent, p.HeaderOriginal, oldName, folderName, fold);
    name += p.HeaderText2;
    if (p.Digits > 0) name += RunningNumber(p.Start, p.Step, position, p.Digits);
    name += p.FooterText1;
    AppendQuotations(name, p, p.FooterParent, p.FooterOriginal, oldName, folderName, fold);
    name += p.FooterText2;
    std::wstring_view extension = NameExtension(oldName);
    switch (p.ExtRule) {
    case erUpper: name += AsciiUpper(extension); break;
    case erLower: name += AsciiLower(extension); break;
    case erReplace: name += L'.'; name += p.ExtText; break;
    default: name += extension; break;
    }
    return name;
}

void UpdateNewNames(std::vector<TRenameRow>& rows, const TRenamePattern& pattern, std::wstring_view folderName,
                    TCharFold fold)
{
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].NewName = rows[i].Skip ? std::wstring() : MakeNewName(pattern, rows[i].OldName, folderName, int64_t(i), fold);
}

TRenameCheck CheckRenameRows(const std::vector<TRenameRow>& rows, const std::vector<TFolderEntry>& others,
                             bool folderMode, TCharFold fold)
{
    std::vector<std::wstring> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) keys[i] = FoldName(rows[i].NewName, fold);
    for (size_t i = 0; i + 1 < rows.size(); ++i)
        if (keys[i] == keys[i + 1]) return {TRenameProblem::NeighboursEqual, i, i + 1};

    std::unordered_map<std::wstring, size_t> seen;
    seen.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Skip) continue;
        if (!IsUsableName(rows[i].NewName)) return {TRenameProblem::UnusableName, i, i};
        auto [it, added] = seen.emplace(keys[i], i);
        if (!added) return {TRenameProblem::SameNewName, it->second, i};
    }
    for (const TFolderEntry& entry : others) {
        if (entry.IsFolder == folderMode) continue;
        auto it = seen.find(FoldName(entry.Name, fold));
        if (it != seen.end()) return {TRenameProblem::NameTaken, it->second, it->second};
    }
    return {};
}
