#include "core/dialogs/TreeWalk.h"

std::wstring JoinWalkPath(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

void WalkTree(const std::wstring& folder, const TListFolder& list, const TVisitEntry& visit)
{
    for (const TWalkEntry& entry : list(folder)) {
        std::wstring path = JoinWalkPath(folder, entry.Name);
        if (entry.IsFolder && !entry.IsReparsePoint) WalkTree(path, list, visit);
        visit(path, entry);
    }
}
