// The settings file on a real disk: atomic saves, damaged files kept aside.
#include "core/settings/SettingsCodec.h"
#include "settings/SettingsFile.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> SampleFile()
{
    TInitData data;
    data.WindowLeft = 37;
    data.TreePanelWidth = 263;
    data.Bands.push_back({3, 120, true, true});
    data.FileTypes = {"txt", "jpg"};
    return EncodeSettings(data);
}

}  // namespace

TEST(SettingsFile, NameIsBesideTheExecutable)
{
    EXPECT_EQ(SettingsFileNameFor(L"C:\\Tools\\Quirevue.exe"), L"C:\\Tools\\Quirevue.qvs");
    EXPECT_EQ(SettingsFileNameFor(L"C:\\a.b\\prog"), L"C:\\a.b\\prog.qvs");
}

TEST(SettingsFile, SaveThenLoadRoundTripsInAJapaneseFolder)
{
    TTempFolder temp;
    std::wstring folder = temp / Utf8Path("設定 フォルダ");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    std::wstring file = folder + L"\\Quirevue.qvs";

    TInitData saved;
    saved.WindowWidth = 1024;
    saved.FavoritesFolder = "C:\\\x83\x65\x83\x58\x83\x67";  // テスト in code page 932
    TSettingsFileState state;
    SaveSettings(file, saved, state);
    EXPECT_FALSE(FileExists(file + L".tmp"));

    TInitData loaded;
    TSettingsFileState loadState;
    ASSERT_TRUE(LoadSettings(file, loaded, loadState));
    EXPECT_FALSE(loadState.Damaged);
    EXPECT_EQ(loaded.WindowWidth, 1024);
    EXPECT_EQ(loaded.FavoritesFolder, saved.FavoritesFolder);
    EXPECT_EQ(ReadWholeFile(file), EncodeSettings(saved));
}

TEST(SettingsFile, MissingFileLeavesTheDefaults)
{
    TTempFolder temp;
    TInitData data;
    TSettingsFileState state;
    EXPECT_FALSE(LoadSettings(temp / L"none.qvs", data, state));
    EXPECT_EQ(data.WindowWidth, 800);
}

// Every way a save can fail leaves the previous file exactly as it was and
// no temporary file behind, and says why.
TEST(SettingsFile, FailedSaveKeepsThePreviousFile)
{
    enum class TBlock { TempNameTaken, TargetLocked, FolderGone };
    for (TBlock block : {TBlock::TempNameTaken, TBlock::TargetLocked, TBlock::FolderGone}) {
        SCOPED_TRACE(int(block));
        TTempFolder temp;
        std::wstring folder = temp / L"app";
        CreateDirectoryW(folder.c_str(), nullptr);
        std::wstring file = folder + L"\\Quirevue.qvs";
        std::vector<uint8_t> previous = SampleFile();
        ASSERT_TRUE(WriteWholeFile(file, previous));

        HANDLE lock = INVALID_HANDLE_VALUE;
        if (block == TBlock::TempNameTaken) CreateDirectoryW((file + L".tmp").c_str(), nullptr);
        if (block == TBlock::TargetLocked)
            lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        std::wstring target = block == TBlock::FolderGone ? folder + L"\\gone\\Quirevue.qvs" : file;

        TInitData data;
        data.WindowWidth = 1234;
        TSettingsFileState state;
        try {
            SaveSettings(target, data, state);
            ADD_FAILURE() << "the save should have failed";
        } catch (const TSettingsFileError& e) {
            EXPECT_NE(e.Message.find(L"設定ファイル"), std::wstring::npos);
        }
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        EXPECT_EQ(ReadWholeFile(file), previous);
        if (block != TBlock::TempNameTaken) {
            EXPECT_FALSE(FileExists(file + L".tmp"));
        }
    }
}

// A damaged file is read as far as it is sound, and before the next save it
// is renamed aside, never overwritten, not even by a second damaged file.
TEST(SettingsFile, DamagedFileIsKeptAsideBeforeTheNextSave)
{
    TTempFolder temp;
    std::wstring file = temp / L"Quirevue.qvs";
    std::vector<uint8_t> whole = SampleFile();
    std::vector<uint8_t> truncated(whole.begin(), whole.begin() + 5000);

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(WriteWholeFile(file, truncated));
        TInitData data;
        TSettingsFileState state;
        ASSERT_TRUE(LoadSettings(file, data, state));
        EXPECT_TRUE(state.Damaged);
        EXPECT_EQ(data.WindowLeft, 37);         // read before the cut
        EXPECT_TRUE(data.FileTypes.empty());    // after it: defaults

        SaveSettings(file, data, state);
        std::wstring aside = file + (round == 1 ? L".damaged" : L".damaged-2");
        EXPECT_EQ(state.KeptAs, aside);
        EXPECT_EQ(ReadWholeFile(aside), truncated);
        EXPECT_EQ(ReadWholeFile(file), EncodeSettings(data));
        truncated[10] ^= 0x55;  // the second damaged file differs from the first
    }
}

TEST(SettingsFile, HugeCountIsReadWithoutAllocatingFromIt)
{
    TTempFolder temp;
    std::wstring file = temp / L"Quirevue.qvs";
    std::vector<uint8_t> bytes = SampleFile();
    uint32_t huge = 2000000000u;
    memcpy(bytes.data() + 12988, &huge, 4);
    ASSERT_TRUE(WriteWholeFile(file, bytes));

    TInitData data;
    TSettingsFileState state;
    ASSERT_TRUE(LoadSettings(file, data, state));
    EXPECT_TRUE(state.Damaged);
    EXPECT_TRUE(data.Bands.empty());
    EXPECT_EQ(data.TreePanelWidth, 263);
}
