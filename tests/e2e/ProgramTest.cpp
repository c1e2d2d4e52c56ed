// The real program, started and closed as a user would, and the settings
// file it leaves behind.
#include "Driver.h"
#include "core/settings/SettingsCodec.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> SettingsBytes(void (*change)(TInitData&))
{
    TInitData data;
    change(data);
    return EncodeSettings(data);
}

class ProgramTest : public ::testing::Test {
protected:
    std::wstring SettingsFile() const { return Folder / L"Quirevue.qvs"; }

    // Answers the message box the program shows and returns its text. No
    // box may show while the splash does: the splash would cover it.
    std::wstring Answer(TProgram& program, int button)
    {
        HWND box = program.WaitDialog();
        if (!box) return L"(no message box)";
        EXPECT_FALSE(program.WaitWindow(L"TSubForm00000", 0)) << "a message box under the splash";
        std::wstring text = WindowText(box) + L"|" + DialogText(box);
        PressButton(box, button);
        return text;
    }

    void CloseMainWindow(TProgram& program)
    {
        HWND main = program.WaitMainWindow();
        ASSERT_TRUE(main);
        PostMessageW(main, WM_CLOSE, 0, 0);
    }

    TTempFolder Folder;
};

}  // namespace

TEST_F(ProgramTest, FirstStartShowsTheDefaultWorkspaceAndWritesIt)
{
    TProgram program(Folder.Path());
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowText(main), L"Quirevue");
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_TRUE(FindChild(main, L"ComboBox", L"< フィルタ無し >"));
    EXPECT_TRUE(FileExists(Folder / L"Favorites"));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
    std::vector<uint8_t> bytes = ReadWholeFile(SettingsFile());
    EXPECT_EQ(bytes.size(), 14105u);
    TInitData written;
    EXPECT_FALSE(DecodeSettings(bytes.data(), bytes.size(), written).Damaged);
    EXPECT_EQ(written.Bands.size(), 8u);
}

TEST_F(ProgramTest, AsksBeforeRecordingWhenAutoSaveIsOff)
{
    for (int button : {IDNO, IDYES}) {
        SCOPED_TRACE(button == IDNO ? "No" : "Yes");
        std::vector<uint8_t> before = SettingsBytes([](TInitData& d) { d.AutoSaveOnExit = false; d.WindowLeft = 40; });
        ASSERT_TRUE(WriteWholeFile(SettingsFile(), before));

        TProgram program(Folder.Path());
        CloseMainWindow(program);
        std::wstring question = Answer(program, button);
        EXPECT_NE(question.find(L"Quirevue|"), std::wstring::npos) << question.c_str();
        EXPECT_NE(question.find(L"現在の設定を記録しますか？"), std::wstring::npos);
        EXPECT_EQ(program.WaitExit(), 0);
        if (button == IDNO) EXPECT_EQ(ReadWholeFile(SettingsFile()), before);
        else EXPECT_EQ(ReadWholeFile(SettingsFile()).size(), 14105u);  // the bands were recorded
    }
}

// A damaged file is reported once, read as far as it goes, and kept aside
// under another name before the new file replaces it.
TEST_F(ProgramTest, DamagedSettingsFileIsReportedAndKeptAside)
{
    struct TCase {
        const char* Name;
        void (*Damage)(std::vector<uint8_t>&);
    };
    const TCase cases[] = {
        {"truncated", [](std::vector<uint8_t>& b) { b.resize(7000); }},
        {"huge band count", [](std::vector<uint8_t>& b) { b[12988] = 0x00; b[12989] = 0x94; b[12990] = 0x35; b[12991] = 0x77; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder folder;
        std::vector<uint8_t> bytes = SettingsBytes([](TInitData& d) { d.WindowLeft = 60; d.FileTypes = {"txt"}; });
        c.Damage(bytes);
        ASSERT_TRUE(WriteWholeFile(folder / L"Quirevue.qvs", bytes));

        TProgram program(folder.Path());
        std::wstring warning = Answer(program, IDOK);
        EXPECT_NE(warning.find(L"設定ファイル"), std::wstring::npos) << warning.c_str();
        HWND main = program.WaitMainWindow();
        ASSERT_TRUE(main);
        RECT r;
        GetWindowRect(main, &r);
        EXPECT_EQ(r.left, 60);  // read before the damage
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitExit(), 0);

        EXPECT_EQ(ReadWholeFile(folder / L"Quirevue.qvs.damaged"), bytes);
        std::vector<uint8_t> now = ReadWholeFile(folder / L"Quirevue.qvs");
        TInitData written;
        EXPECT_FALSE(DecodeSettings(now.data(), now.size(), written).Damaged);
    }
}

TEST_F(ProgramTest, FailedSaveIsReportedAndTheOldFileStays)
{
    std::vector<uint8_t> before = SettingsBytes([](TInitData& d) { d.WindowTop = 30; });
    ASSERT_TRUE(WriteWholeFile(SettingsFile(), before));
    // Nothing can be written where the temporary file has to go.
    ASSERT_TRUE(CreateDirectoryW((SettingsFile() + L".tmp").c_str(), nullptr));

    TProgram program(Folder.Path());
    CloseMainWindow(program);
    std::wstring error = Answer(program, IDOK);
    EXPECT_NE(error.find(L"Quirevue|"), std::wstring::npos) << error.c_str();
    EXPECT_NE(error.find(L"設定ファイルを記録できません。"), std::wstring::npos) << error.c_str();
    EXPECT_EQ(program.WaitExit(), 0);
    EXPECT_EQ(ReadWholeFile(SettingsFile()), before);
}

TEST_F(ProgramTest, UnreadableSettingsFileEndsTheStartWithAMessage)
{
    ASSERT_TRUE(WriteWholeFile(SettingsFile(), SettingsBytes([](TInitData&) {})));
    HANDLE lock = CreateFileW(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    TProgram program(Folder.Path());
    std::wstring error = Answer(program, IDOK);
    EXPECT_NE(error.find(L"プログラムの起動エラーが発生。"), std::wstring::npos) << error.c_str();
    EXPECT_EQ(program.WaitExit(), 0);
    CloseHandle(lock);
}
