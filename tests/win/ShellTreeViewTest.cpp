// The folder tree under Wine's real shell: a top-level window hosting the
// tree, folders the tests make, and a stand-in for the linked list view.
#include "../support/DialogAnswerer.h"
#include "../support/DragData.h"
#include "../support/GuiTestHelpers.h"
#include "../support/ShellTestHelpers.h"
#include "../support/TempFolder.h"
#include "browser/ShellTreeView.h"
#include "browser/TreeDropSite.h"
#include "shell/IDList.h"
#include "shell/ShellHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

namespace {

class TreeEnvironment : public ::testing::Environment {
    void SetUp() override
    {
        OleInitialize(nullptr);
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&icc);
    }
};
const auto* const kTreeEnvironment = ::testing::AddGlobalTestEnvironment(new TreeEnvironment);

// Records what the tree asks of its list view.
class TFakeList : public IShLinkedList {
public:
    bool FolderLock() const override { return Locked; }
    void SetFolderLock(bool lock) override { Locked = lock; }
    void SetFolder(PCIDList absolute) override { Folders.emplace_back(CopyIDList(absolute)); }
    PCIDList GetFolderIDList() const override { return Folders.empty() ? nullptr : Folders.back().get(); }
    void TakeIncludeHidden(bool include) override { Hidden = include; }
    void TakeShVirtuaItems(unsigned items) override { Virtual = items; }
    void StopWatching() override { ++Stops; }
    void StartWatching() override { ++Starts; }
    void SetLinkedTree(IShLinkedTree* tree) override { Tree = tree; }

    std::wstring LastPath() const
    {
        std::wstring path;
        if (!Folders.empty()) IDListToPath(Folders.back().get(), path);
        return path;
    }

    bool Locked = false;
    std::vector<TIDListPtr> Folders;
    bool Hidden = false;
    unsigned Virtual = 0;
    int Stops = 0, Starts = 0;
    IShLinkedTree* Tree = nullptr;
};

void MakeFolder(const std::wstring& path) { ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << path; }

class ShellTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 420, 760, nullptr, nullptr, nullptr,
                               nullptr);
        View = std::make_unique<TSHTreeView>(Host);
        SetWindowPos(View->Handle(), nullptr, 0, 0, 420, 760, SWP_NOZORDER);
        Tree = View->TreeHandle();
    }
    void TearDown() override
    {
        View.reset();
        DestroyWindow(Host);
    }

    HTREEITEM Selected() const { return Relative(nullptr, TVGN_CARET); }
    HTREEITEM Relative(HTREEITEM node, UINT relation) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, relation, LPARAM(node)));
    }
    void Select(HTREEITEM node) { SendMessageW(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(node)); }
    HTREEITEM NodeOf(const std::wstring& path)
    {
        TIDListPtr list = ListOf(path);
        return list ? View->FindNode(list.get()) : nullptr;
    }
    std::wstring PathOf(HTREEITEM node) const
    {
        TSHFolderItem* item = View->ItemOf(node);
        return item ? item->GetPath() : L"";
    }
    std::vector<std::wstring> PathsOf(const std::vector<HTREEITEM>& nodes) const
    {
        std::vector<std::wstring> paths;
        for (HTREEITEM node : nodes) paths.push_back(PathOf(node));
        return paths;
    }
    std::wstring Text(HTREEITEM node) const
    {
        wchar_t buffer[MAX_PATH] = {};
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = node;
        item.pszText = buffer;
        item.cchTextMax = MAX_PATH;
        SendMessageW(Tree, TVM_GETITEMW, 0, LPARAM(&item));
        return buffer;
    }
    std::vector<std::wstring> ChildTexts(HTREEITEM node) const
    {
        std::vector<std::wstring> texts;
        for (HTREEITEM child = Relative(node, TVGN_CHILD); child; child = Relative(child, TVGN_NEXT))
            texts.push_back(Text(child));
        return texts;
    }
    HTREEITEM Child(HTREEITEM node, const std::wstring& text) const
    {
        for (HTREEITEM child = Relative(node, TVGN_CHILD); child; child = Relative(child, TVGN_NEXT))
            if (Text(child) == text) return child;
        return nullptr;
    }
    bool Expanded(HTREEITEM node) const
    {
        return SendMessageW(Tree, TVM_GETITEMSTATE, WPARAM(node), TVIS_EXPANDED) & TVIS_EXPANDED;
    }
    // The centre of a node's label, in the tree's client coordinates.
    POINT LabelPoint(HTREEITEM node) const
    {
        RECT r{};
        std::memcpy(&r, &node, sizeof node);  // the rectangle carries the node in
        SendMessageW(Tree, TVM_GETITEMRECT, TRUE, LPARAM(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Scrolls the node to the second visible line, away from the edges where
    // a drag scrolls the tree (the test prefix's temporary folder can hold
    // enough folders to put the node at the bottom edge otherwise).
    void ShowAwayFromEdges(HTREEITEM node) const
    {
        TreeView_EnsureVisible(Tree, node);
        HTREEITEM above = TreeView_GetPrevVisible(Tree, node);
        TreeView_SelectSetFirstVisible(Tree, above ? above : node);
    }

    // Folders a and b made in the temporary folder, whose node is selected
    // and opened: the nodes of a and b.
    std::pair<HTREEITEM, HTREEITEM> ShowFoldersAAndB()
    {
        MakeFolder(Temp / L"a");
        MakeFolder(Temp / L"b");
        View->SelectPath(Temp.Path());
        HTREEITEM folder = Selected();
        SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(folder));
        return {Child(folder, L"a"), Child(folder, L"b")};
    }

    TTempFolder Temp;
    HWND Host = nullptr;
    HWND Tree = nullptr;
    std::unique_ptr<TSHTreeView> View;
};

}  // namespace

TEST_F(ShellTreeViewTest, RootIsTheDesktopWithItsFirstChildOpened)
{
    HTREEITEM root = View->RootNode();
    ASSERT_TRUE(root);
    SHFILEINFOW info{};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(SpecialFolderIDList(CSIDL_DESKTOP)), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_DISPLAYNAME);
    EXPECT_EQ(Text(root), std::wstring(info.szDisplayName));
    EXPECT_EQ(Selected(), root);
    EXPECT_TRUE(Expanded(root));
    EXPECT_EQ(GetIDListLevel(View->GetSelectedIDList()), 0);
    std::wstring desktopDirectory;
    GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktopDirectory);
    EXPECT_EQ(View->GetSelectedPath(), desktopDirectory);

    HTREEITEM first = Relative(root, TVGN_CHILD);
    ASSERT_TRUE(first);
    EXPECT_TRUE(Expanded(first));
    std::vector<TShItemIDType> kinds;
    for (HTREEITEM child = first; child; child = Relative(child, TVGN_NEXT))
        kinds.push_back(View->ItemOf(child)->GetItemIDType());
    auto has = [&](TShItemIDType kind) { return std::count(kinds.begin(), kinds.end(), kind) > 0; };
    EXPECT_TRUE(has(itMyComputer));
    EXPECT_TRUE(has(itBitBucket));
    EXPECT_FALSE(has(itVirtual));  // never directly under the root

    // The virtual objects follow the setting, which the linked list is given.
    TFakeList list;
    View->SetShellListView(&list);
    View->SetShVirtuaItems(0);
    EXPECT_EQ(list.Virtual, 0u);
    for (HTREEITEM child = Relative(root, TVGN_CHILD); child; child = Relative(child, TVGN_NEXT))
        EXPECT_NE(View->ItemOf(child)->GetItemIDType(), itBitBucket);
    View->TakeShVirtuaItems(kDefaultVirtuaItems);
    EXPECT_EQ(list.Virtual, 0u);  // taken, not handed back
    bool bin = false;
    for (HTREEITEM child = Relative(root, TVGN_CHILD); child; child = Relative(child, TVGN_NEXT))
        bin = bin || View->ItemOf(child)->GetItemIDType() == itBitBucket;
    EXPECT_TRUE(bin);
    View->SetShellListView(nullptr);

    View->SetColors(RGB(1, 2, 3), RGB(4, 5, 6));
    EXPECT_EQ(COLORREF(SendMessageW(Tree, TVM_GETBKCOLOR, 0, 0)), RGB(1, 2, 3));
    EXPECT_EQ(COLORREF(SendMessageW(Tree, TVM_GETTEXTCOLOR, 0, 0)), RGB(4, 5, 6));
    View->SetHotTrack(true);
    EXPECT_TRUE(GetWindowLongPtrW(Tree, GWL_STYLE) & TVS_TRACKSELECT);
}

TEST_F(ShellTreeViewTest, LinkedListFollowsTheSelectionUnlessLocked)
{
    MakeFolder(Temp / L"a");
    MakeFolder(Temp / L"b");
    View->SelectPath(Temp.Path());
    HTREEITEM folder = Selected();
    ASSERT_EQ(PathOf(folder), Temp.Path());

    TFakeList list;
    list.Hidden = false;
    int selections = 0;
    View->OnSelectNode = [&](TSHTreeView&, HTREEITEM) { ++selections; };
    View->SetShellListView(&list);
    EXPECT_EQ(list.Tree, View.get());
    EXPECT_TRUE(list.Hidden);
    EXPECT_EQ(list.Virtual, View->ShVirtuaItems());
    EXPECT_EQ(list.LastPath(), Temp.Path());  // shows the tree's selection

    View->SelectPath(Temp / L"a");
    EXPECT_EQ(list.LastPath(), Temp / L"a");
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(View->GetSelectedPath(), Temp / L"a");

    list.Locked = true;
    size_t shown = list.Folders.size();
    View->SelectPath(Temp / L"b");
    EXPECT_EQ(View->GetSelectedPath(), Temp / L"a");
    EXPECT_EQ(list.Folders.size(), shown);
    EXPECT_EQ(selections, 1);

    // A node that goes away unlocks the list.
    ASSERT_TRUE(RemoveDirectoryW((Temp / L"b").c_str()));
    View->RefreshChildren(folder);
    EXPECT_FALSE(list.Locked);
    EXPECT_EQ(ChildTexts(folder), std::vector<std::wstring>{L"a"});

    View->SetIncludeHidden(false);
    EXPECT_FALSE(list.Hidden);
    EXPECT_EQ(list.LastPath(), Temp / L"a");
    View->SetShellListView(nullptr);
    EXPECT_EQ(list.Tree, nullptr);
}

TEST_F(ShellTreeViewTest, HistoryKeepsNineVisitsAndStepsBothWays)
{
    std::vector<std::wstring> folders;
    for (int i = 1; i <= 12; ++i) {
        folders.push_back(Temp / (L"f" + std::to_wstring(100 + i)));
        MakeFolder(folders.back());
    }
    View->SelectPath(Temp.Path());
    for (const std::wstring& folder : folders) View->SelectPath(folder);
    // Visits: root, temp, f101 ... f112; the last nine before the current one.
    EXPECT_EQ(PathsOf(View->BackList()), std::vector<std::wstring>(folders.begin() + 2, folders.begin() + 11));
    EXPECT_TRUE(View->ForwardList().empty());

    for (int i = 0; i < 4; ++i) EXPECT_TRUE(View->GoBack(-1));
    EXPECT_EQ(View->GetSelectedPath(), folders[7]);
    EXPECT_EQ(View->BackList().size(), 5u);  // a back step records no visit
    EXPECT_EQ(PathsOf(View->ForwardList()),
              (std::vector<std::wstring>{folders[11], folders[10], folders[9], folders[8]}));
    EXPECT_TRUE(View->GoForward(-1));
    EXPECT_EQ(View->GetSelectedPath(), folders[8]);
    EXPECT_EQ(View->BackList().size(), 6u);
    EXPECT_EQ(View->ForwardList().size(), 3u);

    // A new visit empties the forward list.
    View->SelectPath(folders[0]);
    EXPECT_TRUE(View->ForwardList().empty());
    EXPECT_EQ(PathOf(View->BackList().back()), folders[8]);
    EXPECT_FALSE(View->GoForward(-1));
    EXPECT_FALSE(View->GoBack(7));  // beyond the list
}

TEST_F(ShellTreeViewTest, GoBackToAnEntryAndDeletedNodesLeaveTheHistory)
{
    std::vector<std::wstring> f;
    for (int i = 0; i < 6; ++i) {
        f.push_back(Temp / (L"e" + std::to_wstring(i)));
        MakeFolder(f.back());
    }
    HTREEITEM root = View->RootNode();
    for (int i = 1; i <= 5; ++i) View->SelectPath(f[size_t(i)]);
    // Back: root, e1, e2, e3, e4; selected e5.
    ASSERT_EQ(View->BackList().size(), 5u);
    EXPECT_TRUE(View->GoBack(2));
    EXPECT_EQ(View->GetSelectedPath(), f[2]);
    EXPECT_EQ(View->BackList(), (std::vector<HTREEITEM>{root, NodeOf(f[1])}));
    EXPECT_EQ(PathsOf(View->ForwardList()), (std::vector<std::wstring>{f[5], f[4], f[3]}));
    EXPECT_TRUE(View->GoForward(1));  // to e4, with e3 passed on the way
    EXPECT_EQ(View->GetSelectedPath(), f[4]);
    EXPECT_EQ(View->BackList(), (std::vector<HTREEITEM>{root, NodeOf(f[1]), NodeOf(f[2]), NodeOf(f[3])}));
    EXPECT_EQ(PathsOf(View->ForwardList()), std::vector<std::wstring>{f[5]});

    // e1 twice in the back list, once in the forward list.
    View->SelectPath(f[1]);
    View->SelectPath(f[0]);
    View->SelectPath(f[1]);
    View->SelectPath(f[0]);
    View->GoBack(-1);
    View->GoBack(-1);  // on e0, e1 ahead
    auto count = [&](const std::vector<HTREEITEM>& nodes, const std::wstring& path) {
        std::vector<std::wstring> paths = PathsOf(nodes);
        return std::count(paths.begin(), paths.end(), path);
    };
    ASSERT_EQ(count(View->BackList(), f[1]), 2);
    ASSERT_EQ(count(View->ForwardList(), f[1]), 1);
    HTREEITEM gone = NodeOf(f[1]);
    ASSERT_TRUE(RemoveDirectoryW(f[1].c_str()));
    View->RefreshChildren(Relative(gone, TVGN_PARENT));
    EXPECT_EQ(std::count(View->BackList().begin(), View->BackList().end(), gone), 0);
    EXPECT_EQ(std::count(View->ForwardList().begin(), View->ForwardList().end(), gone), 0);
    EXPECT_EQ(View->GetSelectedPath(), f[0]);
}

TEST_F(ShellTreeViewTest, FilesShownAmongTheFolders)
{
    struct TCase {
        const char* What;
        bool ZipFolder;
        const wchar_t* FileMask;
        bool Hidden;
        std::vector<std::wstring> Shown;  // in the shell's order: folders first
    };
    const TCase cases[] = {
        {"folders only", false, L"", true, {L"hidden", L"sub"}},
        {"no hidden folders", false, L"", false, {L"sub"}},
        {"archives", true, L"", true, {L"hidden", L"sub", L"a.zip", L"b.CAB", L"d.lzh"}},
        {"one extension", false, L"txt", true, {L"hidden", L"sub", L"a.txt", L"c.txt", L"e.TXT"}},
    };
    for (const wchar_t* name : {L"a.zip", L"b.CAB", L"c.txt", L"d.lzh", L"a.txt", L"b.doc", L"e.TXT", L"zip"})
        MakeFile(Temp / name);
    MakeFolder(Temp / L"sub");
    MakeFolder(Temp / L"hidden");
    SetFileAttributesW((Temp / L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    HTREEITEM folder = NodeOf(Temp.Path());
    ASSERT_EQ(PathOf(folder), Temp.Path());
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        View->ZipFolder = c.ZipFolder;
        View->FileMask = c.FileMask;
        View->TakeIncludeHidden(c.Hidden);
        View->RefreshChildren(folder);
        std::vector<std::wstring> shown = ChildTexts(folder);
        std::vector<std::wstring> expected = c.Shown;
        // Only which ones are shown is fixed; files sort by the shell's rules.
        std::sort(shown.begin() + std::min<ptrdiff_t>(2, ptrdiff_t(shown.size())), shown.end());
        std::sort(expected.begin() + std::min<ptrdiff_t>(2, ptrdiff_t(expected.size())), expected.end());
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(ShellTreeViewTest, SelectPathFindsFoldersMadeAfterTheTreeWasFilled)
{
    MakeFolder(Temp / L"a");
    MakeFolder(Temp / L"c");
    View->SelectPath(Temp.Path());
    HTREEITEM folder = Selected();
    View->RefreshChildren(folder);
    ASSERT_EQ(ChildTexts(folder), (std::vector<std::wstring>{L"a", L"c"}));

    const std::wstring late[] = {Temp / L"b", Temp / L"z", Temp / L"c\\deep", Temp / L"0"};
    for (const std::wstring& path : late) {
        MakeFolder(path);
        View->SelectPath(path);
        EXPECT_EQ(View->GetSelectedPath(), path);
    }
    EXPECT_EQ(ChildTexts(folder), (std::vector<std::wstring>{L"0", L"a", L"b", L"c", L"z"}));

    // A folder gone before the tree saw it leads to the root.
    MakeFolder(Temp / L"x");
    MakeFolder(Temp / L"x\\y");
    TIDListPtr gone = ListOf(Temp / L"x\\y");
    ASSERT_TRUE(RemoveDirectoryW((Temp / L"x\\y").c_str()) && RemoveDirectoryW((Temp / L"x").c_str()));
    EXPECT_EQ(View->FindNode(gone.get()), View->RootNode());
    EXPECT_EQ(ChildTexts(folder), (std::vector<std::wstring>{L"0", L"a", L"b", L"c", L"z"}));
}

TEST_F(ShellTreeViewTest, RenameInTheLabelEditor)
{
    struct TCase {
        const wchar_t* From;
        const wchar_t* To;
        bool Accepted;
    };
    const TCase cases[] = {
        {L"old", L"新しい名前", true},
        {L"keep", L"taken", false},  // the name is in use
        {L"case", L"CASE", true},
    };
    MakeFolder(Temp / L"taken");
    TFakeList list;
    View->SetShellListView(&list);
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.From);
        MakeFolder(Temp / c.From);
        MakeFolder(Temp / c.From + L"\\child");
        View->SelectPath(Temp / c.From);
        HTREEITEM node = Selected();
        ASSERT_EQ(PathOf(node), Temp / c.From);
        SendMessageW(Tree, TVM_EXPAND, TVE_EXPAND, LPARAM(node));
        int stops = list.Stops;

        HWND edit = reinterpret_cast<HWND>(SendMessageW(Tree, TVM_EDITLABELW, 0, LPARAM(node)));
        ASSERT_TRUE(edit);
        EXPECT_TRUE(View->IsEditing());
        SetWindowTextW(edit, c.To);
        SendMessageW(Tree, TVM_ENDEDITLABELNOW, FALSE, 0);
        EXPECT_FALSE(View->IsEditing());
        EXPECT_EQ(list.Stops, stops + 1);
        EXPECT_EQ(list.Starts, list.Stops);

        const wchar_t* now = c.Accepted ? c.To : c.From;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((Temp / now).c_str(), &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        FindClose(find);
        EXPECT_EQ(std::wstring(data.cFileName), now);
        EXPECT_EQ(Text(node), now);
        EXPECT_EQ(PathOf(node), Temp / now);
        // The children are listed again under the new name.
        HTREEITEM child = Relative(node, TVGN_CHILD);
        ASSERT_TRUE(child);
        EXPECT_EQ(PathOf(child), Temp / now + L"\\child");
        EXPECT_TRUE(Expanded(node));
        if (c.Accepted) {
            EXPECT_EQ(list.LastPath(), Temp / now);
        }
    }
    // The siblings are in order again.
    std::vector<std::wstring> texts = ChildTexts(Relative(Selected(), TVGN_PARENT));
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    }));
    // The root is never renamed.
    EXPECT_EQ(SendMessageW(Tree, TVM_EDITLABELW, 0, LPARAM(View->RootNode())), 0);
    View->SetShellListView(nullptr);
}

TEST_F(ShellTreeViewTest, NewFolderTakesTheNextFreeNameAndStartsEditing)
{
    const std::wstring base = Utf8Path("新しいフォルダ");
    MakeFolder(Temp / base);
    View->SelectPath(Temp.Path());
    EXPECT_TRUE(View->NewFolder());
    EXPECT_TRUE(FileExists(Temp / (base + L" (2)")));
    EXPECT_EQ(View->GetSelectedPath(), Temp / (base + L" (2)"));
    EXPECT_TRUE(View->IsEditing());
    SendMessageW(Tree, TVM_ENDEDITLABELNOW, TRUE, 0);
    EXPECT_EQ(Text(Selected()), base + L" (2)");

    View->SelectPath(Temp.Path());
    EXPECT_TRUE(View->NewFolder());
    EXPECT_TRUE(FileExists(Temp / (base + L" (3)")));
    SendMessageW(Tree, TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(ShellTreeViewTest, CommandsOnTheSelectedNode)
{
    std::wstring name = L"qvpaste-" + std::to_wstring(GetCurrentProcessId());
    MakeFolder(Temp / name);
    View->SelectPath(Temp / name);
    EXPECT_TRUE(View->ExecuteCommand(TShellCommand::scCopy));

    Select(View->RootNode());
    EXPECT_FALSE(View->ExecuteCommand(TShellCommand::scCopy));  // the root only pastes
    std::wstring desktop;
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktop));
    EXPECT_TRUE(View->ExecuteCommand(TShellCommand::scPaste));
    EXPECT_TRUE(FileExists(JoinPath(desktop, name)));
    RemoveDirectoryW(JoinPath(desktop, name).c_str());
}

TEST_F(ShellTreeViewTest, SelectionFollowsTheButtonRelease)
{
    auto [a, b] = ShowFoldersAAndB();
    ASSERT_TRUE(a && b);
    HTREEITEM folder = Selected();
    SendMessageW(Tree, TVM_ENSUREVISIBLE, 0, LPARAM(b));
    auto at = [](POINT p) { return MAKELPARAM(p.x, p.y); };

    SendMessageW(Tree, WM_LBUTTONDOWN, MK_LBUTTON, at(LabelPoint(a)));
    EXPECT_EQ(Selected(), folder);
    EXPECT_EQ(Relative(nullptr, TVGN_DROPHILITE), a);
    SendMessageW(Tree, WM_LBUTTONUP, 0, at(LabelPoint(a)));
    EXPECT_EQ(Selected(), a);
    EXPECT_EQ(Relative(nullptr, TVGN_DROPHILITE), nullptr);

    // Pressed on b and dragged off before the release.
    POINT off = LabelPoint(b);
    SendMessageW(Tree, WM_LBUTTONDOWN, MK_LBUTTON, at(LabelPoint(b)));
    off.x += 40;
    off.y += 60;
    SendMessageW(Tree, WM_MOUSEMOVE, MK_LBUTTON, at(off));
    SendMessageW(Tree, WM_LBUTTONUP, 0, at(off));
    EXPECT_EQ(Selected(), a);

    TFakeList list;
    View->SetShellListView(&list);
    list.Locked = true;
    SendMessageW(Tree, WM_LBUTTONDOWN, MK_LBUTTON, at(LabelPoint(b)));
    SendMessageW(Tree, WM_LBUTTONUP, 0, at(LabelPoint(b)));
    EXPECT_EQ(Selected(), a);
    list.Locked = false;
    View->SetShellListView(nullptr);

    // A second click on the selected label opens the editor once the
    // double-click time has passed.
    SendMessageW(Tree, WM_LBUTTONDOWN, MK_LBUTTON, at(LabelPoint(a)));
    SendMessageW(Tree, WM_LBUTTONUP, 0, at(LabelPoint(a)));
    EXPECT_FALSE(View->IsEditing());
    PumpUntil([&] { return View->IsEditing(); });
    EXPECT_TRUE(View->IsEditing());
    SendMessageW(Tree, TVM_ENDEDITLABELNOW, TRUE, 0);
    EXPECT_EQ(Text(a), L"a");

    // The same with real input through the message queue.
    POINT screen = LabelPoint(b);
    ClientToScreen(Tree, &screen);
    // Left where it was, so that no later window finds the pointer over it.
    struct TCursorBack {
        POINT At{};
        TCursorBack() { GetCursorPos(&At); }
        ~TCursorBack() { SetCursorPos(At.x, At.y); }
    } cursorBack;
    SetForegroundWindow(Host);
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    PumpUntil([&] { return Relative(nullptr, TVGN_DROPHILITE) == b; });
    EXPECT_EQ(Relative(nullptr, TVGN_DROPHILITE), b);
    EXPECT_EQ(Selected(), a);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    PumpUntil([&] { return Selected() == b; });
    EXPECT_EQ(Selected(), b);
}

TEST_F(ShellTreeViewTest, DropsOnANodeGoIntoItsFolderAndAFolderNeverIntoItself)
{
    MakeFolder(Temp / L"here");
    MakeFolder(Temp / L"here\\sub");
    MakeFolder(Temp / L"there");
    ASSERT_TRUE(WriteWholeFile(Temp / L"a.txt", {'x'}));
    View->SelectPath(Temp / L"here\\sub");
    View->SelectPath(Temp / L"there");
    IDropTarget* target = View->DropSiteOfTree()->DropTarget();
    auto drop = [&](const std::wstring& what, const std::wstring& onto, DWORD keys) {
        ComPtr<IDataObject> data = DataOf(what);
        EXPECT_TRUE(data) << what;
        if (!data) return DWORD(DROPEFFECT_NONE);
        HTREEITEM node = NodeOf(onto);
        EXPECT_TRUE(node) << onto;
        ShowAwayFromEdges(node);
        POINT p = LabelPoint(node);
        ClientToScreen(Tree, &p);
        POINTL point{p.x, p.y};
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->DragEnter(data.Get(), keys | MK_LBUTTON, point, &effect);
        // The node under the pointer is highlighted while the drag is over it.
        EXPECT_TRUE(TreeView_GetItemState(Tree, node, TVIS_DROPHILITED) & TVIS_DROPHILITED) << onto;
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->Drop(data.Get(), keys, point, &effect);
        EXPECT_FALSE(TreeView_GetItemState(Tree, node, TVIS_DROPHILITED) & TVIS_DROPHILITED) << onto;
        return effect;
    };

    drop(Temp / L"a.txt", Temp / L"there", 0);
    EXPECT_EQ(FolderContents(Temp / L"there"), std::set<std::wstring>{L"a.txt"});
    EXPECT_EQ(FolderContents(Temp.Path()), (std::set<std::wstring>{L"here", L"there"}));

    // A folder onto its own subfolder or itself: the cursor has said no-drop
    // all along, so nothing moves and no warning follows.
    TDialogAnswerer answerer(IDOK);
    EXPECT_EQ(drop(Temp / L"here", Temp / L"here\\sub", MK_SHIFT), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(drop(Temp / L"here", Temp / L"here", 0), DWORD(DROPEFFECT_NONE));
    EXPECT_FALSE(answerer.WaitForAnswer(std::chrono::milliseconds(300)));
    EXPECT_EQ(FolderContents(Temp / L"here"), std::set<std::wstring>{L"sub"});
    EXPECT_EQ(FolderContents(Temp / L"here\\sub"), std::set<std::wstring>{});
}

// A node pressed on and dragged off with the real mouse goes out as a drag of
// its folder: dropped on another node it moves there (one volume).
TEST_F(ShellTreeViewTest, ARealMouseDragTakesTheNodeIntoAnother)
{
    auto [a, b] = ShowFoldersAAndB();
    ASSERT_TRUE(a && b);
    ShowAwayFromEdges(a);
    POINT from = LabelPoint(a), to = LabelPoint(b);
    ClientToScreen(Tree, &from);
    ClientToScreen(Tree, &to);
    SetForegroundWindow(Host);
    ProcessPendingMessages();

    std::thread mouse([&] { MouseDrag(from, to); });
    bool moved = PumpUntil([&] { return FolderContents(Temp / L"b") == std::set<std::wstring>{L"a"}; }, 8000);
    mouse.join();
    PumpFor(200);
    EXPECT_TRUE(moved);
    EXPECT_EQ(FolderContents(Temp.Path()), std::set<std::wstring>{L"b"});
}

// The selected node shows its open icon (the tree asks for it only for the
// selected and the drop-highlighted node).
TEST_F(ShellTreeViewTest, TheSelectedNodeShowsItsOpenIcon)
{
    auto [a, b] = ShowFoldersAAndB();
    ASSERT_TRUE(a && b);
    Select(a);
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_SELECTEDIMAGE;
    item.hItem = a;
    ASSERT_TRUE(SendMessageW(Tree, TVM_GETITEMW, 0, LPARAM(&item)));
    TIDListPtr list = ListOf(Temp / L"a");
    EXPECT_EQ(item.iSelectedImage, GetSysIconIndex(list.get(), false, true));
}

TEST_F(ShellTreeViewTest, ANodeHoveredOverMoreThanThirtyTimesOpens)
{
    MakeFolder(Temp / L"closed");
    MakeFolder(Temp / L"closed\\inner");
    ASSERT_TRUE(WriteWholeFile(Temp / L"a.txt", {'x'}));
    View->SelectPath(Temp / L"closed");
    HTREEITEM node = NodeOf(Temp / L"closed");
    ASSERT_TRUE(node);
    SendMessageW(Tree, TVM_EXPAND, TVE_COLLAPSE, LPARAM(node));
    ASSERT_FALSE(Expanded(node));
    ComPtr<IDataObject> data = DataOf(Temp / L"a.txt");
    ASSERT_TRUE(data);
    IDropTarget* target = View->DropSiteOfTree()->DropTarget();
    ShowAwayFromEdges(node);
    POINT p = LabelPoint(node);
    ClientToScreen(Tree, &p);
    POINTL point{p.x, p.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data.Get(), MK_LBUTTON, point, &effect);
    for (int i = 0; i < TTreeDropSite::kHoverOpens - 1; ++i) {
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->DragOver(MK_LBUTTON, point, &effect);
    }
    EXPECT_FALSE(Expanded(node));
    for (int i = 0; i < 2; ++i) {
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->DragOver(MK_LBUTTON, point, &effect);
    }
    EXPECT_TRUE(Expanded(node));
    target->DragLeave();
    EXPECT_EQ(FolderContents(Temp.Path()), (std::set<std::wstring>{L"a.txt", L"closed"}));
}
