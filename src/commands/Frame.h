#pragma once
// What the command areas may use of the main window. The frame implements
// it; each area binds its handlers through it (Commands.h), and knows no
// window of the frame's by its handle.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class TActionList;
class TFolderTreeView;
class TRaster;
class TInitData;
class TSHFileFilter;
class TSHListView;
class TSHTreeView;
struct TWindowData;
enum class TFocusPane;

// How the folder windows are laid out by the window menu.
enum class TWindowArrangement { Cascade, TileHorizontally, TileVertically, MinimizeAll, ArrangeIcons };

class IMainFrame {
public:
    virtual ~IMainFrame() = default;

    // The owner of every message box, dialog and piece of shell UI.
    virtual HWND OwnerWindow() const = 0;
    virtual TInitData& Settings() = 0;
    virtual TActionList& Actions() = 0;
    virtual TSHTreeView& ShellTree() = 0;
    // The favorites tree on the second page of the left panel, and what a
    // selection in it runs.
    virtual TFolderTreeView& FavoritesTree() = 0;
    virtual void SetFavoriteSelectHandler(std::function<void(HTREEITEM node)> handler) = 0;
    // Which of the tree and the attached list has the keyboard focus now.
    virtual TFocusPane FocusedPane() const = 0;

    // ---- folder windows
    // The list attached to the tree (the active folder window's), or null.
    virtual TSHListView* ActiveList() const = 0;
    // Every folder window's list, from the bottom of the stacking order up.
    virtual std::vector<TSHListView*> FolderLists() const = 0;
    // A new folder window built from its record, where the platform puts it.
    virtual void OpenNewFolderWindow(const TWindowData& record) = 0;
    virtual void CloseActiveFolderWindow() = 0;
    virtual void ArrangeFolderWindows(TWindowArrangement arrangement) = 0;

    // ---- switches of the workspace
    // The filtering switch: applies the chosen filters of every window.
    virtual bool Filtering() const = 0;
    virtual void SetFiltering(bool on) = 0;
    // The filter combo box: whether an entry is chosen, the chosen filter
    // (null: none), and choosing.
    virtual bool FilterEntryChosen() const = 0;
    virtual const TSHFileFilter* ChosenFilter() const = 0;
    virtual void ChooseFilter(const TSHFileFilter* filter) = 0;
    // Fills the filter combo box again from the settings' filters.
    virtual void RefillFilterCombo() = 0;
    // The status bar's indicators (filter, lock) show the attached list's
    // state again.
    virtual void RepaintIndicators() = 0;

    // ---- the address bar
    virtual std::wstring AddressText() const = 0;
    // A typed address was refused: the text is cleared and its history
    // entry goes.
    virtual void RefuseAddress(const std::wstring& text) = 0;

    // ---- the main window's bars and panels
    virtual bool BandVisible(int band) const = 0;
    virtual void ShowBand(int band, bool visible) = 0;
    virtual bool StatusBarVisible() const = 0;
    virtual void SetStatusBarVisible(bool visible) = 0;
    virtual bool ViewerVisible() const = 0;
    virtual void SetViewerVisible(bool visible) = 0;
    // The plug-in viewer: the image view, the picture's labels on its bar,
    // and the progress bar of a load.
    virtual TRaster& ImageView() = 0;
    virtual void SetPictureLabels(const std::wstring& size, const std::wstring& resolution,
                                  const std::wstring& depth) = 0;
    virtual void ShowLoadProgress(bool visible) = 0;

    // ---- the navigator pad, open or closed (its position kept in the
    // settings)
    virtual bool NavigatorOpen() const = 0;
    virtual void SetNavigatorOpen(bool open) = 0;

    // ---- other services
    // After the options dialog: everything on screen takes the settings
    // again (trees, lists and their colours, click style, the navigator,
    // the favorites root, the plug-in folder, the select-by-type menus).
    virtual void ApplySettings() = 0;
    // The command images (16 x 16), for dialogs that show some of them.
    virtual HIMAGELIST CommandImages() const = 0;
    // The help file at a context's topic, or at its table of contents.
    virtual void ShowHelp(int helpContext) = 0;
    virtual void ShowHelpContents() = 0;
    // The paste button of the edit bar runs this directly (enabled while
    // there is one).
    virtual void SetPasteHandler(std::function<void()> handler) = 0;
    // Menus built at run time from the settings' file types, and what an
    // item of them runs (with the index of its type).
    virtual void RebuildFileTypeMenus() = 0;
    virtual void SetFileTypeHandler(std::function<void(int index)> handler) = 0;
};
