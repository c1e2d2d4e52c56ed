// The main window in-process: layout, menus, commands and the workspace it
// restores and records, against a settings file in a folder of the test's.
#include "core/commands/CommandIds.h"
#include "core/commands/CommandTable.h"
#include "FrameFixture.h"
#include "support/Fixtures.h"

namespace {

class MainFormTest : public TFrameFixture {
protected:
    std::wstring SettingsFile() const { return App / L"Quirevue.qvs"; }

    std::vector<TBandData> Bands() const
    {
        std::vector<TBandData> bands;
        HWND bar = Form->CoolBar();
        int count = int(SendMessageW(bar, RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            REBARBANDINFOW rb{};
            rb.cbSize = sizeof rb;
            rb.fMask = RBBIM_ID | RBBIM_STYLE | RBBIM_SIZE;
            SendMessageW(bar, RB_GETBANDINFOW, i, LPARAM(&rb));
            bands.push_back({int32_t(rb.wID), int32_t(rb.cx), !(rb.fStyle & RBBS_HIDDEN), (rb.fStyle & RBBS_BREAK) != 0});
        }
        return bands;
    }
};

std::wstring WindowText(HWND wnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(wnd, text, 256);
    return text;
}

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[128] = {};
    GetMenuStringW(menu, UINT(position), text, 128, MF_BYPOSITION);
    return text;
}

}  // namespace

TEST_F(MainFormTest, FirstStartUsesTheDefaultsAndWritesThem)
{
    TMainForm& form = Start();
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_EQ(WindowText(form.FilterCombo()), L"< フィルタ無し >");
    EXPECT_FALSE(form.ViewerVisible());
    EXPECT_TRUE(IsWindowVisible(form.StatusBar()));
    RECT bar;
    GetWindowRect(form.StatusBar(), &bar);
    EXPECT_EQ(bar.bottom - bar.top, 23);  // the height for a 9-point font
    EXPECT_EQ(SendMessageW(form.CoolBar(), RB_GETROWCOUNT, 0, 0), 3);
    EXPECT_TRUE(FileExists(App / L"Favorites"));  // created beside the executable
    EXPECT_FALSE(GetWindowLongPtrW(form.ShellTree().TreeHandle(), GWL_STYLE) & TVS_LINESATROOT);

    Close();
    std::vector<uint8_t> bytes = ReadWholeFile(SettingsFile());
    EXPECT_EQ(bytes.size(), 14105u);
    TInitData written;
    TSettingsReadResult result = DecodeSettings(bytes.data(), bytes.size(), written);
    EXPECT_FALSE(result.Damaged) << result.Problem;
    EXPECT_EQ(written.WindowWidth, 800);
    EXPECT_EQ(written.TreePanelWidth, 200);
    EXPECT_FALSE(written.ViewerVisible);
    ASSERT_EQ(written.Bands.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(written.Bands[size_t(i)].ID, i);
        EXPECT_TRUE(written.Bands[size_t(i)].Visible);
        EXPECT_EQ(written.Bands[size_t(i)].Break, i == 3 || i == 7);
    }
    EXPECT_TRUE(written.Windows.empty());
    EXPECT_TRUE(written.Filters.empty());
}

TEST_F(MainFormTest, MenuBarCarriesTheJapaneseMenus)
{
    TMainForm& form = Start();
    HMENU bar = GetMenu(form.Handle());
    const wchar_t* expected[] = {L"ファイル(&F)", L"編集(&E)", L"表示(&V)", L"移動(&G)", L"検索(&S)",
                                 L"ツール(&T)", L"お気に入り(&A)", L"ウィンドウ(&W)", L"ヘルプ(&H)"};
    ASSERT_EQ(GetMenuItemCount(bar), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(MenuText(bar, i), expected[i]);

    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(MenuText(file, 1), L"開く(&O)\tCtrl+O");
    EXPECT_EQ(MenuText(GetSubMenu(file, 0), 0), L"フォルダ(&F)");
    // Hidden commands are in no menu: "元に戻す(&U)" is not the first edit item.
    EXPECT_EQ(MenuText(GetSubMenu(bar, 1), 0), L"切り取り(&T)\tCtrl+X");
    Close();
}

TEST_F(MainFormTest, WindowCommandsNeedAFolderWindowAndLaterCommandsStayDisabled)
{
    TMainForm& form = Start();
    TActionList& actions = form.ActionList();
    EXPECT_FALSE(actions.Find(Cmd::Cascade)->Enabled);  // cascade
    EXPECT_FALSE(actions.Find(Cmd::CloseWindow)->Enabled);  // close
    EXPECT_FALSE(actions.Find(Cmd::Print)->Enabled);  // print: no handler yet
    EXPECT_TRUE(actions.Find(Cmd::Exit)->Enabled);   // exit
    EXPECT_TRUE(actions.Find(Cmd::ShowBandFile)->Checked);   // file tool bar shown

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefMDIChildProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TestChild";
    RegisterClassW(&wc);
    HWND child = CreateMDIWindowW(L"TestChild", L"child", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 300, 200,
                                  form.MdiClient(), GetModuleHandleW(nullptr), 0);
    ASSERT_TRUE(child);
    Pump();
    EXPECT_TRUE(actions.Find(Cmd::Cascade)->Enabled);
    EXPECT_TRUE(actions.Find(Cmd::CloseWindow)->Enabled);

    actions.Execute(Cmd::MinimizeAll, form.Handle());  // minimise all
    EXPECT_TRUE(IsIconic(child));
    actions.Execute(Cmd::CloseWindow, form.Handle());  // close the active one
    Pump();
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(actions.Find(Cmd::Cascade)->Enabled);

    actions.Execute(Cmd::ShowBandFile, form.Handle());  // hide the file tool bar
    Pump();
    EXPECT_FALSE(actions.Find(Cmd::ShowBandFile)->Checked);
    actions.Execute(Cmd::ShowStatusBar, form.Handle());  // hide the status bar
    EXPECT_FALSE(IsWindowVisible(form.StatusBar()));
    Close();
}

TEST_F(MainFormTest, ShortcutsAreRefusedWhileTypingInACombo)
{
    TMainForm& form = Start();
    TAction* filtering = form.ActionList().Find(Cmd::Filtering);  // Ctrl+Q
    bool before = filtering->Checked;
    auto pressCtrlQ = [&] {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG msg{GetFocus(), WM_KEYDOWN, 'Q', 0};
        bool consumed = form.PreTranslate(msg);
        Pump();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return consumed;
    };

    SetFocus(form.FilterCombo());
    EXPECT_FALSE(pressCtrlQ());
    EXPECT_EQ(filtering->Checked, before);

    SetFocus(form.Handle());
    EXPECT_TRUE(pressCtrlQ());
    EXPECT_NE(filtering->Checked, before);
    Close();
}

// A key whose command is disabled is the focused control's: Home and Esc
// belong to the image commands, which are disabled without a picture.
TEST_F(MainFormTest, KeysOfDisabledCommandsReachTheFocusedControl)
{
    TMainForm& form = Start();
    SetFocus(form.ShellTree().TreeHandle());
    for (WPARAM key : {WPARAM(VK_HOME), WPARAM(VK_ESCAPE)}) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 0};
        EXPECT_FALSE(form.PreTranslate(msg)) << key;
    }
    MSG f5{GetFocus(), WM_KEYDOWN, VK_F5, 0};  // refresh is always enabled
    EXPECT_TRUE(form.PreTranslate(f5));
    Close();
}

// Logging off ends the program without a close: the workspace is saved as
// a close saves it.
TEST_F(MainFormTest, EndOfSessionRecordsTheWorkspace)
{
    TMainForm& form = Start();
    SetWindowPos(form.Handle(), nullptr, 33, 44, 700, 500, SWP_NOZORDER);
    EXPECT_TRUE(SendMessageW(form.Handle(), WM_QUERYENDSESSION, 0, 0));
    std::vector<uint8_t> bytes = ReadWholeFile(SettingsFile());
    TInitData written;
    ASSERT_FALSE(DecodeSettings(bytes.data(), bytes.size(), written).Damaged);
    EXPECT_EQ(written.WindowLeft, 33);
    EXPECT_EQ(written.WindowTop, 44);
    Close();
}

// A file made from the layout alone (every field unusual, shuffled bands,
// filters whose masks need quoting) is restored and written back as it was,
// except for what the program records at exit.
TEST_F(MainFormTest, RestoresAndWritesBackAForeignSettingsFile)
{
    std::vector<uint8_t> fixture = ReadWholeFile(FixturePath(L"unusual.qvs"));
    ASSERT_FALSE(fixture.empty());
    ASSERT_TRUE(WriteWholeFile(SettingsFile(), fixture));
    TInitData expected;
    ASSERT_FALSE(DecodeSettings(fixture.data(), fixture.size(), expected).Damaged);

    TMainForm& form = Start();
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, expected.WindowLeft);
    EXPECT_EQ(r.top, expected.WindowTop);
    EXPECT_EQ(r.right - r.left, expected.WindowWidth);
    EXPECT_EQ(r.bottom - r.top, expected.WindowHeight);
    EXPECT_FALSE(IsWindowVisible(form.StatusBar()));
    EXPECT_TRUE(form.ViewerVisible());
    EXPECT_TRUE(form.ActionList().Find(Cmd::Filtering)->Checked);
    EXPECT_EQ(SendMessageW(form.FilterCombo(), CB_GETCOUNT, 0, 0), 4);
    std::vector<TBandData> bands = Bands();
    ASSERT_EQ(bands.size(), expected.Bands.size());
    for (size_t i = 0; i < bands.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bands[i].ID, expected.Bands[i].ID);
        EXPECT_EQ(bands[i].Visible, expected.Bands[i].Visible);
        EXPECT_EQ(bands[i].Break, expected.Bands[i].Break);
    }
    Close();

    std::vector<uint8_t> written = ReadWholeFile(SettingsFile());
    TInitData actual;
    ASSERT_FALSE(DecodeSettings(written.data(), written.size(), actual).Damaged);
    // The favorites folder of another machine cannot be made here: the user's
    // Favorites folder stands in. Band widths follow the rows' room.
    EXPECT_NE(actual.FavoritesFolder, expected.FavoritesFolder);
    expected.FavoritesFolder = actual.FavoritesFolder;
    ASSERT_EQ(actual.Bands.size(), expected.Bands.size());
    for (size_t i = 0; i < actual.Bands.size(); ++i) expected.Bands[i].Width = actual.Bands[i].Width;
    EXPECT_EQ(written, EncodeSettings(expected));
}
