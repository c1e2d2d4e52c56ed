// "ファイルレポート" without a printer (the test prefix has none): pages of 40
// rows and their navigation, the rows' texts from a real folder list, the
// A4 preview and the message of the print button, Ctrl+P on the main
// window, and a change in the folder while the preview is open.
#include "DialogTesting.h"
#include "FileReportTesting.h"
#include "FrameFixture.h"
#include "browser/ListRows.h"
#include "core/commands/CommandIds.h"
#include "core/shell/AttributeLetters.h"
#include "res/DialogIds.h"
#include "support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

namespace {

// The names of rows first..last (1-based) of NumberedRows.
std::vector<std::wstring> NamesOf(int first, int last)
{
    const std::vector<TListRowRecord> rows = NumberedRows(last);
    std::vector<std::wstring> names;
    for (int i = first; i <= last; ++i) names.push_back(rows[size_t(i - 1)].Name);
    return names;
}

std::wstring ControlText(const TDialog& dialog, int id)
{
    wchar_t text[64] = {};
    GetWindowTextW(dialog.Item(id), text, 64);
    return text;
}

class FileReportDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitDialogControls(); }
};

}  // namespace

TEST_F(FileReportDialog, PagesOfFortyRowsAndWhereEachNavigationGoes)
{
    TSubForm01070 dialog(nullptr, NumberedRows(85), L"C:\\data");
    TPageRecorder recorder(dialog);
    ASSERT_TRUE(dialog.Create());
    dialog.UpdateControls();
    EXPECT_EQ(dialog.PageTotal(), 3);
    ASSERT_EQ(recorder.Pages.size(), 1u);
    EXPECT_EQ(recorder.Pages[0].Names, NamesOf(1, 40));
    EXPECT_EQ(recorder.Pages[0].Footer, L"- 1 -");
    EXPECT_EQ(recorder.Pages[0].Folder, L"C:\\data");
    EXPECT_FALSE(ItemEnabled(dialog, IDC_REPFIRST));
    EXPECT_FALSE(ItemEnabled(dialog, IDC_REPPREV));
    EXPECT_TRUE(ItemEnabled(dialog, IDC_REPNEXT));
    EXPECT_TRUE(ItemEnabled(dialog, IDC_REPLAST));

    struct TStep {
        int Button;
        int Page;
        int First, Last;
    } steps[] = {{IDC_REPLAST, 3, 81, 85}, {IDC_REPPREV, 2, 41, 80}, {IDC_REPPREV, 1, 1, 40}, {IDC_REPNEXT, 2, 41, 80}};
    for (const TStep& step : steps) {
        ClickButton(dialog, step.Button);
        dialog.UpdateControls();
        const TPrintedPage& shown = recorder.Pages.back();
        EXPECT_EQ(dialog.Page(), step.Page);
        EXPECT_EQ(shown.Names, NamesOf(step.First, step.Last)) << step.Page;
        EXPECT_EQ(shown.Footer, L"- " + std::to_wstring(step.Page) + L" -");
        EXPECT_EQ(ControlText(dialog, IDC_REPPAGE), std::to_wstring(step.Page) + L" / 3");
        if (step.Page == 3) {
            EXPECT_EQ(shown.LineOnlyRows, 35);
            EXPECT_FALSE(ItemEnabled(dialog, IDC_REPNEXT));
            EXPECT_FALSE(ItemEnabled(dialog, IDC_REPLAST));
            EXPECT_TRUE(ItemEnabled(dialog, IDC_REPFIRST));
        }
    }
    dialog.PressCancel();
}

TEST_F(FileReportDialog, OnePageDisablesEveryNavigation)
{
    for (int count : {1, 40}) {
        TSubForm01070 dialog(nullptr, NumberedRows(count), L"x");
        ASSERT_TRUE(dialog.Create());
        dialog.UpdateControls();
        EXPECT_EQ(dialog.PageTotal(), 1);
        for (int id : {IDC_REPFIRST, IDC_REPPREV, IDC_REPNEXT, IDC_REPLAST}) EXPECT_FALSE(ItemEnabled(dialog, id)) << count;
        dialog.PressCancel();
    }
}

TEST_F(FileReportDialog, WithoutAPrinterThePreviewIsA4AndPrintSaysThereIsNone)
{
    TSubForm01070 dialog(nullptr, NumberedRows(3), L"x");
    ASSERT_TRUE(dialog.Create());
    const TListPreviewLayout& layout = dialog.PreviewLayout();
    EXPECT_GE(layout.Scale, 25);
    EXPECT_LE(layout.Scale, 100);
    EXPECT_NEAR(double(layout.Image.Width()) / layout.Image.Height(), 210.0 / 297.0, 0.01);
    // The page shows whole in the box.
    const SIZE box = dialog.PreviewBox().FullClientSize();
    EXPECT_LE(layout.Image.Bottom, box.cy);
    EXPECT_LE(layout.Image.Right, box.cx);
    // ... and centred, as no scroll bar takes a side.
    EXPECT_NEAR(layout.Image.Left, box.cx - layout.Image.Right, 1);
    EXPECT_NEAR(layout.Image.Top, box.cy - layout.Image.Bottom, 1);
    {
        TDialogAnswerer answerer(IDOK, dialog.Handle());
        ClickButton(dialog, IDC_REPPRINT);
        ASSERT_TRUE(answerer.WaitForAnswer(std::chrono::seconds(5)));
        EXPECT_EQ(answerer.Text, L"プリンタがありません。");
        EXPECT_EQ(answerer.Caption, L"Quirevue");
    }
    EXPECT_FALSE(dialog.Closed());
    EXPECT_EQ(dialog.Report().Mode(), TReportMode::Previewing);
    dialog.PressCancel();
}

// The dialog starts on its close button, not on printing (a focused button
// takes Enter): Enter closes the preview. No printer here, so printing
// would have said so in a message box.
TEST_F(FileReportDialog, EnterDoesNotStartPrinting)
{
    TSubForm01070 dialog(nullptr, NumberedRows(3), L"x");
    ASSERT_TRUE(dialog.Create());
    PumpFor(100);
    HWND focus = GetFocus();
    ASSERT_TRUE(focus && IsChild(dialog.Handle(), focus));
    EXPECT_EQ(focus, dialog.Item(IDCANCEL));
    TDialogAnswerer answerer(IDOK, dialog.Handle());
    MSG enter{focus, WM_KEYDOWN, VK_RETURN, 0};
    IsDialogMessageW(dialog.Handle(), &enter);
    EXPECT_FALSE(answerer.WaitForAnswer(std::chrono::milliseconds(500))) << answerer.Text;
    EXPECT_TRUE(dialog.Closed());
    if (!dialog.Closed()) dialog.PressCancel();
}

// ---- on the main window, with a real folder

class FileReportOnTheFrame : public TFrameFixture {};

TEST_F(FileReportOnTheFrame, TheRowsTextsComeFromTheListIn64Bits)
{
    const std::wstring root = Data / L"rows";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\d").c_str(), nullptr);
    SetFileAttributesW((root + L"\\d").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(root + L"\\hidden.txt", 3, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(root + L"\\k.bin", 1536, FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(root + L"\\zero.bin", 0, FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(root + L"\\big.bin", uint64_t(5) << 30, FILE_ATTRIBUTE_ARCHIVE);
    Start();
    TSHListView& list = OpenWindow(root);
    SelectOnly(list, {L"d", L"hidden.txt", L"k.bin", L"zero.bin", L"big.bin"});
    TSubForm01070 dialog(Form->Handle(), SelectedRowRecords(list), root);
    TPageRecorder recorder(dialog);
    ASSERT_TRUE(dialog.Create());
    ASSERT_EQ(recorder.Pages.size(), 1u);
    const TPrintedPage& page = recorder.Pages[0];
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> shown;
    for (size_t i = 0; i < page.Names.size(); ++i) shown[page.Names[i]] = {page.Sizes[i], page.Attributes[i]};
    // (Some file systems keep no archive flag on folders: the letters are
    // those the folder has.)
    EXPECT_EQ(shown[L"d"], (std::pair<std::wstring, std::wstring>{L"", AttributeLetters(GetFileAttributesW((root + L"\\d").c_str()))}));
    EXPECT_NE(shown[L"d"].second.find(L'D'), std::wstring::npos);
    EXPECT_EQ(shown[L"hidden.txt"].second, L"RHA");
    EXPECT_EQ(shown[L"k.bin"].first, L"1.5KB");
    EXPECT_EQ(shown[L"zero.bin"].first, L"0.0KB");
    EXPECT_EQ(shown[L"big.bin"].first, L"5,242,880.0KB");
    EXPECT_EQ(page.LineOnlyRows, 35);
    dialog.PressCancel();
}

TEST_F(FileReportOnTheFrame, APreviewOpenWhileTheFolderChangesShowsTheRowsItWasGiven)
{
    const std::wstring root = Data / L"changing";
    CreateDirectoryW(root.c_str(), nullptr);
    std::vector<std::wstring> names;
    for (int i = 1; i <= 45; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"f%02d.txt", i);
        names.push_back(name);
        MakeFile(root + L"\\" + name, 10);
    }
    Start();
    TSHListView& list = OpenWindow(root);
    SetFocus(list.ListHandle());
    list.SelectAll(true);
    Pump();
    ASSERT_EQ(list.SelectedCount(), 45);
    TSubForm01070 dialog(Form->Handle(), SelectedRowRecords(list), root);
    TPageRecorder recorder(dialog);
    ASSERT_TRUE(dialog.Create());

    // The watcher's report rebuilds the list's rows while the dialog is open.
    for (int i = 41; i <= 45; ++i) DeleteFileW((root + L"\\" + names[size_t(i - 1)]).c_str());
    ASSERT_TRUE(PumpUntil([&] { return list.FileList().Count() == 40; }, 10000));
    ClickButton(dialog, IDC_REPNEXT);
    ClickButton(dialog, IDC_REPPREV);
    ClickButton(dialog, IDC_REPLAST);
    ASSERT_EQ(recorder.Pages.size(), 4u);
    EXPECT_EQ(recorder.Pages[1].Names, std::vector<std::wstring>(names.begin() + 40, names.end()));
    EXPECT_EQ(recorder.Pages[2].Names, std::vector<std::wstring>(names.begin(), names.begin() + 40));
    EXPECT_EQ(recorder.Pages[3].Names, recorder.Pages[1].Names);
    dialog.PressCancel();
}

TEST_F(FileReportOnTheFrame, CtrlPOpensThePreviewAndTheFolderMayChangeMeanwhile)
{
    const std::wstring root = Data / L"keys";
    CreateDirectoryW(root.c_str(), nullptr);
    for (int i = 1; i <= 41; ++i) MakeFile(root + L"\\k" + std::to_wstring(100 + i) + L".txt", 10);
    Start();
    TSHListView& list = OpenWindow(root);
    SelectOnly(list, {});
    EXPECT_FALSE(Action(Cmd::Print).Enabled);
    SetFocus(list.ListHandle());
    list.SelectAll(true);
    Pump();

    // While the preview is open the last file goes: its watcher's report
    // comes through the dialog's own loop and rebuilds the list; then the
    // preview draws page 2, whose one row is the file that went.
    std::wstring caption, pageLabel;
    std::thread user([&] {
        HWND preview = nullptr;
        for (int i = 0; i < 300 && !preview; ++i, Sleep(20)) preview = FindWindowW(L"#32770", L"ファイルレポート");
        if (!preview) return;
        wchar_t text[64] = {};
        GetWindowTextW(preview, text, 64);
        caption = text;
        DeleteFileW((root + L"\\k141.txt").c_str());
        Sleep(3500);
        SendMessageW(preview, WM_COMMAND, MAKEWPARAM(IDC_REPLAST, BN_CLICKED), 0);
        GetDlgItemTextW(preview, IDC_REPPAGE, text, 64);
        pageLabel = text;
        PostMessageW(preview, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_TRUE(PressKey('P', true));
    user.join();
    EXPECT_EQ(caption, L"ファイルレポート");
    EXPECT_EQ(pageLabel, L"2 / 2");
    EXPECT_EQ(list.FileList().Count(), 40) << "the report came while the preview was open";
}
