#include "browser/ShellListView.h"

#include "browser/ListDropSite.h"
#include "browser/ShellDragSource.h"
#include "fileops/OwnVerbs.h"

#include "gui/WaitCursor.h"

#include "gui/MessageBox.h"
#include "shell/ExactFileData.h"
#include "shell/ShellHelpers.h"

#include <algorithm>
#include <string>

namespace {

const wchar_t* const kContainerClass = L"QuirevueShellListView";
// Posted to itself after a system settings change: the control is built
// anew so that it picks up the current system image lists.
constexpr UINT kRecreateMessage = WM_USER + 1;
// The folder's exact entries, read on a worker thread (ExactFileData.h).
constexpr UINT kFolderEntriesMessage = WM_USER + 2;
constexpr UINT_PTR kSubclassId = 1;

struct TColumnSpec {
    const wchar_t* Caption;
    int Format;
};
const TColumnSpec kColumns[5] = {
    {L"名前", LVCFMT_LEFT},
    {L"サイズ", LVCFMT_RIGHT},
    {L"ファイルの種類", LVCFMT_LEFT},
    {L"更新日時", LVCFMT_LEFT},
    {L"属性", LVCFMT_RIGHT},
};

}  // namespace

TSHListView::TSHListView(HWND parent, const TSHListViewSetup& setup)
{
    Files = std::make_unique<TSHFileList>(*this);
    ViewStyleValue = setup.ViewStyle;
    SortType = setup.SortType;
    Files->SortColumn = setup.SortType;
    for (int k = 0; k < kColumnCount; ++k) ColumnSortDirections[k] = Files->SortDirections[k] = setup.Columns.Directions[k];
    Hidden = setup.IncludeHidden;
    Virtual = setup.VirtualItems;
    CurrentFilter = setup.Filter;
    FilteringOn = setup.Filtering;
    Locked = setup.FolderLock;
    // The bitmaps have a button-face background: mapped to the system's.
    auto load = [](const wchar_t* name) {
        return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0,
                                               LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT));
    };
    SortUpBitmap.Reset(load(L"SortUp"));
    SortDownBitmap.Reset(load(L"SortDown"));

    RegisterWindowClass(kContainerClass, 0, nullptr);
    // It fills its parent from the start, so that the rows are laid out once.
    RECT client{};
    GetClientRect(parent, &client);
    CreateHandle(WS_EX_CONTROLPARENT, kContainerClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                 client.right, client.bottom, parent, nullptr);
    if (!Wnd) return;
    CreateList();
    if (!List) return;
    // The control has its style (CreateList) before the rows are counted
    // in: it lays out every row of an icon style when its count is set.
    SetColumnOrder(setup.Columns.Order, kColumnCount);
    for (int id = 0; id < kColumnCount; ++id) SetColumnWidth(id, setup.Columns.Widths[id]);
    NextClipboardViewer = SetClipboardViewer(Wnd);
    Loading = false;
    // A new view shows the desktop until it is given a folder.
    SetFolder(setup.Folder ? setup.Folder : SpecialFolderIDList(CSIDL_DESKTOP));
}

TSHListView::~TSHListView()
{
    DestroyingWnd = true;
    DropSite.reset();
    if (Wnd) DiscardPendingFolderEntries(Wnd, kFolderEntriesMessage);
    // The window goes before the rows it shows.
    if (Wnd) DestroyWindow(Wnd);
}

void TSHListView::HandleDestroyed() { List = nullptr; }

void TSHListView::CreateList()
{
    RECT client{};
    GetClientRect(Wnd, &client);
    List = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_ICON | LVS_OWNERDATA |
                               LVS_SHAREIMAGELISTS | LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE,
                           0, 0, client.right, client.bottom, Wnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!List) return;
    SetWindowSubclass(List, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    DropSite = std::make_unique<TListDropSite>(*this);
    // The system image lists belong to the system: LVS_SHAREIMAGELISTS.
    SendMessageW(List, LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(GetSysImageList(false)));
    SendMessageW(List, LVM_SETIMAGELIST, LVSIL_NORMAL, LPARAM(GetSysImageList(true)));
    // Overlays are asked for with the row's texts.
    SendMessageW(List, LVM_SETCALLBACKMASK, LVIS_OVERLAYMASK | LVIS_CUT, 0);

    RECT parentClient{};
    GetClientRect(GetParent(Wnd), &parentClient);
    int width = (client.right > 0 ? client.right : parentClient.right) / 5;
    if (width <= 0) width = 100;
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kColumns[i].Format;
        column.cx = width;
        column.pszText = const_cast<wchar_t*>(kColumns[i].Caption);
        column.iSubItem = i;
        SendMessageW(List, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&column));
    }
    ApplyExtendedStyle();
    if (ListFont) SendMessageW(List, WM_SETFONT, WPARAM(ListFont), FALSE);
    if (ColorsSet) SetColors(BackColor, TextColor);
    SendMessageW(List, LVM_SETVIEW, WPARAM(ViewStyleValue), 0);
    UpdateSortArrows();
}

void TSHListView::RecreateList()
{
    if (!List) return;
    int order[5] = {0, 1, 2, 3, 4};
    int widths[5];
    GetColumnOrder(order);
    for (int i = 0; i < 5; ++i) widths[i] = ColumnWidth(i);
    bool focused = GetFocus() == List;

    DestroyingWnd = true;
    HWND old = List;
    List = nullptr;
    DestroyWindow(old);
    DestroyingWnd = false;

    CreateList();
    if (!List) return;
    SetColumnOrder(order, 5);
    for (int i = 0; i < 5; ++i) SetColumnWidth(i, widths[i]);
    // Show the folder again; the same-folder check must not apply here.
    TIDListPtr folder(CopyIDList(Files->GetFolderIDList()));
    Files->SetFolder(folder ? folder.get() : SpecialFolderIDList(CSIDL_DESKTOP));
    if (focused) SetFocus(List);
}

void TSHListView::ApplyExtendedStyle()
{
    // Pointing selects, a single click opens.
    const DWORD hot = LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINEHOT;
    const DWORD mask = hot | LVS_EX_HEADERDRAGDROP;
    SendMessageW(List, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, LVS_EX_HEADERDRAGDROP | (HotTrackOn ? hot : 0));
}

// ---- properties

void TSHListView::SetIncludeHidden(bool include)
{
    if (Tree) Tree->TakeIncludeHidden(include);
    TakeIncludeHidden(include);
}

void TSHListView::SetShVirtuaItems(unsigned items)
{
    if (Tree) Tree->TakeShVirtuaItems(items);
    TakeShVirtuaItems(items);
}

void TSHListView::TakeIncludeHidden(bool include)
{
    if (Hidden == include) return;
    Hidden = include;
    Refresh();
}

void TSHListView::TakeShVirtuaItems(unsigned items)
{
    if (Virtual == items) return;
    Virtual = items;
    Refresh();
}

void TSHListView::SetViewStyleValue(int style)
{
    int old = ViewStyleValue;
    ViewStyleValue = style;
    if (!List || old == style) return;
    if ((old == LV_VIEW_LIST || style == LV_VIEW_LIST) && Files->Count() > 0) {
        // The list style scrolls sideways: start again from the first row.
        BeginUpdate();
        MakeVisible(0);
        SetViewStyle(style);
        EndUpdate();
    } else {
        SetViewStyle(style);
    }
}

int TSHListView::GetViewStyleValue() const { return ViewStyleValue; }

void TSHListView::SetHotTrack(bool hotTrack)
{
    HotTrackOn = hotTrack;
    if (List) ApplyExtendedStyle();
}

void TSHListView::SetColors(COLORREF background, COLORREF text)
{
    ColorsSet = true;
    BackColor = background;
    TextColor = text;
    if (!List) return;
    SendMessageW(List, LVM_SETBKCOLOR, 0, LPARAM(background));
    SendMessageW(List, LVM_SETTEXTBKCOLOR, 0, LPARAM(background));
    SendMessageW(List, LVM_SETTEXTCOLOR, 0, LPARAM(text));
    InvalidateRect(List, nullptr, TRUE);
}

void TSHListView::SetListFont(HFONT font)
{
    ListFont = font;
    if (List) SendMessageW(List, WM_SETFONT, WPARAM(font), TRUE);
}

// ---- operations

void TSHListView::SetFolder(PCIDList absolute)
{
    if (!absolute || !List || DestroyingWnd) return;
    PCIDList current = Files->GetFolderIDList();
    if (current) {
        int level = GetIDListLevel(absolute);
        if (level == GetIDListLevel(current) &&
            (level == 0 || CompareIDLists(DesktopFolder(), absolute, current) == kIDListEqual))
            return;
    }
    Files->SetFolder(absolute);
    if (Files->FolderHasAttributes(SFGAO_FILESYSTEM)) {
        const std::wstring& path = Files->GetFolderPath();
        if (!path.empty()) SetCurrentDirectoryW(path.c_str());
    }
}

void TSHListView::Refresh()
{
    int count = Files->Populate();
    SetItemCount(count);
    Invalidate();
}

void TSHListView::SetSort(THeaderCaption column, int direction)
{
    SortType = column;
    ColumnSortDirections[column] = direction;
    Files->SortDirections[column] = direction;
    Files->SortBy(column);
    UpdateSortArrows();
}

void TSHListView::SetFolderLock(bool lock)
{
    if (Locked == lock) return;
    Locked = lock;
    OnShFolderLock(*this, lock);
}

void TSHListView::SetFilter(const TSHFileFilter* filter)
{
    if (CurrentFilter == filter) return;
    CurrentFilter = filter;
    if (FilteringOn) Refresh();
}

void TSHListView::SetFiltering(bool filtering)
{
    if (FilteringOn == filtering) return;
    FilteringOn = filtering;
    Refresh();
}

bool TSHListView::ExecuteSelected(TShellCommand command)
{
    if (!List) return false;
    StopWatching();
    bool done = false;
    if (command == TShellCommand::scPaste) {
        // The folder shown is the one item, named from its parent.
        PCIDList folder = Files->GetFolderIDList();
        if (Files->GetLevel() == 0) folder = SpecialFolderIDList(CSIDL_DESKTOPDIRECTORY);
        TSHIDList2 target;
        if (folder && GetIDListLevel(folder) >= 1) {
            PIDList parent = GetParentIDList(folder);
            target.SetParent(parent ? parent : CopyIDList(SpecialFolderIDList(CSIDL_DESKTOP)));
            target.AddOwned(GetLastItem(folder));
            done = RunShellCommand(ShellOwnerWindow(), target, command);
        }
        Refresh();
    } else {
        TSHIDList& selection = Files->GetSelectedIDList();
        if (selection.Count() > 0) {
            std::wstring firstPath;
            if (TSHFileItem* first = Files->Rows(NextSelected(-1))) firstPath = first->GetPath();
            bool wasFile = !firstPath.empty() && RegularFileExists(firstPath);
            done = RunShellCommand(ShellOwnerWindow(), selection, command);
            if (done && command == TShellCommand::scCreateShortcut) {
                if (!GetFolderPath().empty()) Refresh();
            } else if (done && command == TShellCommand::scDelete) {
                bool gone = firstPath.empty() || (wasFile ? !RegularFileExists(firstPath) : !DirectoryExists(firstPath));
                if (gone) Files->RemoveSelected();
            }
        }
    }
    StartWatching();
    return done;
}

bool TSHListView::NewFolder()
{
    std::wstring folder = GetFolderPath();
    if (!List || folder.empty()) return false;
    std::wstring name = CreateNewFolder(folder);
    if (name.empty()) return false;
    Refresh();
    for (int i = 0; i < Files->Count(); ++i) {
        if (Files->Rows(i)->GetFileName() != name) continue;
        SelectAll(false);
        SetSelected(i, true);
        SetFocusedIndex(i);
        MakeVisible(i);
        // The control edits only while it has the focus.
        SetFocus(List);
        SendMessageW(List, LVM_EDITLABELW, WPARAM(i), 0);
        break;
    }
    return true;
}

bool TSHListView::IsEditing() const { return List && SendMessageW(List, LVM_GETEDITCONTROL, 0, 0) != 0; }

void TSHListView::BeginSelUpdate() { ++SelChangeLock; }

void TSHListView::EndSelUpdate()
{
    if (SelChangeLock > 0) --SelChangeLock;
    if (SelChangeLock == 0) OnShSelChange(*this, SelSize);
}

void TSHListView::RaiseSelChange()
{
    if (SelChangeLock <= 0) OnShSelChange(*this, SelSize);
}

void TSHListView::SetColumnOrder(const int* ids, int count)
{
    if (List) SendMessageW(List, LVM_SETCOLUMNORDERARRAY, WPARAM(count), LPARAM(ids));
}

void TSHListView::GetColumnOrder(int* ids) const
{
    for (int i = 0; i < 5; ++i) ids[i] = i;
    if (List) SendMessageW(List, LVM_GETCOLUMNORDERARRAY, 5, LPARAM(ids));
}

// Through the column record rather than LVM_SETCOLUMNWIDTH, which is
// defined for the report and list styles only: widths are restored before
// the style is.
int TSHListView::ColumnWidth(int id) const
{
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    return List && SendMessageW(List, LVM_GETCOLUMNW, WPARAM(id), LPARAM(&column)) ? column.cx : 0;
}

void TSHListView::SetColumnWidth(int id, int width)
{
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = width;
    if (List) SendMessageW(List, LVM_SETCOLUMNW, WPARAM(id), LPARAM(&column));
}

// ---- IShFileListView

HWND TSHListView::ViewWindow() const { return DestroyingWnd ? nullptr : List; }

bool TSHListView::LargeIconStyle() const
{
    int style = ViewStyle();
    return style == LV_VIEW_ICON || style == LV_VIEW_TILE;
}

int TSHListView::ViewStyle() const
{
    return List ? int(SendMessageW(List, LVM_GETVIEW, 0, 0)) : ViewStyleValue;
}

void TSHListView::SetViewStyle(int style)
{
    if (!List) return;
    int old = int(SendMessageW(List, LVM_GETVIEW, 0, 0));
    SendMessageW(List, LVM_SETVIEW, WPARAM(style), 0);
    // Some controls leave the icons where the rows of the old style were.
    if (old != style && (style == LV_VIEW_ICON || style == LV_VIEW_SMALLICON) &&
        SendMessageW(List, LVM_GETITEMCOUNT, 0, 0) > 0)
        SendMessageW(List, LVM_ARRANGE, LVA_DEFAULT, 0);
}

void TSHListView::TakeFocus()
{
    if (List && IsWindowVisible(List) && IsWindowEnabled(List)) SetFocus(List);
}

void TSHListView::EditLabel(int index)
{
    if (List && index >= 0) ListView_EditLabel(List, index);
}

void TSHListView::BeginUpdate() { Redraw.Begin(List); }

void TSHListView::EndUpdate() { Redraw.End(List); }

void TSHListView::SetItemCount(int count)
{
    if (!List) return;
    // The control forgets the selection of rows it no longer has without
    // telling anyone.
    if (count == 0) SelSize = 0;
    SendMessageW(List, LVM_SETITEMCOUNT, WPARAM(count), 0);
}

void TSHListView::MakeVisible(int index)
{
    if (List) SendMessageW(List, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
}

void TSHListView::Invalidate()
{
    if (List) InvalidateRect(List, nullptr, TRUE);
}

int TSHListView::FocusedIndex() const
{
    return List ? int(SendMessageW(List, LVM_GETNEXTITEM, WPARAM(-1), MAKELPARAM(LVNI_FOCUSED, 0))) : -1;
}

void TSHListView::SetFocusedIndex(int index)
{
    if (!List || index < 0) return;
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    SendMessageW(List, LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
}

int TSHListView::SelectedCount() const { return List ? int(SendMessageW(List, LVM_GETSELECTEDCOUNT, 0, 0)) : 0; }

int TSHListView::NextSelected(int after) const
{
    return List ? int(SendMessageW(List, LVM_GETNEXTITEM, WPARAM(after), MAKELPARAM(LVNI_SELECTED, 0))) : -1;
}

bool TSHListView::IsSelected(int index) const
{
    return List && (SendMessageW(List, LVM_GETITEMSTATE, WPARAM(index), LVIS_SELECTED) & LVIS_SELECTED);
}

void TSHListView::SetSelected(int index, bool selected)
{
    if (!List) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(List, LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
}

void TSHListView::SelectAll(bool selected) { SetSelected(-1, selected); }

bool TSHListView::AcceptRow(TSHFileItem& row)
{
    // Only rows the filter let through come here.
    if (FilteringOn && CurrentFilter && OnShFilter) return OnShFilter(*this, row, true);
    return true;
}

bool TSHListView::RequestExactFileData(const std::wstring& folder, unsigned generation)
{
    if (!Wnd) return false;
    ReadFolderEntriesAsync(folder, Wnd, kFolderEntriesMessage, generation);
    return true;
}

void TSHListView::SizesChanged()
{
    Invalidate();
    OnShSizesKnown(*this);
}

void TSHListView::ListChanged()
{
    OnShListChange(*this);
    int64_t before = SelSize;
    RecountSelection();
    if (SelSize != before) RaiseSelChange();
}

void TSHListView::FolderGone()
{
    if (!Tree) return;
    // The tree may still hold the vanished folder: it mends first.
    Tree->MendSelection();
    if (PCIDList selected = Tree->GetSelectedIDList()) SetFolder(selected);
}

// ---- selection size

int64_t TSHListView::SizeOf(int row) const
{
    TSHFileItem* item = Files->Rows(row);
    return item ? int64_t(item->GetFileSize()) : 0;
}

void TSHListView::RecountSelection()
{
    int selected = SelectedCount();
    // One read of the folder beats one per row.
    if (selected > 16) Files->EnsureExactFileData();
    SelSize = 0;
    if (selected == 0) return;
    if (selected >= Files->Count()) {
        for (int i = 0; i < Files->Count(); ++i) SelSize += SizeOf(i);
        return;
    }
    for (int i = NextSelected(-1); i >= 0; i = NextSelected(i)) SelSize += SizeOf(i);
}

void TSHListView::ItemChanged(const NMLISTVIEW& info)
{
    if (!(info.uChanged & LVIF_STATE)) return;
    if (info.iItem < 0) {
        RecountSelection();
    } else {
        bool was = info.uOldState & LVIS_SELECTED, is = info.uNewState & LVIS_SELECTED;
        if (was == is) return;
        SelSize += is ? SizeOf(info.iItem) : -SizeOf(info.iItem);
    }
    RaiseSelChange();
}

// ---- notifications

bool TSHListView::EndLabelEdit(const LVITEMW& item)
{
    TSHFileItem* row = Files->Rows(item.iItem);
    if (!item.pszText || !row) return false;
    StopWatching();
    bool renamed = row->Rename(item.pszText);
    StartWatching();
    if (renamed) SendMessageW(List, LVM_REDRAWITEMS, WPARAM(item.iItem), LPARAM(item.iItem));
    // The rows hold the names; the control keeps none.
    return false;
}

void TSHListView::ColumnClick(int column)
{
    if (column < 0 || column > 4) return;
    TWaitCursor wait;
    BeginUpdate();
    auto key = THeaderCaption(column);
    SortType = key;
    // Both copies take the view's new direction, so that they stay together
    // even when one was set alone.
    int direction = ColumnSortDirections[column] < 0 ? 1 : -1;
    ColumnSortDirections[column] = direction;
    Files->SortDirections[column] = direction;
    Files->SortBy(key);
    EndUpdate();
    UpdateSortArrows();
}

void TSHListView::DragSelection()
{
    // The selection goes out as a shell drag.
    MouseState = kDragging;
    DragShellItems(Wnd, Files->GetSelectedIDList());
    MouseState = 0;
}

TPressEnd TSHListView::FollowRowPress()
{
    POINT press = PressPoint;
    ClientToScreen(List, &press);
    return FollowPress(List, press);
}

bool TSHListView::PressMovedFarEnough()
{
    if (FollowRowPress() == TPressEnd::Drag) return true;
    MouseState = 0;
    return false;
}

bool TSHListView::ActivationWanted()
{
    // With single-click activation the second click of a double click would
    // open what now lies under the pointer, often a row of the folder the
    // first click opened.
    if (MouseState == kDoubleClick) return !HotTrackOn;
    if (MouseState != kLeftPress) return true;
    // Some list controls report a single-click activation on the press
    // itself, before they know whether the press becomes a drag: wait for
    // the release, and drag instead when the pointer moves away first.
    switch (FollowRowPress()) {
    case TPressEnd::Click:
        MouseState = 0;
        // A click with Ctrl or Shift only selects.
        return !(PressKeys & (MK_CONTROL | MK_SHIFT));
    case TPressEnd::Drag:
        DragSelection();
        return false;
    case TPressEnd::Cancel:
        break;
    }
    MouseState = 0;
    return false;
}

void TSHListView::ControlPressOnSelection(int index)
{
    // A drag takes the whole selection, the row pressed on included; only a
    // click without moving takes that row out. Some list controls take it
    // out on the press already, and a Ctrl drag would lose it.
    if (GetFocus() != List) SetFocus(List);
    switch (FollowRowPress()) {
    case TPressEnd::Drag:
        DragSelection();
        break;
    case TPressEnd::Click:
        SetSelected(index, false);
        SetFocusedIndex(index);
        SendMessageW(List, LVM_SETSELECTIONMARK, 0, LPARAM(index));
        break;
    case TPressEnd::Cancel:
        break;
    }
    MouseState = 0;
}

void TSHListView::HoverSelect(WPARAM keys, POINT client)
{
    // Resting on a row selects it, as the control would, but without
    // scrolling it into view: a half-shown row that moved under the pointer
    // would be the one a drag begun a moment later takes. With Ctrl or Shift
    // held the selection being built is kept, and a row already selected
    // keeps the others with it.
    // Nor does resting on the row just clicked undo what a Ctrl or Shift
    // click did to the selection.
    // A held button means a drag or a selection rectangle is under way.
    if (keys & (MK_CONTROL | MK_SHIFT | MK_LBUTTON | MK_RBUTTON)) return;
    LVHITTESTINFO hit{};
    hit.pt = client;
    int index = int(SendMessageW(List, LVM_HITTEST, 0, LPARAM(&hit)));
    if (index < 0 || !(hit.flags & LVHT_ONITEM) || index == PressedRow) return;
    PressedRow = -1;
    if (IsSelected(index)) return;
    // Only the selection moves: giving the row the focus state scrolls it
    // into view on some systems.
    ListView_SetItemState(List, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(List, index, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageW(List, LVM_SETSELECTIONMARK, 0, LPARAM(index));
}

void TSHListView::ItemActivate()
{
    // The activated row is the focused one, whether clicked or chosen with
    // Enter; the notification's own row is not filled in for keys on every
    // system.
    TSHFileItem* row = Files->Rows(FocusedIndex());
    if (SelectedCount() != 1 || !row) {
        ExecuteSelected(TShellCommand::scDefault);
        return;
    }
    if (!row->HasAttributes(SFGAO_FOLDER)) {
        ExecuteSelected(TShellCommand::scDefault);
    } else if (Locked) {
        ShowMessageBox(ShellOwnerWindow(), L"フォルダ固定により移動が制限されています。", MB_OK | MB_ICONINFORMATION);
    } else {
        // The row goes with the old folder's rows.
        TIDListPtr folder(CopyIDList(row->GetAbsoluteList()));
        if (!folder) return;
        SetFolder(folder.get());
        if (Tree) Tree->SelectIDList(folder.get());
    }
}

LRESULT TSHListView::OnNotify(NMHDR* hdr)
{
    if (!List || hdr->hwndFrom != List) return 0;
    switch (hdr->code) {
    case LVN_BEGINDRAG:
        // The control saw the pointer leave its own drag area with the
        // button held on a row, which may be smaller than ours.
        if (MouseState == kLeftPress && !PressMovedFarEnough()) return 0;
        DragSelection();
        return 0;
    case LVN_BEGINRDRAG:
        DragSelection();
        return 0;
    case LVN_GETDISPINFOW:
        if (!DestroyingWnd) GetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(hdr)->item);
        return 0;
    case LVN_ODCACHEHINT: {
        if (DestroyingWnd) return 0;
        auto* hint = reinterpret_cast<NMLVCACHEHINT*>(hdr);
        for (int i = std::max(hint->iFrom, 0); i <= hint->iTo && i < Files->Count(); ++i) {
            Files->Rows(i)->GetIconIndex();
            Files->Rows(i)->GetDisplayName();
        }
        return 0;
    }
    case LVN_ODFINDITEMW:
        return FindRow(*reinterpret_cast<NMLVFINDITEMW*>(hdr));
    case LVN_ITEMCHANGED:
        ItemChanged(*reinterpret_cast<NMLISTVIEW*>(hdr));
        return 0;
    case LVN_ODSTATECHANGED: {
        auto* range = reinterpret_cast<NMLVODSTATECHANGE*>(hdr);
        if (!((range->uNewState ^ range->uOldState) & LVIS_SELECTED)) return 0;
        // Counted over the whole selection: the range may join one that
        // exists already.
        RecountSelection();
        RaiseSelChange();
        return 0;
    }
    case LVN_ITEMACTIVATE:
        if (ActivationWanted()) ItemActivate();
        return 0;
    case LVN_COLUMNCLICK:
        ColumnClick(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
        return 0;
    case LVN_BEGINLABELEDITW: {
        TSHFileItem* row = Files->Rows(reinterpret_cast<NMLVDISPINFOW*>(hdr)->item.iItem);
        if (!row || !row->HasAttributes(SFGAO_CANRENAME)) return TRUE;
        // The edit starts from the name for editing, which may differ from
        // the one shown.
        if (HWND edit = reinterpret_cast<HWND>(SendMessageW(List, LVM_GETEDITCONTROL, 0, 0))) {
            std::wstring name = row->GetEditingName();
            SetWindowTextW(edit, name.c_str());
            // A file's name is selected up to its extension, so that typing
            // keeps the type; the control selects the whole text once this
            // notification returns, hence the posted selection.
            size_t dot = name.find_last_of(L'.');
            if (!row->HasAttributes(SFGAO_FOLDER) && dot != std::wstring::npos && dot > 0)
                PostMessageW(edit, EM_SETSEL, 0, LPARAM(dot));
        }
        return FALSE;
    }
    case LVN_ENDLABELEDITW:
        return EndLabelEdit(reinterpret_cast<NMLVDISPINFOW*>(hdr)->item);
    case NM_CUSTOMDRAW:
        return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
    default:
        return 0;
    }
}

// ---- messages

LRESULT CALLBACK TSHListView::ListProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data)
{
    auto* self = reinterpret_cast<TSHListView*>(data);
    switch (msg) {
    case WM_LBUTTONDBLCLK: {
        self->MouseState = kDoubleClick;
        LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
        self->MouseState = 0;
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        LVHITTESTINFO hit{};
        hit.pt = POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
        self->PressedRow = -1;
        self->BackgroundPress = msg == WM_LBUTTONDOWN;
        if (SendMessageW(wnd, LVM_HITTEST, 0, LPARAM(&hit)) >= 0 && (hit.flags & LVHT_ONITEM)) {
            self->BackgroundPress = false;
            self->PressedRow = hit.iItem;
            self->MouseState = msg == WM_LBUTTONDOWN ? kLeftPress : kRightPress;
            self->PressPoint = hit.pt;
            self->PressKeys = wParam;
            if (msg == WM_LBUTTONDOWN && (wParam & (MK_CONTROL | MK_SHIFT)) == MK_CONTROL &&
                self->IsSelected(hit.iItem)) {
                self->ControlPressOnSelection(hit.iItem);
                return 0;
            }
        }
        LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
        // The control follows the button in a loop of its own and may eat
        // the release.
        int button = msg == WM_LBUTTONDOWN ? VK_LBUTTON : VK_RBUTTON;
        if (!(GetKeyState(button) & 0x8000)) self->MouseState = 0;
        return result;
    }
    case WM_MOUSEMOVE:
        if (self->BackgroundPress && (wParam & MK_LBUTTON) && GetCapture() != wnd) {
            // Some controls start the selection rectangle on the first move
            // past the drag distance but draw it, and select, only on the
            // next one: a quick flick of the mouse would end with nothing
            // drawn or selected. Once it has started, the move counts again.
            LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
            if (GetCapture() == wnd) {
                self->BackgroundPress = false;
                DefSubclassProc(wnd, msg, wParam, lParam);
            }
            return result;
        }
        if (!(wParam & MK_LBUTTON)) self->BackgroundPress = false;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        self->MouseState = 0;
        self->BackgroundPress = false;
        break;
    case WM_MOUSEHOVER:
        if (self->HotTrackOn) {
            self->HoverSelect(wParam, POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(wnd, ListProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(wnd, msg, wParam, lParam);
}

LRESULT TSHListView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
        if (List) MoveWindow(List, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case kFolderEntriesMessage: {
        std::unique_ptr<TFolderEntryList> entries(reinterpret_cast<TFolderEntryList*>(lParam));
        if (!DestroyingWnd) Files->TakeExactFileData(unsigned(wParam), std::move(*entries));
        return 0;
    }
    case WM_SETFOCUS:
        if (List) SetFocus(List);
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) OnShSelChange(*this, SelSize);
        break;
    case WM_SETTINGCHANGE:
        PostMessageW(Wnd, kRecreateMessage, 0, 0);
        return 0;
    case kRecreateMessage:
        RecreateList();
        return 0;
    case WM_CONTEXTMENU:
        if (ContextMenu(lParam)) return 0;
        break;
    case WM_DRAWCLIPBOARD:
        ClipboardChanged();
        if (!Loading && OnShClipboard) {
            static const UINT idListFormat = RegisterClipboardFormatW(L"Shell IDList Array");
            ComPtr<IDataObject> data;
            FORMATETC format{CLIPFORMAT(idListFormat), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
            bool contented = SUCCEEDED(OleGetClipboard(data.Put())) && data && data->QueryGetData(&format) == S_OK;
            OnShClipboard(*this, contented);
        }
        if (NextClipboardViewer) SendMessageW(NextClipboardViewer, msg, wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        if (HWND(wParam) == NextClipboardViewer) NextClipboardViewer = HWND(lParam);
        else if (NextClipboardViewer) SendMessageW(NextClipboardViewer, msg, wParam, lParam);
        return 0;
    case WM_DESTROY:
        DestroyingWnd = true;
        ChangeClipboardChain(Wnd, NextClipboardViewer);
        NextClipboardViewer = nullptr;
        break;
    default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}
