// The commands that open the batch dialogs, on the real main window: what
// each hands its dialog, and what the frame does after OK.
#include "FrameFixture.h"
#include "app/FolderWindow.h"
#include "core/commands/CommandIds.h"
#include "gui/Strings.h"
#include "support/DialogAnswerer.h"

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

namespace {

class DialogCommandsTest : public TFrameFixture {
protected:
    std::wstring MakeFolder() { return TFrameFixture::MakeFolder(L"root", {L"d"}, {L"a.txt", L"b.txt"}); }
    bool Holds(const TSHFileFilter* filter)
    {
        const auto& filters = Form->InitData().Filters;
        return std::any_of(filters.begin(), filters.end(), [filter](const auto& f) { return f.get() == filter; });
    }
};

}  // namespace

TEST_F(DialogCommandsTest, AfterTheFilterDialogNoWindowHoldsAFreedFilter)
{
    TInitData settings;
    for (const wchar_t* name : {L"画像", L"文書"}) {
        settings.Filters.push_back(std::make_unique<TSHFileFilter>());
        settings.Filters.back()->Name = WideToAnsi(name);
    }
    WriteSettings(settings);
    std::wstring root = MakeFolder();
    TMainForm& form = Start();
    TSHListView& first = OpenWindow(root);
    first.SetFilter(form.InitData().Filters[0].get());
    TSHListView& second = OpenWindow(root);
    second.SetFilter(form.InitData().Filters[1].get());
    form.ChooseFilter(second.Filter());
    const TSHFileFilter* before = second.Filter();

    TDialogAnswerer answerer(IDOK);
    ASSERT_TRUE(Run(Cmd::FilterConditions));
    EXPECT_EQ(answerer.Caption, L"フィルタ条件の設定");
    // OK gave the settings new filters; each holder took the one of its name.
    EXPECT_NE(second.Filter(), before);
    EXPECT_TRUE(Holds(first.Filter()));
    EXPECT_TRUE(Holds(second.Filter()));
    EXPECT_EQ(AnsiToWide(first.Filter()->Name), L"画像");
    EXPECT_EQ(AnsiToWide(second.Filter()->Name), L"文書");
    EXPECT_EQ(form.ChosenFilter(), second.Filter());
}

TEST_F(DialogCommandsTest, RenameRefusesAMixedSelectionAndRenamesSeveral)
{
    std::wstring root = MakeFolder();
    TMainForm& form = Start();
    TSHListView& list = OpenWindow(root);
    SelectOnly(list, {L"a.txt", L"d"});
    {
        TDialogAnswerer answerer(IDOK);
        ASSERT_TRUE(Run(Cmd::Rename));
        EXPECT_EQ(answerer.Text, L"フォルダとファイルの混在処理は行えません。");
    }
    EXPECT_EQ(FolderContents(root), (std::set<std::wstring>{L"a.txt", L"b.txt", L"d"}));

    TInitData& s = form.InitData();
    s.RenHeaderText1 = "r";
    s.RenHeaderParent = false;
    s.RenDigits = 1;
    SelectOnly(list, {L"a.txt", L"b.txt"});
    {
        TDialogAnswerer answerer(IDOK);
        ASSERT_TRUE(Run(Cmd::Rename));
        EXPECT_EQ(answerer.Caption, L"名前の変更");
    }
    EXPECT_EQ(FolderContents(root), (std::set<std::wstring>{L"r1.txt", L"r2.txt", L"d"}));
    std::set<std::wstring> rows;
    for (int i = 0; i < list.FileList().Count(); ++i) rows.insert(list.FileList().Rows(i)->GetFileName());
    EXPECT_EQ(rows, (std::set<std::wstring>{L"r1.txt", L"r2.txt", L"d"}));
}

TEST_F(DialogCommandsTest, DateAndAttributeDialogsNeedASelection)
{
    std::wstring root = MakeFolder();
    Start();
    TSHListView& list = OpenWindow(root);
    SelectOnly(list, {});
    EXPECT_FALSE(Action(Cmd::ChangeDateTime).Enabled);
    EXPECT_FALSE(Action(Cmd::ChangeAttributes).Enabled);
    SelectOnly(list, {L"a.txt", L"d"});
    for (auto [command, caption] : {std::pair{int(Cmd::ChangeDateTime), L"日付・時刻の変更"},
                                    std::pair{int(Cmd::ChangeAttributes), L"属性の変更"}}) {
        TDialogAnswerer answerer(IDCANCEL);
        ASSERT_TRUE(Run(command));
        EXPECT_EQ(answerer.Caption, caption);
    }
}

// After the attribute dialog the list's attribute column shows the new
// letters at once.
TEST_F(DialogCommandsTest, TheListShowsNewAttributesAtOnce)
{
    std::wstring root = MakeFolder();
    Start();
    TSHListView& list = OpenWindow(root);
    SelectOnly(list, {L"a.txt"});
    auto attributesShown = [&] {
        for (int i = 0; i < list.FileList().Count(); ++i)
            if (list.FileList().Rows(i)->GetFileName() == L"a.txt") return list.FileList().Rows(i)->GetFindData().Attributes;
        return uint32_t(0);
    };
    ASSERT_FALSE(attributesShown() & FILE_ATTRIBUTE_READONLY);
    std::atomic<bool> stop{false};
    std::thread user([&stop] {
        while (!stop) {
            HWND dialog = FindWindowW(L"#32770", L"属性の変更");
            if (dialog && IsWindowVisible(dialog)) {
                SendMessageW(GetDlgItem(dialog, 1091), BM_SETCHECK, BST_CHECKED, 0);
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    });
    ASSERT_TRUE(Run(Cmd::ChangeAttributes));
    stop = true;
    user.join();
    EXPECT_TRUE(GetFileAttributesW((root + L"\\a.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attributesShown() & FILE_ATTRIBUTE_READONLY) << "before any watcher's report";
    SetFileAttributesW((root + L"\\a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The folder tree keeps its nodes and its selection through the seconds
// after the attribute and date dialogs, while the watchers' reports come in.
TEST_F(DialogCommandsTest, TheTreeKeepsItsNodesAfterTheAttributeAndDateDialogs)
{
    std::wstring root = MakeFolder();
    Start();
    TSHListView& list = OpenWindow(root);
    HWND tree = Form->ShellTree().TreeHandle();
    for (auto [command, caption] : {std::pair{int(Cmd::ChangeAttributes), L"属性の変更"},
                                    std::pair{int(Cmd::ChangeDateTime), L"日付・時刻の変更"}}) {
        SelectOnly(list, {L"a.txt"});
        LRESULT nodes = SendMessageW(tree, TVM_GETCOUNT, 0, 0);
        LPARAM selected = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        ASSERT_GT(nodes, 1);
        ASSERT_NE(selected, 0);
        std::atomic<bool> stop{false};
        std::thread user([&stop, caption] {
            while (!stop) {
                HWND dialog = FindWindowW(L"#32770", caption);
                if (dialog && IsWindowVisible(dialog)) {
                    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                    return;
                }
                Sleep(20);
            }
        });
        ASSERT_TRUE(Run(command));
        stop = true;
        user.join();
        // Longer than the watchers' quiet periods.
        DWORD start = GetTickCount();
        LRESULT fewest = nodes;
        bool lostSelection = false, hidden = false;
        while (GetTickCount() - start < 5000) {
            Pump();
            fewest = std::min(fewest, SendMessageW(tree, TVM_GETCOUNT, 0, 0));
            lostSelection = lostSelection || SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != selected;
            hidden = hidden || !(GetWindowLongW(tree, GWL_STYLE) & WS_VISIBLE);
            Sleep(10);
        }
        EXPECT_EQ(fewest, nodes) << caption;
        EXPECT_FALSE(lostSelection) << caption;
        EXPECT_FALSE(hidden) << caption;
    }
}

TEST_F(DialogCommandsTest, SequentialFoldersAppearInTheList)
{
    TInitData settings;
    settings.SeqHeaderText1 = "n";
    settings.SeqHeaderParent = false;
    WriteSettings(settings);
    std::wstring root = MakeFolder();
    Start();
    TSHListView& list = OpenWindow(root);
    TDialogAnswerer answerer(IDOK);
    ASSERT_TRUE(Run(Cmd::NewSequentialFolders));
    EXPECT_EQ(answerer.Caption, L"連続フォルダの作成");
    EXPECT_TRUE(FolderContents(root).count(L"n1"));
    bool shown = false;
    for (int i = 0; i < list.FileList().Count(); ++i) shown = shown || list.FileList().Rows(i)->GetFileName() == L"n1";
    EXPECT_TRUE(shown);
}
