// The folder list and the folder tree following changes made outside the
// program, with their real watchers and quiet periods: new names, changed
// attributes, folders removed from the host, drives' top levels, media and
// network drives coming and going, and windows closed while a report is on
// its way.
#include "../support/GuiTestHelpers.h"
#include "../support/HostCommand.h"
#include "../support/TempFolder.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "core/shell/DeviceText.h"
#include "shell/DeviceBroadcasts.h"
#include "shell/ShellHelpers.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {


// A synthetic volume broadcast, as the system sends it to top-level windows.
void BroadcastVolume(WPARAM event, DWORD flags, wchar_t drive)
{
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = drive ? 1u << (drive - L'A') : 0;
    volume.dbcv_flags = WORD(flags);
    HWND window = TSHCtrlList::Instance().WindowHandle();
    ASSERT_TRUE(window);
    // Sent, not posted: the system refuses to post a message that carries a
    // pointer.
    SendMessageW(window, WM_DEVICECHANGE, event, LPARAM(&volume));
}

class FollowingTheDiskTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareControls(ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES); }

    void SetUp() override
    {
        Host = MakeTestHost(L"following", 900, 600);
        ASSERT_TRUE(Host);
        SetShellOwnerWindow(Host);
    }

    void TearDown() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        if (Tree) Tree->SetShellListView(nullptr);
        List.reset();
        Tree.reset();
        SetShellOwnerWindow(nullptr);
        DestroyWindow(Host);
    }

    void MakeList()
    {
        List = std::make_unique<TSHListView>(Host);
        SetWindowPos(List->Handle(), nullptr, 300, 0, 600, 560, SWP_NOZORDER);
        List->OnShListChange.Add([this](TSHListView&) { ++ListChanges; });
    }
    void MakeTree()
    {
        Tree = std::make_unique<TSHTreeView>(Host);
        SetWindowPos(Tree->Handle(), nullptr, 0, 0, 300, 560, SWP_NOZORDER);
    }
    void Show(const std::wstring& folder)
    {
        TIDListPtr list = PathToIDList(folder);
        ASSERT_TRUE(list);
        List->SetFolder(list.get());
    }
    TSHFileItem* Row(const std::wstring& name)
    {
        TSHFileList& files = List->FileList();
        for (int i = 0; i < files.Count(); ++i)
            if (files.Rows(i)->GetFindData().Name == name) return files.Rows(i);
        return nullptr;
    }
    HWND TreeControl() const { return Tree->TreeHandle(); }
    HTREEITEM Relative(HTREEITEM node, UINT relation) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessageW(TreeControl(), TVM_GETNEXTITEM, relation, LPARAM(node)));
    }
    HTREEITEM NodeOf(const std::wstring& path) const
    {
        TIDListPtr list = PathToIDList(path);
        return list ? Tree->FindNode(list.get()) : nullptr;
    }
    TVITEMW NodeData(HTREEITEM node, wchar_t* text) const
    {
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_CHILDREN | TVIF_STATE;
        item.hItem = node;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        item.stateMask = TVIS_EXPANDED;
        SendMessageW(TreeControl(), TVM_GETITEMW, 0, LPARAM(&item));
        return item;
    }
    std::vector<std::wstring> ChildPaths(HTREEITEM node) const
    {
        std::vector<std::wstring> paths;
        for (HTREEITEM child = Relative(node, TVGN_CHILD); child; child = Relative(child, TVGN_NEXT))
            paths.push_back(Tree->ItemOf(child)->GetPath());
        return paths;
    }

    TTempFolder Temp;
    HWND Host = nullptr;
    std::unique_ptr<TSHTreeView> Tree;
    std::unique_ptr<TSHListView> List;
    int ListChanges = 0;
};

}  // namespace

TEST_F(FollowingTheDiskTest, ListTakesNewNamesOnceAndNewDataInPlace)
{
    ASSERT_TRUE(WriteWholeFile(Temp / L"a.txt", {'a'}));
    MakeList();
    Show(Temp.Path());
    ASSERT_EQ(List->FileList().Count(), 1);
    int changes = ListChanges;

    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(WriteWholeFile(Temp / (L"new" + std::to_wstring(i) + L".txt"), {'n'}));
        PumpFor(200);
    }
    // Nothing before the folder has been quiet for its period.
    PumpFor(1000);
    EXPECT_EQ(List->FileList().Count(), 1);
    ASSERT_TRUE(PumpUntil([&] { return List->FileList().Count() == 4; }, 6000));
    PumpFor(2500);
    EXPECT_EQ(ListChanges, changes + 1);

    // New data for a row that stays: read in place, no new enumeration.
    changes = ListChanges;
    TSHFileItem* row = Row(L"a.txt");
    ASSERT_TRUE(row);
    ASSERT_TRUE(WriteWholeFile(Temp / L"a.txt", std::vector<uint8_t>(5000, 'a')));
    SetFileAttributesW((Temp / L"a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(PumpUntil([&] { return row->GetFileSize() == 5000; }, 6000));
    EXPECT_TRUE(row->GetFileAttributes() & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Row(L"a.txt"), row);
    EXPECT_EQ(ListChanges, changes);
    SetFileAttributesW((Temp / L"a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FollowingTheDiskTest, RemovedFolderMovesTheListToTheNearestFolderLeft)
{
    struct TCase {
        const wchar_t* Removed;  // below the temporary folder
        const wchar_t* Shown;    // what the list shows after
    };
    const TCase cases[] = {
        {L"outer\\inner", L"outer"},
        {L"outer", L""},  // the shown folder's parent went too
    };
    MakeTree();
    MakeList();
    Tree->SetShellListView(List.get());
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Removed);
        CreateDirectoryW((Temp / L"outer").c_str(), nullptr);
        CreateDirectoryW((Temp / L"outer\\inner").c_str(), nullptr);
        std::wstring inner = Temp / L"outer\\inner";
        Tree->SelectPath(inner);
        ASSERT_EQ(List->GetFolderPath(), inner);
        List->SetFolderLock(true);

        ASSERT_TRUE(RunOnHost(L"rm -rf " + ShellQuoted(HostPath(Temp / c.Removed))));
        std::wstring expected = *c.Shown ? Temp / c.Shown : Temp.Path();
        EXPECT_TRUE(PumpUntil([&] { return List->GetFolderPath() == expected; }, 8000)) << List->GetFolderPath();
        EXPECT_EQ(Tree->GetSelectedPath(), expected);
        // The vanished nodes are gone and the lock went with the folder.
        auto children = ChildPaths(NodeOf(expected));
        EXPECT_EQ(std::find(children.begin(), children.end(), Temp / c.Removed), children.end());
        EXPECT_FALSE(List->FolderLock());
        List->SetFolderLock(false);
    }
}

TEST_F(FollowingTheDiskTest, TreeFollowsADrivesTopLevelButNotUnderAHeldButton)
{
    MakeTree();
    const auto& drives = Tree->FixedDriveRoots();
    ASSERT_NE(std::find(drives.begin(), drives.end(), L"C:\\"), drives.end());
    Tree->SelectPath(Temp.Path());
    HTREEITEM selected = Relative(nullptr, TVGN_CARET);
    HTREEITEM drive = NodeOf(L"C:\\");
    ASSERT_TRUE(drive);
    std::wstring made = L"C:\\qv-top-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());

    // The left button goes down on the selected node and stays there.
    RECT label{};
    std::memcpy(&label, &selected, sizeof selected);
    SendMessageW(TreeControl(), TVM_GETITEMRECT, TRUE, LPARAM(&label));
    POINT point{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    LPARAM at = MAKELPARAM(point.x, point.y);
    // The pointer rests where the button went down: a move away would be
    // the start of a drag.
    ClientToScreen(TreeControl(), &point);
    SetCursorPos(point.x, point.y);
    SendMessageW(TreeControl(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ASSERT_TRUE(CreateDirectoryW(made.c_str(), nullptr));
    auto seen = [&] {
        auto children = ChildPaths(drive);
        return std::find(children.begin(), children.end(), made) != children.end();
    };
    PumpFor(3000);
    EXPECT_FALSE(seen());
    SendMessageW(TreeControl(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil(seen, 5000));
    EXPECT_EQ(Tree->GetSelectedPath(), Temp.Path());
    RemoveDirectoryW(made.c_str());
    EXPECT_TRUE(PumpUntil([&] { return !seen(); }, 5000));
}

TEST_F(FollowingTheDiskTest, MediaAndNetworkDrivesComingAndGoing)
{
    MakeTree();
    MakeList();
    Tree->SetShellListView(List.get());
    Tree->SelectPath(Temp.Path());
    HTREEITEM drive = NodeOf(L"C:\\");
    HTREEITEM computer = Relative(drive, TVGN_PARENT);
    ASSERT_TRUE(drive && computer);
    wchar_t text[MAX_PATH];

    // The medium of C: taken out: the node loses its children but keeps
    // its button, and its parent is selected (the list follows).
    BroadcastVolume(DBT_DEVICEREMOVECOMPLETE, DBTF_MEDIA, L'C');
    PumpFor(500);
    EXPECT_EQ(Tree->GetSelectedPath(), Temp.Path());  // not before a quiet second
    ASSERT_TRUE(PumpUntil([&] { return Relative(nullptr, TVGN_CARET) == computer; }, 4000));
    TVITEMW item = NodeData(drive, text);
    EXPECT_STREQ(text, L" (C:)");
    EXPECT_EQ(item.cChildren, 1);
    EXPECT_FALSE(item.state & TVIS_EXPANDED);
    EXPECT_EQ(Relative(drive, TVGN_CHILD), nullptr);
    EXPECT_TRUE(List->GetFolderIDList());
    EXPECT_EQ(List->GetFolderPath(), L"");

    // A medium arriving names the node after its label.
    std::wstring named = DriveNodeText(GetVolumeLabel(L"C:\\"), L'C');
    BroadcastVolume(DBT_DEVICEARRIVAL, DBTF_MEDIA, L'C');
    auto renamed = [&] {
        NodeData(drive, text);
        return named == text;
    };
    EXPECT_TRUE(PumpUntil(renamed, 4000)) << text;

    // Broadcasts of other kinds, or of no drive, change nothing; a network
    // drive going selects the root.
    BroadcastVolume(DBT_DEVICEARRIVAL, DBTF_MEDIA, 0);
    BroadcastVolume(DBT_DEVICEQUERYREMOVE, DBTF_MEDIA, L'C');
    PumpFor(1500);
    EXPECT_EQ(Relative(nullptr, TVGN_CARET), computer);
    BroadcastVolume(DBT_DEVICEREMOVECOMPLETE, DBTF_NET, 0);
    EXPECT_TRUE(PumpUntil([&] { return Relative(nullptr, TVGN_CARET) == Tree->RootNode(); }, 4000));
}

TEST_F(FollowingTheDiskTest, ClosingWhileAReportIsOnItsWay)
{
    // The GUI thread is held past the quiet period, so that the report
    // waits for it, and the window goes before it is handled.
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        MakeList();
        Show(Temp.Path());
        ASSERT_TRUE(WriteWholeFile(Temp / (L"r" + std::to_wstring(round)), {'r'}));
        Sleep(round == 0 ? 1000 : 2600);
        List.reset();
        PumpFor(300);
    }
    std::wstring made = L"C:\\qv-close-" + std::to_wstring(GetCurrentProcessId());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        MakeTree();
        round ? (void)RemoveDirectoryW(made.c_str()) : (void)CreateDirectoryW(made.c_str(), nullptr);
        Sleep(2000);
        Tree.reset();
        PumpFor(300);
    }
    RemoveDirectoryW(made.c_str());
}
