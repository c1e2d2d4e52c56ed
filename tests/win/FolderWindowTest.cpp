// Folder windows in the real main window: created from the tree, following
// it, shown in the status bar, recorded at exit and restored at start.
#include "app/FolderWindow.h"
#include "core/commands/CommandIds.h"
#include "core/shell/FileFilter.h"
#include "FrameFixture.h"
#include "support/DialogAnswerer.h"
#include "support/GuiTestHelpers.h"
#include "support/HostCommand.h"
#include "support/PictureFiles.h"
#include "viewer/Raster.h"
#include "ViewerTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

class FolderWindowTest : public TFrameFixture {
protected:
    std::wstring StatusText(int panel)
    {
        wchar_t text[256] = {};
        SendMessageW(Form->StatusBar(), SB_GETTEXTW, WPARAM(panel), LPARAM(text));
        return text;
    }
    std::wstring MakeFolder(const wchar_t* name, int files)
    {
        std::wstring folder = Data / name;
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int i = 0; i < files; ++i)
            WriteWholeFile(folder + L"\\f" + std::to_wstring(i) + L".txt", std::vector<uint8_t>(size_t(512 * (i + 1))));
        return folder;
    }
};

}  // namespace

TEST_F(FolderWindowTest, NewWindowsFollowTheTreeAndTheStatusBarFollowsThem)
{
    std::wstring one = MakeFolder(L"one", 3), two = MakeFolder(L"two", 1);
    TMainForm& form = Start();
    TSHTreeView& tree = form.ShellTree();

    tree.SelectPath(one);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    Pump();
    ASSERT_NE(form.ActiveList(), nullptr);
    EXPECT_EQ(form.ActiveList()->GetFolderPath(), one);
    EXPECT_EQ(StatusText(0), L"3 個のオブジェクト");
    EXPECT_NE(StatusText(1).find(L"空きディスク領域"), std::wstring::npos);

    tree.SelectPath(two);  // the attached list follows the tree
    Pump();
    EXPECT_EQ(form.ActiveList()->GetFolderPath(), two);
    EXPECT_EQ(StatusText(0), L"1 個のオブジェクト");

    tree.SelectPath(one);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());  // the new window takes over from the first
    Pump();
    std::vector<TSubForm08010*> windows = form.FolderWindows();
    ASSERT_EQ(windows.size(), 2u);
    tree.SelectPath(two);
    Pump();
    EXPECT_EQ(windows[1]->SHListView().GetFolderPath(), two);
    // Activating the other window moves the tree, not the window's folder.
    SendMessageW(form.MdiClient(), WM_MDIACTIVATE, WPARAM(windows[0]->Handle()), 0);
    Pump();
    EXPECT_EQ(tree.GetSelectedPath(), one);
    EXPECT_EQ(windows[1]->SHListView().GetFolderPath(), two);

    SendMessageW(form.MdiClient(), WM_MDIDESTROY, WPARAM(windows[0]->Handle()), 0);
    SendMessageW(form.MdiClient(), WM_MDIDESTROY, WPARAM(form.FolderWindows()[0]->Handle()), 0);
    Pump();
    EXPECT_EQ(form.ActiveList(), nullptr);
    EXPECT_FALSE(form.ActionList().Find(Cmd::Cascade)->Enabled);
    Close();
}

// Windows the user opens start with filtering off; the switch itself and
// the other windows keep theirs.
TEST_F(FolderWindowTest, NewWindowStartsWithFilteringOff)
{
    std::wstring one = MakeFolder(L"one", 2);
    TMainForm& form = Start();
    form.ShellTree().SelectPath(one);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    form.SetFiltering(true);
    EXPECT_TRUE(form.ActiveList()->Filtering());
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    Pump();
    std::vector<TSubForm08010*> windows = form.FolderWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_TRUE(windows[0]->SHListView().Filtering());
    EXPECT_FALSE(windows[1]->SHListView().Filtering());
    Close();
}

// The lock message is owned by the main window, so that it is modal and
// cannot hide behind it.
TEST_F(FolderWindowTest, LockMessageIsOwnedByTheMainWindow)
{
    std::wstring one = MakeFolder(L"one", 0);
    CreateDirectoryW((one + L"\\sub").c_str(), nullptr);
    TMainForm& form = Start();
    form.ShellTree().SelectPath(one);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    Pump();
    TSHListView& list = *form.ActiveList();
    list.SetFolderLock(true);
    ASSERT_EQ(list.FileList().Count(), 1);
    list.SetSelected(0, true);
    list.SetFocusedIndex(0);
    SetFocus(list.ListHandle());
    TDialogAnswerer answerer(IDOK);
    SendMessageW(list.ListHandle(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(answerer.WaitForAnswer(std::chrono::seconds(5)));
    EXPECT_EQ(answerer.Text, L"フォルダ固定により移動が制限されています。");
    EXPECT_EQ(answerer.Owner, form.Handle());
    EXPECT_EQ(list.GetFolderPath(), one);
    Close();
}

// The selected picture shows in the viewer with its size, resolution and
// depth; a file no plug-in takes leaves the labels blank with a message.
TEST_F(FolderWindowTest, SelectedPictureShowsInTheViewer)
{
    for (const wchar_t* plugin : {L"qvbmp", L"qvjpeg", L"qvpng"}) ASSERT_TRUE(CopyPlugin(App, true, plugin));
    std::wstring folder = MakeFolder(L"pictures", 1);  // f0.txt
    ASSERT_TRUE(WriteTestJpeg(folder + L"\\photo.jpg", 320, 200, 90, 300));
    TMainForm& form = Start();
    form.ShellTree().SelectPath(folder);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    Pump();
    TSHListView& list = *form.ActiveList();
    auto select = [&](const std::wstring& name) {
        SelectNamed(list, {name});
        Pump();
    };

    select(L"photo.jpg");
    ASSERT_TRUE(form.ActionList().Find(Cmd::ShowInViewer)->Enabled);
    form.ActionList().Execute(Cmd::ShowInViewer, form.Handle());
    Pump();
    EXPECT_TRUE(form.ViewerVisible());
    EXPECT_TRUE(form.ImageView().HasImage());
    EXPECT_EQ(form.ImageView().PictureWidth, 320);
    EXPECT_EQ(form.PictureLabel(0), L" 横:320 / 縦:200 pixel ");
    EXPECT_EQ(form.PictureLabel(1), L" 横:300 / 縦:300 dpi ");
    EXPECT_EQ(form.PictureLabel(2), L" 24 bit ");

    select(L"f0.txt");
    {
        TDialogAnswerer answerer(IDOK);
        form.ActionList().Execute(Cmd::ShowInViewer, form.Handle());
        EXPECT_EQ(answerer.Text, L"該当するプラグインが存在しません。");
    }
    EXPECT_FALSE(form.ImageView().HasImage());
    EXPECT_EQ(form.PictureLabel(0), L"  ");
    Close();
}

namespace {

struct TChildSearch {
    const wchar_t* ClassName;
    int Command;
    HWND Found = nullptr;
};

BOOL CALLBACK VisitChild(HWND window, LPARAM data)
{
    auto* f = reinterpret_cast<TChildSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, f->ClassName) != 0) return TRUE;
    if (f->Command && SendMessageW(window, TB_COMMANDTOINDEX, WPARAM(f->Command), 0) < 0) return TRUE;
    f->Found = window;
    return FALSE;
}

// The first child window of that class holding the command (any, for 0).
HWND ChildOf(HWND parent, const wchar_t* className, int command = 0)
{
    TChildSearch search{className, command};
    EnumChildWindows(parent, VisitChild, LPARAM(&search));
    return search.Found;
}

}  // namespace

// While a picture decodes, "中止(&C)" is enabled and both its button and Esc
// stop the load with the plug-in's message; a second show is refused
// without touching the running load, and no other shortcut runs meanwhile.
TEST_F(FolderWindowTest, APictureLoadIsCancelledByTheButtonOrEsc)
{
    ASSERT_TRUE(CopyPlugin(App, false, L"tp_slow"));
    std::wstring folder = MakeFolder(L"slow", 0);
    ASSERT_TRUE(WriteWholeFile(folder + L"\\slow.qvtp", {'Q', 'V', 'T', 'P', 0, 0, 0, 0}));
    TMainForm& form = Start();
    TSHListView& list = OpenWindow(folder);
    HWND bar = ChildOf(form.Handle(), PROGRESS_CLASSW);
    HWND buttons = ChildOf(form.Handle(), TOOLBARCLASSNAMEW, Cmd::ViewerCancel);
    ASSERT_TRUE(bar && buttons);
    for (bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "the button" : "Esc");
        SelectOnly(list, {L"slow.qvtp"});
        std::atomic<bool> enabledDuring{false}, barKept{false}, waited{false};
        std::thread user([&] {
            for (int i = 0; i < 400 && !IsWindowVisible(bar); ++i) Sleep(10);
            Sleep(100);
            waited = IsWindowVisible(bar);
            enabledDuring = SendMessageW(buttons, TB_ISBUTTONENABLED, Cmd::ViewerCancel, 0) != 0;
            // A second show and a shortcut arrive while the plug-in runs.
            PostMessageW(form.Handle(), WM_COMMAND, Cmd::ShowInViewer, 0);
            PostMessageW(list.ListHandle(), WM_KEYDOWN, VK_DELETE, 0);
            Sleep(200);
            barKept = IsWindowVisible(bar);
            if (byButton) {
                RECT r{};
                SendMessageW(buttons, TB_GETRECT, Cmd::ViewerCancel, LPARAM(&r));
                LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                PostMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, at);
                PostMessageW(buttons, WM_LBUTTONUP, 0, at);
            } else {
                PostMessageW(list.ListHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
            }
        });
        TDialogAnswerer answerer(IDOK);
        form.ActionList().Execute(Cmd::ShowInViewer, form.Handle());
        user.join();
        EXPECT_TRUE(waited) << "the bar shows while the plug-in runs";
        EXPECT_TRUE(enabledDuring) << "中止 is enabled during the decode";
        EXPECT_TRUE(barKept) << "a second show leaves the running load alone";
        EXPECT_EQ(answerer.Text, L"[Code1] Plug-Inでの読込みを中止しました。");
        EXPECT_EQ(answerer.Count(), 1) << "one message, and no shortcut ran";
        EXPECT_FALSE(IsWindowVisible(bar));
        EXPECT_FALSE(form.ImageView().Loading());
        EXPECT_FALSE(SendMessageW(buttons, TB_ISBUTTONENABLED, Cmd::ViewerCancel, 0));
        EXPECT_TRUE(FileExists(folder + L"\\slow.qvtp"));
        Pump();
    }
    Close();
}

// The frame's window menu names a new folder window by its folder from
// the start, as its caption does.
TEST_F(FolderWindowTest, TheWindowMenuNamesANewWindowByItsFolder)
{
    std::wstring one = MakeFolder(L"one", 0), two = MakeFolder(L"two", 0);
    TMainForm& form = Start();
    auto entries = [&] {
        std::vector<std::wstring> texts;
        HMENU bar = GetMenu(form.Handle());
        for (int i = 0; bar && i < GetMenuItemCount(bar); ++i) {
            HMENU sub = GetSubMenu(bar, i);
            for (int j = 0; sub && j < GetMenuItemCount(sub); ++j) {
                if (GetMenuItemID(sub, j) < 30000 || GetMenuItemID(sub, j) == UINT(-1)) continue;
                wchar_t text[MAX_PATH + 8] = {};
                GetMenuStringW(sub, UINT(j), text, MAX_PATH + 8, MF_BYPOSITION);
                texts.push_back(text);
            }
        }
        return texts;
    };
    for (const std::wstring& folder : {one, two}) {
        form.ShellTree().SelectPath(folder);
        form.ActionList().Execute(Cmd::NewWindow, form.Handle());
        std::vector<std::wstring> texts = entries();
        ASSERT_FALSE(texts.empty());
        bool named = false;
        for (const std::wstring& text : texts) named = named || text.find(folder) != std::wstring::npos;
        EXPECT_TRUE(named) << "no entry names " << std::string(folder.begin(), folder.end());
        for (const std::wstring& text : texts) EXPECT_GT(text.size(), 4u) << "an entry with a number only";
    }
    Close();
}

// A folder window recorded maximised comes back maximised over the whole
// client area: no frame of its own inside it, no scroll bars on the client,
// and its normal bounds kept for when it is restored.
TEST_F(FolderWindowTest, AMaximisedWindowComesBackMaximised)
{
    std::wstring one = MakeFolder(L"one", 2);
    Start();
    OpenWindow(one);
    HWND child = Form->FolderWindows()[0]->Handle();
    MoveWindow(child, 10, 20, 300, 200, TRUE);
    SendMessageW(Form->MdiClient(), WM_MDIMAXIMIZE, WPARAM(child), 0);
    Pump();
    Close();
    ASSERT_EQ(WrittenSettings().Windows.size(), 1u);
    ASSERT_EQ(WrittenSettings().Windows[0].WindowState, 2);

    Start();
    ASSERT_EQ(Form->FolderWindows().size(), 1u);
    child = Form->FolderWindows()[0]->Handle();
    HWND client = Form->MdiClient();
    EXPECT_TRUE(IsZoomed(child));
    RECT area{}, inner{};
    GetClientRect(client, &area);
    GetClientRect(child, &inner);
    MapWindowPoints(child, client, reinterpret_cast<POINT*>(&inner), 2);
    EXPECT_EQ(inner.left, area.left);
    EXPECT_EQ(inner.top, area.top);
    EXPECT_EQ(inner.right, area.right);
    EXPECT_EQ(inner.bottom, area.bottom);
    LONG_PTR style = GetWindowLongPtrW(client, GWL_STYLE);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL)) << "scroll bars on the client";
    WINDOWPLACEMENT wp{sizeof wp};
    GetWindowPlacement(child, &wp);
    EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, 300);
    // For looking at it: QV_MAXIMISED_SCREENSHOT names a PNG file on the host.
    if (const char* shot = std::getenv("QV_MAXIMISED_SCREENSHOT"); shot && *shot) {
        UpdateWindow(Form->Handle());
        PumpFor(300);
        std::wstring path(shot, shot + std::strlen(shot));
        EXPECT_TRUE(RunOnHost(L"import -window root " + ShellQuoted(path)));
    }
    Close();
}

// The folder summary comes at once from what the shell gives, and is
// corrected when the folder's exact sizes have been read (the shell keeps
// only 32 bits of a size).
TEST_F(FolderWindowTest, FolderSummaryBecomesExactForHugeFiles)
{
    std::wstring folder = Data / L"huge";
    CreateDirectoryW(folder.c_str(), nullptr);
    MakeFile(folder + L"\\five.bin", 5ull << 30);
    MakeFile(folder + L"\\small.bin", 1024);
    TMainForm& form = Start();
    form.ShellTree().SelectPath(folder);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    EXPECT_TRUE(PumpUntil([&] { return StatusText(1).find(L"5.00GB") != std::wstring::npos; }))
        << StatusText(1).c_str();
    EXPECT_EQ(form.ActiveList()->FileList().GetTotalSize(), (5ull << 30) + 1024);
    Close();
}

// Every window comes back as it was recorded: folder, bounds, columns,
// directions, lock, view style, sort key and filter.
TEST_F(FolderWindowTest, WorkspaceRestoresEveryWindowAsRecorded)
{
    std::wstring one = MakeFolder(L"one", 2), two = MakeFolder(L"two", 2);
    {
        TInitData seed;
        auto filter = std::make_unique<TSHFileFilter>();
        filter->Name = "texts";
        filter->Conditions = fcName;
        filter->Masks = {"*.txt"};
        seed.Filters.push_back(std::move(filter));
        WriteWholeFile(App / L"Quirevue.qvs", EncodeSettings(seed));
    }
    TMainForm& form = Start();
    form.ShellTree().SelectPath(one);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    Pump();
    TSHListView* first = form.ActiveList();
    ASSERT_TRUE(first);
    int order[5] = {2, 0, 1, 4, 3};
    first->SetColumnOrder(order, 5);
    first->SetColumnWidth(2, 111);
    first->SetViewStyleValue(LV_VIEW_DETAILS);
    first->SetSort(hcSize, -1);
    first->SetFolderLock(true);

    form.ShellTree().SetShellListView(nullptr);
    form.ShellTree().SelectPath(two);
    form.ActionList().Execute(Cmd::NewWindow, form.Handle());
    Pump();
    SendMessageW(form.FilterCombo(), CB_SETCURSEL, 1, 0);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.FilterCombo()), CBN_SELCHANGE),
                 LPARAM(form.FilterCombo()));
    Pump();
    Close();

    TInitData recorded = WrittenSettings();
    ASSERT_EQ(recorded.Windows.size(), 2u);
    EXPECT_TRUE(recorded.Windows[0].FolderLock);
    EXPECT_EQ(recorded.Windows[0].ViewStyle, 3);
    EXPECT_EQ(recorded.Windows[0].SortType, hcSize);
    EXPECT_EQ(recorded.Windows[0].Columns[0].ID, 2);
    EXPECT_EQ(recorded.Windows[0].Columns[0].Width, 111);
    EXPECT_EQ(recorded.Windows[1].FilterName, "texts");

    // A second run restores them and records them again identically.
    Start();
    EXPECT_EQ(Form->FolderWindows().size(), 2u);
    TSHListView& restored = Form->FolderWindows()[0]->SHListView();
    EXPECT_TRUE(restored.FolderLock());
    EXPECT_EQ(restored.GetFolderPath(), one);
    Close();
    TInitData again = WrittenSettings();
    ASSERT_EQ(again.Windows.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(again.Windows[i], recorded.Windows[i]);
    }
}
