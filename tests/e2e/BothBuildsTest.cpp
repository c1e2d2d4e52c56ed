// The 32-bit and the 64-bit program share one settings file: what one build
// writes, the other reads and writes back byte for byte. Runs where both
// builds can start (the 64-bit test prefix starts 32-bit programs too).
#include "Driver.h"
#include "core/settings/SettingsCodec.h"
#include "../support/Fixtures.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Starts one build on the settings file in `folder`, closes it and returns
// what it wrote.
std::vector<uint8_t> RoundTrip(const std::wstring& folder, const std::wstring& exe)
{
    TProgram program(folder, exe);
    EXPECT_TRUE(program.Started());
    HWND main = program.WaitMainWindow();
    EXPECT_TRUE(main);
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
    return ReadWholeFile(folder + L"\\Quirevue.qvs");
}

}  // namespace

TEST(BothBuilds, WriteTheSameSettingsFile)
{
    const char* other = std::getenv("QV_EXE_I686");
    if (sizeof(void*) != 8 || !other || !*other) GTEST_SKIP() << "needs the 64-bit driver and QV_EXE_I686";
    std::wstring exe32 = WindowsPath(other), exe64 = ProgramUnderTest();

    // A file of unusual values, saved at exit without a question.
    std::vector<uint8_t> fixture = ReadWholeFile(FixturePath(L"unusual.qvs"));
    TInitData data;
    ASSERT_FALSE(DecodeSettings(fixture.data(), fixture.size(), data).Damaged);
    data.AutoSaveOnExit = true;
    TTempFolder folder;
    ASSERT_TRUE(WriteWholeFile(folder / L"Quirevue.qvs", EncodeSettings(data)));

    std::vector<uint8_t> by32 = RoundTrip(folder.Path(), exe32);
    ASSERT_FALSE(by32.empty());
    std::vector<uint8_t> by64 = RoundTrip(folder.Path(), exe64);
    EXPECT_EQ(by64, by32);
    std::vector<uint8_t> by32Again = RoundTrip(folder.Path(), exe32);
    EXPECT_EQ(by32Again, by64);
}
