#pragma once
// The main window: an MDI frame with the cool bar, the left panel with the
// folder and favorites trees and the plug-in viewer box, the viewer's tool
// bar, the status bar and the folder windows in its client area.
#include "gui/Action.h"
#include "gui/Handles.h"
#include "gui/Panel.h"
#include "gui/Splitter.h"
#include "gui/Window.h"
#include "shell/IDList.h"
#include "core/commands/MenuLayout.h"
#include "core/settings/InitData.h"
#include "settings/SettingsFile.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMenuBuilder;
class TSHTreeView;
class TSHListView;
class TSubForm08010;
class TSHFileFilter;

class TMainForm : public TWindow {
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

    TInitData& InitData() { return *Settings; }
    TActionList& ActionList() { return Actions; }
    HWND MdiClient() const { return ClientWnd; }
    HWND CoolBar() const { return CoolBarWnd; }
    HWND StatusBar() const { return StatusWnd; }
    HWND FilterCombo() const { return ComboBox1; }
    HWND AddressCombo() const { return AddressComboWnd; }
    bool ViewerVisible() const;
    int ActiveChildCount() const;

    // What the folder windows use.
    TSHTreeView& ShellTree() { return *Tree; }
    // The list attached to the tree (the active folder window's), or null.
    TSHListView* AttachedList() const;
    void SetStatusPanelText(int panel, const std::wstring& text);
    void RepaintStatusBar();
    void SelectFilterEntry(const TSHFileFilter* filter);
    TSubForm08010* NewFolderWindow(const TSHFileFilter* filter, PCIDList folder);
    void FolderWindowClosed(TSubForm08010* window);
    // The folder windows from the bottom of the stacking order to the top.
    std::vector<TSubForm08010*> FolderWindowsBottomUp() const;

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
    void OnCommand(int id, HWND control, int code);
    LRESULT OnNotify(NMHDR* hdr);
    void ShowHint(const std::wstring& statusText);
    void HideHint();
    void SyncToolBars();
    void ShowDropDownMenu(HWND toolBar, int buttonId, TToolMenu menu);
    void ShowHelp(int helpContext);
    bool IsShortCutRefused() const;

    // Workspace (MainFormWorkspace.cpp)
    void FormShow();
    void RestoreBands();
    void RestoreFavoritesFolder();
    void FillFilterCombo();
    void BuildFileTypeMenus();
    bool FormCloseQuery();
    void RestoreFolderWindows();
    void SHTreeViewSelectNode();
    void ComboBox1Select();
    void FillHistoryMenu(HMENU menu, bool back);
    void DrawStatusPanel(const DRAWITEMSTRUCT& item);
    void RecordBands();
    bool SaveWorkspace();

    // Bands and viewer (used by the toggles and the workspace)
    int BandIndex(int id) const;
    bool BandVisible(int id) const;
    void ShowBand(int id, bool visible);
    void SetViewerVisible(bool visible);
    void SetStatusBarVisible(bool visible);
    void ApplyTreeLook(HWND tree);

    std::wstring ExePath;
    std::unique_ptr<TInitData> Settings;
    TSettingsFileState SettingsState;
    std::wstring HelpFile;
    TActionList Actions;
    TAccelHandle Accelerators;
    TFontHandle UiFont;
    TImageListHandle ImageList1, ImageList2;
    std::unique_ptr<TMenuBuilder> Menus;
    TMenuHandle MainMenu, PopupMenu1, ToolBarMenu1, ToolBarMenu2, PopupUndo, PopupRedo;
    HMENU WindowMenu = nullptr;
    TFontHandle TreeFontHandle;
    std::wstring SettingsPath;
    bool Shown = false;
    bool HintShown = false;
    // The paste button of the edit bar is not bound to the paste command; it
    // runs this handler directly and is enabled while there is one.
    std::function<void()> PasteHandler;
    std::wstring FavoritesRoot;
    std::wstring PluginFolder;

    HWND ClientWnd = nullptr;
    HWND CoolBarWnd = nullptr;
    HWND PanelSpace = nullptr;
    HWND StatusWnd = nullptr;
    std::vector<HWND> ToolBars;           // every tool bar, for the state sync
    HWND ComboBox1 = nullptr;
    HWND AddressComboWnd = nullptr;
    std::unique_ptr<TPanel> ToolBar7Panel, Frame1;

    std::unique_ptr<TPanel> PanelCtrl, PanelBox, PanelViewer;
    std::unique_ptr<TSplitter> SplitterFrame, Splitter1;
    HWND PageControl = nullptr;
    std::unique_ptr<TPanel> FoldersPage, FavoritesPage;
    std::unique_ptr<TSHTreeView> Tree;
    HWND SHTreeView = nullptr;  // the tree control inside Tree
    std::vector<std::unique_ptr<TSubForm08010>> FolderWindows;
    HWND FolderTreeView = nullptr;
    HWND ToolBar88 = nullptr;
    HWND Raster = nullptr;
    HWND ToolBar8 = nullptr;
    HWND ProgressBar = nullptr;
    HWND Labels[3] = {};
    int PanelBoxHeight = 150;
    int PanelCtrlWidth = 200;
};
