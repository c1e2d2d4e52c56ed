#include "core/dialogs/RenamePlan.h"

#include <unordered_map>

namespace {

constexpr size_t kMaxNameLength = 255;

std::wstring Fit(std::wstring_view stem, std::wstring_view suffix, std::wstring_view extension)
{
    if (suffix.size() + extension.size() > kMaxNameLength) extension = {};
    size_t room = kMaxNameLength - suffix.size() - extension.size();
    std::wstring name(stem.substr(0, room));
    name += suffix;
    name += extension;
    return name;
}

}  // namespace

std::wstring FreeName(std::wstring_view wanted, const std::unordered_set<std::wstring>& takenKeys, TCharFold fold)
{
    std::wstring_view stem = NameStem(wanted), extension = NameExtension(wanted);
    std::wstring candidate = Fit(stem, {}, extension);
    for (int64_t n = 1; takenKeys.count(FoldName(candidate, fold)); ++n)
        candidate = Fit(stem, L"(" + std::to_wstring(n) + L")", extension);
    return candidate;
}

TRenamePlan MakeRenamePlan(const std::vector<TRenameRow>& rows, const std::vector<TFolderEntry>& folder,
                           bool folderMode, TCharFold fold)
{
    TRenamePlan plan;
    std::unordered_set<std::wstring> taken, selected;
    for (const TFolderEntry& entry : folder) taken.insert(FoldName(entry.Name, fold));
    std::vector<const TRenameRow*> objects;
    for (const TRenameRow& row : rows) {
        if (row.Skip) continue;
        objects.push_back(&row);
        taken.insert(FoldName(row.NewName, fold));
        selected.insert(FoldName(row.OldName, fold));
    }

    std::vector<std::wstring> temporary;
    for (const TRenameRow* row : objects) {
        std::wstring name = FreeName(L"tmp" + row->OldName, taken, fold);
        taken.insert(FoldName(name, fold));
        plan.Moves.push_back({TMoveKind::ToTemporary, plan.Originals.size(), row->OldName, name});
        plan.Originals.push_back(row->OldName);
        temporary.push_back(std::move(name));
    }

    std::unordered_map<std::wstring, const TFolderEntry*> outside;
    for (const TFolderEntry& entry : folder) {
        std::wstring key = FoldName(entry.Name, fold);
        if (!selected.count(key)) outside.emplace(std::move(key), &entry);
    }
    for (const TRenameRow* row : objects) {
        auto it = outside.find(FoldName(row->NewName, fold));
        // Only an object of the rename's own kind is pushed aside; one of the
        // other kind makes the final move fail, and the run is undone.
        if (it == outside.end() || it->second->IsFolder != folderMode) continue;
        std::wstring name = FreeName(L"old_" + it->second->Name, taken, fold);
        taken.insert(FoldName(name, fold));
        plan.Moves.push_back({TMoveKind::PushAside, plan.Originals.size(), it->second->Name, name});
        plan.Originals.push_back(it->second->Name);
        outside.erase(it);
    }

    for (size_t i = 0; i < objects.size(); ++i)
        plan.Moves.push_back({TMoveKind::ToNewName, i, temporary[i], objects[i]->NewName});
    return plan;
}

TRenameOutcome RunRenamePlan(const TRenamePlan& plan, const TMoveFunction& move)
{
    TRenameOutcome outcome;
    std::vector<std::wstring> current = plan.Originals;
    size_t done = 0;
    for (; done < plan.Moves.size(); ++done) {
        const TPlannedMove& m = plan.Moves[done];
        uint32_t error = move(m.From, m.To);
        if (error != 0) {
            outcome.FailedMove = done;
            outcome.Error = error;
            break;
        }
        current[m.Object] = m.To;
    }
    if (done == plan.Moves.size()) {
        outcome.Completed = true;
        return outcome;
    }
    while (done-- > 0) {
        const TPlannedMove& m = plan.Moves[done];
        // An object whose later move could not be undone is not where this
        // move left it; moving it again could take another object's name.
        if (current[m.Object] != m.To) continue;
        if (move(m.To, m.From) == 0) current[m.Object] = m.From;
    }
    for (size_t i = 0; i < current.size(); ++i)
        if (current[i] != plan.Originals[i]) outcome.Stranded.push_back({plan.Originals[i], current[i]});
    return outcome;
}
