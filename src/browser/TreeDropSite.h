#pragma once
// The folder tree as a drop target: the node under the pointer takes the
// drop and is highlighted; a node hovered over long enough opens.
#include "browser/ShellDropTarget.h"

#include <commctrl.h>

class TSHTreeView;

class TTreeDropSite : public IDropSite {
public:
    // Registers the tree's control as a drop target.
    explicit TTreeDropSite(TSHTreeView& tree);

    HWND DropWindow() const override;
    TDropPlace DropPlaceAt(POINT client, bool folderShellTarget) override;
    void ClearDropHighlight() override;
    void DraggedOver(POINT client) override { ScrollNearEdge(Control, client); }
    IDropTarget* DropTarget() const { return Registration.Target(); }

    // Drag-overs on one node after which it opens.
    static constexpr int kHoverOpens = 30;

private:
    TSHTreeView& Tree;
    HWND Control;
    TDropRegistration Registration;
    HTREEITEM Highlighted = nullptr;
    int HoverCount = 0;

    void Highlight(HTREEITEM node);
};
