// Start-up on a big folder: from process creation until the restored folder
// window's list holds every row and its first screen is painted, against a
// bare program that does the least possible for the same result, both
// measured from outside in the same run.
// Usage: startup_bench QUIREVUE.EXE BARE_STARTUP.EXE FOLDER WORKDIR
#include "core/settings/InitData.h"
#include "core/settings/SettingsCodec.h"
#include "shell/IDList.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

struct TSearch {
    DWORD ProcessId;
    LRESULT Rows;
    HWND Found;
};

BOOL CALLBACK FindList(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<TSearch*>(param);
    wchar_t cls[32] = {};
    GetClassNameW(wnd, cls, 32);
    if (lstrcmpW(cls, WC_LISTVIEWW) == 0 && SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0) == search->Rows) {
        search->Found = wnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTopLevel(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<TSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == search->ProcessId && IsWindowVisible(wnd)) EnumChildWindows(wnd, FindList, param);
    return search->Found ? FALSE : TRUE;
}

// Seconds from process creation until a list of the process shows `rows`
// rows with nothing left to paint; a negative value when it never does.
double TimeToFirstScreen(const std::wstring& exe, const std::wstring& args, const std::wstring& folder, LRESULT rows)
{
    std::wstring command = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    auto start = TClock::now();
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return -1;
    double seconds = -1;
    while (std::chrono::duration<double>(TClock::now() - start).count() < 120) {
        TSearch search{pi.dwProcessId, rows, nullptr};
        EnumWindows(FindTopLevel, LPARAM(&search));
        if (search.Found && !GetUpdateRect(search.Found, nullptr, FALSE)) {
            seconds = std::chrono::duration<double>(TClock::now() - start).count();
            break;
        }
        Sleep(5);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return seconds;
}

LRESULT CountEntries(const std::wstring& folder)
{
    LRESULT count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (lstrcmpW(data.cFileName, L".") && lstrcmpW(data.cFileName, L"..")) ++count;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

// A settings file with one folder window on `folder`, in details view,
// sorted by name, every column ascending.
bool WriteSettings(const std::wstring& path, const std::wstring& folder)
{
    TIDListPtr owned = PathToIDList(folder);
    if (!owned) return false;
    TInitData data;
    TWindowData window;
    window.Left = 0;
    window.Top = 0;
    window.Width = 700;
    window.Height = 400;
    window.ViewStyle = 3;
    for (int id = 0; id < 5; ++id) window.Columns.push_back({id, id ? 80 : 240, 1});
    auto bytes = reinterpret_cast<const uint8_t*>(owned.get());
    window.IDList.assign(bytes, bytes + GetIDListSize(owned.get()));
    data.Windows.push_back(window);
    std::vector<uint8_t> encoded = EncodeSettings(data);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, encoded.data(), DWORD(encoded.size()), &written, nullptr) && written == encoded.size();
    CloseHandle(file);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: startup_bench QUIREVUE.EXE BARE_STARTUP.EXE FOLDER WORKDIR\n");
        return 2;
    }
    CoInitialize(nullptr);
    std::wstring program = argv[1], bare = argv[2], folder = argv[3], work = argv[4];
    CreateDirectoryW(work.c_str(), nullptr);
    std::wstring exe = work + L"\\Quirevue.exe";
    if (!CopyFileW(program.c_str(), exe.c_str(), FALSE) || !WriteSettings(work + L"\\Quirevue.qvs", folder)) {
        std::fprintf(stderr, "startup_bench: cannot prepare %ls\n", work.c_str());
        return 1;
    }
    LRESULT rows = CountEntries(folder);
    // Alternate the two so that both see the same machine; keep the best of
    // each (the least disturbed run).
    double ours = 1e9, floor = 1e9;
    for (int run = 0; run < 3; ++run) {
        double b = TimeToFirstScreen(bare, L"\"" + folder + L"\"", work, rows);
        double q = TimeToFirstScreen(exe, L"", work, rows);
        if (b < 0 || q < 0) {
            std::fprintf(stderr, "startup_bench: a program did not show %ld rows (bare %.2f s, program %.2f s)\n",
                         long(rows), b, q);
            return 1;
        }
        floor = std::min(floor, b);
        ours = std::min(ours, q);
    }
    std::printf("startup.first_screen_%ld_rows: %.2fx floor (program %.2f s, bare program %.2f s; goal <= 1.3x)\n",
                long(rows), ours / floor, ours, floor);
    return 0;
}
