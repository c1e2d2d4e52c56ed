// The real program's splash and the dialogs about itself: the splash during
// a start that restores a folder window, the version dialog and the support
// report, each reading the program's own version resource.
#include "Driver.h"
#include "core/settings/SettingsCodec.h"
#include "../support/FileVersion.h"
#include "../support/TempFolder.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A settings file with one folder window on `folder`.
std::vector<uint8_t> SettingsWithWindowOn(const std::wstring& folder)
{
    TInitData data;
    PIDLIST_ABSOLUTE list = nullptr;
    if (SUCCEEDED(SHParseDisplayName(folder.c_str(), nullptr, &list, 0, nullptr))) {
        TWindowData window;
        window.Width = 400;
        window.Height = 300;
        auto bytes = reinterpret_cast<const uint8_t*>(list);
        window.IDList.assign(bytes, bytes + ILGetSize(list));
        data.Windows.push_back(window);
        CoTaskMemFree(list);
    }
    return EncodeSettings(data);
}

// The whole text of a control of another process.
std::wstring ControlText(HWND control)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), LPARAM(text.data()), SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Under Wine, the system version one program is shown (its prefix may show
// an older one to every program), for the life of the object.
class TWineAppVersion {
public:
    TWineAppVersion(const std::wstring& exeName, const wchar_t* version)
        : Key(L"Software\\Wine\\AppDefaults\\" + exeName)
    {
        HKEY key = nullptr;
        if (!UnderWine() || RegCreateKeyExW(HKEY_CURRENT_USER, Key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                            nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       DWORD((wcslen(version) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        Set = true;
    }
    ~TWineAppVersion()
    {
        if (Set) RegDeleteTreeW(HKEY_CURRENT_USER, Key.c_str());
    }
    bool Applied() const { return Set; }

private:
    std::wstring Key;
    bool Set = false;
};

// The system's own version, as no manifest changes it: "10.0".
std::wstring SystemVersion()
{
    using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto get = reinterpret_cast<TRtlGetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get || get(&info) != 0) return L"(unknown)";
    return std::to_wstring(info.dwMajorVersion) + L"." + std::to_wstring(info.dwMinorVersion) + info.szCSDVersion;
}

}  // namespace

TEST(HelpMenu, SplashShowsWhileTheProgramRestoresAWindow)
{
    TTempFolder folder;
    std::wstring data = folder / L"data";
    ASSERT_TRUE(CreateDirectoryW(data.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder / L"Quirevue.qvs", SettingsWithWindowOn(data)));

    TProgram program(folder.Path());
    HWND splash = program.WaitWindow(L"TSubForm00000", 30000);
    ASSERT_TRUE(splash) << "no splash seen";
    // On the screen, not only said to be: its sky blue shows.
    RECT r;
    GetWindowRect(splash, &r);
    COLORREF shown = CLR_INVALID;
    for (DWORD start = GetTickCount(); IsWindow(splash) && GetTickCount() - start < 3000; Sleep(10)) {
        HDC screen = GetDC(nullptr);
        shown = GetPixel(screen, r.left + 200, r.top + 165);
        ReleaseDC(nullptr, screen);
        if (shown == RGB(0xA6, 0xCA, 0xF0)) break;
    }
    SaveScreenshot("splash");
    EXPECT_EQ(shown, RGB(0xA6, 0xCA, 0xF0));
    std::wstring text = DialogText(splash);
    EXPECT_TRUE(Contains(text, L"Quirevue\n")) << text.c_str();
    EXPECT_TRUE(Contains(text, L"Version " + FixedFileVersion(ProgramUnderTest()) + L"\n")) << text.c_str();
    EXPECT_TRUE(Contains(text, L"このプログラムは次の方にライセンスされています。")) << text.c_str();

    HWND main = program.WaitMainWindow();
    ASSERT_TRUE(main);
    DWORD start = GetTickCount();
    while (IsWindow(splash) && IsWindowVisible(splash) && GetTickCount() - start < 10000) Sleep(20);
    EXPECT_FALSE(IsWindow(splash) && IsWindowVisible(splash)) << "the splash stays";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
}

TEST(HelpMenu, VersionAndSupportReportOfTheProgramItself)
{
    // A program without the manifest's entries for Windows 8.1 and 10 reads
    // 6.2 there. Under Wine the prefix is told to show Windows 10 to the
    // program (and to no other).
    TWineAppVersion windows10(L"Quirevue.exe", L"win10");
    const std::wstring systemVersion = windows10.Applied() ? L"10.0" : SystemVersion();
    TTempFolder folder;
    TProgram program(folder.Path());
    HWND main = program.WaitMainWindow();
    ASSERT_TRUE(main);
    const std::wstring version = FixedFileVersion(ProgramUnderTest());

    PostMessageW(main, WM_COMMAND, 9040, 0);
    HWND dialog = program.WaitDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(WindowText(dialog), L"バージョン情報");
    std::wstring panel = DialogText(dialog);
    EXPECT_TRUE(Contains(panel, L"Version " + version + L"\n")) << panel.c_str();
    PressButton(dialog, IDOK);
    DWORD start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < 10000) Sleep(20);

    PostMessageW(main, WM_COMMAND, 9030, 0);
    dialog = program.WaitDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(WindowText(dialog), L"サポート情報");
    SaveScreenshot("support");
    std::wstring report = ControlText(FindWindowExW(dialog, nullptr, L"Edit", nullptr));
    // The program's manifest lets the system tell its real version.
    EXPECT_TRUE(Contains(report, L"\r\n　　バージョン : " + systemVersion + L"\r\n")) << report.c_str();
    EXPECT_TRUE(Contains(report, L"\r\nQuirevue.exe : " + version + L"\r\n")) << report.c_str();
    PressButton(dialog, IDCANCEL);
    start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < 10000) Sleep(20);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
}
