// Copy to a chosen folder and move to a chosen folder on the real main
// window: when they are offered, the shell's folder browser answered as a
// user would, and clashes at the destination asked by the shell.
#include "FrameFixture.h"
#include "core/commands/CommandIds.h"

#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <set>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const char* text) { return std::vector<uint8_t>(text, text + std::strlen(text)); }

// The user in front of the dialogs the command shows, on a thread of its
// own: the folder browser is pointed at `destination` and confirmed (or
// cancelled when it is empty); every later question is answered with
// `reply` (No unless told) and every message box OK, their texts noted.
class TTransferUser {
public:
    explicit TTransferUser(std::wstring destination, int reply = IDNO)
        : Destination(std::move(destination)), Reply(reply), Thread([this] { Run(); })
    {
    }
    ~TTransferUser()
    {
        Stop = true;
        Thread.join();
    }
    TTransferUser(const TTransferUser&) = delete;
    TTransferUser& operator=(const TTransferUser&) = delete;

    std::atomic<int> Browsers{0}, Questions{0};
    std::vector<std::wstring> Messages() const
    {
        std::lock_guard<std::mutex> lock(Mutex);
        return MessageTexts;
    }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM self)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0)
            reinterpret_cast<TTransferUser*>(self)->Answer(window);
        return TRUE;
    }
    void Answer(HWND dialog)
    {
        if (!Seen.insert(dialog).second) return;
        if (FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr)) {
            ++Browsers;
            if (Destination.empty()) {
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, LPARAM(Destination.c_str()));
            HWND ok = GetDlgItem(dialog, IDOK);
            for (int i = 0; i < 100 && !IsWindowEnabled(ok); ++i) Sleep(30);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        } else if (GetDlgItem(dialog, IDNO)) {
            ++Questions;
            PostMessageW(dialog, WM_COMMAND, Reply, 0);
        } else {
            wchar_t text[512] = {};
            GetDlgItemTextW(dialog, 0xFFFF, text, 512);
            {
                std::lock_guard<std::mutex> lock(Mutex);
                MessageTexts.push_back(text);
            }
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
    }
    void Run()
    {
        while (!Stop) {
            EnumWindows(&TTransferUser::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(30);
        }
    }

    std::wstring Destination;
    int Reply;
    std::atomic<bool> Stop{false};
    std::set<HWND> Seen;
    mutable std::mutex Mutex;
    std::vector<std::wstring> MessageTexts;
    std::thread Thread;
};

class TransferCommandsTest : public TFrameFixture {
protected:
    // The two commands' states beside copy's and cut's, as "+-+-".
    std::string States()
    {
        std::string codes;
        for (int id : {Cmd::CopyToFolder, Cmd::Copy, Cmd::MoveToFolder, Cmd::Cut}) codes += Action(id).Enabled ? '+' : '-';
        return codes;
    }
    void FocusTreeOn(PCIDList folder)
    {
        TSHTreeView& tree = Form->ShellTree();
        tree.SelectIDList(folder);
        SetFocus(tree.TreeHandle());
        Pump();
    }
};

}  // namespace

TEST_F(TransferCommandsTest, OfferedAsCopyAndCutAreInTreeAndList)
{
    std::wstring plain = MakeFolder(L"plain", {L"sub"}, {L"a.txt"});
    Start();
    TSHListView& list = OpenWindow(plain);
    SelectOnly(list, {L"a.txt", L"sub"});
    EXPECT_EQ(States(), "++++") << "a file and a folder";
    SelectOnly(list, {});
    EXPECT_EQ(States(), "----") << "nothing selected";

    FocusTreeOn(ListOf(plain).get());
    EXPECT_EQ(States(), "++++") << "a plain folder";
    FocusTreeOn(GetSpecialFolderIDList(CSIDL_DESKTOP).get());
    EXPECT_EQ(States(), "----") << "the desktop";
    TIDListPtr drive = ListOf(L"C:\\");
    FocusTreeOn(drive.get());
    TSHFolderItem* root = Form->ShellTree().SelectedItem();
    ASSERT_TRUE(root);
    std::printf("drive root %ls: %s (attributes 0x%lx)\n", root->GetPath().c_str(), States().c_str(),
                root->Attributes(0xFFFFFFFF));
    EXPECT_EQ(States()[0], States()[1]);
    EXPECT_EQ(States().substr(2), "--") << "a drive cannot be taken away";
    if (Action(Cmd::CopyToFolder).Enabled) {
        // Where the shell lets a drive be copied, it still is no file to
        // copy into a folder: the user is told, and no browser opens.
        TTransferUser user(Data.Path());
        EXPECT_TRUE(Run(Cmd::CopyToFolder));
        EXPECT_TRUE(PumpUntil([&] { return !user.Messages().empty(); }));
        EXPECT_EQ(user.Browsers, 0);
    }
}

TEST_F(TransferCommandsTest, CancellingTheBrowserChangesNothing)
{
    std::wstring from = MakeFolder(L"from", {}, {L"a.txt"});
    std::wstring to = MakeFolder(L"to", {}, {});
    Start();
    TSHListView& list = OpenWindow(from);
    SelectOnly(list, {L"a.txt"});
    TTransferUser user(L"");
    EXPECT_TRUE(Run(Cmd::MoveToFolder));
    EXPECT_EQ(user.Browsers, 1);
    EXPECT_TRUE(FileExists(from + L"\\a.txt"));
    EXPECT_FALSE(FileExists(to + L"\\a.txt"));
    EXPECT_TRUE(user.Messages().empty());
}

TEST_F(TransferCommandsTest, TheTreesFolderGoesWhole)
{
    std::wstring from = MakeFolder(L"from", {L"inner"}, {L"a.txt"});
    std::wstring to = MakeFolder(L"to", {}, {});
    Start();
    FocusTreeOn(ListOf(from).get());
    {
        TTransferUser user(to);
        EXPECT_TRUE(Run(Cmd::CopyToFolder));
        EXPECT_EQ(user.Browsers, 1);
        EXPECT_TRUE(user.Messages().empty());
    }
    EXPECT_TRUE(FileExists(to + L"\\from\\a.txt"));
    EXPECT_TRUE(FileExists(to + L"\\from\\inner"));
    EXPECT_TRUE(FileExists(from + L"\\a.txt"));
}

// A file and a folder of the same names wait at the destination: each is
// asked about. With No nothing is overwritten and nothing is lost; with
// Yes the file is replaced and the folders are merged, not nested.
TEST_F(TransferCommandsTest, ClashesAtTheDestinationAreAsked)
{
    for (int reply : {IDNO, IDYES}) {
        SCOPED_TRACE(reply == IDNO ? "No" : "Yes");
        std::wstring from = MakeFolder(reply == IDNO ? L"from1" : L"from2", {L"sub"}, {L"sub\\inner.txt"});
        std::wstring to = MakeFolder(reply == IDNO ? L"to1" : L"to2", {L"sub"}, {L"sub\\other.txt"});
        ASSERT_TRUE(WriteWholeFile(from + L"\\a.txt", Bytes("new")));
        ASSERT_TRUE(WriteWholeFile(to + L"\\a.txt", Bytes("old")));
        if (!Form) Start();
        TSHListView& list = OpenWindow(from);
        SelectOnly(list, {L"a.txt", L"sub"});
        {
            TTransferUser user(to, reply);
            EXPECT_TRUE(Run(Cmd::MoveToFolder));
            EXPECT_EQ(user.Browsers, 1);
            EXPECT_EQ(user.Questions, 2) << "one question for the file, one for the folder";
            EXPECT_TRUE(user.Messages().empty());
        }
        EXPECT_TRUE(FileExists(to + L"\\sub\\other.txt"));
        EXPECT_FALSE(FileExists(to + L"\\sub\\sub"));
        if (reply == IDNO) {
            EXPECT_EQ(ReadWholeFile(to + L"\\a.txt"), Bytes("old"));
            EXPECT_EQ(ReadWholeFile(from + L"\\a.txt"), Bytes("new"));
            EXPECT_TRUE(FileExists(from + L"\\sub\\inner.txt"));
            EXPECT_FALSE(FileExists(to + L"\\sub\\inner.txt"));
        } else {
            EXPECT_EQ(ReadWholeFile(to + L"\\a.txt"), Bytes("new"));
            EXPECT_FALSE(FileExists(from + L"\\a.txt"));
            EXPECT_TRUE(FileExists(to + L"\\sub\\inner.txt"));
            EXPECT_FALSE(FileExists(from + L"\\sub"));
        }
    }
}
