#pragma once
// One object of the namespace as the controls show it: a tree node, a list
// row or a combo row. The item owns its identifier lists and caches what is
// slow to ask the shell for.
#include "core/shell/VirtualItems.h"
#include "gui/Handles.h"
#include "shell/IDList.h"

#include <string>

class TSHDataItem {
public:
    TSHDataItem() = default;
    TSHDataItem(const TSHDataItem&) = delete;
    TSHDataItem& operator=(const TSHDataItem&) = delete;
    virtual ~TSHDataItem();

    virtual int GetIconIndex();
    virtual int GetIndex() const = 0;
    virtual int GetLevel() = 0;
    virtual PCIDList GetParentList() = 0;
    virtual PCIDList GetAbsoluteList() = 0;
    virtual int GetSelectedIconIndex();
    virtual bool IsValid() const = 0;

    // Not AddRef'ed: the item keeps it.
    IShellFolder* GetParentFolder();
    const std::wstring& GetDisplayName();
    // The name as the user edits it in place (SHGDN_INFOLDER |
    // SHGDN_FOREDITING): a rename sets it back with the same flags.
    std::wstring GetEditingName();
    virtual std::wstring GetPath();
    bool HasAttributes(ULONG sfgao);
    // The SFGAO bits of `mask` the object has; 0 when the shell cannot say.
    ULONG Attributes(ULONG mask);
    TShItemIDType GetItemIDType();
    int GetOverlayIndex();
    // AddRef'ed, or null.
    IDropTarget* GetDropTarget();

    PCIDList RelativeList() const { return RelativeIDList.get(); }
    // A drive whose medium changed: its name is known, its icons are not.
    void ReplaceDisplayName(const std::wstring& name)
    {
        DisplayName = name;
        IconIndex = SelectedIconIndex = -1;
    }

protected:
    // The list the parent folder is asked about: the absolute one for the
    // desktop itself.
    PCIDList QueryList();
    void ResetCaches();
    // Asks for the name shown when it is not cached yet.
    virtual std::wstring FetchDisplayName();
    // The parent folder when it is first needed; AddRef'ed or null.
    virtual IShellFolder* BindParentFolder();

    ComPtr<IShellFolder> ParentFolder;
    TIDListPtr RelativeIDList;
    TIDListPtr AbsoluteIDList;
    TIDListPtr ParentListCache;
    int SelectedIconIndex = -1;
    int IconIndex = -1;
    std::wstring DisplayName;
};

// A node of the folder tree. The node handle is the tree's business.
class TSHFolderItem : public TSHDataItem {
public:
    // Takes ownership of both lists.
    TSHFolderItem(void* node, PIDList relative, PIDList absolute);
    int GetIndex() const override { return Index; }
    int GetLevel() override;
    PCIDList GetParentList() override;
    PCIDList GetAbsoluteList() override { return AbsoluteIDList.get(); }
    bool IsValid() const override { return RelativeIDList.get() && AbsoluteIDList.get(); }

    void* Node = nullptr;
    int Index = -1;  // the node's absolute index, kept by the tree
};

class TSHComboList;
// A row of the address combo box.
class TSHComboItem : public TSHDataItem {
public:
    TSHComboItem(TSHComboList* owner, bool temporary, PIDList relative, PIDList absolute, TSHComboItem* parentItem);
    int GetIndex() const override { return Index; }
    int GetLevel() override;
    PCIDList GetParentList() override;
    PCIDList GetAbsoluteList() override { return AbsoluteIDList.get(); }
    bool IsValid() const override { return RelativeIDList.get() && AbsoluteIDList.get(); }

    TSHComboList* Owner;
    TSHComboItem* ParentItem;
    bool Temporary;
    int Index = -1;
};

// The kind of an object from its absolute list and attributes.
TShItemIDType ItemIDTypeOf(PCIDList absolute, int level, ULONG attributes);
