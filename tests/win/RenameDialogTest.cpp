// The batch rename dialog on real files: the preview with skip rows and
// drags, the checks that keep OK disabled, the forbidden-character message,
// the rename with objects pushed aside, the all-or-nothing undo, and the
// settings it remembers.
#include "DialogTesting.h"
#include "core/settings/InitData.h"
#include "dialogs/RenameDialog.h"
#include "gui/Strings.h"
#include "res/DialogIds.h"
#include "../support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using Names = std::set<std::wstring>;

class RenameDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitDialogControls(); }

    // Files of the folder, each with the name it was made with.
    std::map<std::wstring, std::wstring> Contents()
    {
        std::map<std::wstring, std::wstring> contents;
        for (const std::wstring& name : FolderContents(Temp.Path()))
            contents[name] = FileContentName(Temp / name);
        return contents;
    }
    // Header "photo", no quotation, three digits.
    void PhotoPattern()
    {
        Settings.RenHeaderText1 = "photo";
        Settings.RenHeaderParent = false;
        Settings.RenDigits = 3;
    }
    TSubForm01100& Open(const std::vector<std::wstring>& selected, bool folderMode = false)
    {
        Dialog.emplace(nullptr, Settings, Temp.Path(), L"Trip", folderMode, selected);
        EXPECT_TRUE(Dialog->Create());
        return *Dialog;
    }
    std::vector<std::wstring> NewNames()
    {
        std::vector<std::wstring> names;
        for (const TRenameRow& row : Dialog->Rows()) names.push_back(row.NewName);
        return names;
    }

    TTempFolder Temp;
    TInitData Settings;
    std::optional<TSubForm01100> Dialog;
};

}  // namespace

TEST_F(RenameDialogTest, SkipRowsTakeANumberAndTheRenameFollowsThePreview)
{
    MakeNamedFiles(Temp.Path(), {L"a.jpg", L"b.jpg", L"c.jpg"});
    PhotoPattern();
    Open({L"a.jpg", L"b.jpg", L"c.jpg"});
    EXPECT_EQ(NewNames(), (std::vector<std::wstring>{L"photo001.jpg", L"photo002.jpg", L"photo003.jpg"}));
    Dialog->List().SelectOnly(1);
    Dialog->InsertSkipRow();
    EXPECT_EQ(NewNames(), (std::vector<std::wstring>{L"photo001.jpg", L"", L"photo003.jpg", L"photo004.jpg"}));
    EXPECT_TRUE(ItemEnabled(*Dialog, IDOK));
    Dialog->PressOk();
    EXPECT_EQ(Dialog->ModalResult(), IDOK);
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::wstring>{
                              {L"photo001.jpg", L"a.jpg"}, {L"photo003.jpg", L"b.jpg"}, {L"photo004.jpg", L"c.jpg"}}));
}

TEST_F(RenameDialogTest, DraggedRowsExchangeNamesAndAnOutsiderIsPushedAside)
{
    MakeNamedFiles(Temp.Path(), {L"1.txt", L"2.txt", L"x.txt", L"PHOTO3.TXT"});
    Settings.RenHeaderParent = false;
    Settings.RenDigits = 1;
    Open({L"1.txt", L"2.txt", L"x.txt"});
    Dialog->MoveRow(1, 0);
    EXPECT_EQ(NewNames(), (std::vector<std::wstring>{L"1.txt", L"2.txt", L"3.txt"}));
    TypeText(*Dialog, IDC_EDIT11, L"photo");
    EXPECT_EQ(NewNames(), (std::vector<std::wstring>{L"photo1.txt", L"photo2.txt", L"photo3.txt"}));
    Dialog->PressOk();
    EXPECT_EQ(Contents(), (std::map<std::wstring, std::wstring>{{L"photo1.txt", L"2.txt"},
                                                                {L"photo2.txt", L"1.txt"},
                                                                {L"photo3.txt", L"x.txt"},
                                                                {L"old_PHOTO3.TXT", L"PHOTO3.TXT"}}));
}

TEST_F(RenameDialogTest, OkStaysDisabledWhileNamesWouldClash)
{
    struct Case {
        const char* what;
        std::vector<std::wstring> files, selected;
        const wchar_t* folder;  // a folder of the same folder, or null
        const wchar_t* header;
        int digits;
        bool quoteOld;
        const wchar_t *search, *replacement;
        TRenameProblem problem;
    } cases[] = {
        {"all rows alike", {L"a.txt", L"b.txt"}, {L"a.txt", L"b.txt"}, nullptr, L"same", 0, false, L"", L"",
         TRenameProblem::NeighboursEqual},
        {"rows apart alike", {L"a1.txt", L"b.txt", L"a2.txt"}, {L"a1.txt", L"b.txt", L"a2.txt"}, nullptr, L"", 0, true,
         L"1", L"2", TRenameProblem::SameNewName},
        {"a folder holds the name", {L"a.txt"}, {L"a.txt"}, L"FOLDER.TXT", L"folder", 0, false, L"", L"",
         TRenameProblem::NameTaken},
        {"a file outside is pushed aside", {L"a.txt", L"X.TXT"}, {L"a.txt"}, nullptr, L"x", 0, false, L"", L"",
         TRenameProblem::None},
        {"an empty name", {L"noext"}, {L"noext"}, nullptr, L"", 0, false, L"", L"", TRenameProblem::UnusableName},
    };
    for (const Case& c : cases) {
        TTempFolder folder;
        MakeNamedFiles(folder.Path(), c.files);
        if (c.folder) CreateDirectoryW((folder / c.folder).c_str(), nullptr);
        TInitData settings;
        settings.RenHeaderText1 = WideToAnsi(c.header);
        settings.RenHeaderParent = false;
        settings.RenHeaderOriginal = c.quoteOld;
        settings.RenDigits = c.digits;
        TSubForm01100 dialog(nullptr, settings, folder.Path(), L"Trip", false, c.selected);
        ASSERT_TRUE(dialog.Create());
        TypeText(dialog, IDC_EDIT31, c.search);
        TypeText(dialog, IDC_EDIT32, c.replacement);
        dialog.UpdateControls();
        EXPECT_EQ(dialog.Check().Problem, c.problem) << c.what;
        EXPECT_EQ(ItemEnabled(dialog, IDOK), c.problem == TRenameProblem::None) << c.what;
        dialog.PressCancel();
    }
}

TEST_F(RenameDialogTest, AForbiddenCharacterIsToldAndThePreviewKept)
{
    MakeNamedFiles(Temp.Path(), {L"a.jpg", L"b.jpg"});
    PhotoPattern();
    Open({L"a.jpg", L"b.jpg"});
    TDialogAnswerer answerer(IDOK, Dialog->Handle());
    TypeText(*Dialog, IDC_EDIT21, L"x/y");
    EXPECT_EQ(answerer.Text, L"ファイル名には次の文字は使えません。\n\u3000\u3000\u3000\\ / : , ; * ? \" < > |");
    EXPECT_EQ(NewNames(), (std::vector<std::wstring>{L"photo001.jpg", L"photo002.jpg"}));
    EXPECT_TRUE(ItemEnabled(*Dialog, IDOK));
    // A Shift-JIS text whose second byte is 0x5C ("表") is no backslash.
    Settings.RenHeaderText1 = "\x95\x5C";
    TSubForm01100 second(nullptr, Settings, Temp.Path(), L"Trip", false, {L"a.jpg"});
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(second.Rows()[0].NewName, L"表001.jpg");
    EXPECT_EQ(answerer.Count(), 1);
}

TEST_F(RenameDialogTest, AFailedRenameIsUndoneAndTold)
{
    MakeNamedFiles(Temp.Path(), {L"a.txt", L"b.txt", L"c.txt", L"x2.txt"});
    Settings.RenHeaderText1 = "x";
    Settings.RenHeaderParent = false;
    Settings.RenDigits = 1;
    Open({L"a.txt", L"b.txt", L"c.txt"});
    ASSERT_TRUE(ItemEnabled(*Dialog, IDOK));
    // Made after the dialog looked at the folder: only the run meets it.
    ASSERT_TRUE(CreateDirectoryW((Temp / L"x3.txt").c_str(), nullptr));
    auto before = Contents();
    TDialogAnswerer answerer(IDOK, Dialog->Handle());
    Dialog->PressOk();
    EXPECT_FALSE(Dialog->Closed());
    EXPECT_EQ(Contents(), before);
    EXPECT_NE(answerer.Text.find(L"「c.txt」を「x3.txt」に変更できませんでした。"), std::wstring::npos) << answerer.Text;
    EXPECT_NE(answerer.Text.find(L"元に戻しました"), std::wstring::npos);
    // The dialog now knows the folder: OK waits for another name.
    EXPECT_EQ(Dialog->Check().Problem, TRenameProblem::NameTaken);
}

TEST_F(RenameDialogTest, ExcludedObjectsKeepTheirNamesAndSettingsAreRememberedOnCancel)
{
    MakeNamedFiles(Temp.Path(), {L"a.jpg", L"b.jpg", L"c.jpg"});
    PhotoPattern();
    Open({L"a.jpg", L"b.jpg", L"c.jpg"});
    Dialog->List().SelectOnly(1);
    {
        TDialogAnswerer no(IDNO, Dialog->Handle());
        Dialog->ExcludeSelectedRow();
        EXPECT_EQ(no.Text, L"名前変更の対象から除外します。");
    }
    EXPECT_EQ(Dialog->Rows().size(), 3u);
    {
        TDialogAnswerer yes(IDYES, Dialog->Handle());
        Dialog->ExcludeSelectedRow();
    }
    EXPECT_EQ(NewNames(), (std::vector<std::wstring>{L"photo001.jpg", L"photo002.jpg"}));
    EXPECT_EQ(Dialog->List().SelectedItems(), std::vector<int>{1});
    Dialog->PressOk();
    EXPECT_EQ(FolderContents(Temp.Path()), (Names{L"b.jpg", L"photo001.jpg", L"photo002.jpg"}));

    Open({L"b.jpg"});
    TypeText(*Dialog, IDC_EDIT22, L"_end");
    ClickButton(*Dialog, IDC_RADIO3);
    Dialog->PressCancel();
    EXPECT_EQ(FolderContents(Temp.Path()), (Names{L"b.jpg", L"photo001.jpg", L"photo002.jpg"}));
    EXPECT_EQ(Settings.RenFooterText2, "_end");
    EXPECT_EQ(Settings.RenExtMode, 2);
    EXPECT_EQ(Settings.RenHeaderText1, "photo");
    EXPECT_EQ(Settings.RenDigits, 3);
}
