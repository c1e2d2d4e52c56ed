#pragma once
// The list of one folder's objects in a folder window: an owner-data list
// control over a TSHFileList. The control sits in a container window of its
// own, which receives the control's notifications.
#include "browser/AttributesImage.h"
#include "browser/ShellDragSource.h"
#include "browser/ShellLinks.h"
#include "core/settings/WindowRecord.h"
#include "gui/Event.h"
#include "gui/Handles.h"
#include "gui/RedrawHold.h"
#include "gui/Window.h"
#include "shell/FileList.h"

#include <commctrl.h>

#include <functional>
#include <set>

class TSHPopupMenu;

// Everything a list shows from its first paint on, so that it enumerates and
// sorts its folder once.
struct TSHListViewSetup {
    PCIDList Folder = nullptr;  // not owned; null shows the desktop
    int ViewStyle = LV_VIEW_ICON;
    THeaderCaption SortType = hcName;
    TColumnLayout Columns;
    bool IncludeHidden = true;
    unsigned VirtualItems = kDefaultVirtuaItems;
    const TSHFileFilter* Filter = nullptr;
    bool Filtering = false;
    bool FolderLock = false;
};

class TListDropSite;

class TSHListView : public TWindow, public IShFileListView, public IShLinkedList {
public:
    explicit TSHListView(HWND parent, const TSHListViewSetup& setup = {});
    ~TSHListView() override;

    HWND ListHandle() const { return List; }  // the SysListView32 inside
    // Gives the keyboard focus to the list where it can take it.
    void TakeFocus();
    bool HasFocus() const { return List && GetFocus() == List; }
    // Starts editing the name of a row in place.
    void EditLabel(int index);
    TSHFileList& FileList() { return *Files; }
    TListDropSite* DropSiteOfList() const { return DropSite.get(); }

    // Events, for the folder window and for views that follow the list.
    TEvent<TSHListView&> OnShListChange;
    TEvent<TSHListView&, int64_t /*selSize*/> OnShSelChange;
    TEvent<TSHListView&, bool /*lock*/> OnShFolderLock;
    // The rows' sizes became exact after the rows were shown.
    TEvent<TSHListView&> OnShSizesKnown;
    std::function<bool(TSHListView&, int count)> OnShListRename;       // true: accept
    std::function<bool(TSHListView&, TSHFileItem& row, bool accept)> OnShFilter;
    std::function<void(TSHListView&, bool contented)> OnShClipboard;
    // Before a row is painted: set the text colour (return true when changed).
    std::function<bool(TSHListView&, int row, COLORREF& text)> OnCustomDrawItem;

    // Properties.
    TAttributesImage AttributesImage;
    void SetIncludeHidden(bool include);
    void SetShVirtuaItems(unsigned items);
    THeaderCaption SortType = hcName;
    int ColumnSortDirections[5] = {1, 1, 1, 1, 1};
    void SetViewStyleValue(int style);  // LV_VIEW_ICON, LV_VIEW_SMALLICON, LV_VIEW_LIST, LV_VIEW_DETAILS
    int GetViewStyleValue() const;
    // The header image of the sort column for a direction (1 up, -1 down).
    HBITMAP SortBitmap(int direction) const;
    void SetHotTrack(bool hotTrack);
    void SetColors(COLORREF background, COLORREF text);
    void SetListFont(HFONT font);
    IShLinkedTree* Tree = nullptr;    // set by the tree
    TSHPopupMenu* ShellPopupMenu = nullptr;  // not owned

    // The shell context menu of the selected rows at a screen point
    // (ShellListViewMenu.cpp); nothing without a selection.
    void PopupShellMenu(POINT screen);
    // The menu of the list's background (a right click beside the rows, or
    // the menu key with nothing selected), which the owner shows.
    std::function<void(TSHListView&, POINT screen)> OnBackgroundMenu;
    // Runs a verb of the shell menu on the selection and follows it up as
    // when it was chosen in the menu.
    bool RunShellVerb(const std::wstring& verb);
    // Whether the row is shown as cut (its object waits on the clipboard).
    bool IsMarkedCut(int row) const;

    // Operations (the linked-list ones also serve the tree).
    void SetFolder(PCIDList absolute) override;
    PCIDList GetFolderIDList() const override { return Files->GetFolderIDList(); }
    std::wstring GetFolderPath() { return Files->GetFolderPath(); }
    void Refresh();
    void SetSort(THeaderCaption column, int direction);
    bool FolderLock() const override { return Locked; }
    void SetFolderLock(bool lock) override;
    const TSHFileFilter* Filter() const { return CurrentFilter; }
    void SetFilter(const TSHFileFilter* filter);
    bool Filtering() const { return FilteringOn; }
    void SetFiltering(bool filtering);
    bool ExecuteSelected(TShellCommand command);
    bool NewFolder();
    bool IsEditing() const;
    void BeginSelUpdate();
    void EndSelUpdate();
    void StartWatching() override { Files->StartWatching(); }
    void StopWatching() override { Files->StopWatching(); }
    void TakeIncludeHidden(bool include) override;
    void TakeShVirtuaItems(unsigned items) override;
    void SetLinkedTree(IShLinkedTree* tree) override { Tree = tree; }
    int64_t SelectionSize() const { return SelSize; }
    // Column order and widths, by column identity (0 name ... 4 attributes).
    void SetColumnOrder(const int* ids, int count);
    void GetColumnOrder(int* ids) const;
    int ColumnWidth(int id) const;
    void SetColumnWidth(int id, int width);

    // IShFileListView
    HWND ViewWindow() const override;
    bool IncludeHidden() const override { return Hidden; }
    unsigned VirtualItems() const override { return Virtual; }
    bool LargeIconStyle() const override;
    int ViewStyle() const override;
    void SetViewStyle(int style) override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void SetItemCount(int count) override;
    void MakeVisible(int index) override;
    void Invalidate() override;
    int FocusedIndex() const override;
    void SetFocusedIndex(int index) override;
    int SelectedCount() const override;
    int NextSelected(int after) const override;
    bool IsSelected(int index) const override;
    void SetSelected(int index, bool selected) override;
    void SelectAll(bool selected) override;
    const TSHFileFilter* ActiveFilter() const override { return FilteringOn ? CurrentFilter : nullptr; }
    bool AcceptRow(TSHFileItem& row) override;
    void ListChanged() override;
    bool PointerBusy() const override { return MouseState != 0; }
    void FolderGone() override;
    bool RequestExactFileData(const std::wstring& folder, unsigned generation) override;
    void SizesChanged() override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleDestroyed() override;

private:
    LRESULT OnNotify(NMHDR* hdr);
    bool ContextMenu(LPARAM lParam);
    void AfterShellVerb(const std::wstring& verb, bool ran, const std::wstring& firstPath, bool wasFile);
    void MarkSelectionCut();
    void ClipboardChanged();
    void CreateList();
    void RecreateList();
    void UpdateSortArrows();
    void ColumnClick(int column);
    void ItemActivate();
    bool ActivationWanted();
    TPressEnd FollowRowPress();
    bool PressMovedFarEnough();
    void DragSelection();
    void ControlPressOnSelection(int index);
    void HoverSelect(WPARAM keys, POINT client);
    int PressedRow = -1;  // the row last pressed on, until the pointer rests on another
    bool BackgroundPress = false;  // the left button went down on no row: a selection rectangle may follow
    void ItemChanged(const NMLISTVIEW& info);
    void RecountSelection();
    void RaiseSelChange();
    int64_t SizeOf(int row) const;
    int FindRow(const NMLVFINDITEMW& find) const;
    void GetDispInfo(LVITEMW& item);
    bool EndLabelEdit(const LVITEMW& item);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    void DrawIconAttributes(const NMLVCUSTOMDRAW& draw, DWORD attributes);
    void DrawAttributeCell(const NMLVCUSTOMDRAW& draw, DWORD attributes);
    void ApplyExtendedStyle();
    static LRESULT CALLBACK ListProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    HWND List = nullptr;
    std::unique_ptr<TSHFileList> Files;
    bool DestroyingWnd = false;
    // What the mouse is doing in the list: 0 nothing, or one of these.
    enum { kLeftPress = 1, kRightPress = 2, kDragging = 3, kDoubleClick = 4 };
    int MouseState = 0;
    POINT PressPoint{};  // client coordinates of the list
    WPARAM PressKeys = 0;
    int64_t SelSize = 0;
    int SelChangeLock = 0;
    bool Hidden = true;
    unsigned Virtual = kDefaultVirtuaItems;
    bool Locked = false;
    bool FilteringOn = false;
    const TSHFileFilter* CurrentFilter = nullptr;
    TRedrawNesting Redraw;
    HWND NextClipboardViewer = nullptr;
    bool Loading = true;                // no clipboard reports while the view is being built
    int ViewStyleValue = LV_VIEW_ICON;  // the chosen style; the control's may differ while enumerating
    bool HotTrackOn = false;
    bool ColorsSet = false;
    COLORREF BackColor = 0, TextColor = 0;
    HFONT ListFont = nullptr;           // not owned
    TBitmapHandle SortUpBitmap, SortDownBitmap;
    bool RowColorSet = false;           // the row being painted got its own text colour
    COLORREF RowColor = 0;
    std::set<std::wstring> CutPaths;    // rows shown as cut, by path
    DWORD CutClipboard = 0;             // the clipboard's sequence number then
    std::unique_ptr<TListDropSite> DropSite;  // drops onto the list
};
