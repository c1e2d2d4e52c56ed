#pragma once
// The main window: an MDI frame with the cool bar, the left panel with the
// folder and favorites trees and the plug-in viewer box, the viewer's tool
// bar, the status bar and the folder windows in its client area.
#include "app/MainFrame.h"
#include "core/commands/CommandState.h"
#include "core/commands/MenuLayout.h"
#include "core/settings/InitData.h"
#include "gui/Action.h"
#include "gui/Handles.h"
#include "gui/Panel.h"
#include "gui/Splitter.h"
#include "gui/Window.h"
#include "settings/SettingsFile.h"
#include "shell/IDList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFolderTreeView;
class TMenuBuilder;
class TSubForm06080;
class TSHTreeView;
class TSHListView;
class TPanelBox;
class TRaster;
class TStatusPanels;
class TSubForm08010;
class TSHFileFilter;
class TSHPopupMenu;
class TSubForm00000;

class TMainForm : public TWindow, public IFolderWindowHost {
public:
    // The settings and help files lie beside `exePath` (normally the running
    // executable).
    explicit TMainForm(std::wstring exePath);
    ~TMainForm() override;

    // Creates the window and shows it; the workspace of the last run is
    // restored on the first show. Returns false when start-up failed (the
    // user has been told and the window is gone).
    bool Start(int showCommand);

    // The keyboard-shortcut filter of the message loop.
    bool PreTranslate(MSG& msg);
    // The idle update pass of every command.
    void UpdateActions();

    TInitData& InitData() { return *SettingsData; }
    TActionList& ActionList() { return ActionsList; }
    HWND CoolBar() const { return CoolBarWnd; }
    HWND StatusBar() const { return StatusWnd; }
    HWND FilterCombo() const { return ComboBox1; }
    int ActiveChildCount() const;
    // The text of the viewer bar's label 0 (size), 1 (resolution) or 2 (depth).
    std::wstring PictureLabel(int index) const;

    // From the bottom of the stacking order to the top.
    std::vector<TSubForm08010*> FolderWindows() const;
    // A window built from its complete record: restored bounds and state
    // when `restore`, otherwise where the platform puts a new window.
    TSubForm08010* OpenFolderWindow(const TWindowData& record, bool restore);
    HWND AddressCombo() const { return AddressComboWnd; }
    // What the update pass reads, taken now.
    TCommandSnapshot TakeCommandSnapshot() const;

    // IMainFrame and IFolderWindowHost
    HWND OwnerWindow() const override { return Wnd; }
    HWND MdiClient() const override { return ClientWnd; }
    TInitData& Settings() override { return *SettingsData; }
    TActionList& Actions() override { return ActionsList; }
    TSHTreeView& ShellTree() override { return *Tree; }
    TFolderTreeView& FavoritesTree() override { return *FolderTreeView; }
    void SetFavoriteSelectHandler(std::function<void(HTREEITEM node)> handler) override
    {
        FavoriteSelectHandler = std::move(handler);
    }
    bool NavigatorOpen() const override { return Navigator != nullptr; }
    void SetNavigatorOpen(bool open) override;
    // The open navigator pad, or null.
    TSubForm06080* NavigatorPad() const { return Navigator.get(); }
    void ApplySettings() override;
    HIMAGELIST CommandImages() const override { return ImageList1.Get(); }
    TFocusPane FocusedPane() const override;
    TSHListView* ActiveList() const override;
    std::vector<TSHListView*> FolderLists() const override;
    void OpenNewFolderWindow(const TWindowData& record) override { OpenFolderWindow(record, false); }
    void CloseActiveFolderWindow() override;
    void ArrangeFolderWindows(TWindowArrangement arrangement) override;
    void FolderWindowActivated(TSubForm08010& window) override;
    void FolderWindowClosing(TSubForm08010& window) override;
    void FolderWindowDestroyed(TSubForm08010& window) override;
    void RepaintIndicators() override;
    std::wstring AddressText() const override;
    void RefuseAddress(const std::wstring& text) override;
    bool Filtering() const override { return FilteringOn; }
    void SetFiltering(bool on) override;
    bool FilterEntryChosen() const override;
    const TSHFileFilter* ChosenFilter() const override;
    void ChooseFilter(const TSHFileFilter* filter) override;
    void RefillFilterCombo() override;
    bool BandVisible(int band) const override;
    void ShowBand(int band, bool visible) override;
    bool StatusBarVisible() const override;
    void SetStatusBarVisible(bool visible) override;
    bool ViewerVisible() const override;
    void SetViewerVisible(bool visible) override;
    void ShowHelp(int helpContext) override;
    void ShowHelpContents() override;
    void SetPasteHandler(std::function<void()> handler) override { PasteHandler = std::move(handler); }
    void RebuildFileTypeMenus() override;
    void SetFileTypeHandler(std::function<void(int index)> handler) override { FileTypeHandler = std::move(handler); }
    TRaster& ImageView() override { return *Raster; }
    void SetPictureLabels(const std::wstring& size, const std::wstring& resolution, const std::wstring& depth) override;
    void ShowLoadProgress(bool visible) override;

    // The shell context menu of tree and lists, with the program's items.
    TSHPopupMenu& ShellPopupMenu() { return *SHPopupMenu; }

    static const wchar_t* ClassName() { return L"TMainForm"; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Creation and layout (MainFormLayout.cpp)
    void FormCreate();
    void CreateControls();
    void CreateCoolBar();
    void CreateLeftPanel();
    void CreateViewerBar();
    void CreateStatusBar();
    void LayoutForm();
    void LayoutLeftPanel();
    void LayoutViewerBar();
    HWND CreateBandToolBar(HWND parent, const std::vector<TToolEntry>& entries);
    void ShowPage(int index);

    // Commands (MainFormCommands.cpp)
    void CreateActions();
    void BindActionHandlers();
    void BindCommandStates();  // MainFormCommandStates.cpp
    bool HasMdiChild() const;
    void OnCommand(int id, HWND control, int code);
    LRESULT OnNotify(NMHDR* hdr);
    void SyncToolBars();
    void ShowDropDownMenu(HWND toolBar, int buttonId, TToolMenu menu);
    bool IsShortCutRefused() const;

    // The context menus (MainFormPopup.cpp)
    void CreateShellPopupMenu();
    bool SHPopupMenuShBeforPopup();
    void PopupBackgroundMenu(POINT screen);

    // Workspace (MainFormWorkspace.cpp)
    void FormShow();
    void RestoreBands();
    void RestoreFavoritesFolder();
    bool FormCloseQuery();
    void RecordWorkspace();
    void AskAndSave();
    void RestoreFolderWindows();
    void SHTreeViewSelectNode();
    // The address combo box's list shows AddressHistory again.
    void ShowAddressHistory();
    void ComboBox1Select();
    void FillHistoryMenu(HMENU menu, bool back);
    void RecordBands();
    bool SaveWorkspace();

    int BandIndex(int id) const;
    // The file type a select-by-type menu item stands for (empty: none).
    std::wstring FileTypeOfMenuItem(int id) const;
    // Both trees take the settings' colour, font and hot tracking.
    void ApplyTreeLook();
    void RecordNavigatorPosition();

    std::wstring ExePath;
    std::unique_ptr<TSubForm00000> Splash;  // while the workspace is restored
    std::unique_ptr<TInitData> SettingsData;
    TSettingsFileState SettingsState;
    std::wstring HelpFile;
    TActionList ActionsList;
    TAccelHandle Accelerators;
    TFontHandle UiFont;
    TImageListHandle ImageList1, ImageList2;
    std::unique_ptr<TMenuBuilder> Menus;
    TMenuHandle MainMenu, PopupMenu1, ToolBarMenu1, ToolBarMenu2, PopupUndo, PopupRedo;
    HMENU WindowMenu = nullptr;
    TFontHandle TreeFontHandle;
    std::wstring SettingsPath;
    bool Shown = false;
    bool FilteringOn = false;
    // The paste button of the edit bar is not bound to the paste command; it
    // runs this handler directly and is enabled while there is one.
    std::function<void()> PasteHandler;
    std::function<void(int index)> FileTypeHandler;
    std::function<void(HTREEITEM node)> FavoriteSelectHandler;
    std::vector<std::wstring> AddressHistory;  // oldest first
    TCommandSnapshot CommandSnapshot;          // of the running update pass

    HWND ClientWnd = nullptr;
    HWND CoolBarWnd = nullptr;
    HWND PanelSpace = nullptr;
    HWND StatusWnd = nullptr;
    std::vector<HWND> ToolBars;           // every tool bar, for the state sync
    HWND ComboBox1 = nullptr;
    HWND AddressComboWnd = nullptr;
    std::unique_ptr<TPanel> ToolBar7Panel, Frame1;

    std::unique_ptr<TPanel> PanelCtrl, PanelViewer;
    std::unique_ptr<TPanelBox> PanelBox;
    std::unique_ptr<TSplitter> SplitterFrame, Splitter1;
    std::unique_ptr<TStatusPanels> Status;
    HWND PageControl = nullptr;
    std::unique_ptr<TPanel> FoldersPage, FavoritesPage;
    std::unique_ptr<TSHTreeView> Tree;
    std::unique_ptr<TSHPopupMenu> SHPopupMenu;
    HWND SHTreeView = nullptr;  // the tree control inside Tree
    std::vector<std::unique_ptr<TSubForm08010>> FolderWindowObjects;
    std::unique_ptr<TFolderTreeView> FolderTreeView;
    std::unique_ptr<TSubForm06080> Navigator;
    HWND ToolBar88 = nullptr;
    std::unique_ptr<TRaster> Raster;
    HWND ToolBar8 = nullptr;
    HWND ProgressBar = nullptr;
    HWND Labels[3] = {};
    int PanelBoxHeight = 150;
    int PanelCtrlWidth = 200;
};
