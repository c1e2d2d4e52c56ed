#pragma once
// "フィルタ条件の設定": the user's named display filters, added, renamed,
// deleted, reordered and edited on copies; only OK writes them back.
#include "controls/IntSpinEdit.h"
#include "controls/ListViewEx.h"
#include "core/shell/FileFilter.h"
#include "gui/Dialog.h"
#include "gui/Handles.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using TFilterList = std::vector<std::unique_ptr<TSHFileFilter>>;

// What OK changed, handed to the caller while the filters of the old list
// still exist.
class TFilterListChange {
public:
    TFilterListChange(const TFilterList& oldList, const TFilterList& newList) : Old(oldList), New(newList) {}
    // The filter of the new list that takes the place of `old` (a filter of
    // the old list, or null): the one with the same name, or null.
    const TSHFileFilter* Successor(const TSHFileFilter* old) const;

private:
    const TFilterList& Old;
    const TFilterList& New;
};

class TSubForm05010 : public TDialog {
public:
    // `filters` is the settings' list, changed only by OK. After OK puts the
    // new list in place, `rebind` is called once, before the old filters are
    // freed: every holder of a filter (each folder window, the filter combo
    // box) must take change.Successor(its filter) and rebuild what it shows
    // from `filters`. No one can keep a freed filter without ignoring it.
    TSubForm05010(HWND owner, TFilterList& filters, std::function<void(const TFilterListChange&)> rebind);
    ~TSubForm05010() override;

    // What the list's menus, its in-place edit and a drag do.
    void AddFilter();
    void StartRename();
    // False (after the warning) when another filter has the name.
    bool RenameFilter(int row, const std::wstring& name);
    void DeleteSelected();  // after asking
    void MoveFilter(int from, int target);

    int RowCount() const { return int(Rows.size()); }
    const std::wstring& Caption(int row) const { return Rows[size_t(row)].Caption; }
    const TSHFileFilter& FilterCopy(int row) const { return *Rows[size_t(row)].Filter; }
    TListViewEx& List() { return ListView; }
    TIntSpinEdit& SizeBox(int index) { return index == 0 ? Size1 : Size2; }

    void UpdateControls() override;

protected:
    void FormCreate() override;
    bool ButtonOkClick() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    struct TRow {
        std::wstring Caption;
        std::unique_ptr<TSHFileFilter> Filter;
    };

    TSHFileFilter* Selected();
    void EndCaptionEdit();
    void RowsChanged(int selectRow);
    void LoadSelected();
    void StoreConditions();
    void MasksChanged();
    void SizeChanged();
    void DatesChanged(bool timeChanged);
    void StoreFlags();
    bool ListNotify(NMHDR& header, LRESULT& result);

    TFilterList& Filters;
    std::function<void(const TFilterListChange&)> Rebind;
    std::vector<TRow> Rows;
    bool Loading = false;
    int DragRow = -1;
    TListViewEx ListView;
    TIntSpinEdit Size1, Size2;
    TMenuHandle SelectMenu, ListMenu;
};
