#pragma once
// What the command areas and the folder windows may use of the main window.
// TMainForm implements it; each command area binds its handlers through it
// (src/commands), and a folder window knows its frame only through it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TActionList;
class TRaster;
class TInitData;
class TSHFileFilter;
class TSHListView;
class TSHTreeView;
class TStatusPanels;
class TSubForm08010;
struct TWindowData;

class IMainFrame {
public:
    virtual ~IMainFrame() = default;

    // The owner of every message box, dialog and piece of shell UI.
    virtual HWND OwnerWindow() const = 0;
    virtual HWND MdiClient() const = 0;
    virtual TInitData& Settings() = 0;
    virtual TActionList& Actions() = 0;
    virtual TSHTreeView& ShellTree() = 0;
    virtual TStatusPanels& StatusPanels() = 0;

    // ---- folder windows
    // The list attached to the tree (the active folder window's), or null.
    virtual TSHListView* ActiveList() const = 0;
    // From the bottom of the stacking order to the top.
    virtual std::vector<TSubForm08010*> FolderWindows() const = 0;
    // A window built from its complete record: restored bounds and state
    // when `restore`, otherwise where the platform puts a new window.
    virtual TSubForm08010* OpenFolderWindow(const TWindowData& record, bool restore) = 0;
    // Told by a folder window when it becomes the active one, when its
    // window is being destroyed (its list still exists), and when the
    // window is gone (the frame frees the object then).
    virtual void FolderWindowActivated(TSubForm08010& window) = 0;
    virtual void FolderWindowClosing(TSubForm08010& window) = 0;
    virtual void FolderWindowDestroyed(TSubForm08010& window) = 0;

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
    virtual HWND AddressCombo() const = 0;

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

    // ---- other services
    virtual void ShowHelp(int helpContext) = 0;
    // The paste button of the edit bar runs this directly (enabled while
    // there is one).
    virtual void SetPasteHandler(std::function<void()> handler) = 0;
    // Menus built at run time from the settings' file types, and what an
    // item of them runs (with the index of its type).
    virtual void RebuildFileTypeMenus() = 0;
    virtual void SetFileTypeHandler(std::function<void(int index)> handler) = 0;
};
