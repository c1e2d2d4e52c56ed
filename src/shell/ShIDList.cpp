#include "shell/ShIDList.h"

#include "gui/Handles.h"

PCIDList TSHIDList::Items(int index) const
{
    return index >= 0 && index < Count() ? ItemLists[size_t(index)] : nullptr;
}

PCIDList* TSHIDList::GetItemList() const
{
    // The shell's calls take the array without const; none of them writes it.
    return ItemLists.empty() ? nullptr : const_cast<PCIDList*>(ItemLists.data());
}

void TSHIDList::Clear() { ItemLists.clear(); }

int TSHIDList::GetParentLevel() const { return GetIDListLevel(ParentIDList); }

IShellFolder* TSHIDList::GetParentFolder() const
{
    int level = GetParentLevel();
    if (level < 0) return nullptr;
    return BindFolder(ParentIDList);
}

static ULONG AttributesOf(IShellFolder* folder, UINT count, PCIDList* items, ULONG mask)
{
    if (!folder || count == 0) return 0;
    ULONG attributes = mask;
    if (FAILED(folder->GetAttributesOf(count, items, &attributes))) return 0;
    return attributes;
}

ULONG TSHIDList::CommonAttributes(ULONG mask) const
{
    ComPtr<IShellFolder> folder;
    *folder.Put() = GetParentFolder();
    return AttributesOf(folder.Get(), UINT(Count()), GetItemList(), mask) & mask;
}

bool TSHIDList::AllHave(ULONG sfgao) const { return Count() > 0 && CommonAttributes(sfgao) == sfgao; }

bool TSHIDList::ItemHas(int index, ULONG sfgao) const
{
    PCIDList item = Items(index);
    if (!item) return false;
    ComPtr<IShellFolder> folder;
    *folder.Put() = GetParentFolder();
    return (AttributesOf(folder.Get(), 1, &item, sfgao) & sfgao) == sfgao;
}

std::wstring TSHIDList::GetItemPath(int index) const
{
    PCIDList item = Items(index);
    if (!item || !ParentIDList) return {};
    TIDListPtr absolute(ConcatIDLists(ParentIDList, item));
    std::wstring path;
    IDListToPath(absolute.get(), path);
    return path;
}

TSHIDList2::~TSHIDList2() { Clear(); }

void TSHIDList2::SetParent(PIDList parent)
{
    PIDList old = const_cast<PIDList>(ParentIDList);
    FreeIDList(old);
    ParentIDList = parent;
}

void TSHIDList2::Clear()
{
    for (PCIDList item : ItemLists) {
        PIDList owned = const_cast<PIDList>(item);
        FreeIDList(owned);
    }
    ItemLists.clear();
    SetParent(nullptr);
}
