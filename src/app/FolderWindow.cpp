#include "app/FolderWindow.h"

#include "app/FontData.h"
#include "app/MainForm.h"
#include "gui/Strings.h"
#include "shell/ShellHelpers.h"
#include "shell/ShellTreeView.h"
#include "core/shell/SizeText.h"

namespace {

const int kInitialWidth = 696, kInitialHeight = 277;
const int kColumnWidths[5] = {240, 70, 150, 120, 60};

std::wstring FolderSummary(TSHFileList& files)
{
    return FormatFolderSummary(int64_t(files.GetTotalSize()), int64_t(files.GetFreeSpace()),
                               LocaleThousandsSeparator(), LocaleDecimalSeparator());
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

TSubForm08010::TSubForm08010(TMainForm& owner, const TSHFileFilter* filter, PCIDList folder) : Main(owner)
{
    RegisterWindowClass(ClassName(), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr, nullptr);
    MDICREATESTRUCTW mcs{};
    mcs.szClass = ClassName();
    mcs.szTitle = L"";
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = mcs.y = CW_USEDEFAULT;
    mcs.cx = kInitialWidth;
    mcs.cy = kInitialHeight;
    mcs.style = WS_VISIBLE | WS_CLIPCHILDREN;
    mcs.lParam = reinterpret_cast<LPARAM>(this);
    // Keep a maximised active child maximised, as the frame does.
    BOOL maximized = FALSE;
    SendMessageW(Main.MdiClient(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    if (maximized) mcs.style |= WS_MAXIMIZE;
    SendMessageW(Main.MdiClient(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
    if (!Wnd) return;
    FormCreate(filter, folder);
    // The child was activated while it was being created, before it had a
    // list to attach.
    if (HWND(SendMessageW(Main.MdiClient(), WM_MDIGETACTIVE, 0, 0)) == Wnd) FormActivate();
}

TSubForm08010::~TSubForm08010()
{
    Destroying = true;
    if (Wnd) SendMessageW(Main.MdiClient(), WM_MDIDESTROY, WPARAM(Wnd), 0);
}

void TSubForm08010::FormCreate(const TSHFileFilter* filter, PCIDList folder)
{
    List = std::make_unique<TSHListView>(Wnd);
    TSHListView& list = *List;
    for (int id = 0; id < 5; ++id) list.SetColumnWidth(id, kColumnWidths[id]);
    const TInitData& s = Main.InitData();
    list.SetViewStyleValue(ListViewStyleFromSetting(s.NewViewStyle));
    ListFontHandle.Reset(CreateFontFromData(s.ListFont));
    list.SetListFont(ListFontHandle.Get());
    list.SetColors(ColorToRGB(s.ListColor), ColorToRGB(s.ListFont.Color));
    list.SetHotTrack(s.HotTrack);

    list.OnShListChange = [this](TSHListView&) { SHListViewShListChange(); };
    list.OnShSelChange = [this](TSHListView&, int64_t size) { SHListViewShSelChange(size); };
    list.OnShFolderLock = [this](TSHListView&, bool lock) { SHListViewShFolderLock(lock); };
    list.OnCustomDrawItem = [this](TSHListView&, int row, COLORREF& text) { return SHListViewCustomDrawItem(row, text); };
    // The rename command of the shell's menu goes through the program's own.
    list.OnShListRename = [](TSHListView&, int) { return false; };

    std::wstring path;
    bool hasPath = folder && IDListToPath(folder, path);
    DWORD attributes = hasPath ? GetFileAttributesW(path.c_str()) : INVALID_FILE_ATTRIBUTES;
    // A recorded folder that is gone leaves the desktop shown.
    if (folder && (!hasPath || attributes != INVALID_FILE_ATTRIBUTES)) list.SetFolder(folder);
    list.SetFilter(filter);
    SetIconFromTree();
    SetWindowTextW(Wnd, list.GetFolderPath().c_str());
    RECT r;
    GetClientRect(Wnd, &r);
    SetWindowPos(list.Handle(), nullptr, 0, 0, r.right, r.bottom, SWP_NOZORDER);
}

void TSubForm08010::SetIconFromTree()
{
    TSHFolderItem* item = Main.ShellTree().SelectedItem();
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
    TSHTreeView& tree = Main.ShellTree();
    tree.SetShellListView(nullptr);
    tree.SelectIDList(List->GetFolderIDList());
    tree.SetShellListView(List.get());
    Main.RepaintStatusBar();
    Main.SelectFilterEntry(List->Filter());
}

void TSubForm08010::ShowFolderSummary()
{
    TSHFileList& files = List->FileList();
    Main.SetStatusPanelText(1, files.GetFolderPath().empty() || !ShownByPath() ? L"" : FolderSummary(files));
}

bool TSubForm08010::ShownByPath()
{
    TSHFolderItem* node = Main.ShellTree().SelectedItem();
    int level = node ? node->GetLevel() : 0;
    return level >= 2 || (level == 1 && !List->GetFolderPath().empty());
}

void TSubForm08010::SHListViewShListChange()
{
    SetIconFromTree();
    TSHFileList& files = List->FileList();
    if (ShownByPath()) {
        SetWindowTextW(Wnd, files.GetFolderPath().c_str());
        Main.SetStatusPanelText(1, FolderSummary(files));
    } else {
        TSHFolderItem* node = Main.ShellTree().SelectedItem();
        SetWindowTextW(Wnd, node ? node->GetDisplayName().c_str() : L"");
        Main.SetStatusPanelText(1, L"");
    }
    Main.SetStatusPanelText(0, FormatObjectCount(files.Count()));
    InvalidateRect(Wnd, nullptr, FALSE);
    DrawMenuBar(Main.Handle());
}

void TSubForm08010::SHListViewShSelChange(int64_t selSize)
{
    int selected = List->SelectedCount();
    if (selected > 0) {
        Main.SetStatusPanelText(0, FormatSelectedCount(selected));
        Main.SetStatusPanelText(1, FormatSelectionSize(selSize, LocaleThousandsSeparator(), LocaleDecimalSeparator()));
        UpdateWindow(Main.StatusBar());
    } else {
        Main.SetStatusPanelText(0, FormatObjectCount(List->FileList().Count()));
        ShowFolderSummary();
        InvalidateRect(Main.StatusBar(), nullptr, TRUE);
    }
}

void TSubForm08010::SHListViewShFolderLock(bool lock)
{
    const TInitData& s = Main.InitData();
    const TFontData& font = lock ? s.LockedFont : s.ListFont;
    ListFontHandle.Reset(CreateFontFromData(font));
    List->SetListFont(ListFontHandle.Get());
    List->SetColors(ColorToRGB(lock ? s.LockedColor : s.ListColor), ColorToRGB(font.Color));
}

bool TSubForm08010::SHListViewCustomDrawItem(int row, COLORREF& text)
{
    TSHFileItem* item = List->FileList().Rows(row);
    if (!item) return false;
    DWORD attributes = item->GetFileAttributes();
    const TInitData& s = Main.InitData();
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
    int order[5];
    List->GetColumnOrder(order);
    for (int k = 0; k < 5; ++k)
        data.Columns.push_back({order[k], List->ColumnWidth(order[k]), List->ColumnSortDirections[k]});
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

void TSubForm08010::RestoreColumns(const std::vector<TColumnData>& columns)
{
    int ids[5];
    int count = 0;
    for (const TColumnData& c : columns)
        if (c.ID >= 0 && c.ID < 5 && count < 5) ids[count++] = c.ID;
    if (count == 5) List->SetColumnOrder(ids, 5);
    for (size_t k = 0; k < columns.size() && k < 5; ++k) {
        const TColumnData& c = columns[k];
        if (c.ID >= 0 && c.ID < 5) List->SetColumnWidth(c.ID, c.Width);
        List->ColumnSortDirections[k] = c.SortDirection < 0 ? -1 : 1;
    }
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
        SendMessageW(Main.MdiClient(), WM_MDIDESTROY, WPARAM(Wnd), 0);
        return 0;
    case WM_DESTROY:
        // The tree must not drive a list that is going away.
        if (List && Main.ShellTree().ShellListView() == List.get()) Main.ShellTree().SetShellListView(nullptr);
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
}

void TSubForm08010::HandleDestroyed()
{
    List.reset();
    // The main window frees the object; nothing of it is touched afterwards.
    if (!Destroying) Main.FolderWindowClosed(this);
}
