#include "browser/TreeDropSite.h"

#include "browser/ShellTreeView.h"

TTreeDropSite::TTreeDropSite(TSHTreeView& tree)
    : Tree(tree), Control(tree.TreeHandle()), Registration(*this, Control) {}

HWND TTreeDropSite::DropWindow() const { return Control; }

void TTreeDropSite::Highlight(HTREEITEM node)
{
    if (node == Highlighted) return;
    // The state is set as well: some tree controls ignore a drop target
    // that is also the selected node.
    if (Highlighted) TreeView_SetItemState(Control, Highlighted, 0, TVIS_DROPHILITED);
    Highlighted = node;
    HoverCount = 0;
    TreeView_SelectDropTarget(Control, node);
    if (node) TreeView_SetItemState(Control, node, TVIS_DROPHILITED, TVIS_DROPHILITED);
}

void TTreeDropSite::ClearDropHighlight() { Highlight(nullptr); }

TDropPlace TTreeDropSite::DropPlaceAt(POINT client, bool folderShellTarget)
{
    TDropPlace place;
    TVHITTESTINFO hit{};
    hit.pt = client;
    HTREEITEM node = TreeView_HitTest(Control, &hit);
    if (!node || !(hit.flags & TVHT_ONITEM)) {
        Highlight(nullptr);
        return place;
    }
    if (node == Highlighted && ++HoverCount > kHoverOpens) {
        HoverCount = 0;
        if (!(TreeView_GetItemState(Control, node, TVIS_EXPANDED) & TVIS_EXPANDED))
            TreeView_Expand(Control, node, TVE_EXPAND);
    }
    TSHFolderItem* item = Tree.ItemOf(node);
    if (!item) {
        Highlight(nullptr);
        return place;
    }
    const ULONG fileSystemFolder = SFGAO_FILESYSTEM | SFGAO_FOLDER;
    ULONG attributes = item->Attributes(fileSystemFolder | SFGAO_STREAM | SFGAO_DROPTARGET);
    if ((attributes & fileSystemFolder) == fileSystemFolder && !(attributes & SFGAO_STREAM))
        place.FolderPath = item->GetPath();
    if ((place.FolderPath.empty() || folderShellTarget) && (attributes & SFGAO_DROPTARGET)) {
        IShellFolder* parent = item->GetParentFolder();
        PCIDList relative = item->RelativeList();
        if (parent && relative)
            parent->GetUIObjectOf(GetAncestor(Control, GA_ROOT), 1, &relative, IID_IDropTarget, nullptr,
                                  place.ShellTarget.PutVoid());
    }
    if (place.FolderPath.empty() && !place.ShellTarget) {
        Highlight(nullptr);
        return place;
    }
    if (node != Highlighted) Highlight(node);
    return place;
}
