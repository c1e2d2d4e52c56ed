// The sequential folder dialog on real folders: names and sample, folders
// pushed aside, the runs that stop or are refused, the forbidden-character
// message, and the settings it remembers.
#include "DialogTesting.h"
#include "core/settings/InitData.h"
#include "dialogs/SequenceDialog.h"
#include "res/DialogIds.h"
#include "../support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Names = std::set<std::wstring>;

class SequenceDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitDialogControls(); }
    void SetUp() override
    {
        // Photo001, Photo011, Photo021 unless a test says otherwise.
        Settings.SeqHeaderText1 = "Photo";
        Settings.SeqHeaderParent = false;
        Settings.SeqDigits = 3;
        Settings.SeqStep = 10;
    }
    TSubForm01012& Open(int count)
    {
        Dialog.emplace(nullptr, Settings, Temp.Path(), L"Trip");
        EXPECT_TRUE(Dialog->Create());
        EXPECT_EQ(Dialog->CountBox().Value(), 1);
        Dialog->CountBox().SetValue(count);
        return *Dialog;
    }
    std::wstring Sample() { return GetText(IDC_SEQSAMPLE); }
    std::wstring GetText(int id)
    {
        wchar_t text[256] = {};
        GetDlgItemTextW(Dialog->Handle(), id, text, 256);
        return text;
    }
    bool IsFolder(const std::wstring& name)
    {
        DWORD attributes = GetFileAttributesW((Temp / name).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    TTempFolder Temp;
    TInitData Settings;
    std::optional<TSubForm01012> Dialog;
};

}  // namespace

TEST_F(SequenceDialogTest, CreatesTheNumberedFoldersTheSampleShows)
{
    Open(3);
    EXPECT_EQ(Sample(), L"Photo001 ～ Photo021");
    Dialog->PressOk();
    EXPECT_EQ(FolderContents(Temp.Path()), (Names{L"Photo001", L"Photo011", L"Photo021"}));
    for (const wchar_t* name : {L"Photo001", L"Photo011", L"Photo021"}) EXPECT_TRUE(IsFolder(name));
}

TEST_F(SequenceDialogTest, QuotesTheFolderNameAndWritesWideNumbersInFull)
{
    Settings.SeqHeaderText1 = "";
    Settings.SeqHeaderParent = true;
    Settings.SeqHeaderText2 = "_";
    Settings.SeqDigits = 2;
    Settings.SeqStep = 1;
    Open(2);
    EXPECT_EQ(Sample(), L"Trip_01 ～ Trip_02");
    SetDlgItemInt(Dialog->Handle(), IDC_SEQSTART, 100, FALSE);
    EXPECT_EQ(Sample(), L"Trip_100 ～ Trip_101");
}

TEST_F(SequenceDialogTest, AnExistingFolderIsPushedAsideAndAFileStopsTheRun)
{
    ASSERT_TRUE(CreateDirectoryW((Temp / L"Photo011").c_str(), nullptr));
    MakeNamedFiles(Temp / L"Photo011", {L"inside.txt"});
    Open(3);
    Dialog->PressOk();
    EXPECT_EQ(FolderContents(Temp.Path()), (Names{L"Photo001", L"Photo011", L"Photo021", L"old_Photo011"}));
    EXPECT_EQ(FolderContents(Temp / L"old_Photo011"), Names{L"inside.txt"});

    TTempFolder other;
    MakeNamedFiles(other.Path(), {L"Photo011"});
    Dialog.emplace(nullptr, Settings, other.Path(), L"Trip");
    ASSERT_TRUE(Dialog->Create());
    Dialog->CountBox().SetValue(3);
    TDialogAnswerer answerer(IDOK, Dialog->Handle());
    Dialog->PressOk();
    EXPECT_EQ(answerer.Text, L"フォルダの作成に失敗しました。");
    EXPECT_TRUE(Dialog->Closed());
    EXPECT_EQ(FolderContents(other.Path()), (Names{L"Photo001", L"Photo011"}));
}

TEST_F(SequenceDialogTest, ATakenOldNameStopsTheRunBeforeAnything)
{
    ASSERT_TRUE(CreateDirectoryW((Temp / L"Photo011").c_str(), nullptr));
    MakeNamedFiles(Temp.Path(), {L"old_Photo011"});
    Open(3);
    TDialogAnswerer answerer(IDOK, Dialog->Handle());
    Dialog->PressOk();
    EXPECT_EQ(answerer.Text, L"フォルダの作成に失敗しました。");
    EXPECT_TRUE(Dialog->Outcome()->Refused);
    EXPECT_EQ(FolderContents(Temp.Path()), (Names{L"Photo011", L"old_Photo011"}));
}

TEST_F(SequenceDialogTest, AForbiddenCharacterDisablesOk)
{
    Open(2);
    std::wstring sample = Sample();
    {
        TDialogAnswerer answerer(IDOK, Dialog->Handle());
        TypeText(*Dialog, IDC_SEQEDIT22, L"a*b");
        EXPECT_EQ(answerer.Text, L"ファイル名には次の文字は使えません。\n\u3000\u3000\u3000\\ / : , ; * ? \" < > |");
    }
    EXPECT_FALSE(ItemEnabled(*Dialog, IDOK));
    EXPECT_EQ(Sample(), sample);
    TypeText(*Dialog, IDC_SEQEDIT22, L"ab");
    EXPECT_TRUE(ItemEnabled(*Dialog, IDOK));
    EXPECT_EQ(Sample(), L"Photo001ab ～ Photo011ab");
}

TEST_F(SequenceDialogTest, CancelCreatesNothingAndKeepsTheNaming)
{
    Open(5);
    TypeText(*Dialog, IDC_SEQEDIT21, L"-");
    ClickButton(*Dialog, IDC_SEQCHECK2);
    SetDlgItemInt(Dialog->Handle(), IDC_SEQDIGITS, 4, FALSE);
    Dialog->PressCancel();
    EXPECT_TRUE(FolderContents(Temp.Path()).empty());
    EXPECT_EQ(Settings.SeqFooterText1, "-");
    EXPECT_TRUE(Settings.SeqFooterParent);
    EXPECT_EQ(Settings.SeqDigits, 4);
    EXPECT_EQ(Settings.SeqStep, 10);
    Open(1);  // the count starts at 1 again
}
