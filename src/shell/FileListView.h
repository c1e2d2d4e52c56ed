#pragma once
// What the file list model needs of the list control that shows it. The
// shell list view implements it; the tests implement it over a plain
// owner-data list.
#include <windows.h>

#include <string>

class TSHFileItem;
class TSHFileFilter;

class IShFileListView {
public:
    virtual ~IShFileListView() = default;

    // Null while the control has no window or is being destroyed.
    virtual HWND ViewWindow() const = 0;
    virtual bool IncludeHidden() const = 0;
    virtual unsigned VirtualItems() const = 0;       // TShVirtuaItems
    virtual bool LargeIconStyle() const = 0;
    virtual int ViewStyle() const = 0;               // LV_VIEW_*
    virtual void SetViewStyle(int style) = 0;

    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void SetItemCount(int count) = 0;
    virtual void MakeVisible(int index) = 0;
    virtual void Invalidate() = 0;

    virtual int FocusedIndex() const = 0;
    virtual void SetFocusedIndex(int index) = 0;
    virtual int SelectedCount() const = 0;
    // The next selected index after `after` (-1 to start), -1 at the end.
    virtual int NextSelected(int after) const = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void SetSelected(int index, bool selected) = 0;
    virtual void SelectAll(bool selected) = 0;
    // Selection-change reports are held back between these.
    virtual void BeginSelUpdate() = 0;
    virtual void EndSelUpdate() = 0;

    // The display filter while filtering is on, else null.
    virtual const TSHFileFilter* ActiveFilter() const = 0;
    // The view's own say on a row after the filter (its filter event).
    virtual bool AcceptRow(TSHFileItem& row) = 0;
    // The rows were rebuilt.
    virtual void ListChanged() = 0;
    // A mouse button is held on a row, or a drag from the view is running.
    virtual bool PointerBusy() const = 0;
    // The folder shown went away and the rows were cleared: a view linked
    // to a tree moves to the tree's folder.
    virtual void FolderGone() {}

    // The shell's find data keeps only 32 bits of a size. A view may have
    // the folder's exact entries read away from its thread and hand them to
    // TSHFileList::TakeExactFileData with this generation (returns true);
    // otherwise the model reads them when something needs them.
    virtual bool RequestExactFileData(const std::wstring& folder, unsigned generation) { return false; }
    // The rows' sizes became exact; totals may have changed.
    virtual void SizesChanged() {}
};
