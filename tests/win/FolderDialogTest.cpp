// The shell's folder browser, answered from a second thread as a user would.
#include "../support/TempFolder.h"
#include "browser/FolderDialog.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

BOOL CALLBACK FindOwnDialog(HWND wnd, LPARAM param)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(wnd, cls, 16);
    if (pid == GetCurrentProcessId() && IsWindowVisible(wnd) && lstrcmpW(cls, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(param) = wnd;
        return FALSE;
    }
    return TRUE;
}

// Opens the browser on `initial`, notes whether OK becomes enabled there
// (polling: the browser selects in its own time), then presses OK when it
// is enabled and Cancel otherwise.
struct TBrowseResult {
    bool OkEnabled = false;
    bool Chosen = false;
    std::wstring Path;
};

TBrowseResult Browse(TSpecialFolder initial)
{
    TBrowseResult result;
    std::thread user([&result] {
        HWND browser = nullptr;
        for (int i = 0; i < 1500 && !browser; ++i, Sleep(50)) EnumWindows(FindOwnDialog, LPARAM(&browser));
        if (!browser) return;
        HWND ok = GetDlgItem(browser, IDOK);
        for (int i = 0; i < 40 && !result.OkEnabled; ++i, Sleep(50)) result.OkEnabled = IsWindowEnabled(ok) != 0;
        PostMessageW(browser, WM_COMMAND, result.OkEnabled ? IDOK : IDCANCEL, 0);
    });
    TShellFolderDialog dialog;
    dialog.Title = L"フォルダの選択";
    dialog.InitFolder = initial;
    result.Chosen = dialog.Execute();
    user.join();
    result.Path = dialog.FolderPath;
    if (result.Chosen) {
        EXPECT_NE(dialog.FolderIDList(), nullptr);
    }
    return result;
}

}  // namespace

TEST(FolderDialog, OkOnlyForFoldersWithAPathAndTheChoiceComesBack)
{
    OleInitialize(nullptr);
    TBrowseResult myComputer = Browse(sfDrives);
    EXPECT_FALSE(myComputer.OkEnabled);
    EXPECT_FALSE(myComputer.Chosen);

    std::wstring documents;
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_PERSONAL, documents));
    TBrowseResult chosen = Browse(sfPersonal);
    EXPECT_TRUE(chosen.OkEnabled);
    EXPECT_TRUE(chosen.Chosen);
    EXPECT_EQ(chosen.Path, documents);
}
