// The shell's folder browser, driven from a second thread as a user would.
#include "shell/FolderDialog.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
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

HWND FindBrowser()
{
    HWND found = nullptr;
    EnumWindows(FindOwnDialog, LPARAM(&found));
    return found;
}

}  // namespace

TEST(FolderDialog, OkOnlyForFoldersWithAPathAndTheChoiceComesBack)
{
    OleInitialize(nullptr);
    TTempFolder temp;
    std::wstring target = temp / Utf8Path("保存先");
    CreateDirectoryW(target.c_str(), nullptr);

    std::atomic<bool> okForMyComputer{true}, okForFolder{false};
    std::thread user([&] {
        HWND browser = nullptr;
        for (int i = 0; i < 200 && !browser; ++i, Sleep(50)) browser = FindBrowser();
        if (!browser) return;
        // The browser moves its selection in its own time: poll for the
        // state of OK rather than sleeping a fixed while.
        auto waitForOk = [browser](bool enabled) {
            for (int i = 0; i < 100; ++i, Sleep(50))
                if (bool(IsWindowEnabled(GetDlgItem(browser, IDOK))) == enabled) return true;
            return false;
        };
        PIDList drives = nullptr;
        GetSpecialFolderIDList(CSIDL_DRIVES, drives);
        SendMessageW(browser, BFFM_SETSELECTIONW, FALSE, LPARAM(drives));
        okForMyComputer = !waitForOk(false);
        FreeIDList(drives);
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, LPARAM(target.c_str()));
        okForFolder = waitForOk(true);
        PostMessageW(browser, WM_COMMAND, okForFolder ? IDOK : IDCANCEL, 0);
    });

    TShellFolderDialog dialog;
    dialog.Title = L"フォルダの選択";
    bool chosen = dialog.Execute();
    user.join();
    EXPECT_FALSE(okForMyComputer);
    EXPECT_TRUE(okForFolder);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.FolderPath, target);
    EXPECT_NE(dialog.FolderIDList(), nullptr);
}
