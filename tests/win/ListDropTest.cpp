// Drops between two folder lists: the source list's own data object (the
// shell's, for its selected rows) is dropped on the target list's drop
// target as OLE hands it over; the files end up where the keys say.
#include "shell/ListDropSite.h"
#include "shell/ShellHelpers.h"
#include "shell/ShellListView.h"
#include "support/GuiTestHelpers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <thread>

namespace {

using Names = std::set<std::wstring>;

class ListDrop : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareControls(ICC_LISTVIEW_CLASSES); }

    void SetUp() override
    {
        for (int i = 0; i < 2; ++i) {
            Hosts[i] = MakeTestHost(i == 0 ? L"source" : L"target", 400, 300);
            Lists[i] = std::make_unique<TSHListView>(Hosts[i]);
            MoveWindow(Lists[i]->Handle(), 0, 0, 380, 260, TRUE);
            ShowWindow(Hosts[i], SW_SHOWNORMAL);
        }
        SetShellOwnerWindow(Hosts[1]);
    }
    void TearDown() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        SetShellOwnerWindow(nullptr);
        for (int i = 0; i < 2; ++i) {
            Lists[i].reset();
            DestroyWindow(Hosts[i]);
        }
    }

    void Show(int which, const std::wstring& folder)
    {
        TIDListPtr list = ListOf(folder);
        ASSERT_TRUE(list);
        Lists[which]->SetFolder(list.get());
        ProcessPendingMessages();
    }

    // The shell's data object for every row of the source list.
    ComPtr<IDataObject> DataOfAllRows()
    {
        ListView_SetItemState(Lists[0]->ListHandle(), -1, LVIS_SELECTED, LVIS_SELECTED);
        ProcessPendingMessages();
        TSHIDList& selection = Lists[0]->FileList().GetSelectedIDList();
        ComPtr<IDataObject> data;
        ComPtr<IShellFolder> folder;
        *folder.Put() = selection.GetParentFolder();
        if (folder && selection.Count() > 0)
            folder->GetUIObjectOf(Hosts[0], UINT(selection.Count()), const_cast<LPCITEMIDLIST*>(selection.GetItemList()),
                                  IID_IDataObject, nullptr, data.PutVoid());
        return data;
    }

    // Drags the data over the target list's empty background and drops it
    // there with the keys held; the effect the drop answered.
    DWORD DropOnTarget(IDataObject* data, DWORD keys)
    {
        IDropTarget* target = Lists[1]->DropSiteOfList()->DropTarget();
        POINT client{370, 250};
        ClientToScreen(Lists[1]->ListHandle(), &client);
        POINTL point{client.x, client.y};
        const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        DWORD effect = all;
        EXPECT_EQ(target->DragEnter(data, keys | MK_LBUTTON, point, &effect), S_OK);
        DWORD shown = all;
        target->DragOver(keys | MK_LBUTTON, point, &shown);
        effect = all;
        EXPECT_EQ(target->Drop(data, keys, point, &effect), S_OK);
        return shown;
    }

    HWND Hosts[2] = {};
    std::unique_ptr<TSHListView> Lists[2];
};

}  // namespace

TEST_F(ListDrop, MovesWithinOneVolumeCopiesWithControlMovesWithShift)
{
    const struct {
        const char* what;
        DWORD keys;
        DWORD shown;
        bool move;
    } cases[] = {
        {"no key", 0, DROPEFFECT_MOVE, true},
        {"Ctrl", MK_CONTROL, DROPEFFECT_COPY, false},
        {"Shift", MK_SHIFT, DROPEFFECT_MOVE, true},
    };
    for (const auto& c : cases) {
        TTempFolder from, to;
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) WriteWholeFile(from / name, {'x'});
        CreateDirectoryW((from / L"sub").c_str(), nullptr);
        Show(0, from.Path());
        Show(1, to.Path());
        ASSERT_EQ(Lists[0]->FileList().Count(), 3) << c.what;
        ComPtr<IDataObject> data = DataOfAllRows();
        ASSERT_TRUE(data) << c.what;
        EXPECT_EQ(DropOnTarget(data.Get(), c.keys), c.shown) << c.what;
        const Names all = {L"a.txt", L"b.txt", L"sub"};
        EXPECT_EQ(FolderContents(to.Path()), all) << c.what;
        EXPECT_EQ(FolderContents(from.Path()), c.move ? Names{} : all) << c.what;
        // Both lists show the result once the watchers reported it.
        EXPECT_TRUE(PumpUntil([&] { return Lists[1]->FileList().Count() == 3; }, 8000)) << c.what;
        EXPECT_TRUE(PumpUntil([&] { return Lists[0]->FileList().Count() == (c.move ? 0 : 3); }, 8000)) << c.what;
    }
}

TEST_F(ListDrop, AMoveIntoTheFoldersOwnListDoesNothing)
{
    TTempFolder from;
    WriteWholeFile(from / L"a.txt", {'x'});
    Show(0, from.Path());
    Show(1, from.Path());
    ComPtr<IDataObject> data = DataOfAllRows();
    ASSERT_TRUE(data);
    DropOnTarget(data.Get(), MK_SHIFT);
    EXPECT_EQ(FolderContents(from.Path()), Names{L"a.txt"});
}

TEST_F(ListDrop, PlainTextGetsNoDrop)
{
    TTempFolder to;
    Show(1, to.Path());
    // A data object with text only: the shell's own, for the clipboard.
    OpenClipboard(Hosts[1]);
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 8);
    if (auto* chars = static_cast<char*>(GlobalLock(text))) {
        lstrcpyA(chars, "text");
        GlobalUnlock(text);
    }
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    ComPtr<IDataObject> data;
    ASSERT_EQ(OleGetClipboard(data.Put()), S_OK);
    EXPECT_EQ(DropOnTarget(data.Get(), 0), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(FolderContents(to.Path()), Names{});
}

TEST_F(ListDrop, ARightButtonDropAsksWithFourEntriesAndCancelLeavesAll)
{
    TTempFolder from, to;
    WriteWholeFile(from / L"a.txt", {'x'});
    Show(0, from.Path());
    Show(1, to.Path());
    ComPtr<IDataObject> data = DataOfAllRows();
    ASSERT_TRUE(data);

    // The menu runs modally in the drop: read it from a thread of our own,
    // hold it for a screenshot when asked, then cancel it.
    std::vector<std::wstring> entries;
    std::thread reader([&entries] {
        for (int tries = 0; tries < 200 && entries.empty(); ++tries) {
            Sleep(20);
            HWND menuWindow = FindWindowW(L"#32768", nullptr);
            if (!menuWindow) continue;
            auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
            for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
                wchar_t text[100] = L"";
                GetMenuStringW(menu, UINT(i), text, 100, MF_BYPOSITION);
                entries.push_back(text);
            }
            if (const char* hold = std::getenv("QV_HOLD_MENU_MS")) Sleep(DWORD(std::atoi(hold)));
            PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    IDropTarget* target = Lists[1]->DropSiteOfList()->DropTarget();
    POINT client{370, 250};
    ClientToScreen(Lists[1]->ListHandle(), &client);
    POINTL point{client.x, client.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->DragEnter(data.Get(), MK_RBUTTON, point, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target->Drop(data.Get(), 0, point, &effect), S_OK);
    reader.join();
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"ここにコピー(&C)", L"ここに移動(&M)", L"ショートカットをここに作成(&S)", L"",
                                                  L"キャンセル"}));
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(FolderContents(from.Path()), Names{L"a.txt"});
    EXPECT_EQ(FolderContents(to.Path()), Names{});
}

namespace {

void MouseTo(POINT screen, DWORD flags = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG(screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = LONG(screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

}  // namespace

TEST_F(ListDrop, ARealMouseDragFromOneListToTheOtherMovesTheRow)
{
    TTempFolder from, to;
    WriteWholeFile(from / L"a.txt", {'x'});
    MoveWindow(Hosts[1], 450, 10, 400, 300, TRUE);
    Show(0, from.Path());
    Show(1, to.Path());
    ASSERT_EQ(Lists[0]->FileList().Count(), 1);
    RECT row{};
    row.left = LVIR_ICON;
    SendMessageW(Lists[0]->ListHandle(), LVM_GETITEMRECT, 0, LPARAM(&row));
    POINT start{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ClientToScreen(Lists[0]->ListHandle(), &start);
    POINT end{300, 200};
    ClientToScreen(Lists[1]->ListHandle(), &end);
    SetForegroundWindow(Hosts[0]);
    ProcessPendingMessages();

    std::thread mouse([start, end] {
        MouseTo(start);
        MouseTo(start, MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 20; ++step)
            MouseTo(POINT{start.x + (end.x - start.x) * step / 20, start.y + (end.y - start.y) * step / 20});
        MouseTo(end);
        MouseTo(end, MOUSEEVENTF_LEFTUP);
    });
    bool moved = PumpUntil([&] { return FileExists(to / L"a.txt") && !FileExists(from / L"a.txt"); }, 8000);
    mouse.join();
    PumpFor(200);
    EXPECT_TRUE(moved);
    EXPECT_EQ(FolderContents(to.Path()), Names{L"a.txt"});
}
