// Restoring the workspace of the last run when the main window is first
// shown, and recording it when the window closes.
#include "app/ControlIds.h"
#include "app/FolderWindow.h"
#include "app/MainForm.h"
#include "app/MenuBuilder.h"
#include "app/NavigatorPad.h"
#include "app/SplashForm.h"
#include "browser/FolderTreeView.h"
#include "browser/ShellTreeView.h"
#include "core/favorites/FavoriteNames.h"
#include "core/shell/AddressHistory.h"
#include "core/shell/FileFilter.h"
#include "favorites/FavoritesFolder.h"
#include "gui/MessageBox.h"
#include "gui/MessageLoop.h"
#include "gui/Strings.h"
#include "settings/FontData.h"
#include "shell/ShellHelpers.h"
#include "viewer/Raster.h"

#include <commctrl.h>

#include <algorithm>

namespace {

const wchar_t kFavoritesRootText[] = L"お気に入り";

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

        ApplyTreeLook();
        // The recorded switches are state before any window is built, so
        // that every list enumerates its folder once.
        if (Tree->IncludeHidden() != s.IncludeHidden) Tree->SetIncludeHidden(s.IncludeHidden);
        if (Tree->ShVirtuaItems() != s.ShVirtuaItems) Tree->SetShVirtuaItems(s.ShVirtuaItems);
        FilteringOn = s.Filtering;
        Raster->SetPluginFolder(AnsiToWide(s.PluginFolder));
        PanelBoxHeight = std::max(0, int(s.ViewerHeight));
        SetViewerVisible(s.ViewerVisible);
        RestoreFavoritesFolder();
        RefillFilterCombo();
        RestoreFolderWindows();
        RebuildFileTypeMenus();
        if (s.NavigatorVisible) SetNavigatorOpen(true);

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

void TMainForm::ApplyTreeLook()
{
    const TInitData& s = *SettingsData;
    TFontHandle font(CreateFontFromData(s.TreeFont));
    COLORREF background = ColorToRGB(s.TreeColor), text = ColorToRGB(s.TreeFont.Color);
    Tree->SetTreeFont(font.Get());
    Tree->SetColors(background, text);
    Tree->SetHotTrack(s.HotTrack);
    FolderTreeView->SetLook(font.Get(), background, text, s.HotTrack);
    // The old font goes once neither tree uses it.
    TreeFontHandle = std::move(font);
    InvalidateRect(SHTreeView, nullptr, TRUE);
}

void TMainForm::RestoreFavoritesFolder()
{
    std::wstring folder = UsableFavoritesFolder(AnsiToWide(SettingsData->FavoritesFolder));
    SettingsData->FavoritesFolder = WideToAnsi(folder);
    // A folder the shell cannot show leaves the tree empty: the program
    // still starts.
    if (!FolderTreeView->SetRoot(folder)) ShowMessageBox(Wnd, PathSettingErrorText(folder), MB_OK | MB_ICONERROR);
    FolderTreeView->SetRootText(kFavoritesRootText);
}

void TMainForm::ApplySettings()
{
    const TInitData& s = *SettingsData;
    ApplyTreeLook();
    std::wstring root = AnsiToWide(s.FavoritesFolder);
    if (!FolderTreeView->SetRoot(root)) ShowMessageBox(Wnd, PathSettingErrorText(root), MB_OK | MB_ICONERROR);
    FolderTreeView->SetRootText(kFavoritesRootText);
    for (auto& window : FolderWindowObjects) window->ApplySettings();
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (Navigator) Navigator->SetLook(s.ToolColor, s.ToolTransparency);
    Raster->SetPluginFolder(AnsiToWide(s.PluginFolder));
    RebuildFileTypeMenus();
}

void TMainForm::SetNavigatorOpen(bool open)
{
    if (open == bool(Navigator)) return;
    TInitData& s = *SettingsData;
    if (!open) {
        RecordNavigatorPosition();
        Navigator.reset();
        return;
    }
    Navigator = std::make_unique<TSubForm06080>(Wnd, s.ToolColor, s.ToolTransparency, s.NavigatorLeft, s.NavigatorTop);
    if (!Navigator->Handle()) {
        Navigator.reset();
        return;
    }
    // Each wedge is an arrow key of the folder tree.
    Navigator->OnWedge = [this](TPadWedge wedge) {
        using TStep = TSHTreeView::TArrowStep;
        const TStep steps[] = {TStep::Left, TStep::Right, TStep::Up, TStep::Down};
        Tree->ArrowStep(steps[int(wedge)]);
    };
}

void TMainForm::RecordNavigatorPosition()
{
    if (!Navigator) return;
    POINT at = Navigator->Position();
    SettingsData->NavigatorLeft = at.x;
    SettingsData->NavigatorTop = at.y;
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
    // The root the tree shows; a root it could not show keeps the setting.
    if (!FolderTreeView->Root().empty()) s.FavoritesFolder = WideToAnsi(FolderTreeView->Root());
    RecordNavigatorPosition();
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
