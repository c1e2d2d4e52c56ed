// The rows of the address combo box: built from the desktop and its first
// child, merged with fresh enumerations, and extended with temporary rows
// down to whatever folder is current.
#include "browser/ShellComboBox.h"

#include "core/shell/MergePlan.h"
#include "shell/ShellEnumerator.h"

#include <algorithm>

namespace {

bool IsBelow(const TSHComboItem* row, const TSHComboItem* ancestor)
{
    for (const TSHComboItem* up = row ? row->ParentItem : nullptr; up; up = up->ParentItem)
        if (up == ancestor) return true;
    return false;
}

bool SameObject(TSHComboItem& row, PCIDList absolute)
{
    int level = GetIDListLevel(absolute);
    if (row.GetLevel() != level) return false;
    return level == 0 || CompareIDLists(DesktopFolder(), row.GetAbsoluteList(), absolute) == kIDListEqual;
}

bool IsMyComputer(TSHComboItem* row) { return row && SameObject(*row, SpecialFolderIDList(CSIDL_DRIVES)); }

TChildOrder OrderOf(int compared)
{
    switch (compared) {
    case kIDListEqual:
        return TChildOrder::Equal;
    case kIDListAfter:
        return TChildOrder::After;
    case kIDListBefore:
        return TChildOrder::Before;
    default:
        return TChildOrder::Failed;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// The row list

TSHComboItem* TSHComboList::Rows(int index) const
{
    return index >= 0 && index < Count() ? Items[size_t(index)] : nullptr;
}

int TSHComboList::IndexOf(const TSHComboItem* row) const
{
    auto it = std::find(Items.begin(), Items.end(), row);
    return it == Items.end() ? -1 : int(it - Items.begin());
}

void TSHComboList::Renumber(int from)
{
    for (int i = std::max(from, 0); i < Count(); ++i) Items[size_t(i)]->Index = i;
}

void TSHComboList::Insert(int index, TSHComboItem* row)
{
    index = std::clamp(index, 0, Count());
    Items.insert(Items.begin() + index, row);
    Renumber(index);
    Box.PlaceholderInserted(index);
}

void TSHComboList::DeleteSubtree(int index)
{
    if (!Rows(index)) return;
    for (int i = LastDescendant(index); i >= index; --i) {
        if (Items[size_t(i)] == Watched) Watched = nullptr;
        delete Items[size_t(i)];
        Items.erase(Items.begin() + i);
        Box.PlaceholderDeleted(i);
    }
    Renumber(index);
}

void TSHComboList::Clear()
{
    while (Count() > 0) DeleteSubtree(Count() - 1);
}

int TSHComboList::LastDescendant(int index) const
{
    const TSHComboItem* row = Rows(index);
    int last = index;
    while (row && IsBelow(Rows(last + 1), row)) ++last;
    return last;
}

int TSHComboList::FirstChild(int index) const
{
    const TSHComboItem* row = Rows(index);
    const TSHComboItem* next = Rows(index + 1);
    return row && next && next->ParentItem == row ? index + 1 : -1;
}

int TSHComboList::NextSibling(int index) const
{
    const TSHComboItem* row = Rows(index);
    int next = LastDescendant(index) + 1;
    return row && Rows(next) && Rows(next)->ParentItem == row->ParentItem ? next : -1;
}

int TSHComboList::PreviousSibling(int index) const
{
    const TSHComboItem* row = Rows(index);
    if (!row) return -1;
    for (int i = index - 1; i >= 0; --i) {
        if (Items[size_t(i)] == row->ParentItem) return -1;
        if (Items[size_t(i)]->ParentItem == row->ParentItem) return i;
    }
    return -1;
}

std::vector<int> TSHComboList::Children(int index) const
{
    std::vector<int> children;
    for (int child = FirstChild(index); child >= 0; child = NextSibling(child)) children.push_back(child);
    return children;
}

// ---------------------------------------------------------------------------
// Building and searching

TSHComboItem* TSHComboBox::NewRow(TSHComboItem* parent, PCIDList id)
{
    PIDList relative = CopyFirstItem(id);
    PIDList absolute = parent->GetLevel() == 0 ? CopyIDList(relative) : ConcatIDLists(parent->GetAbsoluteList(), relative);
    // Rows made while the box is being rebuilt stay; the rest are temporary.
    auto* row = new TSHComboItem(&Rows, Ready, relative, absolute, parent);
    if (row->IsValid()) return row;
    delete row;
    return nullptr;
}

void TSHComboBox::ExpandRow(int index)
{
    TSHComboItem* row = Rows.Rows(index);
    if (!row || !row->IsValid()) return;
    ComPtr<IShellFolder> folder;
    *folder.Put() = BindFolder(row->GetAbsoluteList());
    if (!folder) return;
    TEnumerationRequest request;
    request.Folder = folder.Get();
    request.Owner = Combo;
    request.Flags = SHCONTF_FOLDERS | (Hidden ? SHCONTF_INCLUDEHIDDEN : 0);
    request.Who = TVisibilityOwner::AddressCombo;
    request.Place = {row->GetLevel(), row->GetLevel() == 1 ? row->GetItemIDType() : itUnknown};
    request.Shown = Virtual;
    std::vector<std::unique_ptr<TSHComboItem>> items;
    bool listed = EnumerateChildren(
        request,
        [&](PIDList child) {
            TIDListPtr owned(child);
            return std::unique_ptr<TSHComboItem>(NewRow(row, child));
        },
        [](TSHComboItem& item) { return item.GetItemIDType(); },
        [&](std::unique_ptr<TSHComboItem> item) { items.push_back(std::move(item)); });
    if (!listed) return;
    IShellFolder* sorter = folder.Get();
    std::stable_sort(items.begin(), items.end(), [sorter](const auto& a, const auto& b) {
        return CompareIDLists(sorter, a->RelativeList(), b->RelativeList()) == kIDListBefore;
    });

    std::vector<TSHComboItem*> children;
    for (int child : Rows.Children(index)) children.push_back(Rows.Rows(child));
    auto plan = PlanMerge(children.size(), items.size(), [&](size_t c, size_t i) {
        return OrderOf(CompareIDLists(sorter, children[c]->RelativeList(), items[i]->RelativeList()));
    });
    for (const TMergeStep& step : plan) {
        switch (step.Kind) {
        case TMergeStep::Keep:
            break;
        case TMergeStep::InsertBefore:
            Rows.Insert(Rows.IndexOf(children[step.Child]), items[step.Item].release());
            break;
        case TMergeStep::Append:
            // After the row's whole subtree, so that no child is cut off
            // from its own children.
            Rows.Insert(Rows.LastDescendant(Rows.IndexOf(row)) + 1, items[step.Item].release());
            break;
        case TMergeStep::Remove:
            Rows.DeleteSubtree(Rows.IndexOf(children[step.Child]));
            break;
        }
    }
}

void TSHComboBox::RemoveTemporaryRows()
{
    for (int i = Rows.Count() - 1; i >= 0; --i)
        if (TSHComboItem* row = Rows.Rows(i); row && row->Temporary) Rows.DeleteSubtree(i);
}

void TSHComboBox::Rebuild()
{
    if (!Combo) return;
    Ready = false;
    BeginUpdate();
    RemoveTemporaryRows();
    if (Rows.Count() == 0) {
        TIDListPtr desktop = GetSpecialFolderIDList(CSIDL_DESKTOP);
        TIDListPtr directory = GetSpecialFolderIDList(CSIDL_DESKTOPDIRECTORY);
        if (desktop && directory)
            Rows.Insert(0, new TSHComboItem(&Rows, false, directory.release(), desktop.release(), nullptr));
    }
    if (Rows.Count() > 0) {
        ExpandRow(0);
        int first = Rows.FirstChild(0);
        if (first >= 0) ExpandRow(first);
    }
    if (CurrentIndex() < 0 && Rows.Count() > 0) SetCurrent(0);
    Ready = true;
    EndUpdate();
}

int TSHComboBox::AddMissingRow(int parentIndex, PCIDList id)
{
    TSHComboItem* parent = Rows.Rows(parentIndex);
    TSHComboItem* row = parent ? NewRow(parent, id) : nullptr;
    if (!row) return -1;
    int index = Rows.LastDescendant(parentIndex) + 1;
    Rows.Insert(index, row);
    return index;
}

int TSHComboBox::FindRow(PCIDList absolute)
{
    int result = 0;
    if (GetIDListLevel(absolute) < 1) return result;
    int index = 1;
    PCIDList id = absolute;
    bool refreshed = false;  // each level is refreshed at most once
    for (;;) {
        TSHComboItem* row = Rows.Rows(index);
        IShellFolder* parentFolder = row && row->IsValid() ? row->GetParentFolder() : nullptr;
        if (!parentFolder) break;
        TIDListPtr single(CopyFirstItem(id));
        int order = CompareIDLists(parentFolder, row->RelativeList(), single.get());
        if (order == kIDListEqual) {
            PCIDList next = NextItem(id);
            if (!next || !next->mkid.cb) {
                result = index;
                break;
            }
            int child = Rows.FirstChild(index);
            if (child < 0) child = AddMissingRow(index, next);
            if (child < 0) break;
            index = child;
            id = next;
            refreshed = false;
        } else if (order == kIDListAfter) {
            // Missing from a level that may be out of date: the desktop's
            // children and the drives are read again once.
            TSHComboItem* parent = row->ParentItem;
            if (refreshed || !parent || !(row->GetLevel() == 1 || IsMyComputer(parent))) break;
            refreshed = true;
            Rows.Watched = row;
            ExpandRow(Rows.IndexOf(parent));
            if (!Rows.Watched) break;
            Rows.Watched = nullptr;
            int now = Rows.IndexOf(row);
            int previous = Rows.PreviousSibling(now);
            index = previous >= 0 ? previous : now;
        } else if (order == kIDListBefore) {
            int next = Rows.NextSibling(index);
            if (next < 0) next = AddMissingRow(Rows.IndexOf(row->ParentItem), id);
            if (next < 0) break;
            index = next;
        } else {
            break;
        }
    }
    Rows.Watched = nullptr;
    return result;
}

void TSHComboBox::SelectIDList(PCIDList absolute)
{
    if (!Ready || !absolute || !Combo) return;
    TSHComboItem* current = Rows.Rows(CurrentIndex());
    if (!current || !current->IsValid() || SameObject(*current, absolute)) return;
    RemoveTemporaryRows();
    SetCurrent(FindRow(absolute));
}

PCIDList TSHComboBox::GetCurrentIDList() const
{
    TSHComboItem* row = Rows.Rows(CurrentIndex());
    return row ? row->GetAbsoluteList() : nullptr;
}

void TSHComboBox::RowChosen()
{
    TSHComboItem* row = Rows.Rows(CurrentIndex());
    if (!row || !row->IsValid()) return;
    int index = Rows.IndexOf(row);
    if (!row->Temporary) {
        RemoveTemporaryRows();
    } else if (int child = Rows.FirstChild(index); child >= 0 && Rows.Rows(child)->Temporary) {
        while ((child = Rows.FirstChild(index)) >= 0) Rows.DeleteSubtree(child);
    }
    SetCurrent(Rows.IndexOf(row));
    if (!Tree) return;
    // The tree may rebuild the rows while it searches.
    TIDListPtr chosen(CopyIDList(row->GetAbsoluteList()));
    Tree->SelectIDList(chosen.get());
    // A tree that refused (its list is locked) keeps the box on its folder.
    if (PCIDList selected = Tree->GetSelectedIDList()) SelectIDList(selected);
}

void TSHComboBox::DriveRenamed(PCIDList absolute, const std::wstring& text)
{
    for (int i = 0; i < Rows.Count(); ++i) {
        if (!SameObject(*Rows.Rows(i), absolute)) continue;
        Rows.Rows(i)->ReplaceDisplayName(text);
        if (Combo) InvalidateRect(Combo, nullptr, TRUE);
    }
}
