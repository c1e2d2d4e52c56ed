// The shell context menu on the real main window: the program's items in
// their places among the real shell's entries, and what follows the entry
// chosen, told by its verb.
#include "browser/ShellPopupMenu.h"
#include "core/commands/CommandIds.h"
#include "FrameFixture.h"
#include "shell/ShellClipboard.h"
#include "support/DialogAnswerer.h"
#include "support/GuiTestHelpers.h"
#include "support/HostCommand.h"
#include "support/MenuWatcher.h"

#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

struct TShownEntry {
    UINT Id;
    std::wstring Text;  // "-" for a separator
    bool SubMenu;
};

std::vector<TShownEntry> EntriesOf(HMENU menu)
{
    std::vector<TShownEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
        entries.push_back({info.wID, (info.fType & MFT_SEPARATOR) ? L"-" : text, info.hSubMenu != nullptr});
    }
    return entries;
}

class ShellPopupMenuTest : public TFrameFixture {
protected:
    TSHListView& OpenFolder()
    {
        Root = Data / L"menu";
        CreateDirectoryW(Root.c_str(), nullptr);
        CreateDirectoryW((Root + L"\\sub").c_str(), nullptr);
        for (const wchar_t* name : {L"\\one.txt", L"\\two.txt"}) MakeFile(Root + name, 10);
        Start();
        return OpenWindow(Root);
    }
    // Shows the list's menu and chooses what `choose` picks from it.
    void PopupAndChoose(TSHListView& list, const std::function<UINT(TSHPopupMenu&, HMENU)>& choose)
    {
        TSHPopupMenu& menu = Form->ShellPopupMenu();
        menu.Chooser = [&](HMENU popup) { return choose(menu, popup); };
        list.PopupShellMenu(POINT{100, 100});
        menu.Chooser = nullptr;
        Pump();
    }
    std::wstring Root;
};

}  // namespace

TEST_F(ShellPopupMenuTest, OwnItemsSitAroundTheShellEntries)
{
    TSHListView& list = OpenFolder();
    SelectOnly(list, {L"one.txt"});
    std::vector<TShownEntry> entries;
    UINT firstShell = 0, defaultItem = 0;
    PopupAndChoose(list, [&](TSHPopupMenu& menu, HMENU popup) {
        entries = EntriesOf(popup);
        firstShell = menu.FirstShellCommand();
        defaultItem = GetMenuDefaultItem(popup, TRUE, 0);
        return UINT(Cmd::InvertSelection);
    });
    ASSERT_GE(entries.size(), 5u);
    // A file: the viewer item, its separator, the shell's entries (the
    // first of them the default), then the invert item.
    EXPECT_EQ(entries[0].Id, UINT(Cmd::ShowInViewer));
    EXPECT_EQ(entries[0].Text, L"プラグインビューワーで参照(&U)");
    EXPECT_EQ(entries[1].Text, L"-");
    EXPECT_GE(entries[2].Id, firstShell);
    EXPECT_EQ(defaultItem, 2u);
    EXPECT_EQ(entries.back().Id, UINT(Cmd::InvertSelection));
    EXPECT_EQ(entries.back().Text, L"選択の切り替え(&I)");
    int shellEntries = 0, subMenus = 0;
    for (const TShownEntry& entry : entries) {
        if (entry.Id >= firstShell && entry.Text != L"-") ++shellEntries;
        if (entry.SubMenu) ++subMenus;
    }
    EXPECT_GE(shellEntries, 3);
    std::printf("shell entries %d, sub-menus %d\n", shellEntries, subMenus);
    // The chosen own item ran its command: every other row is selected.
    EXPECT_EQ(list.SelectedCount(), list.FileList().Count() - 1);

    // A folder: no viewer item; the shell's entries come first.
    SelectOnly(list, {L"sub"});
    PopupAndChoose(list, [&](TSHPopupMenu&, HMENU popup) {
        entries = EntriesOf(popup);
        return 0u;
    });
    ASSERT_GE(entries.size(), 3u);
    EXPECT_GE(entries[0].Id, firstShell);
    EXPECT_EQ(entries[entries.size() - 2].Text, L"-");
    EXPECT_EQ(entries.back().Id, UINT(Cmd::InvertSelection));

    // The tree's menu is about its node: neither of the program's items.
    TSHTreeView& tree = Form->ShellTree();
    tree.SelectPath(Root);
    Pump();
    SetFocus(tree.TreeHandle());
    TSHPopupMenu& menu = Form->ShellPopupMenu();
    menu.Chooser = [&](HMENU popup) {
        entries = EntriesOf(popup);
        return 0u;
    };
    HTREEITEM node = TreeView_GetSelection(tree.TreeHandle());
    tree.PopupShellMenu(node, POINT{50, 50});
    menu.Chooser = nullptr;
    ASSERT_FALSE(entries.empty());
    for (const TShownEntry& entry : entries) {
        EXPECT_NE(entry.Id, UINT(Cmd::ShowInViewer));
        EXPECT_NE(entry.Id, UINT(Cmd::InvertSelection));
    }
}

TEST_F(ShellPopupMenuTest, FollowUpsGoByVerb)
{
    TSHListView& list = OpenFolder();
    auto chooseVerb = [this, &list](const wchar_t* verb) {
        UINT chosen = 0;
        PopupAndChoose(list, [&](TSHPopupMenu& menu, HMENU popup) { return chosen = menu.FindVerb(popup, verb); });
        return chosen;
    };

    // link: a shortcut beside the file that resolves to it, shown at once.
    SelectOnly(list, {L"one.txt"});
    ASSERT_NE(chooseVerb(L"link"), 0u);
    std::wstring link = Root + L"\\one.txt - ショートカット.lnk";
    EXPECT_EQ(ResolvedTarget(link), Root + L"\\one.txt");
    EXPECT_GE(RowOf(list, L"one.txt - ショートカット.lnk"), 0);

    // cut: on the clipboard as a move, the row shown as cut.
    SelectOnly(list, {L"two.txt"});
    ASSERT_NE(chooseVerb(L"cut"), 0u);
    bool move = false;
    EXPECT_EQ(ClipboardFiles(&move), std::vector<std::wstring>{Root + L"\\two.txt"});
    EXPECT_TRUE(move);
    EXPECT_TRUE(list.IsMarkedCut(RowOf(list, L"two.txt")));
    EXPECT_FALSE(list.IsMarkedCut(RowOf(list, L"one.txt")));

    // delete: confirmed, the file and its row go.
    SelectOnly(list, {L"one.txt"});
    {
        TDialogAnswerer yes(IDYES);
        ASSERT_NE(chooseVerb(L"delete"), 0u);
    }
    EXPECT_FALSE(FileExists(Root + L"\\one.txt"));
    EXPECT_LT(RowOf(list, L"one.txt"), 0);

    // rename (not offered in an explorer menu by every shell, so run by its
    // verb): the folder window's rename command edits the name in place.
    SelectOnly(list, {L"two.txt"});
    EXPECT_FALSE(list.RunShellVerb(L"rename"));
    EXPECT_NE(ListView_GetEditControl(list.ListHandle()), nullptr);
    SendMessageW(list.ListHandle(), LVM_CANCELEDITLABEL, 0, 0);
}

TEST_F(ShellPopupMenuTest, TreeFollowUpsGoByVerb)
{
    TSHListView& list = OpenFolder();
    TSHTreeView& tree = Form->ShellTree();
    tree.SelectPath(Root + L"\\sub");
    Pump();
    ASSERT_EQ(list.GetFolderPath(), Root + L"\\sub");
    // rename: the node's label opens for editing.
    EXPECT_FALSE(tree.RunShellVerb(L"rename"));
    EXPECT_NE(TreeView_GetEditControl(tree.TreeHandle()), nullptr);
    TreeView_EndEditLabelNow(tree.TreeHandle(), TRUE);
    // delete of the selected folder: tree and list go up to its parent.
    {
        TDialogAnswerer yes(IDYES);
        EXPECT_TRUE(tree.RunShellVerb(L"delete"));
    }
    Pump();
    EXPECT_FALSE(FileExists(Root + L"\\sub"));
    EXPECT_EQ(tree.GetSelectedPath(), Root);
    EXPECT_EQ(list.GetFolderPath(), Root);
}

TEST_F(ShellPopupMenuTest, ContextKeyAndEntryHints)
{
    TSHListView& list = OpenFolder();
    SelectOnly(list, {L"one.txt"});
    TSHPopupMenu& menu = Form->ShellPopupMenu();
    int shown = 0;
    std::wstring ownHint, shellHint;
    auto statusText = [this] {
        wchar_t text[512] = {};
        // In simple mode every part reads the simple text.
        SendMessageW(Form->StatusBar(), SB_GETTEXTW, 0, LPARAM(text));
        return std::wstring(text);
    };
    menu.Chooser = [&](HMENU popup) {
        ++shown;
        HWND window = FindWindowW(L"TSHPopupMenuWindow", nullptr);
        SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(Cmd::InvertSelection, MF_STRING), LPARAM(popup));
        ownHint = statusText();
        if (UINT copy = menu.FindVerb(popup, L"copy")) {
            SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(copy, MF_STRING), LPARAM(popup));
            shellHint = statusText();
        }
        return 0u;
    };
    // The menu key and Shift+F10 come as a context menu at (-1, -1).
    SendMessageW(list.ListHandle(), WM_CONTEXTMENU, WPARAM(list.ListHandle()), LPARAM(-1));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(ownHint, L"選択されているオブジェクトと選択されていないオブジェクトを切り替えます。");
    EXPECT_FALSE(shellHint.empty());  // the shell's help text, or a space where it has none
    // Nothing selected: not the shell's menu of the folder itself (it
    // would offer to delete the folder being looked into), but the frame's
    // menu of the background.
    list.SelectAll(false);
    {
        TMenuWatcher user([](const std::vector<TSeenMenuEntry>&) { return -1; });
        SendMessageW(list.ListHandle(), WM_CONTEXTMENU, WPARAM(list.ListHandle()), LPARAM(-1));
        EXPECT_TRUE(PumpUntil([&] { return user.Shown() == 1; }));
        ASSERT_FALSE(user.Entries().empty());
        EXPECT_EQ(user.Entries().front().Id, UINT(Cmd::Up));
    }
    EXPECT_EQ(shown, 1);
    menu.Chooser = nullptr;
}

// A right click beside the rows shows the main window's menu of the
// background with the states of that moment, and what is chosen in it runs
// as the frame's command.
TEST_F(ShellPopupMenuTest, BackgroundMenuIsTheFramesOwn)
{
    TSHListView& list = OpenFolder();
    SelectOnly(list, {L"one.txt"});
    HWND control = list.ListHandle();
    RECT client{};
    GetClientRect(control, &client);
    LVHITTESTINFO hit{};
    // Beside the rows' line at the top, where the window shows the list.
    hit.pt = {20, client.bottom - 20};
    ASSERT_LT(ListView_HitTest(control, &hit), 0) << "the point must be background";
    // Files on the clipboard just now, with no idle pass after it.
    SelectNamed(list, {L"two.txt"});
    ASSERT_TRUE(CopyToClipboard(list.FileList().GetSelectedIDList(), false));
    SelectNamed(list, {L"one.txt"});

    TMenuWatcher user([](const std::vector<TSeenMenuEntry>& entries) {
        // For looking at it: QV_BACKGROUND_MENU_SCREENSHOT names a PNG file on the host.
        if (const char* shot = std::getenv("QV_BACKGROUND_MENU_SCREENSHOT"); shot && *shot)
            RunOnHost(L"import -window root " + ShellQuoted(std::wstring(shot, shot + std::strlen(shot))));
        return IndexOfCommand(entries, Cmd::SelectAll);
    });
    POINT screen = hit.pt;
    ClientToScreen(control, &screen);
    // Real input comes in while this thread pumps, as it would.
    std::thread mouse([screen] {
        MouseTo(screen);
        MouseTo(screen, MOUSEEVENTF_RIGHTDOWN);
        MouseTo(screen, MOUSEEVENTF_RIGHTUP);
    });
    bool ran = PumpUntil([&] { return user.Shown() == 1 && list.SelectedCount() == list.FileList().Count(); });
    mouse.join();
    ASSERT_TRUE(ran) << "shown " << user.Shown() << ", selected " << list.SelectedCount();

    std::wstring layout;
    for (const TSeenMenuEntry& entry : user.Entries())
        layout += entry.SubMenu ? L"[" + entry.Text + L"]" : entry.Text == L"-" ? L"-" : L"<" + std::to_wstring(entry.Id) + L">";
    EXPECT_EQ(layout, L"<4030>-[表示(&V)]-[アイコンの整列(&I)]-<3090>-<2040>-[新規作成(&N)]-[ファイルタイプで選択(&E)]<2090><2100>-<2110>");
    auto entry = [&](int id) { return user.Entries()[size_t(IndexOfCommand(user.Entries(), UINT(id)))]; };
    EXPECT_FALSE(entry(Cmd::Up).Grayed);
    EXPECT_FALSE(entry(Cmd::Paste).Grayed);
    EXPECT_EQ(IndexOfCommand(user.Entries(), UINT(Cmd::Delete)), -1);
}

// On screen for a screenshot (tools/dialog-shots.sh menu).
TEST_F(ShellPopupMenuTest, DISABLED_Shot)
{
    TSHListView& list = OpenFolder();
    SelectOnly(list, {L"one.txt"});
    wchar_t folder[MAX_PATH] = {};
    GetEnvironmentVariableW(L"QV_SHOT_DIR", folder, MAX_PATH);
    TSHPopupMenu& menu = Form->ShellPopupMenu();
    menu.OnShown = [&](HMENU) {
        WriteWholeFile(std::wstring(folder) + L"\\menu.ready", {});
        for (int i = 0; i < 400 && !FileExists(std::wstring(folder) + L"\\menu.done"); ++i) Sleep(50);
        EndMenu();
    };
    RECT r{};
    GetWindowRect(list.ListHandle(), &r);
    list.PopupShellMenu(POINT{r.left + 40, r.top + 40});
}
