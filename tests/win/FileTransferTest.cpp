// Copying, moving and linking files into folders through the shell's file
// operation, in real folders: what arrives where, what is refused, and that
// a result is never claimed that did not happen.
#include "fileops/FileTransfer.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <objbase.h>

namespace {

using Names = std::set<std::wstring>;

void MakeFiles(const std::wstring& folder, std::initializer_list<const wchar_t*> names)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : names) WriteWholeFile(folder + L"\\" + name, std::vector<uint8_t>(100, 'x'));
}

}  // namespace

TEST(FileTransfer, CopyMoveAndLinkPutTheFilesWhereAsked)
{
    CoInitialize(nullptr);
    TTempFolder root;
    MakeFiles(root / L"from", {L"a.txt", L"b.txt"});
    CreateDirectoryW((root / L"to").c_str(), nullptr);
    std::vector<std::wstring> files = {root / L"from\\a.txt", root / L"from\\b.txt"};

    EXPECT_EQ(TransferFiles(nullptr, files, root / L"to", TransferKind::Copy), TransferResult::Done);
    EXPECT_EQ(FolderContents(root / L"to"), (Names{L"a.txt", L"b.txt"}));
    EXPECT_EQ(FolderContents(root / L"from"), (Names{L"a.txt", L"b.txt"}));

    CreateDirectoryW((root / L"moved").c_str(), nullptr);
    EXPECT_EQ(TransferFiles(nullptr, files, root / L"moved", TransferKind::Move), TransferResult::Done);
    EXPECT_EQ(FolderContents(root / L"moved"), (Names{L"a.txt", L"b.txt"}));
    EXPECT_EQ(FolderContents(root / L"from"), Names{});

    EXPECT_EQ(TransferFiles(nullptr, {root / L"to\\a.txt"}, root / L"from", TransferKind::Link), TransferResult::Done);
    EXPECT_EQ(FolderContents(root / L"from"), Names{L"a.txt - ショートカット.lnk"});
}

TEST(FileTransfer, OwnFolderAndSubfolderCases)
{
    TTempFolder root;
    MakeFiles(root / L"here", {L"a.txt"});
    CreateDirectoryW((root / L"here\\sub").c_str(), nullptr);
    const Names start = {L"a.txt", L"sub"};

    // A move into the folder the file is in does nothing.
    EXPECT_EQ(TransferFiles(nullptr, {root / L"here\\a.txt"}, root / L"here", TransferKind::Move), TransferResult::Nothing);
    EXPECT_EQ(FolderContents(root / L"here"), start);

    // A folder into itself or its own subfolder is refused, and nothing moves.
    for (TransferKind kind : {TransferKind::Copy, TransferKind::Move}) {
        EXPECT_EQ(TransferFiles(nullptr, {root / L"here"}, root / L"here\\sub", kind), TransferResult::Refused);
        EXPECT_EQ(TransferFiles(nullptr, {root / L"here\\a.txt", root / L"here"}, root / L"here\\sub", kind),
                  TransferResult::Refused);
        EXPECT_EQ(FolderContents(root / L"here"), start);
        EXPECT_EQ(FolderContents(root / L"here\\sub"), Names{});
    }

    // A copy into its own folder makes a renamed copy beside the original.
    EXPECT_EQ(TransferFiles(nullptr, {root / L"here\\a.txt"}, root / L"here", TransferKind::Copy), TransferResult::Done);
    EXPECT_EQ(TransferFiles(nullptr, {root / L"here\\a.txt", root / L"here\\sub"}, root / L"here", TransferKind::Copy),
              TransferResult::Done);
    EXPECT_EQ(FolderContents(root / L"here"), (Names{L"a.txt", L"a - コピー.txt", L"a - コピー (2).txt", L"sub", L"sub - コピー"}));

    // A target that is no folder is told as such.
    EXPECT_EQ(TransferFiles(nullptr, {root / L"here\\a.txt"}, root / L"missing", TransferKind::Copy),
              TransferResult::NoTarget);
}

TEST(FileTransfer, EveryFailureIsToldInOneMessage)
{
    struct Case {
        TransferKind kind;
        TransferResult result;
        const wchar_t* text;
    } cases[] = {
        {TransferKind::Move, TransferResult::Failed, L"移動を完了できませんでした。終わらなかったファイルは元の場所に残っています。"},
        {TransferKind::Copy, TransferResult::Cancelled, L"コピーは中断されました。終わらなかったファイルは元の場所に残っています。"},
        {TransferKind::Copy, TransferResult::Refused, L"フォルダをそれ自身やそのサブフォルダへコピーしたり移動したりすることはできません。"},
        {TransferKind::Move, TransferResult::NoTarget, L"送り先のフォルダが見つかりません。"},
    };
    for (const Case& c : cases) {
        TDialogAnswerer answerer(IDOK);
        ReportTransfer(nullptr, c.kind, c.result);
        EXPECT_EQ(answerer.Count(), 1);
        EXPECT_EQ(answerer.Text, c.text);
    }
    TDialogAnswerer none(IDOK);
    ReportTransfer(nullptr, TransferKind::Copy, TransferResult::Done);
    ReportTransfer(nullptr, TransferKind::Move, TransferResult::Nothing);
    EXPECT_EQ(none.Count(), 0);
}
