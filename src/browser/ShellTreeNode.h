#pragma once
// The item behind each node of the folder tree, shared by the tree's own
// source files.
#include "shell/DataItem.h"

// A node's item. The tree hands it the folder it was enumerated from (so
// that no child binds it again) and replaces its lists on a rename.
class TNodeItem final : public TSHFolderItem {
public:
    using TSHFolderItem::TSHFolderItem;

    void SetFolder(IShellFolder* folder)
    {
        if (folder) folder->AddRef();
        *ParentFolder.Put() = folder;
    }

    // Takes ownership of the list the shell returned for the new name.
    void Renamed(PIDList relative)
    {
        PIDList absolute = GetLevel() == 1 ? CopyIDList(relative) : ConcatIDLists(GetParentList(), relative);
        RelativeIDList.reset();
        RelativeIDList.reset(relative);
        AbsoluteIDList.reset();
        AbsoluteIDList.reset(absolute);
        ResetCaches();
        SubfolderMark = -1;
    }

    void ResetIcons()
    {
        IconIndex = -1;
        SelectedIconIndex = -1;
    }

    TShItemIDType Kind()
    {
        if (CachedKind < 0) CachedKind = GetItemIDType();
        return TShItemIDType(CachedKind);
    }

    bool HasSubfolders()
    {
        if (SubfolderMark < 0) SubfolderMark = HasAttributes(SFGAO_HASSUBFOLDER) ? 1 : 0;
        return SubfolderMark == 1;
    }

    int SubfolderMark = -1;

private:
    int CachedKind = -1;
};

inline TNodeItem* AsNodeItem(LPARAM lParam) { return reinterpret_cast<TNodeItem*>(lParam); }
