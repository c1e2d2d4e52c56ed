#include "controls/ListViewEx.h"

#include <commctrl.h>

#include <algorithm>

namespace {
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollInterval = 50;  // ms
}  // namespace

TListViewEx::~TListViewEx()
{
    if (DragActive) EndDrag(false);
}

int TListViewEx::ItemCount() const { return int(SendMessageW(Wnd, LVM_GETITEMCOUNT, 0, 0)); }

int TListViewEx::ItemAt(POINT client) const
{
    LVHITTESTINFO hit{};
    hit.pt = client;
    int item = int(SendMessageW(Wnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? item : -1;
}

void TListViewEx::SelectOnly(int item)
{
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Wnd, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
    if (item >= 0) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(Wnd, LVM_SETITEMSTATE, WPARAM(item), reinterpret_cast<LPARAM>(&state));
        SendMessageW(Wnd, LVM_ENSUREVISIBLE, WPARAM(item), FALSE);
    }
    ResyncSelection();
}

void TListViewEx::ResyncSelection()
{
    Selected.clear();
    for (int i = -1; (i = int(SendMessageW(Wnd, LVM_GETNEXTITEM, WPARAM(i), LVNI_SELECTED))) >= 0;)
        Selected.push_back(i);
}

void TListViewEx::RaiseSelectItems()
{
    if (OnSelectItems) OnSelectItems(Selected);
}

void TListViewEx::ItemChanged(const NMLISTVIEW& change)
{
    if (change.iItem < 0) {
        // A change applied to every item at once.
        ResyncSelection();
    } else if (change.uChanged == LVIF_STATE) {
        bool was = change.uOldState & LVIS_SELECTED, is = change.uNewState & LVIS_SELECTED;
        auto at = std::find(Selected.begin(), Selected.end(), change.iItem);
        if (was && !is && at != Selected.end()) Selected.erase(at);
        if (!was && is && at == Selected.end()) Selected.push_back(change.iItem);
    }
    RaiseSelectItems();
}

bool TListViewEx::Reflect(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    // Handled here first; the parent still sees each notification.
    switch (header->code) {
    case LVN_ITEMACTIVATE:
        // The focused item is the one activated, by the mouse or by Enter
        // (for Enter some list views send a bare header).
        if (OnActiveItem) OnActiveItem(int(SendMessageW(Wnd, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)));
        break;
    case LVN_ITEMCHANGED:
        ItemChanged(*reinterpret_cast<NMLISTVIEW*>(lParam));
        break;
    case LVN_ODSTATECHANGED:
        ResyncSelection();
        RaiseSelectItems();
        break;
    case LVN_INSERTITEM:
    case LVN_DELETEITEM:
    case LVN_DELETEALLITEMS:
        // Indexes moved; the deleted item is still counted at this point.
        if (header->code == LVN_DELETEITEM) {
            int gone = reinterpret_cast<NMLISTVIEW*>(lParam)->iItem;
            Selected.erase(std::remove(Selected.begin(), Selected.end(), gone), Selected.end());
            for (int& item : Selected)
                if (item > gone) --item;
        } else if (header->code == LVN_INSERTITEM) {
            int added = reinterpret_cast<NMLISTVIEW*>(lParam)->iItem;
            for (int& item : Selected)
                if (item >= added) ++item;
        } else {
            Selected.clear();
        }
        break;
    case LVN_BEGINDRAG:
        BeginDrag(reinterpret_cast<NMLISTVIEW*>(lParam)->iItem);
        result = 0;
        return true;
    }
    return false;
}

HMENU TListViewEx::ContextMenuNow() const
{
    if (SelectPopup && SendMessageW(Wnd, LVM_GETSELECTEDCOUNT, 0, 0) > 0) return SelectPopup;
    return PopupMenu;
}

bool TListViewEx::ShowContextMenu(LPARAM position)
{
    HMENU menu = ContextMenuNow();
    if (!menu) return false;
    POINT at{short(LOWORD(position)), short(HIWORD(position))};
    if (position == -1) {
        // From the keyboard: at the focused item, or the list's corner.
        RECT item{LVIR_LABEL};
        int focused = int(SendMessageW(Wnd, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
        at = {0, 0};
        if (focused >= 0 && SendMessageW(Wnd, LVM_GETITEMRECT, WPARAM(focused), reinterpret_cast<LPARAM>(&item)))
            at = {item.left, item.bottom};
        ClientToScreen(Wnd, &at);
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, GetParent(Wnd), nullptr);
    return true;
}

void TListViewEx::SetScrollTimer(bool on)
{
    if (on == TimerOn) return;
    TimerOn = on;
    if (on) SetTimer(Wnd, kScrollTimer, kScrollInterval, nullptr);
    else KillTimer(Wnd, kScrollTimer);
}

void TListViewEx::SetDropTarget(int item)
{
    if (item == DropTarget) return;
    LVITEMW state{};
    state.stateMask = LVIS_DROPHILITED;
    if (DropTarget >= 0) SendMessageW(Wnd, LVM_SETITEMSTATE, WPARAM(DropTarget), reinterpret_cast<LPARAM>(&state));
    DropTarget = item;
    state.state = LVIS_DROPHILITED;
    if (item >= 0) SendMessageW(Wnd, LVM_SETITEMSTATE, WPARAM(item), reinterpret_cast<LPARAM>(&state));
}

void TListViewEx::BeginDrag(int item)
{
    if (DragActive || item < 0) return;
    DragActive = true;
    Accepted = false;
    if (OnStartDrag) OnStartDrag(item);
    SetCapture(Wnd);
}

void TListViewEx::DragOver(POINT client)
{
    if (!DragActive) return;
    RECT area{};
    GetClientRect(Wnd, &area);
    // At the top edge or at the bottom edge the list scrolls that way.
    if (client.y <= 3 || client.y >= area.bottom - 4) {
        Direction = client.y > 3 ? 1 : 0;
        SetScrollTimer(true);
    } else {
        SetScrollTimer(false);
    }
    int target = ItemAt(client);
    Accepted = target >= 0 && (!OnDragOver || OnDragOver(target));
    SetDropTarget(Accepted ? target : -1);
    SetCursor(LoadCursorW(nullptr, Accepted ? IDC_ARROW : IDC_NO));
}

void TListViewEx::EndDrag(bool drop)
{
    if (!DragActive) return;
    DragActive = false;
    SetScrollTimer(false);
    int target = DropTarget;
    SetDropTarget(-1);
    if (GetCapture() == Wnd) ReleaseCapture();
    if (drop && Accepted && target >= 0 && OnDragDrop) OnDragDrop(target);
}

LRESULT TListViewEx::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CONTEXTMENU:
        if (ShowContextMenu(lParam)) return 0;
        break;
    case WM_MOUSEMOVE:
        if (!Inside) {
            Inside = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Wnd, 0};
            TrackMouseEvent(&track);
        }
        if (DragActive) {
            DragOver({short(LOWORD(lParam)), short(HIWORD(lParam))});
            return 0;
        }
        break;
    case WM_MOUSELEAVE:
        Inside = false;
        break;
    case WM_LBUTTONUP:
        if (DragActive) {
            EndDrag(true);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (DragActive && wParam == VK_ESCAPE) {
            EndDrag(false);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (DragActive && reinterpret_cast<HWND>(lParam) != Wnd) EndDrag(false);
        break;
    case WM_TIMER:
        if (wParam == kScrollTimer) {
            SendMessageW(Wnd, WM_VSCROLL, Direction == 0 ? SB_LINEUP : SB_LINEDOWN, 0);
            return 0;
        }
        break;
    }
    return Default(msg, wParam, lParam);
}
