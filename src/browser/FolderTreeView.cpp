#include "browser/FolderTreeView.h"

#include "gui/Handles.h"
#include "gui/RedrawHold.h"
#include "gui/WaitCursor.h"
#include "shell/ShellEnumerator.h"
#include "shell/ShellHelpers.h"

#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace {

const wchar_t kClassName[] = L"QvFolderTreeView";

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

std::wstring WithBackslashAfterColon(std::wstring path)
{
    if (!path.empty() && path.back() == L':') path += L'\\';
    return path;
}

// The caption of a child: its name in its folder, or its normal name where
// that is a class identifier.
std::wstring ChildText(IShellFolder* parent, PCIDList relative)
{
    std::wstring name;
    GetItemDisplayName(parent, relative, SHGDN_INFOLDER, name);
    if (name.rfind(L"::{", 0) == 0) GetItemDisplayName(parent, relative, SHGDN_NORMAL, name);
    return name;
}

// Whether a folder enumerates at least one object.
bool HasAnyChild(IShellFolder* folder, SHCONTF flags)
{
    TChildEnumerator children(folder, nullptr, flags);
    if (!children) return false;
    TIDListPtr first(children.Next());
    return first != nullptr;
}

}  // namespace

// What a node holds: the item's lists, its folder once bound, and its path.
struct TFolderTreeView::TShellFolder {
    TShellFolder* Parent = nullptr;  // not owned; null for the top node
    TIDListPtr Relative, Absolute;
    ComPtr<IShellFolder> ParentFolder;
    ComPtr<IShellFolder> Folder;     // this item's own, when it is a folder
    std::wstring Path;
    int Level = 0;
    bool IsFolder = false;

    IShellFolder* BindFolder()
    {
        if (!Folder && IsFolder) {
            if (!Parent) *Folder.Put() = ::BindFolder(Absolute.get());
            else if (ParentFolder)
                ParentFolder->BindToObject(Relative.get(), nullptr, IID_IShellFolder, Folder.PutVoid());
        }
        return Folder.Get();
    }
};

TFolderTreeView::TFolderTreeView(HWND parent, int id)
{
    RegisterWindowClass(kClassName, 0);
    CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                 reinterpret_cast<HMENU>(INT_PTR(id)));
    if (!Wnd) return;
    // No lines or button at the top level; the selection shows unfocused.
    Tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
                           0, 0, 0, 0, Wnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    HIMAGELIST images = GetSysImageList(false);
    if (images) ImageList_SetBkColor(images, CLR_NONE);
    SendMessageW(Tree, TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(images));
}

TFolderTreeView::~TFolderTreeView()
{
    OnSelectNode = nullptr;
    OnRenameNode = nullptr;
    if (Wnd) DestroyWindow(Wnd);
}

LRESULT TFolderTreeView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
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
    case WM_SETFOCUS:
        if (Tree) SetFocus(Tree);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        // The nodes free what they hold while the control is still there.
        if (Tree) {
            ++Quiet;
            SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
            --Quiet;
        }
        break;
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}

LRESULT TFolderTreeView::OnNotify(NMHDR* hdr)
{
    switch (hdr->code) {
    case TVN_ITEMEXPANDINGW: {
        auto* info = reinterpret_cast<NMTREEVIEWW*>(hdr);
        if ((info->action & TVE_EXPAND) && !Next(info->itemNew.hItem, TVGN_CHILD)) FillNode(info->itemNew.hItem);
        return FALSE;
    }
    case TVN_SELCHANGEDW: {
        auto* info = reinterpret_cast<NMTREEVIEWW*>(hdr);
        if (!Quiet && OnSelectNode && info->itemNew.hItem) OnSelectNode(*this, info->itemNew.hItem);
        return 0;
    }
    case TVN_DELETEITEMW:
        delete reinterpret_cast<TShellFolder*>(reinterpret_cast<NMTREEVIEWW*>(hdr)->itemOld.lParam);
        return 0;
    case NM_CLICK: {
        // A click on the node already selected goes there again.
        DWORD pos = GetMessagePos();
        TVHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
        ScreenToClient(Tree, &hit.pt);
        SendMessageW(Tree, TVM_HITTEST, 0, LPARAM(&hit));
        if (hit.hItem && hit.hItem == SelectedNode() && (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)) &&
            OnSelectNode)
            OnSelectNode(*this, hit.hItem);
        return 0;
    }
    case NM_RCLICK:
        RightClick();
        return TRUE;  // no menu of its own
    case TVN_BEGINLABELEDITW:
        // The top node is the folder itself: it keeps its name.
        return reinterpret_cast<NMTVDISPINFOW*>(hdr)->item.hItem == RootNode() ? TRUE : FALSE;
    case TVN_ENDLABELEDITW: {
        const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(hdr)->item;
        if (item.pszText && OnRenameNode) OnRenameNode(*this, item.hItem, item.pszText);
        return FALSE;  // a renamed entry comes back with the rebuild
    }
    default:
        return 0;
    }
}

void TFolderTreeView::RightClick()
{
    DWORD pos = GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ScreenToClient(Tree, &hit.pt);
    SendMessageW(Tree, TVM_HITTEST, 0, LPARAM(&hit));
    if (!hit.hItem || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL))) return;
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(hit.hItem));
}

HTREEITEM TFolderTreeView::Next(HTREEITEM node, UINT relation) const
{
    if (!Tree) return nullptr;
    return reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, relation, LPARAM(node)));
}

HTREEITEM TFolderTreeView::RootNode() const { return Next(nullptr, TVGN_ROOT); }
HTREEITEM TFolderTreeView::SelectedNode() const { return Next(nullptr, TVGN_CARET); }

TFolderTreeView::TShellFolder* TFolderTreeView::FolderOf(HTREEITEM node) const
{
    if (!node || !Tree) return nullptr;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = node;
    if (!SendMessageW(Tree, TVM_GETITEMW, 0, LPARAM(&item))) return nullptr;
    return reinterpret_cast<TShellFolder*>(item.lParam);
}

std::wstring TFolderTreeView::PathOf(HTREEITEM node) const
{
    TShellFolder* folder = FolderOf(node);
    return folder ? folder->Path : std::wstring();
}

std::wstring TFolderTreeView::SelectedPath() const { return PathOf(SelectedNode()); }

bool TFolderTreeView::IsFolderNode(HTREEITEM node) const
{
    TShellFolder* folder = FolderOf(node);
    return folder && folder->IsFolder;
}

std::wstring TFolderTreeView::TextOf(HTREEITEM node) const
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(Tree, TVM_GETITEMW, 0, LPARAM(&item));
    return text;
}

void TFolderTreeView::SelectQuietly(HTREEITEM node)
{
    ++Quiet;
    SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node));
    --Quiet;
}

HTREEITEM TFolderTreeView::InsertNode(HTREEITEM parent, TShellFolder* folder, const std::wstring& text)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE;
    std::wstring caption = text;
    insert.item.pszText = caption.data();
    insert.item.iImage = GetSysIconIndex(folder->Absolute.get(), false, false);
    insert.item.iSelectedImage = GetSysIconIndex(folder->Absolute.get(), false, true);
    insert.item.lParam = LPARAM(folder);
    // Children: a folder's sub-folders, and with files shown anything it
    // holds (what the mask leaves out is found when it is expanded).
    bool children = false;
    if (folder->IsFolder) {
        if (IShellFolder* own = folder->BindFolder()) {
            TNoCriticalErrorBoxes quiet;
            children = HasAnyChild(own, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
        }
    }
    insert.item.cChildren = children ? 1 : 0;
    // The system's overlays: 1 shared, 2 shortcut.
    ULONG attributes = SFGAO_SHARE | SFGAO_LINK;
    IShellFolder* parentFolder = folder->Parent ? folder->ParentFolder.Get() : nullptr;
    PCIDList relative = folder->Relative.get();
    if (parentFolder && SUCCEEDED(parentFolder->GetAttributesOf(1, &relative, &attributes))) {
        insert.item.stateMask = TVIS_OVERLAYMASK;
        insert.item.state = (attributes & SFGAO_SHARE)  ? INDEXTOOVERLAYMASK(1)
                          : (attributes & SFGAO_LINK) ? INDEXTOOVERLAYMASK(2)
                                                      : 0;
    }
    auto node = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_INSERTITEMW, 0, LPARAM(&insert)));
    if (!node) delete folder;
    return node;
}

void TFolderTreeView::SetChildren(HTREEITEM node, bool children)
{
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = node;
    item.cChildren = children ? 1 : 0;
    SendMessageW(Tree, TVM_SETITEMW, 0, LPARAM(&item));
}

void TFolderTreeView::FillNode(HTREEITEM node)
{
    TShellFolder* parent = FolderOf(node);
    IShellFolder* folder = parent ? parent->BindFolder() : nullptr;
    if (!folder) {
        SetChildren(node, false);
        return;
    }
    TWaitCursor wait;
    TNoCriticalErrorBoxes quiet;
    struct TChild {
        std::unique_ptr<TShellFolder> Folder;
        std::wstring Text;
    };
    std::vector<TChild> children;
    TChildEnumerator items(folder, GetAncestor(Wnd, GA_ROOT), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    if (items) {
        while (PIDList id = items.Next()) {
            auto child = std::make_unique<TShellFolder>();
            child->Parent = parent;
            child->Relative.reset(id);
            child->Absolute.reset(ConcatIDLists(parent->Absolute.get(), id));
            if (!child->Absolute) continue;
            folder->AddRef();
            *child->ParentFolder.Put() = folder;
            child->Level = parent->Level + 1;
            PCIDList relative = id;
            ULONG attributes = SFGAO_FOLDER | SFGAO_STREAM | SFGAO_LINK;
            if (FAILED(folder->GetAttributesOf(1, &relative, &attributes))) attributes = 0;
            // A zip file or a shortcut to a folder is a file here.
            child->IsFolder = (attributes & SFGAO_FOLDER) && !(attributes & (SFGAO_STREAM | SFGAO_LINK));
            IDListToPath(child->Absolute.get(), child->Path);
            if (!child->IsFolder && !Mask.empty() && !PathMatchSpecW(child->Path.c_str(), Mask.c_str())) continue;
            std::wstring text = ChildText(folder, id);
            children.push_back({std::move(child), std::move(text)});
        }
    }
    std::stable_sort(children.begin(), children.end(), [folder](const TChild& a, const TChild& b) {
        return CompareIDLists(folder, a.Folder->Relative.get(), b.Folder->Relative.get()) == kIDListBefore;
    });
    for (TChild& child : children) InsertNode(node, child.Folder.release(), child.Text);
    SetChildren(node, Next(node, TVGN_CHILD) != nullptr);
}

bool TFolderTreeView::BuildRoot(const std::wstring& root)
{
    TIDListPtr absolute = PathToIDList(WithBackslashAfterColon(root));
    if (!absolute) return false;
    auto folder = std::make_unique<TShellFolder>();
    folder->Absolute = std::move(absolute);
    folder->Relative.reset(CopyIDList(folder->Absolute.get()));
    ULONG attributes = SFGAO_FOLDER;
    PCIDList list = folder->Absolute.get();
    folder->IsFolder = SUCCEEDED(DesktopFolder()->GetAttributesOf(1, &list, &attributes)) && (attributes & SFGAO_FOLDER);
    IDListToPath(folder->Absolute.get(), folder->Path);
    std::wstring text = RootText;
    if (text.empty()) GetItemDisplayName(DesktopFolder(), folder->Absolute.get(), SHGDN_NORMAL, text);

    ++Quiet;
    SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
    HTREEITEM node = InsertNode(TVI_ROOT, folder.release(), text);
    if (node) {
        SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node));
        if (!Next(node, TVGN_CHILD)) FillNode(node);
        SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node));
    }
    --Quiet;
    return node != nullptr;
}

bool TFolderTreeView::SetRoot(const std::wstring& root)
{
    if (!RootPath.empty() && SamePath(root, RootPath)) return true;
    // A root the shell cannot show leaves the tree as it was.
    if (!PathToIDList(WithBackslashAfterColon(root))) return false;
    if (!BuildRoot(root)) return false;
    RootPath = root;
    return true;
}

void TFolderTreeView::SetFileMask(const std::wstring& mask)
{
    if (mask == Mask) return;
    Mask = mask;
    HTREEITEM node = SelectedNode();
    if (!node || !IsFolderNode(node)) return;
    TRedrawHold hold(Tree);
    ++Quiet;
    for (HTREEITEM child = Next(node, TVGN_CHILD); child;) {
        HTREEITEM next = Next(child, TVGN_NEXT);
        SendMessageW(Tree, TVM_DELETEITEM, 0, LPARAM(child));
        child = next;
    }
    --Quiet;
    FillNode(node);
}

void TFolderTreeView::SetRootText(const std::wstring& text)
{
    RootText = text;
    HTREEITEM root = RootNode();
    if (!root || text.empty()) return;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = root;
    std::wstring caption = text;
    item.pszText = caption.data();
    SendMessageW(Tree, TVM_SETITEMW, 0, LPARAM(&item));
}

void TFolderTreeView::SetReadOnly(bool readOnly)
{
    LONG_PTR style = GetWindowLongPtrW(Tree, GWL_STYLE);
    SetWindowLongPtrW(Tree, GWL_STYLE, readOnly ? (style & ~LONG_PTR(TVS_EDITLABELS)) : (style | TVS_EDITLABELS));
}

void TFolderTreeView::SetLook(HFONT font, COLORREF background, COLORREF text, bool hotTrack)
{
    SendMessageW(Tree, WM_SETFONT, WPARAM(font), TRUE);
    SendMessageW(Tree, TVM_SETBKCOLOR, 0, LPARAM(background));
    SendMessageW(Tree, TVM_SETTEXTCOLOR, 0, LPARAM(text));
    LONG_PTR style = GetWindowLongPtrW(Tree, GWL_STYLE);
    SetWindowLongPtrW(Tree, GWL_STYLE, hotTrack ? (style | TVS_TRACKSELECT) : (style & ~LONG_PTR(TVS_TRACKSELECT)));
    InvalidateRect(Tree, nullptr, TRUE);
}

void TFolderTreeView::Expand(HTREEITEM node)
{
    if (!Next(node, TVGN_CHILD)) FillNode(node);
    SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node));
}

HTREEITEM TFolderTreeView::ChildOfPath(HTREEITEM node, const std::wstring& path)
{
    if (!Next(node, TVGN_CHILD)) FillNode(node);
    for (HTREEITEM child = Next(node, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) {
        std::wstring own = PathOf(child);
        if (own.empty()) continue;
        if (SamePath(own, path)) return child;
        std::wstring prefix = own + L"\\";
        if (path.size() > prefix.size() && SamePath(path.substr(0, prefix.size()), prefix)) return child;
    }
    return nullptr;
}

bool TFolderTreeView::SelectPath(const std::wstring& path)
{
    HTREEITEM node = RootNode();
    while (node && !SamePath(PathOf(node), path)) {
        HTREEITEM child = ChildOfPath(node, path);
        if (child && child != node) SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node));
        node = child;
    }
    if (!node) return false;
    SelectQuietly(node);
    return true;
}

void TFolderTreeView::RebuildFavorites()
{
    HTREEITEM root = RootNode();
    if (!root || RootPath.empty()) return;
    // What the user sees, by path: the rebuilt nodes are new.
    std::set<std::wstring> expanded;
    std::vector<HTREEITEM> pending = {root};
    while (!pending.empty()) {
        HTREEITEM node = pending.back();
        pending.pop_back();
        if (SendMessageW(Tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED) {
            std::wstring path = PathOf(node);
            CharUpperBuffW(path.data(), DWORD(path.size()));
            expanded.insert(path);
        }
        for (HTREEITEM child = Next(node, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) pending.push_back(child);
    }
    std::wstring selected = SelectedPath();
    std::wstring firstVisible = PathOf(Next(nullptr, TVGN_FIRSTVISIBLE));

    TRedrawHold hold(Tree);
    if (!BuildRoot(RootPath)) return;
    pending = {RootNode()};
    while (!pending.empty()) {
        HTREEITEM node = pending.back();
        pending.pop_back();
        std::wstring path = PathOf(node);
        CharUpperBuffW(path.data(), DWORD(path.size()));
        if (node != RootNode() && expanded.count(path)) Expand(node);
        if (SendMessageW(Tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED)
            for (HTREEITEM child = Next(node, TVGN_CHILD); child; child = Next(child, TVGN_NEXT))
                pending.push_back(child);
    }
    if (!selected.empty()) SelectPath(selected);
    if (!firstVisible.empty())
        for (HTREEITEM node = RootNode(); node; node = Next(node, TVGN_NEXTVISIBLE))
            if (SamePath(PathOf(node), firstVisible)) {
                SendMessageW(Tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, LPARAM(node));
                break;
            }
}
