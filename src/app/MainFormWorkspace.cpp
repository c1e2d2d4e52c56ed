// Restoring the workspace of the last run when the main window is first
// shown, and recording it when the window closes.
#include "app/ControlIds.h"
#include "app/FontData.h"
#include "app/MainForm.h"
#include "app/MenuBuilder.h"
#include "gui/MessageBox.h"
#include "gui/MessageLoop.h"
#include "gui/Strings.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

namespace {

const int kFilteringCommand = 5020;

std::wstring SpecialFolderPath(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? std::wstring(path) : std::wstring();
}

bool IsDirectory(const std::wstring& path)
{
    DWORD attr = GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TMainForm::FormShow()
{
    try {
        struct TCleanUp {
            TMainForm* Form;
            ~TCleanUp() { if (Form->Wnd) SetFocus(Form->SHTreeView); }
        } cleanUp{this};

        // (The splash window, when there is one, is shown before this.)
        LoadSettings(SettingsPath, *Settings, SettingsState);

        TInitData& s = *Settings;
        SetWindowPos(Wnd, nullptr, s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        PanelCtrlWidth = std::max(0, int(s.TreePanelWidth));
        SetStatusBarVisible(s.StatusBarVisible);
        RestoreBands();

        ApplyTreeLook(SHTreeView);
        RestoreFavoritesFolder();
        ApplyTreeLook(FolderTreeView);
        FillFilterCombo();
        // Folder windows are not re-created yet; their records stay as they
        // were read and are written back unchanged.
        BuildFileTypeMenus();

        if (TAction* filtering = Actions.Find(kFilteringCommand)) {
            filtering->Checked = !s.Filtering;
            Actions.Execute(kFilteringCommand, Wnd);
        }
        PluginFolder = AnsiToWide(s.PluginFolder);

        ShowWindow(PanelViewer->Handle(), s.ViewerVisible ? SW_HIDE : SW_SHOW);
        PanelBoxHeight = std::max(0, int(s.ViewerHeight));
        SetViewerVisible(!ViewerVisible());

        // Told once, over the restored window.
        if (SettingsState.Damaged)
            ShowMessageBox(Wnd,
                           L"設定ファイルの一部が壊れていたため、読み取れた設定だけを使用します。\n"
                           L"壊れたファイルは、次に設定を記録するときに名前を変えて残します。\n\n" + SettingsPath,
                           MB_OK | MB_ICONWARNING);
    } catch (...) {
        ShowMessageBox(Wnd, L"プログラムの起動エラーが発生。", MB_OK | MB_ICONERROR);
        DestroyWindow(Wnd);
    }
}

void TMainForm::RestoreBands()
{
    auto& bands = Settings->Bands;
    int count = int(SendMessageW(CoolBarWnd, RB_GETBANDCOUNT, 0, 0));
    for (int i = int(bands.size()) - 1; i >= 0; --i) {
        const TBandData& record = bands[size_t(i)];
        int index = BandIndex(record.ID);
        if (index < 0) continue;  // a band this program does not have
        int target = std::min(i, count - 1);
        SendMessageW(CoolBarWnd, RB_MOVEBAND, index, target);
        REBARBANDINFOW rb{};
        rb.cbSize = sizeof rb;
        rb.fMask = RBBIM_STYLE;
        SendMessageW(CoolBarWnd, RB_GETBANDINFOW, target, LPARAM(&rb));
        rb.fMask = RBBIM_STYLE | (record.Width >= 0 ? RBBIM_SIZE : 0);
        rb.fStyle = record.Break ? (rb.fStyle | RBBS_BREAK) : (rb.fStyle & ~RBBS_BREAK);
        rb.cx = UINT(std::max(0, int(record.Width)));
        SendMessageW(CoolBarWnd, RB_SETBANDINFOW, target, LPARAM(&rb));
        SendMessageW(CoolBarWnd, RB_SHOWBAND, target, record.Visible);
    }
    bands.clear();
    LayoutForm();
}

void TMainForm::ApplyTreeLook(HWND tree)
{
    const TInitData& s = *Settings;
    if (!TreeFontHandle) TreeFontHandle.Reset(CreateFontFromData(s.TreeFont));
    SendMessageW(tree, WM_SETFONT, WPARAM(TreeFontHandle.Get()), TRUE);
    SendMessageW(tree, TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(s.TreeColor)));
    SendMessageW(tree, TVM_SETTEXTCOLOR, 0, LPARAM(ColorToRGB(s.TreeFont.Color)));
    LONG_PTR style = GetWindowLongPtrW(tree, GWL_STYLE);
    style = s.HotTrack ? (style | TVS_TRACKSELECT) : (style & ~TVS_TRACKSELECT);
    SetWindowLongPtrW(tree, GWL_STYLE, style);
}

void TMainForm::RestoreFavoritesFolder()
{
    std::wstring folder = AnsiToWide(Settings->FavoritesFolder);
    // One level only, like a single make-directory call.
    if (folder.empty() || (!IsDirectory(folder) && !CreateDirectoryW(folder.c_str(), nullptr)))
        folder = SpecialFolderPath(CSIDL_FAVORITES);
    FavoritesRoot = folder;

    TreeView_DeleteAllItems(FolderTreeView);
    TVINSERTSTRUCTW item{};
    item.hParent = TVI_ROOT;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT;
    item.item.pszText = const_cast<wchar_t*>(L"お気に入り");
    TreeView_InsertItem(FolderTreeView, &item);
}

void TMainForm::FillFilterCombo()
{
    SendMessageW(ComboBox1, CB_RESETCONTENT, 0, 0);
    SendMessageW(ComboBox1, CB_ADDSTRING, 0, LPARAM(L"< フィルタ無し >"));
    for (const auto& filter : Settings->Filters) {
        std::wstring name = AnsiToWide(filter->Name);
        LRESULT index = SendMessageW(ComboBox1, CB_ADDSTRING, 0, LPARAM(name.c_str()));
        SendMessageW(ComboBox1, CB_SETITEMDATA, index, LPARAM(filter.get()));
    }
    SendMessageW(ComboBox1, CB_SETCURSEL, 0, 0);
}

void TMainForm::BuildFileTypeMenus()
{
    for (HMENU menu : Menus->FileTypeMenus()) {
        while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
        int id = IDM_FILETYPE_FIRST;
        for (const std::string& type : Settings->FileTypes)
            AppendMenuW(menu, MF_STRING | MF_GRAYED, UINT_PTR(id++), AnsiToWide(type).c_str());
    }
}

bool TMainForm::FormCloseQuery()
{
    TInitData& s = *Settings;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    RECT r;
    GetWindowRect(Wnd, &r);
    // A minimised or maximised window is recorded with its normal bounds.
    if ((IsIconic(Wnd) || IsZoomed(Wnd)) && GetWindowPlacement(Wnd, &wp)) r = wp.rcNormalPosition;
    s.WindowLeft = r.left;
    s.WindowTop = r.top;
    s.WindowWidth = r.right - r.left;
    s.WindowHeight = r.bottom - r.top;
    s.TreePanelWidth = PanelCtrlWidth;
    s.StatusBarVisible = IsWindowVisible(StatusWnd) != 0;
    s.FavoritesFolder = WideToAnsi(FavoritesRoot);
    RecordBands();

    TAction* filtering = Actions.Find(kFilteringCommand);
    s.Filtering = filtering && filtering->Checked;
    s.PluginFolder = WideToAnsi(PluginFolder);
    s.ViewerVisible = ViewerVisible();
    s.ViewerHeight = PanelBoxHeight;

    bool save = s.AutoSaveOnExit ||
                ShowMessageBox(Wnd, L"現在の設定を記録しますか？", MB_ICONQUESTION | MB_YESNO) == IDYES;
    if (save) SaveWorkspace();

    for (HWND child = GetWindow(ClientWnd, GW_CHILD); child;) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (!GetWindow(child, GW_OWNER)) SendMessageW(ClientWnd, WM_MDIDESTROY, WPARAM(child), 0);
        child = next;
    }
    return true;
}

void TMainForm::RecordBands()
{
    auto& bands = Settings->Bands;
    bands.clear();
    int count = int(SendMessageW(CoolBarWnd, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW rb{};
        rb.cbSize = sizeof rb;
        rb.fMask = RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE;
        SendMessageW(CoolBarWnd, RB_GETBANDINFOW, i, LPARAM(&rb));
        TBandData band;
        band.ID = int32_t(rb.wID);
        band.Width = int32_t(rb.cx);
        band.Visible = !(rb.fStyle & RBBS_HIDDEN);
        band.Break = (rb.fStyle & RBBS_BREAK) != 0;
        bands.push_back(band);
    }
}

bool TMainForm::SaveWorkspace()
{
    try {
        SaveSettings(SettingsPath, *Settings, SettingsState);
        return true;
    } catch (const TSettingsFileError& e) {
        ShowMessageBox(Wnd, e.Message + L"\n\n前回の設定ファイルはそのまま残っています。", MB_OK | MB_ICONERROR);
        return false;
    }
}
