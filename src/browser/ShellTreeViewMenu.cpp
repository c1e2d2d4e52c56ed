// The shell context menu of the tree's nodes and what follows the entry
// chosen in it, told by the entry's verb.
#include "browser/ShellPopupMenu.h"
#include "browser/ShellTreeView.h"

#include <windowsx.h>

bool TSHTreeView::ContextMenu(LPARAM lParam)
{
    if (!ShellPopupMenu || !Tree) return false;
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HTREEITEM node = nullptr;
    if (lParam == -1) {
        // From the keyboard: the selected node, at its label.
        node = SelectedNode();
        RECT r{};
        POINT client{8, 8};
        if (node && TreeView_GetItemRect(Tree, node, &r, TRUE))
            client = {r.left + 4, (r.top + r.bottom) / 2};
        screen = client;
        ClientToScreen(Tree, &screen);
    } else {
        TVHITTESTINFO hit{};
        hit.pt = screen;
        ScreenToClient(Tree, &hit.pt);
        SendMessageW(Tree, TVM_HITTEST, 0, LPARAM(&hit));
        if (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)) node = hit.hItem;
    }
    if (node) PopupShellMenu(node, screen);
    MouseState = 0;
    return true;
}

void TSHTreeView::PopupShellMenu(HTREEITEM node, POINT screen)
{
    TSHFolderItem* item = ItemOf(node);
    if (!ShellPopupMenu || !item || item->GetLevel() < 1) return;
    bool wasSelected = node == SelectedNode();
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_DROPHILITE, LPARAM(node));
    TSHIDList list;
    list.ParentIDList = item->GetParentList();
    list.Add(item->RelativeList());
    ShellPopupMenu->PopupComponent = Wnd;
    TSHPopupResult result = ShellPopupMenu->Popup(list, screen, ShellOwnerWindow());
    if (Tree) SendMessageW(Tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    if (result.ShellChosen) AfterShellVerb(node, wasSelected, result.Verb, result.Ran);
}

bool TSHTreeView::RunShellVerb(const std::wstring& verb)
{
    HTREEITEM node = SelectedNode();
    TSHFolderItem* item = ItemOf(node);
    if (!ShellPopupMenu || !item || item->GetLevel() < 1) return false;
    TSHIDList list;
    list.ParentIDList = item->GetParentList();
    list.Add(item->RelativeList());
    bool ran = ShellPopupMenu->InvokeVerb(list, verb, ShellOwnerWindow());
    AfterShellVerb(node, true, verb, ran);
    return ran;
}

void TSHTreeView::AfterShellVerb(HTREEITEM node, bool wasSelected, const std::wstring& verb, bool ran)
{
    if (verb == L"rename") {
        SetFocus(Tree);
        SendMessageW(Tree, TVM_EDITLABELW, 0, LPARAM(node));
    } else if (ran && verb == L"delete") {
        if (wasSelected) {
            // The list leaves the folder that went, for its parent.
            HTREEITEM parent = Next(node, TVGN_PARENT);
            if (List) List->StopWatching();
            if (TSHFolderItem* up = ItemOf(parent)) {
                if (List) List->SetFolder(up->GetAbsoluteList());
                SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(parent));
            }
        }
        RebuildCombo(true);
    } else if (ran && verb == L"cut") {
        TreeView_SetItemState(Tree, node, TVIS_CUT, TVIS_CUT);
    }
}
