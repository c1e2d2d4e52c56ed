#include "app/FolderWindow.h"

#include "settings/FontData.h"
#include "app/MainFrame.h"
#include "app/StatusPanels.h"
#include "browser/ShellTreeView.h"
#include "core/commands/CommandIds.h"
#include "core/settings/WindowRecord.h"
#include "gui/Action.h"
#include "shell/ShellHelpers.h"

namespace {

const int kInitialWidth = 696, kInitialHeight = 277;

// The folder a record names, when it is still there: a recorded folder
// that no longer exists leaves the desktop shown. A virtual folder is taken
// as it stands.
PCIDList ExistingFolder(const TWindowData& record)
{
    if (record.IDList.empty()) return nullptr;
    auto folder = reinterpret_cast<PCIDList>(record.IDList.data());
    std::wstring path;
    if (!IDListToPath(folder, path)) return folder;
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? folder : nullptr;
}

}  // namespace

int ListViewStyleFromSetting(int setting)
{
    switch (setting) {
    case 1: return LV_VIEW_SMALLICON;
    case 2: return LV_VIEW_LIST;
    case 3: return LV_VIEW_DETAILS;
    default: return LV_VIEW_ICON;
    }
}

int SettingFromListViewStyle(int style)
{
    switch (style) {
    case LV_VIEW_SMALLICON: return 1;
    case LV_VIEW_LIST: return 2;
    case LV_VIEW_DETAILS: return 3;
    default: return 0;
    }
}

TSubForm08010* TSubForm08010::FromHandle(HWND wnd) { return dynamic_cast<TSubForm08010*>(TWindow::FromHandle(wnd)); }

TSubForm08010::TSubForm08010(IFolderWindowHost& frame, const TWindowData& record, bool restore, bool filtering)
    : Frame(frame)
{
    if (!CreateChild(record, restore)) return;
    FormCreate(record, filtering);
    // The child was activated while it was being created, before it had a
    // list to attach.
    if (HWND(SendMessageW(Frame.MdiClient(), WM_MDIGETACTIVE, 0, 0)) == Wnd) FormActivate();
}

TSubForm08010::~TSubForm08010()
{
    Destroying = true;
    if (Wnd) SendMessageW(Frame.MdiClient(), WM_MDIDESTROY, WPARAM(Wnd), 0);
}

bool TSubForm08010::CreateChild(const TWindowData& record, bool restore)
{
    RegisterWindowClass(ClassName(), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr, nullptr);
    MDICREATESTRUCTW mcs{};
    mcs.szClass = ClassName();
    mcs.szTitle = L"";
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.style = WS_VISIBLE | WS_CLIPCHILDREN;
    mcs.lParam = reinterpret_cast<LPARAM>(this);
    if (restore) {
        mcs.x = record.Left;
        mcs.y = record.Top;
        mcs.cx = record.Width;
        mcs.cy = record.Height;
    } else {
        mcs.x = mcs.y = CW_USEDEFAULT;
        mcs.cx = kInitialWidth;
        mcs.cy = kInitialHeight;
        // Keep a maximised active child maximised, as the frame does.
        BOOL maximized = FALSE;
        SendMessageW(Frame.MdiClient(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
        if (maximized) mcs.style |= WS_MAXIMIZE;
    }
    SendMessageW(Frame.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
    if (!Wnd) return false;
    // A minimised or maximised window is made at its normal bounds, which it
    // keeps for later, and then minimised or maximised by the client as the
    // user's command would: a child made maximised and then given its normal
    // bounds was drawn inside its own frame, with scroll bars on the client.
    if (restore && record.WindowState == 2) SendMessageW(Frame.MdiClient(), WM_MDIMAXIMIZE, WPARAM(Wnd), 0);
    else if (restore && record.WindowState == 1) ShowWindow(Wnd, SW_MINIMIZE);
    return true;
}

void TSubForm08010::FormCreate(const TWindowData& record, bool filtering)
{
    const TInitData& s = Frame.Settings();
    TSHTreeView& tree = Frame.ShellTree();
    TSHListViewSetup setup;
    setup.Folder = ExistingFolder(record);
    setup.ViewStyle = ListViewStyleFromSetting(record.ViewStyle);
    setup.SortType = THeaderCaption(SortKeyOfRecord(record));
    setup.Columns = ColumnLayoutFromRecords(record.Columns);
    // The tree's settings, which attaching would hand over anyway.
    setup.IncludeHidden = tree.IncludeHidden();
    setup.VirtualItems = tree.ShVirtuaItems();
    setup.Filter = FilterNamed(s, record.FilterName);
    setup.Filtering = filtering;
    setup.FolderLock = record.FolderLock;
    List = std::make_unique<TSHListView>(Wnd, setup);
    TSHListView& list = *List;
    list.SetHotTrack(s.HotTrack);
    SHListViewShFolderLock(list.FolderLock());

    list.OnShListChange.Add([this](TSHListView&) { SHListViewShListChange(); });
    list.OnShFolderLock.Add([this](TSHListView&, bool lock) { SHListViewShFolderLock(lock); });
    list.OnCustomDrawItem = [this](TSHListView&, int row, COLORREF& text) { return SHListViewCustomDrawItem(row, text); };
    // The rename command of the shell's menu goes through the program's own
    // (in place for one object, the batch dialog for several).
    list.OnShListRename = [this](TSHListView&, int) {
        Frame.Actions().Execute(Cmd::Rename, Frame.OwnerWindow());
        return false;
    };

    SetIconFromTree();
    SetCaption(list.GetFolderPath());
}

void TSubForm08010::SetCaption(const std::wstring& text)
{
    SetWindowTextW(Wnd, text.c_str());
    // The frame's window menu took the caption the window was made with
    // (none); some systems do not follow a later change until the menu is
    // refreshed.
    SendMessageW(Frame.MdiClient(), WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(Frame.OwnerWindow());
}

void TSubForm08010::SetIconFromTree()
{
    TSHFolderItem* item = Frame.ShellTree().SelectedItem();
    if (!item) return;
    HIMAGELIST large = GetSysImageList(true);
    HICON icon = ImageList_GetIcon(large, item->GetIconIndex(), ILD_NORMAL);
    if (!icon) return;
    SendMessageW(Wnd, WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessageW(Wnd, WM_SETICON, ICON_SMALL, LPARAM(icon));
    Icon.Reset(icon);
}

void TSubForm08010::FormActivate()
{
    TSHTreeView& tree = Frame.ShellTree();
    tree.SetShellListView(nullptr);
    tree.SelectIDList(List->GetFolderIDList());
    tree.SetShellListView(List.get());
    Frame.FolderWindowActivated(*this);
}

void TSubForm08010::SHListViewShListChange()
{
    SetIconFromTree();
    TSHTreeView& tree = Frame.ShellTree();
    if (FolderShownByPath(tree, *List)) {
        SetCaption(List->GetFolderPath());
    } else {
        TSHFolderItem* node = tree.SelectedItem();
        SetCaption(node ? node->GetDisplayName() : std::wstring());
    }
    InvalidateRect(Wnd, nullptr, FALSE);
    // A maximised child shows its icon in the frame's menu bar.
    DrawMenuBar(Frame.OwnerWindow());
}

void TSubForm08010::SHListViewShFolderLock(bool lock)
{
    const TInitData& s = Frame.Settings();
    const TFontData& font = lock ? s.LockedFont : s.ListFont;
    ListFontHandle.Reset(CreateFontFromData(font));
    List->SetListFont(ListFontHandle.Get());
    List->SetColors(ColorToRGB(lock ? s.LockedColor : s.ListColor), ColorToRGB(font.Color));
}

void TSubForm08010::ApplySettings()
{
    List->SetHotTrack(Frame.Settings().HotTrack);
    SHListViewShFolderLock(List->FolderLock());
    InvalidateRect(List->ListHandle(), nullptr, TRUE);
}

bool TSubForm08010::SHListViewCustomDrawItem(int row, COLORREF& text)
{
    TSHFileItem* item = List->FileList().Rows(row);
    if (!item) return false;
    DWORD attributes = item->GetFileAttributes();
    const TInitData& s = Frame.Settings();
    // Later tests win: read-only over hidden over system over directory
    // over archive over temporary over compressed over offline.
    const struct {
        DWORD Attribute;
        TColor Color;
    } order[] = {
        {FILE_ATTRIBUTE_OFFLINE, s.OfflineColor},     {FILE_ATTRIBUTE_COMPRESSED, s.CompressedColor},
        {FILE_ATTRIBUTE_TEMPORARY, s.TemporaryColor}, {FILE_ATTRIBUTE_ARCHIVE, s.ArchiveColor},
        {FILE_ATTRIBUTE_DIRECTORY, s.DirectoryColor}, {FILE_ATTRIBUTE_SYSTEM, s.SystemColor},
        {FILE_ATTRIBUTE_HIDDEN, s.HiddenColor},       {FILE_ATTRIBUTE_READONLY, s.ReadOnlyColor},
    };
    bool changed = false;
    for (const auto& o : order)
        if (attributes & o.Attribute) {
            text = ColorToRGB(o.Color);
            changed = true;
        }
    return changed;
}

TWindowData TSubForm08010::Record()
{
    TWindowData data;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(Wnd, &wp);
    RECT r = wp.rcNormalPosition;
    data.Left = r.left;
    data.Top = r.top;
    data.Width = r.right - r.left;
    data.Height = r.bottom - r.top;
    data.WindowState = IsIconic(Wnd) ? 1 : IsZoomed(Wnd) ? 2 : 0;
    TColumnLayout columns;
    List->GetColumnOrder(columns.Order);
    for (int id = 0; id < kColumnCount; ++id) columns.Widths[id] = List->ColumnWidth(id);
    for (int k = 0; k < kColumnCount; ++k) columns.Directions[k] = List->ColumnSortDirections[k];
    data.Columns = RecordsFromColumnLayout(columns);
    if (PCIDList folder = List->GetFolderIDList()) {
        auto bytes = reinterpret_cast<const uint8_t*>(folder);
        data.IDList.assign(bytes, bytes + GetIDListSize(folder));
    }
    data.ViewStyle = uint8_t(SettingFromListViewStyle(List->GetViewStyleValue()));
    data.SortType = uint8_t(List->SortType);
    data.FolderLock = List->FolderLock();
    if (const TSHFileFilter* filter = List->Filter()) data.FilterName = filter->Name;
    return data;
}

LRESULT TSubForm08010::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcW(Wnd, msg, wParam, lParam);
}

LRESULT TSubForm08010::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        if (List) SetWindowPos(List->Handle(), nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOZORDER);
        break;  // the frame needs to see it too
    case WM_MDIACTIVATE:
        if (HWND(lParam) == Wnd && List) FormActivate();
        break;
    case WM_SETFOCUS:
        if (List) SetFocus(List->ListHandle());
        return 0;
    case WM_CLOSE:
        SendMessageW(Frame.MdiClient(), WM_MDIDESTROY, WPARAM(Wnd), 0);
        return 0;
    case WM_DESTROY:
        // Nothing may drive or follow a list that is going away.
        if (List) Frame.FolderWindowClosing(*this);
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}

void TSubForm08010::HandleDestroyed()
{
    List.reset();
    // The frame frees the object; nothing of it is touched afterwards.
    if (!Destroying) Frame.FolderWindowDestroyed(*this);
}
