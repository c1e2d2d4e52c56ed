// The commands of the go, search, view and edit-selection menus on the
// real main window and real folders.
#include "FrameFixture.h"
#include "core/commands/CommandIds.h"
#include "gui/Platform.h"
#include "support/DialogAnswerer.h"

#include <set>

namespace {

class CommandAreasTest : public TFrameFixture {
protected:
    std::wstring MakeTree()
    {
        std::wstring root = Data / L"root";
        for (const wchar_t* sub : {L"", L"\\a", L"\\a\\a1", L"\\b", L"\\c", L"\\x.jpg"})
            CreateDirectoryW((root + sub).c_str(), nullptr);
        for (const wchar_t* file : {L"\\one.jpg", L"\\TWO.JPG", L"\\three.png", L"\\four.txt"}) MakeFile(root + file, 10);
        return root;
    }
    std::set<std::wstring> Selected(TSHListView& list)
    {
        std::set<std::wstring> names;
        for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i))
            names.insert(list.FileList().Rows(i)->GetFileName());
        return names;
    }

};

}  // namespace

TEST_F(CommandAreasTest, HistoryUpAndNeighbours)
{
    std::wstring root = MakeTree();
    TMainForm& form = Start();
    TSHTreeView& tree = form.ShellTree();
    for (const wchar_t* sub : {L"\\a", L"\\b", L"\\c"}) {
        tree.SelectPath(root + sub);
        Pump();
    }
    ASSERT_TRUE(Run(Cmd::Back));
    EXPECT_EQ(tree.GetSelectedPath(), root + L"\\b");
    ASSERT_TRUE(Run(Cmd::Forward));
    EXPECT_EQ(tree.GetSelectedPath(), root + L"\\c");

    // Up on an expanded folder only collapses it; the next press goes up.
    tree.SelectPath(root + L"\\a");
    TreeView_Expand(tree.TreeHandle(), TreeView_GetSelection(tree.TreeHandle()), TVE_EXPAND);
    ASSERT_TRUE(Run(Cmd::Up));
    EXPECT_EQ(tree.GetSelectedPath(), root + L"\\a");
    ASSERT_TRUE(Run(Cmd::Up));
    EXPECT_EQ(tree.GetSelectedPath(), root);

    // Next goes into the first child, previous back out of it.
    tree.SelectPath(root + L"\\a");
    ASSERT_TRUE(Run(Cmd::NextFolder));
    EXPECT_EQ(tree.GetSelectedPath(), root + L"\\a\\a1");
    ASSERT_TRUE(Run(Cmd::PreviousFolder));
    EXPECT_EQ(tree.GetSelectedPath(), root + L"\\a");

    ASSERT_TRUE(Run(Cmd::ExpandAll));
    EXPECT_TRUE(TreeView_GetItemState(tree.TreeHandle(), TreeView_GetSelection(tree.TreeHandle()), TVIS_EXPANDED) &
                TVIS_EXPANDED);
    ASSERT_TRUE(Run(Cmd::CollapseAll));
    EXPECT_FALSE(TreeView_GetItemState(tree.TreeHandle(), TreeView_GetSelection(tree.TreeHandle()), TVIS_EXPANDED) &
                 TVIS_EXPANDED);
}

// Only a full path of an existing folder reaches the shell; anything else
// is refused with the message, the text is cleared and its history entry
// goes. The window stays where it was.
TEST_F(CommandAreasTest, GoToAddressTakesOnlyExistingFolders)
{
    std::wstring root = MakeTree();
    TMainForm& form = Start();
    TSHListView& list = OpenWindow(root);
    HWND combo = form.AddressCombo();
    const struct {
        std::wstring Text;
        bool Goes;
    } cases[] = {
        {root + L"\\b", true},
        {root + L"\\one.jpg", false},  // a file
        {L"a", false},                 // relative
        {L"..\\b", false},
        {L"/tmp", false},              // Unix form
        {root + L"\\missing", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Text));
        form.ShellTree().SelectPath(root);
        Pump();
        SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(c.Text.c_str()));
        SetWindowTextW(combo, c.Text.c_str());
        TDialogAnswerer answerer(IDOK);
        ASSERT_TRUE(Run(Cmd::GoToAddress));
        if (c.Goes) {
            EXPECT_EQ(list.GetFolderPath(), c.Text);
            continue;
        }
        EXPECT_EQ(answerer.Text, L"該当するフォルダが存在しません。");
        EXPECT_EQ(list.GetFolderPath(), root);
        EXPECT_EQ(GetWindowTextLengthW(combo), 0);
        EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(c.Text.c_str())), CB_ERR);
    }
}

TEST_F(CommandAreasTest, SelectionCommands)
{
    std::wstring root = MakeTree();
    TInitData settings;
    settings.FileTypes = {"JPG", "PNG"};
    WriteSettings(settings);
    TMainForm& form = Start();
    TSHListView& list = OpenWindow(root);

    SelectNamed(list, {L"three.png"});
    ASSERT_TRUE(Action(Cmd::SelectByType).Enabled);
    SendMessageW(form.Handle(), WM_COMMAND, 22000, 0);  // the first select-by-type item: JPG
    Pump();
    EXPECT_EQ(Selected(list), (std::set<std::wstring>{L"one.jpg", L"TWO.JPG", L"three.png"}));

    ASSERT_TRUE(Run(Cmd::SelectFolders));
    EXPECT_EQ(Selected(list), (std::set<std::wstring>{L"a", L"b", L"c", L"x.jpg"}));
    ASSERT_TRUE(Run(Cmd::SelectFiles));
    EXPECT_EQ(Selected(list), (std::set<std::wstring>{L"one.jpg", L"TWO.JPG", L"three.png", L"four.txt"}));
    ASSERT_TRUE(Run(Cmd::InvertSelection));
    EXPECT_EQ(Selected(list), (std::set<std::wstring>{L"a", L"b", L"c", L"x.jpg"}));
    ASSERT_TRUE(Run(Cmd::InvertSelection));
    ASSERT_TRUE(Run(Cmd::SelectAll));
    EXPECT_EQ(list.SelectedCount(), list.FileList().Count());
}

TEST_F(CommandAreasTest, ViewStyleSortLockAndSwitches)
{
    std::wstring root = MakeTree();
    TMainForm& form = Start();
    EXPECT_FALSE(Action(Cmd::ViewDetails).Enabled);  // no list yet
    TSHListView& list = OpenWindow(root);

    ASSERT_TRUE(Run(Cmd::ViewDetails));
    EXPECT_EQ(list.GetViewStyleValue(), LV_VIEW_DETAILS);
    EXPECT_TRUE(Action(Cmd::ViewDetails).Checked);
    EXPECT_FALSE(Action(Cmd::ViewLargeIcons).Checked);

    ASSERT_TRUE(Run(Cmd::SortBySize));
    EXPECT_EQ(list.SortType, hcSize);
    ASSERT_TRUE(Run(Cmd::SortDescending));
    EXPECT_EQ(list.ColumnSortDirections[hcSize], -1);
    EXPECT_TRUE(Action(Cmd::SortDescending).Checked);
    ASSERT_TRUE(Run(Cmd::SortByName));
    EXPECT_TRUE(Action(Cmd::SortAscending).Checked);  // the name key keeps its own direction

    ASSERT_TRUE(Run(Cmd::FolderLock));
    EXPECT_TRUE(list.FolderLock());
    EXPECT_TRUE(Action(Cmd::FolderLock).Checked);
    ASSERT_TRUE(Run(Cmd::FolderLock));
    EXPECT_FALSE(list.FolderLock());

    // The recycle bin leaves the tree's desktop when its bit goes.
    auto desktopChildren = [&] {
        std::set<std::wstring> names;
        HWND tree = form.ShellTree().TreeHandle();
        for (HTREEITEM n = TreeView_GetChild(tree, TreeView_GetRoot(tree)); n; n = TreeView_GetNextSibling(tree, n))
            names.insert(form.ShellTree().ItemOf(n)->GetDisplayName());
        return names;
    };
    EXPECT_TRUE(desktopChildren().count(L"ごみ箱"));
    ASSERT_TRUE(Run(Cmd::ShowRecycleBin));
    EXPECT_FALSE(Action(Cmd::ShowRecycleBin).Checked);
    EXPECT_FALSE(desktopChildren().count(L"ごみ箱"));
    ASSERT_TRUE(Run(Cmd::ShowRecycleBin));
    EXPECT_TRUE(desktopChildren().count(L"ごみ箱"));

    bool hidden = form.ShellTree().IncludeHidden();
    ASSERT_TRUE(Run(Cmd::ShowHiddenFiles));
    EXPECT_NE(form.ShellTree().IncludeHidden(), hidden);

    // The navigator pad opens and closes; the search for a computer is a
    // stub that ends the process under Wine.
    EXPECT_TRUE(Action(Cmd::Navigator).Enabled);
    ASSERT_TRUE(Run(Cmd::Navigator));
    EXPECT_TRUE(Action(Cmd::Navigator).Checked);
    ASSERT_TRUE(Run(Cmd::Navigator));
    EXPECT_FALSE(Action(Cmd::Navigator).Checked);
    EXPECT_EQ(Action(Cmd::FindComputer).Enabled, !RunningUnderWine());
}

// The keys run their commands through the accelerators, and belong to the
// text while a combo box has the focus.
TEST_F(CommandAreasTest, KeysRunTheirCommands)
{
    std::wstring root = MakeTree();
    TMainForm& form = Start();
    TSHListView& list = OpenWindow(root);
    TSHTreeView& tree = form.ShellTree();
    auto press = [&](WPARAM key, bool ctrl = false, bool alt = false) { return PressKey(key, ctrl, alt); };
    tree.SelectPath(root + L"\\a");
    Pump();
    tree.SelectPath(root + L"\\b");
    Pump();
    SetFocus(tree.TreeHandle());
    EXPECT_TRUE(press(VK_LEFT, false, true));  // Alt+Left: back
    EXPECT_EQ(tree.GetSelectedPath(), root + L"\\a");
    EXPECT_TRUE(press(VK_RIGHT, false, true));  // Alt+Right: forward
    EXPECT_EQ(tree.GetSelectedPath(), root + L"\\b");
    EXPECT_TRUE(press(VK_BACK));  // Backspace: up
    EXPECT_EQ(tree.GetSelectedPath(), root);

    SetFocus(list.ListHandle());
    EXPECT_TRUE(press('A', true));  // Ctrl+A: select all
    EXPECT_EQ(list.SelectedCount(), list.FileList().Count());
    bool filtering = form.Filtering();
    EXPECT_TRUE(press('Q', true));  // Ctrl+Q: filtering
    EXPECT_NE(form.Filtering(), filtering);
    EXPECT_TRUE(press(VK_F5));  // refresh
    SetWindowTextW(form.AddressCombo(), (root + L"\\c").c_str());
    EXPECT_TRUE(press('J', true));  // Ctrl+J: go to the address
    EXPECT_EQ(list.GetFolderPath(), root + L"\\c");

    // In the address box the keys are the text's.
    SetFocus(form.AddressCombo());
    EXPECT_FALSE(press(VK_BACK));
    EXPECT_FALSE(press('A', true));
    EXPECT_EQ(list.GetFolderPath(), root + L"\\c");
}
