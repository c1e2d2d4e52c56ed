// The folder list of the running program under input from the X server: a
// drag from the empty area below the rows, with the pointer jumping in one
// move as X reports a quick flick, draws the selection rectangle and selects
// the rows it crosses; resting with the button held selects nothing by hover.
#include "Driver.h"
#include "core/settings/SettingsCodec.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

namespace {

// Runs xdotool on the Linux side and waits for it.
bool XInput(const std::string& args)
{
    std::wstring line = L"/bin/sh -c \"xdotool " + std::wstring(args.begin(), args.end()) + L"\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

std::string At(HWND wnd, POINT client)
{
    ClientToScreen(wnd, &client);
    return std::to_string(client.x) + " " + std::to_string(client.y);
}

}  // namespace

TEST(ListSelectionProgram, ADragFromTheEmptyAreaSelectsTheRowsItCrosses)
{
    if (GetFileAttributesW(WindowsPath("/usr/bin/xdotool").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "xdotool is not installed";
    TTempFolder app, data;
    for (int i = 0; i < 4; ++i) WriteWholeFile(data / (L"m" + std::to_wstring(i) + L".txt"), {1, 2, 3});
    TInitData settings;  // the default single-click style
    TWindowData window;
    window.Width = 600;
    window.Height = 400;
    window.ViewStyle = 3;
    if (PIDLIST_ABSOLUTE list = ILCreateFromPathW(data.Path().c_str())) {
        auto* bytes = reinterpret_cast<const uint8_t*>(list);
        window.IDList.assign(bytes, bytes + ILGetSize(list));
        ILFree(list);
    }
    settings.Windows.push_back(window);
    ASSERT_TRUE(WriteWholeFile(app / L"Quirevue.qvs", EncodeSettings(settings)));
    TProgram program(app.Path());
    HWND main = program.WaitMainWindow();
    ASSERT_TRUE(main);
    HWND list = nullptr;
    for (int i = 0; i < 100 && !(list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 4); ++i) {
        list = FindChild(main, L"SysListView32", L"");
        Sleep(100);
    }
    ASSERT_TRUE(list);
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 4);
    Sleep(500);
    // From below the last row up to the second row's name, resting there
    // with the button held for longer than the hover time.
    ASSERT_TRUE(XInput("mousemove " + At(list, {60, 200}) + " sleep 0.3 mousedown 1 mousemove " + At(list, {140, 45}) +
                       " sleep 1.5 mouseup 1"));
    Sleep(500);
    auto selected = [list](int row) { return SendMessageW(list, LVM_GETITEMSTATE, WPARAM(row), LVIS_SELECTED) != 0; };
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    EXPECT_FALSE(selected(0));
    EXPECT_TRUE(selected(1) && selected(2) && selected(3));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
}
