// Saving into a folder nothing may be created in (a read-only medium, a
// folder without write permission). read-only-folder.sh prepares the folder
// from Linux, where it can be made immutable even for root, and runs this.
#include "Driver.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ReadOnlyFolder, SaveIsReportedAndTheFileStays)
{
    const char* folderVariable = std::getenv("QV_READONLY_FOLDER");
    if (!folderVariable) GTEST_SKIP() << "run through read-only-folder.sh";
    std::wstring folder = WindowsPath(folderVariable);
    std::wstring settings = folder + L"\\Quirevue.qvs";
    std::vector<uint8_t> before = ReadWholeFile(settings);
    ASSERT_FALSE(before.empty());

    TProgram program(folder);
    HWND main = program.WaitMainWindow();
    ASSERT_TRUE(main);
    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND box = program.WaitDialog();
    ASSERT_TRUE(box);
    std::wstring text = DialogText(box);
    EXPECT_EQ(WindowText(box), L"Quirevue");
    EXPECT_NE(text.find(L"設定ファイルを記録できません。"), std::wstring::npos) << text.c_str();
    PressButton(box, IDOK);
    EXPECT_EQ(program.WaitExit(), 0);
    EXPECT_EQ(ReadWholeFile(settings), before);
}
