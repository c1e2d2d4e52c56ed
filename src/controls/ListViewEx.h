#pragma once
// A list view with a second context menu for selected items, activation and
// selection events, the list of selected items kept in step, and a drag of
// items inside the list that scrolls the list while the pointer is at its
// top or bottom edge.
#include "gui/ChildControl.h"

#include <commctrl.h>

#include <functional>
#include <vector>

class TListViewEx : public TChildControl {
public:
    ~TListViewEx() override;

    // Shown instead of PopupMenu for a context request while at least one
    // item is selected. Neither menu is owned; their commands go to the
    // list's parent.
    HMENU SelectPopup = nullptr;
    HMENU PopupMenu = nullptr;

    // An item was activated (double click, Enter, or a click under one-click
    // activation).
    std::function<void(int item)> OnActiveItem;
    // After every change of an item's state, with the selected items.
    std::function<void(const std::vector<int>& selected)> OnSelectItems;

    // Dragging items inside the list: a drag starts from an item; the target
    // is the item under the pointer, and a drop happens only where OnDragOver
    // accepted it.
    std::function<void(int item)> OnStartDrag;
    std::function<bool(int target)> OnDragOver;
    std::function<void(int target)> OnDragDrop;

    // The selected items in the order they were selected.
    const std::vector<int>& SelectedItems() const { return Selected; }
    // Reads the selection from the control again (after items were moved).
    void ResyncSelection();
    int ItemCount() const;
    // The item under a client point, or -1.
    int ItemAt(POINT client) const;
    void SelectOnly(int item);

    // The menu a context request would show now (null: the parent's).
    HMENU ContextMenuNow() const;
    bool MouseInside() const { return Inside; }

    // The drag, as the mouse drives it; public so that a caller can drive it
    // without a mouse.
    void BeginDrag(int item);
    void DragOver(POINT client);
    void EndDrag(bool drop);
    bool Dragging() const { return DragActive; }
    bool ScrollTimerOn() const { return TimerOn; }
    int ScrollDirection() const { return Direction; }  // 0 up, 1 down

    bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ItemChanged(const NMLISTVIEW& change);
    void RaiseSelectItems();
    bool ShowContextMenu(LPARAM position);
    void SetScrollTimer(bool on);
    void SetDropTarget(int item);

    std::vector<int> Selected;
    bool Inside = false;
    bool DragActive = false;
    bool Accepted = false;
    int DropTarget = -1;
    bool TimerOn = false;
    int Direction = 0;
};
