// The file, edit and tools commands on the real main window, real files and
// the real shell.
#include "FrameFixture.h"
#include "app/ControlIds.h"
#include "core/commands/CommandIds.h"
#include "core/fileops/EmptyZip.h"
#include "fileops/MailSend.h"
#include "fileops/PlatformTools.h"
#include "shell/ShellClipboard.h"
#include "support/DialogAnswerer.h"

#include <shellapi.h>

#include <cstring>
#include <thread>
#include <vector>

namespace {

class FileOpsCommandsTest : public TFrameFixture {
protected:
    std::wstring MakeFolder() { return TFrameFixture::MakeFolder(L"files", {L"sub"}, {L"a.txt", L"b.txt"}); }
};

std::vector<uint8_t> Bytes(const char* text) { return std::vector<uint8_t>(text, text + std::strlen(text)); }

}  // namespace

TEST_F(FileOpsCommandsTest, EditCommandsThroughTheirKeys)
{
    std::wstring root = MakeFolder();
    Start();
    TSHListView& list = OpenWindow(root);

    SelectOnly(list, {L"a.txt"});
    EXPECT_TRUE(PressKey('C', true));  // Ctrl+C
    bool move = true;
    EXPECT_EQ(ClipboardFiles(&move), std::vector<std::wstring>{root + L"\\a.txt"});
    EXPECT_FALSE(move);

    // Create shortcut: beside the object, resolving to it.
    SelectOnly(list, {});
    EXPECT_FALSE(Action(Cmd::CreateShortcut).Enabled);
    SelectOnly(list, {L"b.txt"});
    ASSERT_TRUE(Run(Cmd::CreateShortcut));
    EXPECT_EQ(ResolvedTarget(root + L"\\b.txt - ショートカット.lnk"), root + L"\\b.txt");
    EXPECT_GE(RowOf(list, L"b.txt - ショートカット.lnk"), 0);

    // Alt+Enter: the shell's property sheet (closed again).
    SelectOnly(list, {L"b.txt"});
    EXPECT_TRUE(Action(Cmd::Properties).Enabled);
    {
        TDialogAnswerer cancel(IDCANCEL);
        EXPECT_TRUE(PressKey(VK_RETURN, false, true));
        std::printf("property sheet answered: %d\n", cancel.WaitForAnswer(std::chrono::seconds(3)) ? 1 : 0);
    }

    // Open with: a file only.
    SelectOnly(list, {L"b.txt"});
    EXPECT_TRUE(Action(Cmd::OpenWith).Enabled);
    SelectOnly(list, {L"sub"});
    EXPECT_FALSE(Action(Cmd::OpenWith).Enabled);

    // Ctrl+V pastes into the list's own folder.
    TSHListView& sub = OpenWindow(root + L"\\sub");
    SetFocus(sub.ListHandle());
    EXPECT_TRUE(PressKey('V', true));
    EXPECT_TRUE(FileExists(root + L"\\sub\\a.txt"));
    EXPECT_TRUE(PumpUntil([&] { return RowOf(sub, L"a.txt") >= 0; }));

    // Ctrl+X: on the clipboard as a move, the row shown as cut.
    SelectOnly(sub, {L"a.txt"});
    EXPECT_TRUE(PressKey('X', true));
    EXPECT_EQ(ClipboardFiles(&move), std::vector<std::wstring>{root + L"\\sub\\a.txt"});
    EXPECT_TRUE(move);
    EXPECT_TRUE(sub.IsMarkedCut(RowOf(sub, L"a.txt")));

    // Delete, confirmed: the file and its row go.
    SelectOnly(sub, {L"a.txt"});
    {
        TDialogAnswerer yes(IDYES);
        EXPECT_TRUE(PressKey(VK_DELETE));
    }
    EXPECT_FALSE(FileExists(root + L"\\sub\\a.txt"));
    EXPECT_LT(RowOf(sub, L"a.txt"), 0);
}

// The paste button runs paste whatever the command's state: into the tree's
// selected folder while the tree has the focus.
TEST_F(FileOpsCommandsTest, PasteButtonPastesIntoTheTreesFolder)
{
    std::wstring root = MakeFolder();
    Start();
    TSHListView& list = OpenWindow(root);
    SelectOnly(list, {L"a.txt"});
    ASSERT_TRUE(Run(Cmd::Copy));
    TSHTreeView& tree = Form->ShellTree();
    tree.SelectPath(root + L"\\sub");
    SetFocus(tree.TreeHandle());
    Pump();
    ASSERT_EQ(GetFocus(), tree.TreeHandle());
    SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(IDB_PASTE, 0), 0);
    Pump();
    EXPECT_TRUE(FileExists(root + L"\\sub\\a.txt"));
    EXPECT_TRUE(FileExists(root + L"\\a.txt"));
}

TEST_F(FileOpsCommandsTest, ZipFolderNextToExistingArchivesNeverReplacesThem)
{
    std::wstring root = MakeFolder();
    // Upper-case extension: the disk, not the names shown, decides.
    std::wstring first = root + L"\\圧縮 (zip 形式) フォルダ新規.zip";
    std::wstring second = root + L"\\圧縮 (zip 形式) フォルダ新規(1).ZIP";
    ASSERT_TRUE(WriteWholeFile(first, Bytes("first archive")));
    ASSERT_TRUE(WriteWholeFile(second, Bytes("second")));
    Start();
    TSHListView& list = OpenWindow(root);
    ASSERT_TRUE(Run(Cmd::NewZipFolder));
    std::wstring made = root + L"\\圧縮 (zip 形式) フォルダ新規(2).zip";
    const auto& empty = EmptyZipBytes();
    EXPECT_EQ(ReadWholeFile(made), std::vector<uint8_t>(empty.begin(), empty.end()));
    EXPECT_EQ(ReadWholeFile(first), Bytes("first archive"));
    EXPECT_EQ(ReadWholeFile(second), Bytes("second"));
    // The new archive is selected with its name open for editing.
    ASSERT_EQ(list.SelectedCount(), 1);
    EXPECT_EQ(list.FileList().Rows(list.NextSelected(-1))->GetFileName(), L"圧縮 (zip 形式) フォルダ新規(2).zip");
    EXPECT_NE(ListView_GetEditControl(list.ListHandle()), nullptr);
    SendMessageW(list.ListHandle(), LVM_CANCELEDITLABEL, 0, 0);
}

TEST_F(FileOpsCommandsTest, NewShortcutWithoutTheWizardTakesTargetAndName)
{
    if (HasShortcutWizard()) GTEST_SKIP() << "the system's wizard makes new shortcuts here";
    std::wstring root = MakeFolder();
    Start();
    OpenWindow(root);
    HWND owner = Form->Handle();
    std::atomic<bool> pressed{false};
    std::wstring target = root + L"\\a.txt";
    std::thread driver([&] {
        for (int i = 0; i < 1500 && !pressed; ++i) {  // a slow machine may take long to show it
            HWND dialog = FindWindowW(L"#32770", L"ショートカットの作成");
            if (dialog && GetWindow(dialog, GW_OWNER) == owner) {
                SetDlgItemTextW(dialog, 1301, target.c_str());
                SetDlgItemTextW(dialog, 1303, L"メモ");
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                pressed = true;
            }
            Sleep(50);
        }
    });
    ASSERT_TRUE(Run(Cmd::NewShortcut));
    driver.join();
    ASSERT_TRUE(pressed);
    EXPECT_EQ(ResolvedTarget(root + L"\\メモ.lnk"), target);
}

namespace {

std::vector<std::string> MailedFiles;

ULONG WINAPI RefusingMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS, ULONG)
{
    for (ULONG i = 0; i < message->nFileCount; ++i) MailedFiles.push_back(message->lpFiles[i].lpszPathName);
    return MAPI_E_USER_ABORT;
}

}  // namespace

TEST_F(FileOpsCommandsTest, MailThatWasNotSentIsReported)
{
    std::wstring root = MakeFolder();
    // A name the ANSI code page cannot hold.
    MakeFile(root + L"\\한글.txt", 10);
    Start();
    TSHListView& list = OpenWindow(root);
    SelectOnly(list, {L"sub"});
    EXPECT_FALSE(Action(Cmd::SendAsMail).Enabled);  // folders only
    SelectOnly(list, {L"a.txt", L"한글.txt"});
    UseMailFunction(&RefusingMail);
    TDialogAnswerer ok(IDOK);
    EXPECT_TRUE(Run(Cmd::SendAsMail));
    UseMailFunction(nullptr);
    ASSERT_TRUE(ok.WaitForAnswer(std::chrono::seconds(3)));
    EXPECT_EQ(ok.Text, L"メールの転送エラーが発生しました。");
    ASSERT_EQ(MailedFiles.size(), 2u);
    // Every path handed over names an existing file in the ANSI interface.
    for (const std::string& path : MailedFiles) EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

TEST_F(FileOpsCommandsTest, RecycleBinEmptiedOnlyWhenConfirmed)
{
    std::wstring root = MakeFolder();
    std::wstring doomed = root + L"\\b.txt";
    std::wstring from = doomed + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ASSERT_EQ(SHFileOperationW(&op), 0);
    if (RecycleBinCount() <= 0) GTEST_SKIP() << "no recycle bin here";
    Start();
    OpenWindow(root);
    bool hidden = Action(Cmd::ShowHiddenFiles).Checked;
    long long before = RecycleBinCount();
    {
        TDialogAnswerer no(IDNO);
        EXPECT_EQ(EmptyRecycleBin(Form->Handle()), TEmptyBinResult::NotEmptied);
    }
    EXPECT_EQ(RecycleBinCount(), before);
    {
        TDialogAnswerer yes(IDYES);
        EXPECT_EQ(EmptyRecycleBin(Form->Handle()), TEmptyBinResult::Emptied);
    }
    EXPECT_LT(RecycleBinCount(), before);
    // The same through the command.
    std::wstring second = root + L"\\a.txt" + L'\0';
    op.pFrom = second.c_str();
    ASSERT_EQ(SHFileOperationW(&op), 0);
    before = RecycleBinCount();
    {
        TDialogAnswerer yes(IDYES);
        EXPECT_TRUE(Run(Cmd::EmptyRecycleBin));
    }
    EXPECT_LT(RecycleBinCount(), before);
    EXPECT_EQ(Action(Cmd::ShowHiddenFiles).Checked, hidden);
}

TEST_F(FileOpsCommandsTest, PlatformDialogsReturn)
{
    Start();
    TDialogAnswerer cancel(IDCANCEL);
    std::printf("connect %lu, disconnect %lu\n", RunConnectDriveDialog(Form->Handle()),
                RunDisconnectDriveDialog(Form->Handle()));
    EXPECT_TRUE(Run(Cmd::MapNetworkDrive));
    EXPECT_TRUE(Run(Cmd::DisconnectNetworkDrive));
    EXPECT_TRUE(Run(Cmd::PrinterSetup));
    EXPECT_FALSE(Action(Cmd::Print).Enabled);  // until the print preview exists
}
