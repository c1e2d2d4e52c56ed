// Objects without rights, made immutable from Linux by immutable.sh (a Wine
// test cannot do that itself): a batch rename that meets one is undone and
// told; the attribute and date dialogs count what they could not change in
// one message.
#include "DialogTesting.h"
#include "core/settings/InitData.h"
#include "dialogs/AttributeDialog.h"
#include "dialogs/DateTimeDialog.h"
#include "dialogs/DatePickers.h"
#include "dialogs/RenameDialog.h"
#include "fileops/FileTransfer.h"
#include "res/DialogIds.h"
#include "../support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Names = std::set<std::wstring>;

class Immutable : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitDialogControls();
        const char* root = std::getenv("QV_IMMUTABLE_DIR");
        if (!root) GTEST_SKIP() << "run through tests/win/immutable.sh, which makes the files immutable";
        Root = Utf8Path(root);
    }
    std::wstring Root;
};

}  // namespace

TEST_F(Immutable, ARenameThatMeetsAnImmutableObjectIsUndoneAndTold)
{
    struct Case {
        const char* what;
        const wchar_t* folder;
        const wchar_t* failed;  // the rename the message names
    } cases[] = {
        {"an outsider that cannot be pushed aside", L"outsider", L"同じ名前の「x2.txt」を「old_x2.txt」に"},
        {"a selected object that cannot move", L"selected", L"「b.txt」を一時的な名前「tmpb.txt」に"},
    };
    for (const Case& c : cases) {
        std::wstring folder = Root + L"\\" + c.folder;
        Names before = FolderContents(folder);
        TInitData settings;
        settings.RenHeaderText1 = "x";
        settings.RenHeaderParent = false;
        settings.RenDigits = 1;
        TSubForm01100 dialog(nullptr, settings, folder, c.folder, false, {L"a.txt", L"b.txt", L"c.txt"});
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(ItemEnabled(dialog, IDOK)) << c.what;
        TDialogAnswerer answerer(IDOK, dialog.Handle());
        dialog.PressOk();
        EXPECT_FALSE(dialog.Closed()) << c.what;
        EXPECT_NE(answerer.Text.find(c.failed), std::wstring::npos) << c.what << "\n" << answerer.Text;
        EXPECT_EQ(FolderContents(folder), before) << c.what;
        for (const std::wstring& name : before) EXPECT_EQ(FileContentName(folder + L"\\" + name), name) << c.what;
        dialog.PressCancel();
    }
}

TEST_F(Immutable, TheAttributeDialogCountsWhatItCouldNotChange)
{
    std::wstring folder = Root + L"\\attributes";
    TSubForm01090 dialog(nullptr, folder, {L"f1", L"f2", L"d"});
    ASSERT_TRUE(dialog.Create());
    ClickButton(dialog, IDC_SUBFOLDERS);
    if (!IsDlgButtonChecked(dialog.Handle(), IDC_HIDDEN)) ClickButton(dialog, IDC_HIDDEN);
    TDialogAnswerer answerer(IDOK, dialog.Handle());
    dialog.PressOk();
    EXPECT_EQ(dialog.FailedCount(), 2u);
    EXPECT_EQ(answerer.Count(), 1);
    EXPECT_EQ(answerer.Text, L"2 個のオブジェクトの属性を変更できませんでした。");
    for (const wchar_t* name : {L"f1", L"d", L"d\\h"})
        EXPECT_TRUE(GetFileAttributesW((folder + L"\\" + name).c_str()) & FILE_ATTRIBUTE_HIDDEN) << name;
    for (const wchar_t* name : {L"f2", L"d\\g"})
        EXPECT_FALSE(GetFileAttributesW((folder + L"\\" + name).c_str()) & FILE_ATTRIBUTE_HIDDEN) << name;
}

TEST_F(Immutable, TheDateDialogCountsWhatItCouldNotChange)
{
    std::wstring folder = Root + L"\\dates";
    TSubForm01080 dialog(nullptr, folder, {L"f1", L"f2", L"d"});
    ASSERT_TRUE(dialog.Create());
    ClickButton(dialog, IDC_SUBFOLDERS);
    TDateTimeParts when;
    when.Year = 2001, when.Month = 2, when.Day = 3, when.Hour = 4, when.Minute = 5, when.Second = 6;
    SetPickerParts(dialog.Item(IDC_DATE2D), when);
    SetPickerParts(dialog.Item(IDC_DATE2T), when);
    TDialogAnswerer answerer(IDOK, dialog.Handle());
    dialog.PressOk();
    EXPECT_EQ(dialog.FailedCount(), 1u);
    EXPECT_EQ(answerer.Text, L"1 個のオブジェクトの日付・時刻を変更できませんでした。");
    auto year = [&folder](const wchar_t* name) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW((folder + L"\\" + name).c_str(), GetFileExInfoStandard, &data);
        TDateTimeParts parts;
        FileTimeToLocalParts(data.ftLastWriteTime, parts);
        return parts.Year;
    };
    EXPECT_EQ(year(L"f1"), 2001);
    EXPECT_EQ(year(L"d\\g"), 2001);
    EXPECT_NE(year(L"f2"), 2001);
}

TEST_F(Immutable, AMoveIntoAFolderThatTakesNothingLeavesEveryFileAtItsSourceAndIsTold)
{
    std::wstring from = Root + L"\\transfer\\from";
    std::wstring locked = Root + L"\\transfer\\locked";
    Names before = FolderContents(from);
    std::vector<std::wstring> files;
    for (const std::wstring& name : before) files.push_back(from + L"\\" + name);

    TransferResult result = TransferFiles(nullptr, files, locked, TransferKind::Move);
    EXPECT_TRUE(result == TransferResult::Failed || result == TransferResult::Cancelled) << int(result);
    // Each file is at its source or at its destination, and none is lost.
    Names arrived = FolderContents(locked);
    Names stayed = FolderContents(from);
    for (const std::wstring& name : before) EXPECT_TRUE(arrived.count(name) + stayed.count(name) == 1) << name;

    TDialogAnswerer answerer(IDOK);
    ReportTransfer(nullptr, TransferKind::Move, result);
    EXPECT_EQ(answerer.Count(), 1);
    EXPECT_NE(answerer.Text.find(L"元の場所に残っています"), std::wstring::npos) << answerer.Text;
}
