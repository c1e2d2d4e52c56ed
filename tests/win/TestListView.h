#pragma once
// A plain owner-data list control standing in for the shell list view, so
// that the file list model is tested against a real control's selection.
#include "shell/FileList.h"

#include <commctrl.h>

#include <functional>

class TTestListView : public IShFileListView {
public:
    TTestListView()
    {
        Host = CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        List = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 400,
                               300, Host, nullptr, nullptr, nullptr);
    }
    ~TTestListView() override { DestroyWindow(Host); }

    HWND ViewWindow() const override { return List; }
    bool IncludeHidden() const override { return Hidden; }
    unsigned VirtualItems() const override { return Virtual; }
    bool LargeIconStyle() const override { return ViewStyle() == LV_VIEW_ICON; }
    int ViewStyle() const override { return int(SendMessageW(List, LVM_GETVIEW, 0, 0)); }
    void SetViewStyle(int style) override { SendMessageW(List, LVM_SETVIEW, WPARAM(style), 0); }
    void BeginUpdate() override { SendMessageW(List, WM_SETREDRAW, FALSE, 0); }
    void EndUpdate() override { SendMessageW(List, WM_SETREDRAW, TRUE, 0); }
    void SetItemCount(int count) override { SendMessageW(List, LVM_SETITEMCOUNT, WPARAM(count), 0); }
    void MakeVisible(int index) override { SendMessageW(List, LVM_ENSUREVISIBLE, WPARAM(index), FALSE); }
    void Invalidate() override { InvalidateRect(List, nullptr, FALSE); }
    int FocusedIndex() const override { return NextItem(-1, LVNI_FOCUSED); }
    void SetFocusedIndex(int index) override { SetState(index, LVIS_FOCUSED, LVIS_FOCUSED); }
    int SelectedCount() const override { return int(SendMessageW(List, LVM_GETSELECTEDCOUNT, 0, 0)); }
    int NextSelected(int after) const override { return NextItem(after, LVNI_SELECTED); }
    bool IsSelected(int index) const override
    {
        return SendMessageW(List, LVM_GETITEMSTATE, WPARAM(index), LVIS_SELECTED) & LVIS_SELECTED;
    }
    void SetSelected(int index, bool selected) override { SetState(index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED); }
    void SelectAll(bool selected) override { SetSelected(-1, selected); }
    void BeginSelUpdate() override { ++SelUpdates; }
    void EndSelUpdate() override { --SelUpdates; }
    const TSHFileFilter* ActiveFilter() const override { return Filter; }
    bool AcceptRow(TSHFileItem& row) override
    {
        if (OnRow) OnRow(row);
        return true;
    }
    void ListChanged() override { ++Changes; }
    bool PointerBusy() const override { return false; }

    bool Hidden = true;
    unsigned Virtual = kDefaultVirtuaItems;
    std::function<void(TSHFileItem&)> OnRow;  // called during an enumeration
    const TSHFileFilter* Filter = nullptr;
    int Changes = 0;
    int SelUpdates = 0;

private:
    int NextItem(int after, UINT flags) const
    {
        return int(SendMessageW(List, LVM_GETNEXTITEM, WPARAM(after), MAKELPARAM(flags, 0)));
    }
    void SetState(int index, UINT state, UINT mask)
    {
        LVITEMW item{};
        item.stateMask = mask;
        item.state = state;
        SendMessageW(List, LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
    }
    HWND Host = nullptr;
    HWND List = nullptr;
};
