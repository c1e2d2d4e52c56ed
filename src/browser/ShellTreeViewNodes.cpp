// The folder tree's nodes: inserting them, filling a node's children from
// the shell and merging them in on a refresh, and finding the node of a
// folder.
#include "browser/ShellTreeNode.h"
#include "browser/ShellTreeView.h"
#include "shell/ShellEnumerator.h"
#include "shell/ShellHelpers.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

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

}  // namespace

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
    TIDListPtr desktop = GetSpecialFolderIDList(CSIDL_DESKTOP);
    TIDListPtr directory = GetSpecialFolderIDList(CSIDL_DESKTOPDIRECTORY);
    if (!desktop || !directory) return;
    auto item = std::make_unique<TNodeItem>(nullptr, directory.release(), desktop.release());
    HTREEITEM root = InsertNode(TVI_ROOT, TVI_LAST, item.get());
    if (!root) return;
    item.release();  // the node owns it now
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
