// The options dialog on the real main window: what OK changes in the running
// program at once, what reaches the settings file at exit, and what a
// restart shows; and each page on screen.
#include "FrameFixture.h"
#include "Screenshot.h"
#include "app/NavigatorPad.h"
#include "dialogs/OptionsDialog.h"
#include "gui/Strings.h"
#include "res/DialogIds.h"
#include "support/DialogAnswerer.h"
#include "support/DialogDriver.h"
#include "support/GuiTestHelpers.h"

#include <string>
#include <vector>

namespace {

class OptionsTest : public TFrameFixture {
protected:
    BYTE PadAlpha()
    {
        HWND pad = FindWindowW(TSubForm06080::ClassName(), nullptr);
        EXPECT_TRUE(pad);
        BYTE alpha = 0;
        DWORD flags = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(pad, nullptr, &alpha, &flags));
        EXPECT_TRUE(flags & LWA_ALPHA);
        return alpha;
    }
    bool TreeHotTracks()
    {
        HWND tree = FindWindowExW(Form->ShellTree().Handle(), nullptr, WC_TREEVIEWW, nullptr);
        return GetWindowLongPtrW(tree ? tree : Form->ShellTree().Handle(), GWL_STYLE) & TVS_TRACKSELECT;
    }
    // An item of the main menu (searched in every sub-menu).
    std::wstring MenuText(UINT id)
    {
        wchar_t text[64] = {};
        GetMenuStringW(GetMenu(Form->Handle()), id, text, 64, MF_BYCOMMAND);
        return text;
    }
    // A click on the page's tab, as the user does.
    static void ClickTab(HWND dialog, int page)
    {
        HWND tabs = GetDlgItem(dialog, IDC_OPTPAGES);
        RECT r{};
        SendMessageW(tabs, TCM_GETITEMRECT, page, LPARAM(&r));
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(tabs, WM_LBUTTONUP, 0, at);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_OPTPAGE_FIRST + 100 * page + 1)));
    }
    static std::wstring Text(HWND dialog, int id)
    {
        wchar_t text[256] = {};
        GetDlgItemTextW(dialog, id, text, 256);
        return text;
    }
};

}  // namespace

TEST_F(OptionsTest, OkChangesTheRunningProgramAndTheFileAtExitAndARestartShowsIt)
{
    TInitData settings;
    settings.FileTypes = {"jpg", "Png", "bmp"};
    settings.ToolTransparency = 70;  // an old file's value: taken as 10
    settings.HotTrack = true;
    settings.TreeColor = clWindow;
    settings.AutoSaveOnExit = true;
    WriteSettings(settings);
    TMainForm& form = Start();
    ASSERT_TRUE(Run(Cmd::Navigator));
    EXPECT_EQ(PadAlpha(), 255);
    EXPECT_EQ(MenuText(22001), L"Png");
    EXPECT_TRUE(TreeHotTracks());

    // The user clicks the other click style and the details view, and
    // moves the track bar to 5; the label follows the bar.
    std::wstring labelBefore, labelAfter;
    {
        TDialogDriver driver(L"オプション", [&](HWND dialog) {
            labelBefore = Text(dialog, IDC_LABEL422);
            ClickTab(dialog, 2);
            TDialogDriver::Click(dialog, IDC_RADIO312);
            TDialogDriver::Click(dialog, IDC_RADIO321 + 3);
            ClickTab(dialog, 3);
            HWND bar = GetDlgItem(dialog, IDC_TRACKBAR4);
            SendMessageW(bar, TBM_SETPOS, TRUE, 5);
            SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(bar));
            labelAfter = Text(dialog, IDC_LABEL422);
            TDialogDriver::Press(dialog, IDOK);
        });
        ASSERT_TRUE(Run(Cmd::Options));
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_EQ(labelBefore, L": 透過率(100%)");
    EXPECT_EQ(labelAfter, L": 透過率(50%)");
    // At once: the pad's opacity, the trees' click style, the new settings.
    EXPECT_EQ(PadAlpha(), 127);
    EXPECT_FALSE(TreeHotTracks());
    const TInitData& s = form.InitData();
    EXPECT_FALSE(s.HotTrack);
    EXPECT_EQ(s.NewViewStyle, 3);
    EXPECT_EQ(s.ToolTransparency, 5);
    EXPECT_EQ(s.FileTypes, (std::vector<std::string>{"JPG", "PNG", "BMP"}));
    EXPECT_EQ(form.InitData().TreeColor, clWindow);
    // The select-by-type menu was rebuilt from the upper-cased types.
    EXPECT_EQ(MenuText(22000), L"JPG");
    EXPECT_EQ(MenuText(22001), L"PNG");

    // Cancel changes nothing.
    {
        TDialogDriver driver(L"オプション", [&](HWND dialog) {
            ClickTab(dialog, 2);
            TDialogDriver::Click(dialog, IDC_RADIO311);
            TDialogDriver::Press(dialog, IDCANCEL);
        });
        ASSERT_TRUE(Run(Cmd::Options));
    }
    EXPECT_FALSE(form.InitData().HotTrack);

    // The file is written at exit, not on OK; a system colour stays one.
    TInitData early = WrittenSettings();
    EXPECT_TRUE(early.HotTrack);
    Close();
    TInitData written = WrittenSettings();
    EXPECT_FALSE(written.HotTrack);
    EXPECT_EQ(written.NewViewStyle, 3);
    EXPECT_EQ(written.ToolTransparency, 5);
    EXPECT_EQ(written.TreeColor, clWindow);
    EXPECT_EQ(written.FileTypes, (std::vector<std::string>{"JPG", "PNG", "BMP"}));
    EXPECT_TRUE(written.NavigatorVisible);

    // The restart opens the pad with the stored opacity.
    Start();
    EXPECT_TRUE(Form->NavigatorPad());
    EXPECT_EQ(PadAlpha(), 127);
    EXPECT_FALSE(TreeHotTracks());
}

TEST_F(OptionsTest, FileTypesAreAddedMovedAndDeletedInTheList)
{
    TInitData settings;
    settings.FileTypes = {"JPG", "PNG", "BMP"};
    TSubForm06090 dialog(nullptr, settings);
    ASSERT_TRUE(dialog.Create());
    dialog.MoveFileType(2, 0);
    EXPECT_EQ(dialog.FileTypes(), (std::vector<std::wstring>{L"BMP", L"JPG", L"PNG"}));
    dialog.AddFileType();
    // The new entry is edited in place; leaving it empty keeps an empty one.
    HWND edit = ListView_GetEditControl(dialog.FileTypeList().Handle());
    if (edit) SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ProcessPendingMessages();
    {
        TDialogAnswerer yes(IDYES, dialog.Handle());
        dialog.FileTypeList().SelectOnly(1);
        dialog.DeleteSelectedFileType();
        EXPECT_EQ(yes.Text, L"選択した拡張子(JPG)を削除します。");
    }
    EXPECT_EQ(dialog.FileTypes(), (std::vector<std::wstring>{L"BMP", L"PNG", L""}));
    dialog.PressOk();
    EXPECT_EQ(settings.FileTypes, (std::vector<std::string>{"BMP", "PNG", ""}));
}

TEST_F(OptionsTest, EachPageOnScreen)
{
    TInitData settings;
    settings.FileTypes = {"JPG", "PNG"};
    settings.ReadOnlyColor = 0x0000FF;
    TMainForm& form = Start();
    TSubForm06090 dialog(form.Handle(), settings, form.CommandImages());
    ASSERT_TRUE(dialog.Create());
    for (int page = 0; page < TSubForm06090::kPageCount; ++page) {
        dialog.ShowPage(page);
        PumpFor(200);
        SaveScreenshot(("options-page" + std::to_string(page + 1)).c_str());
    }
    dialog.PressCancel();
}

TEST_F(OptionsTest, AfterOkALockedWindowTakesTheNewLockedColourAndOthersTheListColour)
{
    std::wstring folder = MakeFolder(L"lists", {}, {L"a.txt"});
    TMainForm& form = Start();
    TSHListView& locked = OpenWindow(folder);
    ASSERT_TRUE(Run(Cmd::FolderLock));
    ASSERT_TRUE(locked.FolderLock());
    TSHListView& open = OpenWindow(folder);
    ASSERT_NE(&open, &locked);

    TSubForm06090 dialog(form.Handle(), form.InitData());
    ASSERT_TRUE(dialog.Create());
    dialog.TakeColor(IDC_BUTTON221, RGB(0xE0, 0xF0, 0xFF));  // list background
    dialog.TakeColor(IDC_BUTTON223, RGB(0xFF, 0xE0, 0xE0));  // locked background
    dialog.PressOk();
    ASSERT_EQ(dialog.ModalResult(), IDOK);
    form.ApplySettings();
    Pump();
    EXPECT_EQ(ListView_GetBkColor(locked.ListHandle()), RGB(0xFF, 0xE0, 0xE0));
    EXPECT_EQ(ListView_GetBkColor(open.ListHandle()), RGB(0xE0, 0xF0, 0xFF));
    EXPECT_EQ(form.InitData().LockedColor, TColor(RGB(0xFF, 0xE0, 0xE0)));
}

TEST_F(OptionsTest, ThePluginListShowsTheUsablePluginsOfTheFolder)
{
    TTempFolder plugins;
    ASSERT_TRUE(CopyPlugin(plugins, false, L"tp_good"));
    ASSERT_TRUE(CopyPlugin(plugins, false, L"tp_wrong_version"));
    ASSERT_TRUE(WriteWholeFile(plugins / (std::wstring(L"broken") + kPluginExt), {'M', 'Z', 0, 0}));
    TInitData settings;
    settings.PluginFolder = WideToAnsi(plugins.Path());
    TSubForm06090 dialog(nullptr, settings);
    ASSERT_TRUE(dialog.Create());
    // Only the plug-in that loads and answers as one is listed.
    ASSERT_EQ(dialog.PluginRowCount(), 1);
    EXPECT_EQ(dialog.PluginCell(0, 0), std::wstring(L"tp_good") + kPluginExt);
    EXPECT_EQ(dialog.PluginCell(0, 1), L"test pictures");
    EXPECT_EQ(dialog.PluginCell(0, 2), L"*.qvtp");
    EXPECT_EQ(dialog.PluginCell(0, 3), L"tp_good");
    // A folder with no usable plug-in gives an empty list.
    TTempFolder empty;
    dialog.SetPluginFolder(empty.Path());
    EXPECT_EQ(dialog.PluginRowCount(), 0);
    dialog.PressOk();
    EXPECT_EQ(settings.PluginFolder, WideToAnsi(empty.Path()));
}
