#include "browser/ShellTreeView.h"

#include "browser/ShellDragSource.h"
#include "browser/ShellTreeNode.h"
#include "browser/TreeDropSite.h"
#include "fileops/OwnVerbs.h"
#include "shell/ShellHelpers.h"

#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

const wchar_t kClassName[] = L"QvShellTreeView";
constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kEditTimer = 1;
constexpr UINT kResetImagesMessage = WM_USER + 1;
int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM folder)
{
    switch (CompareIDLists(reinterpret_cast<IShellFolder*>(folder), AsNodeItem(a)->RelativeList(),
                           AsNodeItem(b)->RelativeList())) {
    case kIDListAfter:
        return 1;
    case kIDListBefore:
        return -1;
    default:
        return 0;
    }
}

}  // namespace

TSHTreeView::TSHTreeView(HWND parent)
{
    RegisterWindowClass(kClassName, 0);
    CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr);
    if (!Wnd) return;
    Tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                               TVS_SHOWSELALWAYS | TVS_EDITLABELS,
                           0, 0, 0, 0, Wnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!Tree) return;
    SetWindowSubclass(Tree, TreeProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    DropSite = std::make_unique<TTreeDropSite>(*this);
    ResetImages();
    BuildRoot();
    StartDriveWatcher();
}

bool TSHTreeView::ShowsSelectedImage(HTREEITEM node) const
{
    return node && (node == SelectedNode() || node == Next(nullptr, TVGN_DROPHILITE));
}

// The node goes out as a shell drag of its folder.
void TSHTreeView::DragNode(HTREEITEM node)
{
    TSHFolderItem* item = node ? ItemOf(node) : nullptr;
    if (!item || !item->RelativeList() || !item->GetParentList()) return;
    TSHIDList items;
    items.ParentIDList = item->GetParentList();
    items.Add(item->RelativeList());
    MouseState = 3;
    DragShellItems(Wnd, items);
    MouseState = 0;
}

TSHTreeView::~TSHTreeView()
{
    DropSite.reset();
    EndDriveWatcher();
    if (List) List->SetLinkedTree(nullptr);
    List = nullptr;
    if (Combo) Combo->SetLinkedTree(nullptr);
    Combo = nullptr;
    OnSelectNode = nullptr;
    // Destroyed while still a tree view, so that the nodes free their items.
    if (Wnd) DestroyWindow(Wnd);
}

// ---------------------------------------------------------------------------
// Window

LRESULT TSHTreeView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (Tree && hdr->hwndFrom == Tree) return OnNotify(hdr);
        break;
    }
    case WM_SIZE:
        if (Tree) MoveWindow(Tree, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_CONTEXTMENU:
        if (ContextMenu(lParam)) return 0;
        break;
    case WM_SETFOCUS:
        if (Tree) SetFocus(Tree);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kEditTimer) {
            KillTimer(Wnd, kEditTimer);
            if (EditNode && EditNode == SelectedNode() && GetFocus() == Tree)
                SendMessageW(Tree, TVM_EDITLABELW, 0, LPARAM(EditNode));
            EditNode = nullptr;
            return 0;
        }
        break;
    case WM_SETTINGCHANGE:
        PostMessageW(Wnd, kResetImagesMessage, 0, 0);
        break;
    case kResetImagesMessage:
        ResetImages();
        return 0;
    case WM_DESTROY:
        DestroyingWnd = true;
        StopWatching();
        KillTimer(Wnd, kEditTimer);
        if (Tree) {
            SendMessageW(Tree, WM_SETREDRAW, FALSE, 0);
            SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
        }
        History.Clear();
        HistoryTarget = nullptr;
        break;
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}

LRESULT TSHTreeView::OnNotify(NMHDR* hdr)
{
    switch (hdr->code) {
    case TVN_GETDISPINFOW: {
        TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(hdr)->item;
        TNodeItem* data = AsNodeItem(item.lParam);
        if (!data) return 0;
        if (item.mask & TVIF_IMAGE) item.iImage = data->GetIconIndex();
        // The open icon costs as much as the closed one again (for a folder
        // of many files the shell may look through the whole folder), and
        // shows only on the selected or drop-highlighted node; the control
        // asks again when a node becomes one of those.
        if (item.mask & TVIF_SELECTEDIMAGE)
            item.iSelectedImage = ShowsSelectedImage(item.hItem) ? data->GetSelectedIconIndex() : data->GetIconIndex();
        if (item.mask & TVIF_CHILDREN) item.cChildren = data->HasSubfolders() ? 1 : 0;
        return 0;
    }
    case TVN_ITEMEXPANDINGW:
        return ItemExpanding(*reinterpret_cast<NMTREEVIEWW*>(hdr)) ? FALSE : TRUE;
    case TVN_SELCHANGINGW:
        return SelectionChanging(reinterpret_cast<NMTREEVIEWW*>(hdr)->itemNew.hItem) ? FALSE : TRUE;
    case TVN_SELCHANGEDW:
        SelectionChanged(reinterpret_cast<NMTREEVIEWW*>(hdr)->itemNew.hItem);
        return 0;
    case TVN_DELETEITEMW: {
        const TVITEMW& old = reinterpret_cast<NMTREEVIEWW*>(hdr)->itemOld;
        NodeDeleted(old.hItem, AsNodeItem(old.lParam));
        return 0;
    }
    case TVN_BEGINRDRAGW:
        // The control followed a right press on a node until it moved.
        DragNode(reinterpret_cast<NMTREEVIEWW*>(hdr)->itemNew.hItem);
        return 0;
    case TVN_BEGINLABELEDITW: {
        HTREEITEM node = reinterpret_cast<NMTVDISPINFOW*>(hdr)->item.hItem;
        if (!BeginLabelEdit(node)) return TRUE;
        LabelNode = node;
        return FALSE;
    }
    case TVN_ENDLABELEDITW: {
        // Some controls report the end of one edit twice (again when the
        // editor loses the focus as it is hidden): only the first counts.
        const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(hdr)->item;
        bool current = item.hItem == LabelNode;
        LabelNode = nullptr;
        if (current && item.pszText) EndLabelEdit(item.hItem, item.pszText);
        return FALSE;  // the text was set from the item
    }
    default:
        return 0;
    }
}

void TSHTreeView::ResetImages()
{
    HIMAGELIST images = GetSysImageList(false);
    if (images) ImageList_SetBkColor(images, CLR_NONE);
    SendMessageW(Tree, TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(images));
    // Every node, expanded or not: the indices of the new list may differ.
    std::vector<HTREEITEM> pending;
    if (HTREEITEM root = RootNode()) pending.push_back(root);
    while (!pending.empty()) {
        HTREEITEM node = pending.back();
        pending.pop_back();
        if (auto* item = static_cast<TNodeItem*>(ItemOf(node))) item->ResetIcons();
        for (HTREEITEM child = Next(node, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) pending.push_back(child);
    }
    InvalidateRect(Tree, nullptr, TRUE);
}

// ---------------------------------------------------------------------------
// Mouse: the selection follows the release of the left button, not the press.

LRESULT CALLBACK TSHTreeView::TreeProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    auto* self = reinterpret_cast<TSHTreeView*>(data);
    switch (msg) {
    case WM_LBUTTONDOWN:
        // The control would select on the press, inside a loop of its own
        // that swallows the release.
        if (self->LeftButtonDown(lParam)) return 0;
        break;
    case WM_LBUTTONUP:
        if (self->LeftButtonUp()) return 0;
        break;
    case WM_MOUSEMOVE:
        self->MouseMove(lParam);
        break;
    case WM_LBUTTONDBLCLK:
        KillTimer(self->Wnd, kEditTimer);
        self->EditNode = nullptr;
        break;
    case WM_CAPTURECHANGED:
        if (HWND(lParam) != wnd) self->CancelPress();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(wnd, TreeProc, id);
        self->Tree = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(wnd, msg, wParam, lParam);
}

bool TSHTreeView::LeftButtonDown(LPARAM lParam)
{
    KillTimer(Wnd, kEditTimer);
    EditNode = nullptr;
    MouseState = 0;
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SendMessageW(Tree, TVM_HITTEST, 0, LPARAM(&hit));
    bool onNode = hit.hItem && (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON));
    // A press ends a label edit first; the control does that itself.
    if (!onNode || IsEditing()) {
        SendMessageW(Tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
        return false;
    }
    // A second click on the selected label starts editing, as in the control.
    EditOnRelease = (hit.flags & TVHT_ONITEMLABEL) && hit.hItem == SelectedNode() && GetFocus() == Tree &&
                    (GetWindowLongPtrW(Tree, GWL_STYLE) & TVS_EDITLABELS);
    // Kept apart from the drop highlight, which not every control sets on
    // the selected node.
    PressNode = hit.hItem;
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_DROPHILITE, LPARAM(hit.hItem));
    MouseState = 1;
    PressPoint = hit.pt;
    SetFocus(Tree);
    SetCapture(Tree);
    return true;
}

bool TSHTreeView::LeftButtonUp()
{
    bool pressed = MouseState == 1;
    HTREEITEM node = pressed ? PressNode : nullptr;
    MouseState = 0;
    PressNode = nullptr;
    if (node) {
        SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node));
        SendMessageW(Tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
        if (EditOnRelease && node == SelectedNode()) {
            EditNode = node;
            SetTimer(Wnd, kEditTimer, GetDoubleClickTime(), nullptr);
        }
    }
    EditOnRelease = false;
    if (pressed && GetCapture() == Tree) ReleaseCapture();
    return pressed;
}

void TSHTreeView::MouseMove(LPARAM lParam)
{
    if (MouseState != 1) return;
    int dx = GET_X_LPARAM(lParam) - PressPoint.x, dy = GET_Y_LPARAM(lParam) - PressPoint.y;
    if (std::abs(dx) <= kDragDistance && std::abs(dy) <= kDragDistance) return;
    // Moving off with the button held is a drag of the node pressed on,
    // never a selection.
    HTREEITEM node = PressNode;
    CancelPress();
    if (GetCapture() == Tree) ReleaseCapture();
    if (LeftButtonPhysicallyDown()) DragNode(node);
}

void TSHTreeView::CancelPress()
{
    if (MouseState != 1) return;
    MouseState = 0;
    PressNode = nullptr;
    EditOnRelease = false;
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
}

// ---------------------------------------------------------------------------
// Nodes

HTREEITEM TSHTreeView::Next(HTREEITEM node, UINT relation) const
{
    if (!Tree) return nullptr;
    return reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, relation, LPARAM(node)));
}

HTREEITEM TSHTreeView::SelectedNode() const { return Next(nullptr, TVGN_CARET); }

HTREEITEM TSHTreeView::RootNode() const { return Next(nullptr, TVGN_ROOT); }

TSHFolderItem* TSHTreeView::ItemOf(HTREEITEM node) const
{
    if (!node || !Tree) return nullptr;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = node;
    if (!SendMessageW(Tree, TVM_GETITEMW, 0, LPARAM(&item))) return nullptr;
    return AsNodeItem(item.lParam);
}

TSHFolderItem* TSHTreeView::SelectedItem() const { return ItemOf(SelectedNode()); }

void TSHTreeView::SelectIDList(PCIDList absolute)
{
    if (!absolute) return;
    if (TSHFolderItem* selected = SelectedItem()) {
        if (selected->GetLevel() == GetIDListLevel(absolute) &&
            CompareIDLists(DesktopFolder(), selected->GetAbsoluteList(), absolute) == kIDListEqual)
            return;
    }
    if (HTREEITEM node = FindNode(absolute)) SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node));
}

void TSHTreeView::SelectPath(const std::wstring& path)
{
    if (TIDListPtr list = PathToIDList(path)) SelectIDList(list.get());
}

PCIDList TSHTreeView::GetSelectedIDList() const
{
    TSHFolderItem* item = SelectedItem();
    if (!item) item = ItemOf(RootNode());
    return item ? item->GetAbsoluteList() : nullptr;
}

std::wstring TSHTreeView::GetSelectedPath() const
{
    TSHFolderItem* item = SelectedItem();
    return item ? item->GetPath() : std::wstring();
}

// ---------------------------------------------------------------------------
// Selection and history

bool TSHTreeView::SelectionChanging(HTREEITEM target)
{
    if (MouseState == 1 || MouseState == 2 || DestroyingWnd || (List && List->FolderLock())) return false;
    HTREEITEM selected = SelectedNode();
    if (selected == DeletedSelection) selected = nullptr;  // no visit to record
    DeletedSelection = nullptr;
    // A back or forward step is no new visit.
    if (selected && target != HistoryTarget) {
        History.Visit(selected);
        HistoryTarget = nullptr;
    }
    return true;
}

void TSHTreeView::SelectionChanged(HTREEITEM node)
{
    DeletedSelection = nullptr;
    if (node && Combo)
        if (TSHFolderItem* item = ItemOf(node)) Combo->SelectIDList(item->GetAbsoluteList());
    if (node && List)
        if (TSHFolderItem* item = ItemOf(node)) List->SetFolder(item->GetAbsoluteList());
    if (node && OnSelectNode) OnSelectNode(*this, node);
}

bool TSHTreeView::GoBack(int index) { return HistoryStep(History.StepBack(CurrentNode(), index)); }

bool TSHTreeView::GoForward(int index) { return HistoryStep(History.StepForward(CurrentNode(), index)); }

std::optional<HTREEITEM> TSHTreeView::CurrentNode() const
{
    HTREEITEM selected = SelectedNode();
    return selected ? std::optional<HTREEITEM>(selected) : std::nullopt;
}

bool TSHTreeView::HistoryStep(std::optional<HTREEITEM> target)
{
    if (!target) return false;
    HistoryTarget = *target;
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(HistoryTarget));
    HistoryTarget = nullptr;
    return true;
}

void TSHTreeView::NodeDeleted(HTREEITEM node, TSHFolderItem* item)
{
    if (!DestroyingWnd) {
        History.Forget(node);
        // A folder that went away cannot stay locked in the list.
        if (item && List && List->FolderLock()) List->SetFolderLock(false);
    }
    if (node == SelectedNode()) DeletedSelection = node;
    if (node == HistoryTarget) HistoryTarget = nullptr;
    if (node == WatchNode) WatchNode = nullptr;
    if (node == FreshNode) FreshNode = nullptr;
    if (node == EditNode) EditNode = nullptr;
    if (node == LabelNode) LabelNode = nullptr;
    if (node == PressNode) PressNode = nullptr;
    delete static_cast<TNodeItem*>(item);
}

// ---------------------------------------------------------------------------
// Renaming, commands, new folder

bool TSHTreeView::IsEditing() const { return Tree && SendMessageW(Tree, TVM_GETEDITCONTROL, 0, 0) != 0; }

bool TSHTreeView::BeginLabelEdit(HTREEITEM node)
{
    if (MouseState >= 1 && MouseState <= 3) return false;
    TSHFolderItem* item = ItemOf(node);
    if (!item || item->GetLevel() < 1 || !item->HasAttributes(SFGAO_CANRENAME)) return false;
    if (HWND edit = reinterpret_cast<HWND>(SendMessageW(Tree, TVM_GETEDITCONTROL, 0, 0)))
        SetWindowTextW(edit, item->GetEditingName().c_str());
    return true;
}

void TSHTreeView::EndLabelEdit(HTREEITEM node, const wchar_t* text)
{
    auto* item = static_cast<TNodeItem*>(ItemOf(node));
    if (!item) return;
    StopWatching();
    if (List) List->StopWatching();

    std::wstring name = text;
    bool renamed = false;
    IShellFolder* folder = item->GetParentFolder();
    if (folder && !name.empty() && item->GetLevel() >= 1 && item->HasAttributes(SFGAO_CANRENAME)) {
        PIDList relative = nullptr;
        if (RenameShellItem(folder, ShellOwnerWindow(), item->RelativeList(), item->GetEditingName(), name,
                            kEditingNameFlags, relative)) {
            renamed = true;
            item->Renamed(relative);
            SHChangeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
            // The children's lists hold the old name.
            bool expanded = SendMessageW(Tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED;
            DeleteChildren(node);
            TVSORTCB sort{};
            sort.hParent = Next(node, TVGN_PARENT);
            sort.lpfnCompare = CompareNodes;
            sort.lParam = LPARAM(folder);
            SendMessageW(Tree, TVM_SORTCHILDRENCB, 0, LPARAM(&sort));
            RefreshChildren(node);
            if (expanded) SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node));
        }
    }
    std::wstring shown = item->GetDisplayName();
    TVITEMW tv{};
    tv.mask = TVIF_HANDLE | TVIF_TEXT;
    tv.hItem = node;
    tv.pszText = shown.data();
    SendMessageW(Tree, TVM_SETITEMW, 0, LPARAM(&tv));
    if (renamed && Combo && item->GetLevel() == 1) RebuildCombo(false);
    if (renamed && List)
        if (PCIDList selected = GetSelectedIDList()) List->SetFolder(selected);

    if (List) List->StartWatching();
    StartWatching();
}

bool TSHTreeView::ExecuteCommand(TShellCommand command)
{
    TSHFolderItem* item = SelectedItem();
    if (!item) return false;
    if (item->GetLevel() >= 1) {
        TSHIDList list;
        list.ParentIDList = item->GetParentList();
        list.Add(item->RelativeList());
        if (command == TShellCommand::scDelete) {
            // The process must not hold on to what is deleted.
            wchar_t temp[MAX_PATH + 1] = {};
            if (GetTempPathW(MAX_PATH + 1, temp)) SetCurrentDirectoryW(temp);
        }
        return RunShellCommand(ShellOwnerWindow(), list, command);
    }
    // The root stands for the desktop directory: only pasting into it.
    if (command != TShellCommand::scPaste) return false;
    PCIDList directory = item->RelativeList();
    PIDList parent = GetParentIDList(directory);
    if (!parent) parent = CopyIDList(SpecialFolderIDList(CSIDL_DESKTOP));
    TSHIDList2 list;
    list.SetParent(parent);
    list.AddOwned(GetLastItem(directory));
    return list.Count() == 1 && list.Items(0) && RunShellCommand(ShellOwnerWindow(), list, command);
}

bool TSHTreeView::NewFolder()
{
    HTREEITEM node = SelectedNode();
    TSHFolderItem* item = ItemOf(node);
    if (!item) return false;
    std::wstring folder = item->GetPath();
    if (folder.empty()) return false;
    std::wstring name = CreateNewFolder(folder);
    if (name.empty()) return false;

    RefreshChildren(node);
    for (HTREEITEM child = Next(node, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) {
        TSHFolderItem* childItem = ItemOf(child);
        if (!childItem || childItem->GetDisplayName() != name) continue;
        SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(child));
        // Editing selects the node as well, on some platforms without asking.
        if (SelectedNode() == child) {
            SetFocus(Tree);
            SendMessageW(Tree, TVM_EDITLABELW, 0, LPARAM(child));
        }
        break;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Properties and the linked list view

void TSHTreeView::SetShellListView(IShLinkedList* list)
{
    if (List && List != list) List->SetLinkedTree(nullptr);
    List = list;
    if (!List) return;
    List->SetLinkedTree(this);
    List->TakeIncludeHidden(Hidden);
    List->TakeShVirtuaItems(Virtual);
    if (PCIDList selected = GetSelectedIDList()) List->SetFolder(selected);
}

void TSHTreeView::SetIncludeHidden(bool include)
{
    Hidden = include;
    if (List) List->TakeIncludeHidden(include);
    RefreshAll();
    ShareWithCombo();
    if (List)
        if (PCIDList selected = GetSelectedIDList()) List->SetFolder(selected);
}

void TSHTreeView::SetShVirtuaItems(unsigned items)
{
    Virtual = items;
    if (List) List->TakeShVirtuaItems(items);
    RefreshAll();
    ShareWithCombo();
}

void TSHTreeView::TakeIncludeHidden(bool include)
{
    Hidden = include;
    RefreshAll();
    ShareWithCombo();
}

void TSHTreeView::TakeShVirtuaItems(unsigned items)
{
    Virtual = items;
    RefreshAll();
    ShareWithCombo();
}

void TSHTreeView::SetHotTrack(bool hotTrack)
{
    LONG_PTR style = GetWindowLongPtrW(Tree, GWL_STYLE);
    SetWindowLongPtrW(Tree, GWL_STYLE, hotTrack ? (style | TVS_TRACKSELECT) : (style & ~LONG_PTR(TVS_TRACKSELECT)));
}

void TSHTreeView::SetColors(COLORREF background, COLORREF text)
{
    SendMessageW(Tree, TVM_SETBKCOLOR, 0, LPARAM(background));
    SendMessageW(Tree, TVM_SETTEXTCOLOR, 0, LPARAM(text));
}

void TSHTreeView::SetTreeFont(HFONT font) { SendMessageW(Tree, WM_SETFONT, WPARAM(font), TRUE); }
