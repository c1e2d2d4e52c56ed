#pragma once
// A folder window: an MDI child showing one folder in a shell list view,
// attached to the main window's folder tree while it is the active one.
#include "gui/Handles.h"
#include "gui/Window.h"
#include "core/settings/InitData.h"
#include "shell/ShellListView.h"

#include <memory>

class TMainForm;

class TSubForm08010 : public TWindow {
public:
    // Shown at once and made the active child. `folder` may be null (the
    // desktop is shown), `filter` may be null.
    TSubForm08010(TMainForm& owner, const TSHFileFilter* filter, PCIDList folder);
    ~TSubForm08010() override;

    TSHListView& SHListView() { return *List; }
    // What the main window records at exit.
    TWindowData Record();
    // The restore's column step: order, widths and directions from records.
    void RestoreColumns(const std::vector<TColumnData>& columns);

    static TSubForm08010* FromHandle(HWND wnd);
    static const wchar_t* ClassName() { return L"TSubForm08010"; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleDestroyed() override;

private:
    void FormCreate(const TSHFileFilter* filter, PCIDList folder);
    void FormActivate();
    void SetIconFromTree();
    void SHListViewShListChange();
    void SHListViewShSelChange(int64_t selSize);
    void SHListViewShFolderLock(bool lock);
    bool SHListViewCustomDrawItem(int row, COLORREF& text);
    void ShowFolderSummary();
    bool ShownByPath();

    TMainForm& Main;
    bool Destroying = false;  // the owner is freeing this window
    std::unique_ptr<TSHListView> List;
    TFontHandle ListFontHandle;
    TIconHandle Icon;
};

// Settings view style (0 large icons, 1 small icons, 2 list, 3 details) and
// the list control's.
int ListViewStyleFromSetting(int setting);
int SettingFromListViewStyle(int style);
