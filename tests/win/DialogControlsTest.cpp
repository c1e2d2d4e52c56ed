// The program's own controls in a real window: the list view's menus,
// selection list, activation, drag and scrolling; the ellipsis edit's button
// and text area; the number box's alignment and range.
#include "DialogTesting.h"
#include "controls/EllipsisEdit.h"
#include "controls/IntSpinEdit.h"
#include "controls/ListViewEx.h"
#include "gui/Handles.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window that hands its children's notifications back to them, as the
// dialogs do, and notes which menu a context request opened (closing it at
// once).
class THost {
public:
    THost()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QvControlHost";
        RegisterClassW(&wc);
        Wnd = CreateWindowExW(0, L"QvControlHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
        Font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, L"MS UI Gothic");
        SendMessageW(Wnd, WM_SETFONT, WPARAM(Font), FALSE);
    }
    ~THost()
    {
        DestroyWindow(Wnd);
        DeleteObject(Font);
    }
    HWND Wnd = nullptr;
    HFONT Font = nullptr;
    static inline HMENU ShownMenu = nullptr;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = 0;
        switch (msg) {
        case WM_NOTIFY:
        case WM_COMMAND:
            if (TChildControl::ReflectToControl(msg, wParam, lParam, result)) return result;
            break;
        case WM_INITMENUPOPUP:
            ShownMenu = reinterpret_cast<HMENU>(wParam);
            break;
        case WM_ENTERIDLE:
            if (wParam == MSGF_MENU) EndMenu();
            break;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(GetPropW(wnd, L"font"));
        case WM_SETFONT:
            SetPropW(wnd, L"font", reinterpret_cast<HANDLE>(wParam));
            return 0;
        }
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }
};

class ListViewExTest : public ::testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite() { InitDialogControls(); }

    // A report list of `count` rows; owner-data when the parameter says so.
    void Make(int count)
    {
        DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | (GetParam() ? LVS_OWNERDATA : 0);
        HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", style, 0, 0, 300, 200, Host.Wnd, nullptr, nullptr, nullptr);
        LVCOLUMNW column{LVCF_WIDTH, 0, 200};
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        if (GetParam()) {
            SendMessageW(list, LVM_SETITEMCOUNT, WPARAM(count), 0);
        } else {
            for (int i = 0; i < count; ++i) {
                LVITEMW item{LVIF_TEXT, i};
                item.pszText = const_cast<wchar_t*>(L"row");
                SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            }
        }
        List.Attach(list);
    }
    void SetSelected(int item, bool selected)
    {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        state.state = selected ? LVIS_SELECTED : 0;
        SendMessageW(List.Handle(), LVM_SETITEMSTATE, WPARAM(item), reinterpret_cast<LPARAM>(&state));
    }
    POINT CentreOf(int item)
    {
        RECT box{LVIR_BOUNDS};
        SendMessageW(List.Handle(), LVM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&box));
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    int TopIndex() { return int(SendMessageW(List.Handle(), LVM_GETTOPINDEX, 0, 0)); }

    THost Host;
    TListViewEx List;
};

}  // namespace

TEST_P(ListViewExTest, ContextMenuIsTheSelectPopupWhileItemsAreSelected)
{
    Make(4);
    TMenuHandle selectPopup(CreatePopupMenu()), popup(CreatePopupMenu());
    AppendMenuW(selectPopup.Get(), MF_STRING, 1, L"selected");
    AppendMenuW(popup.Get(), MF_STRING, 2, L"plain");
    List.SelectPopup = selectPopup.Get();
    List.PopupMenu = popup.Get();
    auto rightClick = [this] {
        THost::ShownMenu = nullptr;
        POINT at{20, 40};
        ClientToScreen(List.Handle(), &at);
        SendMessageW(List.Handle(), WM_CONTEXTMENU, WPARAM(List.Handle()), MAKELPARAM(at.x, at.y));
        return THost::ShownMenu;
    };
    SetSelected(1, true);
    SetSelected(2, true);
    EXPECT_EQ(rightClick(), selectPopup.Get());
    SetSelected(-1, false);
    EXPECT_EQ(rightClick(), popup.Get());
}

TEST_P(ListViewExTest, SelectedItemsFollowEveryChange)
{
    Make(5);
    int raised = 0;
    List.OnSelectItems = [&raised](const std::vector<int>&) { ++raised; };
    SetSelected(3, true);
    SetSelected(1, true);
    EXPECT_EQ(List.SelectedItems(), (std::vector<int>{3, 1}));
    SetSelected(3, false);
    EXPECT_EQ(List.SelectedItems(), (std::vector<int>{1}));
    SetSelected(-1, true);
    EXPECT_EQ(List.SelectedItems().size(), 5u);
    SetSelected(-1, false);
    EXPECT_TRUE(List.SelectedItems().empty());
    EXPECT_GE(raised, 4);
}

TEST_P(ListViewExTest, EnterActivatesTheFocusedItem)
{
    Make(3);
    int activated = -1;
    List.OnActiveItem = [&activated](int item) { activated = item; };
    List.SelectOnly(2);
    SetFocus(List.Handle());
    SendMessageW(List.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(activated, 2);
}

TEST_P(ListViewExTest, DraggingAtAnEdgeScrollsEvery50msAndADropLandsOnTheItem)
{
    Make(100);
    SendMessageW(List.Handle(), LVM_ENSUREVISIBLE, 60, FALSE);
    PumpFor(100);  // the list settles where it scrolled to
    ASSERT_GT(TopIndex(), 20);
    int dropped = -1;
    List.OnDragDrop = [&dropped](int target) { dropped = target; };
    List.BeginDrag(TopIndex() + 1);
    RECT client{};
    GetClientRect(List.Handle(), &client);

    int before = TopIndex();
    List.DragOver({50, 2});
    EXPECT_TRUE(List.ScrollTimerOn());
    EXPECT_EQ(List.ScrollDirection(), 0);
    PumpFor(400);
    int up = before - TopIndex();
    // 400 ms at one line each 50 ms, with room for a slow machine.
    EXPECT_GE(up, 3);
    EXPECT_LE(up, 9);

    List.DragOver({50, client.bottom / 2});
    EXPECT_FALSE(List.ScrollTimerOn());
    int still = TopIndex();
    PumpFor(150);
    EXPECT_EQ(TopIndex(), still);

    List.DragOver({50, client.bottom - 2});
    EXPECT_TRUE(List.ScrollTimerOn());
    EXPECT_EQ(List.ScrollDirection(), 1);

    int target = TopIndex() + 2;
    List.DragOver(CentreOf(target));
    List.EndDrag(true);
    EXPECT_FALSE(List.Dragging());
    EXPECT_FALSE(List.ScrollTimerOn());
    EXPECT_EQ(dropped, target);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListViewExTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OwnerData" : "Items"; });

TEST(EllipsisEdit, ButtonSitsInsideTheRightEdgeAndTheTextStopsBeforeIt)
{
    InitDialogControls();
    THost host;
    TEllipsisEdit edit;
    HWND wnd = edit.Create(host.Wnd, 10, 10, 10, 200, 20);
    RECT client{}, button{}, text{};
    GetClientRect(wnd, &client);
    GetWindowRect(edit.Button(), &button);
    MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.bottom - button.top, 17);
    EXPECT_EQ(button.right, client.right);
    EXPECT_EQ(button.top, 0);
    SendMessageW(wnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    EXPECT_LE(text.right, button.left);

    // A long text scrolls inside the narrowed area.
    SetWindowTextW(wnd, std::wstring(80, L'W').c_str());
    SendMessageW(wnd, EM_SETSEL, 80, 80);
    LRESULT caret = SendMessageW(wnd, EM_POSFROMCHAR, 79, 0);
    EXPECT_LT(short(LOWORD(caret)), button.left);

    bool clicked = false;
    edit.OnButtonClick = [&] { clicked = GetFocus() == wnd; };
    SetFocus(host.Wnd);
    SendMessageW(edit.Button(), BM_CLICK, 0, 0);
    EXPECT_TRUE(clicked);
}

TEST(IntSpinEdit, NumberStandsAtTheRightAndStaysInRange)
{
    InitDialogControls();
    THost host;
    TIntSpinEdit box;
    HWND wnd = box.Create(host.Wnd, 11, 10, 10, 120, 22);
    box.SetRange(1, 99);
    box.SetMaxLength(2);
    int changes = 0;
    box.OnChange = [&changes] { ++changes; };
    box.SetValue(7);
    RECT client{};
    GetClientRect(wnd, &client);
    LRESULT first = SendMessageW(wnd, EM_POSFROMCHAR, 0, 0);
    EXPECT_GT(short(LOWORD(first)), client.right / 2);
    EXPECT_EQ(changes, 1);

    struct Case {
        const wchar_t* typed;
        int value;
    } cases[] = {{L"42", 42}, {L"", 1}, {L"0", 1}, {L"5000", 99}};
    for (const Case& c : cases) {
        SetWindowTextW(wnd, c.typed);
        EXPECT_EQ(box.Value(), c.value) << c.typed;
    }
    box.SetValue(500);
    EXPECT_EQ(box.Value(), 99);
    // The buttons step within the range.
    SendMessageW(box.UpDown(), UDM_SETPOS32, 0, 98);
    EXPECT_EQ(box.Value(), 98);
}
