#include "browser/ShellTreeView.h"

#include "browser/ShellDragSource.h"
#include "browser/TreeDropSite.h"
#include "fileops/OwnVerbs.h"

#include "shell/ShellEnumerator.h"

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
constexpr size_t kMaxBackEntries = 9;
// The tree's own value for a name typed in the label editor: read by the
// shells as a plain name inside the item's folder.

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

TNodeItem* AsNodeItem(LPARAM lParam) { return reinterpret_cast<TNodeItem*>(lParam); }

std::wstring UpperExtension(const std::wstring& name)
{
    size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || name.find_first_of(L"\\/", dot) != std::wstring::npos) return {};
    std::wstring ext = name.substr(dot);
    CharUpperBuffW(ext.data(), DWORD(ext.size()));
    return ext;
}

// The file's own name, extension included even where the shell hides known
// extensions from display names.
std::wstring FileNameOf(TNodeItem& item)
{
    std::wstring name;
    if (IShellFolder* folder = item.GetParentFolder())
        GetItemDisplayName(folder, item.RelativeList(), SHGDN_INFOLDER | SHGDN_FORPARSING, name);
    return name.empty() ? item.GetDisplayName() : name;
}

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
        Back.clear();
        Forward.clear();
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

HTREEITEM TSHTreeView::InsertNode(HTREEITEM parent, HTREEITEM after, TSHFolderItem* item)
{
    std::wstring text = item->GetDisplayName();
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = text.data();
    // Icons are asked for when the node is painted: the item caches them.
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.lParam = LPARAM(item);
    auto node = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_INSERTITEMW, 0, LPARAM(&insert)));
    if (node == DeletedSelection) DeletedSelection = nullptr;  // the handle was reused
    if (node) Attach(node, item);
    return node;
}

void TSHTreeView::Attach(HTREEITEM node, TSHFolderItem* item)
{
    auto* data = static_cast<TNodeItem*>(item);
    data->Node = node;
    data->SubfolderMark = -1;
    int overlay = data->GetOverlayIndex();
    TVITEMW tv{};
    tv.mask = TVIF_HANDLE | TVIF_CHILDREN | TVIF_STATE;
    tv.hItem = node;
    // Asking for SFGAO_HASSUBFOLDER can mean reading the folder: only done
    // when the node is shown.
    tv.cChildren = I_CHILDRENCALLBACK;
    tv.stateMask = TVIS_OVERLAYMASK;
    tv.state = overlay >= 0 ? INDEXTOOVERLAYMASK(overlay + 1) : 0;
    SendMessageW(Tree, TVM_SETITEMW, 0, LPARAM(&tv));
}

void TSHTreeView::SetChildrenMark(HTREEITEM node, int children)
{
    TVITEMW tv{};
    tv.mask = TVIF_HANDLE | TVIF_CHILDREN;
    tv.hItem = node;
    tv.cChildren = children;
    SendMessageW(Tree, TVM_SETITEMW, 0, LPARAM(&tv));
}

void TSHTreeView::DeleteChildren(HTREEITEM node)
{
    for (HTREEITEM child = Next(node, TVGN_CHILD); child;) {
        HTREEITEM next = Next(child, TVGN_NEXT);
        SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(child));
        child = next;
    }
}

void TSHTreeView::BuildRoot()
{
    PIDList desktop = nullptr, directory = nullptr;
    if (!GetSpecialFolderIDList(CSIDL_DESKTOP, desktop) || !GetSpecialFolderIDList(CSIDL_DESKTOPDIRECTORY, directory)) {
        FreeIDList(desktop);
        FreeIDList(directory);
        return;
    }
    auto* item = new TNodeItem(nullptr, directory, desktop);
    HTREEITEM root = InsertNode(TVI_ROOT, TVI_LAST, item);
    if (!root) {
        delete item;
        return;
    }
    SetChildrenMark(root, 1);
    ExpandNode(root);
    if (HTREEITEM first = Next(root, TVGN_CHILD)) ExpandNode(first);
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(root));
}

void TSHTreeView::RefreshChildren(HTREEITEM node)
{
    auto* item = static_cast<TNodeItem*>(ItemOf(node));
    if (!item) return;
    int level = item->GetLevel();
    ComPtr<IShellFolder> folder;
    if (level == 0) *folder.Put() = BindFolder(item->GetAbsoluteList());
    else if (IShellFolder* parent = item->GetParentFolder())
        parent->BindToObject(item->RelativeList(), nullptr, IID_IShellFolder, folder.PutVoid());
    if (!folder) return;

    TEnumerationRequest request;
    request.Folder = folder.Get();
    request.Owner = Tree;
    request.Flags = SHCONTF_FOLDERS | (Hidden ? SHCONTF_INCLUDEHIDDEN : 0) |
                    (ZipFolder || !FileMask.empty() ? SHCONTF_NONFOLDERS : 0);
    request.Place = {level, level == 1 ? item->Kind() : itUnknown};
    request.Shown = Virtual;

    // The enumeration, filtered: the shared rule for virtual objects, then
    // the tree's own for zip files and the file mask.
    std::vector<std::unique_ptr<TNodeItem>> items;
    std::wstring maskExtension = L"." + FileMask;
    CharUpperBuffW(maskExtension.data(), DWORD(maskExtension.size()));
    auto make = [&](PIDList id) {
        PIDList absolute = level == 0 ? CopyIDList(id) : ConcatIDLists(item->GetAbsoluteList(), id);
        auto child = std::make_unique<TNodeItem>(nullptr, id, absolute);
        if (!child->IsValid()) return std::unique_ptr<TNodeItem>();
        child->SetFolder(folder.Get());
        return child;
    };
    auto kindOf = [](TNodeItem& child) { return child.Kind(); };
    auto take = [&](std::unique_ptr<TNodeItem> child) {
        if (ZipFolder || !FileMask.empty()) {
            TShItemIDType kind = child->Kind();
            if (ZipFolder) {
                if (kind == itFile) {
                    std::wstring ext = UpperExtension(FileNameOf(*child));
                    if (ext != L".ZIP" && ext != L".CAB" && ext != L".LZH") return;
                } else if (!child->HasAttributes(SFGAO_FOLDER)) {
                    return;
                }
            }
            if (!FileMask.empty() && kind == itFile && UpperExtension(FileNameOf(*child)) != maskExtension) return;
        }
        items.push_back(std::move(child));
    };
    if (!EnumerateChildren(request, make, kindOf, take)) return;
    IShellFolder* sorter = folder.Get();
    std::stable_sort(items.begin(), items.end(), [sorter](const auto& a, const auto& b) {
        return CompareIDLists(sorter, a->RelativeList(), b->RelativeList()) == kIDListBefore;
    });

    // Merged into the children, which are in the same order.
    HTREEITEM child = Next(node, TVGN_CHILD);
    for (size_t i = 0; i < items.size();) {
        if (!child) {
            if (InsertNode(node, TVI_LAST, items[i].get())) items[i].release();
            ++i;
            continue;
        }
        switch (CompareIDLists(sorter, ItemOf(child)->RelativeList(), items[i]->RelativeList())) {
        case kIDListEqual:
            child = Next(child, TVGN_NEXT);
            ++i;
            break;
        case kIDListAfter: {
            HTREEITEM previous = Next(child, TVGN_PREVIOUS);
            if (InsertNode(node, previous ? previous : TVI_FIRST, items[i].get())) items[i].release();
            ++i;
            break;
        }
        default: {  // gone from the folder
            HTREEITEM next = Next(child, TVGN_NEXT);
            SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(child));
            child = next;
            break;
        }
        }
    }
    while (child) {
        HTREEITEM next = Next(child, TVGN_NEXT);
        SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(child));
        child = next;
    }
    SetChildrenMark(node, Next(node, TVGN_CHILD) ? 1 : 0);
}

void TSHTreeView::ExpandNode(HTREEITEM node)
{
    // The control asks before the first expansion only; a node without
    // children is filled here.
    if (!Next(node, TVGN_CHILD)) {
        RefreshChildren(node);
        FreshNode = node;
    }
    SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node));
    FreshNode = nullptr;
}

bool TSHTreeView::ItemExpanding(const NMTREEVIEWW& info)
{
    if (DestroyingWnd || (info.action & (TVE_EXPAND | TVE_COLLAPSE)) != TVE_EXPAND) return true;
    HTREEITEM node = info.itemNew.hItem;
    auto* item = static_cast<TNodeItem*>(ItemOf(node));
    if (!item || node == FreshNode) return true;
    if (MouseState == 3 && item->GetLevel() >= 2) {
        // Hovering a drag over an empty drive must not wait for it.
        TShItemIDType kind = item->Kind();
        if (kind == itVirtual) return false;
        if (kind == itRootDrive) {
            TNoCriticalErrorBoxes quiet;
            std::wstring root = IncludeBackslash(item->GetPath());
            if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) return false;
        }
    }
    RefreshChildren(node);
    return true;
}

void TSHTreeView::RefreshAll()
{
    for (HTREEITEM node = RootNode(); node; node = Next(node, TVGN_NEXTVISIBLE)) {
        bool expanded = SendMessageW(Tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED;
        if (expanded || Next(node, TVGN_CHILD)) RefreshChildren(node);
        else if (TSHFolderItem* item = ItemOf(node)) Attach(node, item);
    }
}

HTREEITEM TSHTreeView::FindNode(PCIDList absolute)
{
    HTREEITEM root = RootNode();
    if (!root || GetIDListLevel(absolute) <= 0) return root;
    if (!Next(root, TVGN_CHILD)) RefreshChildren(root);
    HTREEITEM child = Next(root, TVGN_CHILD);
    PCIDList id = absolute;
    bool refreshed = false;  // each level is refreshed at most once
    while (child && id && id->mkid.cb) {
        TIDListPtr single(CopyFirstItem(id));
        TSHFolderItem* item = ItemOf(child);
        int order = item ? CompareIDLists(item->GetParentFolder(), item->RelativeList(), single.get())
                         : kIDListCompareFailed;
        HTREEITEM parent = Next(child, TVGN_PARENT);
        if (order == kIDListEqual) {
            id = NextItem(id);
            if (!id) return child;  // that was the last identifier
            ExpandNode(child);
            child = Next(child, TVGN_CHILD);
            refreshed = false;
        } else if (order == kIDListAfter) {
            // Missing from an outdated level: it would sit before this child.
            if (refreshed) break;
            refreshed = true;
            if (Combo) Combo->Rebuild();
            WatchNode = child;
            RefreshChildren(parent);
            if (!WatchNode) break;
            WatchNode = nullptr;
            HTREEITEM previous = Next(child, TVGN_PREVIOUS);
            child = previous ? previous : child;
        } else if (order == kIDListBefore) {
            HTREEITEM next = Next(child, TVGN_NEXT);
            if (!next && !refreshed) {
                refreshed = true;
                WatchNode = child;
                RefreshChildren(parent);
                if (!WatchNode) break;
                WatchNode = nullptr;
                next = Next(child, TVGN_NEXT);
            }
            child = next;
        } else {
            break;
        }
    }
    WatchNode = nullptr;
    return root;
}

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
    PIDList list = nullptr;
    if (!PathToIDList(path, list)) return;
    SelectIDList(list);
    FreeIDList(list);
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
        if (Back.empty() || Back.back() != selected) {
            Back.push_back(selected);
            if (Back.size() > kMaxBackEntries) Back.erase(Back.begin(), Back.end() - kMaxBackEntries);
        }
        HistoryTarget = nullptr;
        Forward.clear();
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

bool TSHTreeView::HistoryStep(std::vector<HTREEITEM>& from, std::vector<HTREEITEM>& to, int index)
{
    if (from.empty() || (index >= 0 && size_t(index) >= from.size())) return false;
    HTREEITEM selected = SelectedNode();
    if (selected && (to.empty() || to.back() != selected)) to.push_back(selected);
    if (index >= 0)
        while (from.size() > size_t(index) + 1) {
            to.push_back(from.back());
            from.pop_back();
        }
    HistoryTarget = from.back();
    from.pop_back();
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(HistoryTarget));
    HistoryTarget = nullptr;
    return !from.empty();
}

bool TSHTreeView::GoBack(int index) { return HistoryStep(Back, Forward, index); }

bool TSHTreeView::GoForward(int index) { return HistoryStep(Forward, Back, index); }

void TSHTreeView::NodeDeleted(HTREEITEM node, TSHFolderItem* item)
{
    if (!DestroyingWnd) {
        std::erase(Back, node);
        std::erase(Forward, node);
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
