// Restoring the workspace of the last run when the main window is first
// shown, and recording it when the window closes.
#include "app/ControlIds.h"
#include "app/FolderWindow.h"
#include "app/FontData.h"
#include "app/MainForm.h"
#include "app/MenuBuilder.h"
#include "app/SplashForm.h"
#include "browser/ShellTreeView.h"
#include "core/shell/AddressHistory.h"
#include "core/shell/FileFilter.h"
#include "gui/MessageBox.h"
#include "gui/MessageLoop.h"
#include "gui/Strings.h"
#include "shell/ShellHelpers.h"
#include "viewer/Raster.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

namespace {

std::wstring SpecialFolderPath(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? std::wstring(path) : std::wstring();
}

}  // namespace

void TMainForm::FormShow()
{
    // Shown before the settings are read. It goes 200 ms after the restore,
    // by a timer, so that the restored windows paint first; before then
    // only ahead of a message box, which it would cover.
    Splash = std::make_unique<TSubForm00000>(Wnd);
    try {
        struct TCleanUp {
            TMainForm* Form;
            ~TCleanUp() { if (Form->Wnd) SetFocus(Form->SHTreeView); }
        } cleanUp{this};

        LoadSettings(SettingsPath, *SettingsData, SettingsState);

        TInitData& s = *SettingsData;
        SetWindowPos(Wnd, nullptr, s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        PanelCtrlWidth = std::max(0, int(s.TreePanelWidth));
        SetStatusBarVisible(s.StatusBarVisible);
        RestoreBands();

        ApplyTreeLook(SHTreeView);
        Tree->SetHotTrack(s.HotTrack);
        // The recorded switches are state before any window is built, so
        // that every list enumerates its folder once.
        if (Tree->IncludeHidden() != s.IncludeHidden) Tree->SetIncludeHidden(s.IncludeHidden);
        if (Tree->ShVirtuaItems() != s.ShVirtuaItems) Tree->SetShVirtuaItems(s.ShVirtuaItems);
        FilteringOn = s.Filtering;
        Raster->SetPluginFolder(AnsiToWide(s.PluginFolder));
        PanelBoxHeight = std::max(0, int(s.ViewerHeight));
        SetViewerVisible(s.ViewerVisible);
        RestoreFavoritesFolder();
        ApplyTreeLook(FolderTreeView);
        RefillFilterCombo();
        RestoreFolderWindows();
        RebuildFileTypeMenus();

        // Told once, over the restored window.
        if (SettingsState.Damaged) {
            Splash->Release();
            ShowMessageBox(Wnd,
                           L"設定ファイルの一部が壊れていたため、読み取れた設定だけを使用します。\n"
                           L"壊れたファイルは、次に設定を記録するときに名前を変えて残します。\n\n" + SettingsPath,
                           MB_OK | MB_ICONWARNING);
        }
    } catch (...) {
        Splash->Release();
        ShowMessageBox(Wnd, L"プログラムの起動エラーが発生。", MB_OK | MB_ICONERROR);
        DestroyWindow(Wnd);
    }
    Splash->ReleaseAfter(200);
}

void TMainForm::RestoreBands()
{
    auto& bands = SettingsData->Bands;
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

void TMainForm::SHTreeViewSelectNode()
{
    std::wstring path = Tree->GetSelectedPath();
    if (path.empty() || !AddressComboWnd) return;
    RememberAddress(AddressHistory, path);
    ShowAddressHistory();
    SetWindowTextW(AddressComboWnd, path.c_str());
}

void TMainForm::ShowAddressHistory()
{
    SendMessageW(AddressComboWnd, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : AddressHistory)
        SendMessageW(AddressComboWnd, CB_ADDSTRING, 0, LPARAM(entry.c_str()));
}

std::wstring TMainForm::AddressText() const
{
    if (!AddressComboWnd) return {};
    std::wstring text(size_t(GetWindowTextLengthW(AddressComboWnd)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(AddressComboWnd, text.data(), int(text.size()))));
    return text;
}

void TMainForm::RefuseAddress(const std::wstring& text)
{
    if (!AddressComboWnd) return;
    ForgetAddress(AddressHistory, text);
    ShowAddressHistory();
    SetWindowTextW(AddressComboWnd, L"");
}

void TMainForm::ApplyTreeLook(HWND tree)
{
    const TInitData& s = *SettingsData;
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
    std::wstring folder = AnsiToWide(SettingsData->FavoritesFolder);
    // One level only, like a single make-directory call.
    if (folder.empty() || (!DirectoryExists(folder) && !CreateDirectoryW(folder.c_str(), nullptr)))
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

void TMainForm::RestoreFolderWindows()
{
    // Bottom of the stacking order first: the window that was active at
    // exit is created last and is active again.
    for (const TWindowData& record : SettingsData->Windows) OpenFolderWindow(record, true);
    SettingsData->Windows.clear();
}

void TMainForm::RecordWorkspace()
{
    TInitData& s = *SettingsData;
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
    s.StatusBarVisible = StatusBarVisible();
    s.IncludeHidden = Tree->IncludeHidden();
    s.ShVirtuaItems = uint16_t(Tree->ShVirtuaItems());
    s.FavoritesFolder = WideToAnsi(FavoritesRoot);
    RecordBands();
    // Bottom of the stacking order first, so the active window comes back
    // on top.
    s.Windows.clear();
    for (TSubForm08010* window : FolderWindows()) {
        s.Windows.push_back(window->Record());
        ProcessPendingMessages();
    }
    s.Filtering = FilteringOn;
    s.PluginFolder = WideToAnsi(Raster->PluginFolder());
    s.ViewerVisible = ViewerVisible();
    s.ViewerHeight = PanelBoxHeight;
}

bool TMainForm::FormCloseQuery()
{
    RecordWorkspace();
    AskAndSave();
    for (TSubForm08010* window : FolderWindows())
        SendMessageW(ClientWnd, WM_MDIDESTROY, WPARAM(window->Handle()), 0);
    return true;
}

void TMainForm::AskAndSave()
{
    bool save = SettingsData->AutoSaveOnExit ||
                ShowMessageBox(Wnd, L"現在の設定を記録しますか？", MB_ICONQUESTION | MB_YESNO) == IDYES;
    if (save) SaveWorkspace();
}

void TMainForm::RecordBands()
{
    auto& bands = SettingsData->Bands;
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
        SaveSettings(SettingsPath, *SettingsData, SettingsState);
        return true;
    } catch (const TSettingsFileError& e) {
        ShowMessageBox(Wnd, e.Message + L"\n\n前回の設定ファイルはそのまま残っています。", MB_OK | MB_ICONERROR);
        return false;
    }
}
