#pragma once
// A folder window: an MDI child showing one folder in a shell list view,
// attached to the main window's folder tree while it is the active one. It
// is built from its complete record, the mirror of what Record() writes.
#include "browser/ShellListView.h"
#include "core/settings/InitData.h"
#include "gui/Handles.h"
#include "gui/Window.h"

#include <memory>

class IFolderWindowHost;

class TSubForm08010 : public TWindow {
public:
    // Shown at once and made the active child. With `restore` the record's
    // bounds and window state are taken, otherwise the platform places the
    // window. A recorded folder that no longer exists leaves the desktop
    // shown. `filtering` is the filtering switch the list starts with.
    TSubForm08010(IFolderWindowHost& frame, const TWindowData& record, bool restore, bool filtering);
    ~TSubForm08010() override;

    TSHListView& SHListView() { return *List; }
    // What the main window records at exit.
    TWindowData Record();
    // The list takes the settings' click style, colours and fonts again.
    void ApplySettings();

    static TSubForm08010* FromHandle(HWND wnd);
    static const wchar_t* ClassName() { return L"TSubForm08010"; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleDestroyed() override;

private:
    bool CreateChild(const TWindowData& record, bool restore);
    void FormCreate(const TWindowData& record, bool filtering);
    void FormActivate();
    void SetIconFromTree();
    void SetCaption(const std::wstring& text);
    void SHListViewShListChange();
    void SHListViewShFolderLock(bool lock);
    bool SHListViewCustomDrawItem(int row, COLORREF& text);

    IFolderWindowHost& Frame;
    bool Destroying = false;  // the owner is freeing this window
    std::unique_ptr<TSHListView> List;
    TFontHandle ListFontHandle;
    TIconHandle Icon;
};

// Settings view style (0 large icons, 1 small icons, 2 list, 3 details) and
// the list control's.
int ListViewStyleFromSetting(int setting);
int SettingFromListViewStyle(int style);
