// Moving through the folder tree's nodes for the go menu: up a level, the
// previous and next folder, expanding or collapsing a whole branch, and
// editing the selected node's name.
#include "browser/ShellTreeView.h"

#include "gui/RedrawHold.h"

bool TSHTreeView::SelectedHasParent() const
{
    HTREEITEM node = SelectedNode();
    return node && Next(node, TVGN_PARENT);
}

void TSHTreeView::Up()
{
    HTREEITEM node = SelectedNode();
    if (!node) return;
    if (SendMessageW(Tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED)
        SendMessageW(Tree, TVM_EXPAND, TVE_COLLAPSE, LPARAM(node));
    else if (HTREEITEM parent = Next(node, TVGN_PARENT))
        SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(parent));
}

void TSHTreeView::ExpandBranch(HTREEITEM node, bool expand)
{
    SendMessageW(Tree, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, LPARAM(node));
    for (HTREEITEM child = Next(node, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) ExpandBranch(child, expand);
}

void TSHTreeView::ExpandBelowSelected(bool expand)
{
    HTREEITEM node = SelectedNode();
    if (!node) return;
    TRedrawHold hold(Tree);
    ExpandBranch(node, expand);
}

HTREEITEM TSHTreeView::NeighbourNode(bool next) const
{
    HTREEITEM node = SelectedNode();
    if (!node) return nullptr;
    if (next) {
        if (HTREEITEM child = Next(node, TVGN_CHILD)) return child;
        for (HTREEITEM up = node; up; up = Next(up, TVGN_PARENT))
            if (HTREEITEM sibling = Next(up, TVGN_NEXT)) return sibling;
        return nullptr;
    }
    HTREEITEM previous = Next(node, TVGN_PREVIOUS);
    if (!previous) return Next(node, TVGN_PARENT);
    // The last node below the previous sibling.
    for (HTREEITEM last = Next(previous, TVGN_CHILD); last; last = Next(previous, TVGN_CHILD)) {
        previous = last;
        while (HTREEITEM sibling = Next(previous, TVGN_NEXT)) previous = sibling;
    }
    return previous;
}

bool TSHTreeView::HasNeighbour(bool next) const { return NeighbourNode(next) != nullptr; }

void TSHTreeView::GoToNeighbour(bool next)
{
    HTREEITEM node = NeighbourNode(next);
    if (!node) return;
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node));
    if (SelectedNode() == node) SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node));
}

void TSHTreeView::ArrowStep(TArrowStep step)
{
    HTREEITEM node = SelectedNode();
    if (!node) return;
    bool expanded = SendMessageW(Tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED;
    HTREEITEM target = nullptr;
    switch (step) {
    case TArrowStep::Left:
        Up();
        return;
    case TArrowStep::Right:
        if (!expanded) {
            ExpandNode(node);
            return;
        }
        target = Next(node, TVGN_CHILD);
        break;
    case TArrowStep::Up: target = Next(node, TVGN_PREVIOUSVISIBLE); break;
    case TArrowStep::Down: target = Next(node, TVGN_NEXTVISIBLE); break;
    }
    if (target) SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(target));
}

void TSHTreeView::EditSelectedLabel()
{
    if (HTREEITEM node = SelectedNode()) SendMessageW(Tree, TVM_EDITLABELW, 0, LPARAM(node));
}

void TSHTreeView::RefreshSelectedChildren()
{
    if (HTREEITEM node = SelectedNode()) RefreshChildren(node);
}
