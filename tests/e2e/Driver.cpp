#include "Driver.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

static std::wstring& ExeStorage()
{
    static std::wstring exe;
    return exe;
}

const std::wstring& ProgramUnderTest() { return ExeStorage(); }

// Linux paths (as CMake gives them) are reached through drive Z: under Wine.
std::wstring WindowsPath(const std::string& path)
{
    std::wstring out = path.size() && path[0] == '/' ? L"Z:" : L"";
    for (char c : path) out += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    return out;
}

void SetProgramUnderTest(const std::string& path) { ExeStorage() = WindowsPath(path); }

TProgram::TProgram(const std::wstring& folder)
{
    std::wstring exe = folder + L"\\Quirevue.exe";
    // A folder prepared from outside (read-only) already holds the program.
    if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileW(ProgramUnderTest().c_str(), exe.c_str(), FALSE))
        return;
    Start(folder, exe);
}

TProgram::TProgram(const std::wstring& folder, const std::wstring& build)
{
    std::wstring exe = folder + L"\\Quirevue.exe";
    if (CopyFileW(build.c_str(), exe.c_str(), FALSE)) Start(folder, exe);
}

void TProgram::Start(const std::wstring& folder, const std::wstring& exe)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                        &Process))
        Process = {};
}

TProgram::~TProgram()
{
    if (!Process.hProcess) return;
    if (WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(Process.hProcess, 99);
        WaitForSingleObject(Process.hProcess, 5000);
    }
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
}

namespace {

struct TSearch {
    DWORD ProcessId;
    const wchar_t* ClassName;
    HWND Found;
};

BOOL CALLBACK FindTopLevel(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<TSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    if (pid == search->ProcessId && IsWindowVisible(wnd) && lstrcmpW(cls, search->ClassName) == 0) {
        search->Found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitTopLevel(DWORD pid, HANDLE process, const wchar_t* className, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        TSearch search{pid, className, nullptr};
        EnumWindows(FindTopLevel, LPARAM(&search));
        if (search.Found) return search.Found;
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

}  // namespace

HWND TProgram::WaitMainWindow(DWORD timeoutMs)
{
    HWND main = WaitTopLevel(Process.dwProcessId, Process.hProcess, L"TMainForm", timeoutMs);
    // The window can be visible before the restore has finished: wait until
    // the program reads its messages again.
    if (main) WaitForInputIdle(Process.hProcess, timeoutMs);
    return main;
}

HWND TProgram::WaitDialog(DWORD timeoutMs)
{
    return WaitTopLevel(Process.dwProcessId, Process.hProcess, L"#32770", timeoutMs);
}

HWND TProgram::WaitWindow(const wchar_t* className, DWORD timeoutMs)
{
    return WaitTopLevel(Process.dwProcessId, Process.hProcess, className, timeoutMs);
}

int TProgram::WaitExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(Process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(Process.hProcess, &code);
    return int(code);
}

std::wstring WindowText(HWND wnd)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(wnd, WM_GETTEXT, 1024, LPARAM(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

static BOOL CALLBACK CollectStatic(HWND wnd, LPARAM param)
{
    wchar_t cls[32] = {};
    GetClassNameW(wnd, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0) {
        auto* text = reinterpret_cast<std::wstring*>(param);
        std::wstring piece = WindowText(wnd);
        if (!piece.empty()) *text += piece + L"\n";
    }
    return TRUE;
}

std::wstring DialogText(HWND dialog)
{
    std::wstring text;
    EnumChildWindows(dialog, CollectStatic, LPARAM(&text));
    return text;
}

void PressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

namespace {
struct TChildSearch {
    const wchar_t* ClassName;
    std::wstring Text;
    HWND Found;
};
BOOL CALLBACK FindChildProc(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<TChildSearch*>(param);
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    if (lstrcmpiW(cls, search->ClassName) == 0 && WindowText(wnd) == search->Text) {
        search->Found = wnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindChild(HWND parent, const wchar_t* className, const std::wstring& text)
{
    TChildSearch search{className, text, nullptr};
    EnumChildWindows(parent, FindChildProc, LPARAM(&search));
    return search.Found;
}

void SaveScreenshot(const std::string& name)
{
    const char* dir = std::getenv("QV_SCREENSHOT_DIR");
    if (!dir || !*dir) return;
    HDC screen = GetDC(nullptr);
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFOHEADER bih{sizeof bih, w, h, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = DWORD((w * 3 + 3) & ~3);
    BITMAPFILEHEADER bfh{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof bih + stride * DWORD(h)), 0, 0,
                         DWORD(sizeof(BITMAPFILEHEADER) + sizeof bih)};
    std::wstring path = WindowsPath(std::string(dir) + "/" + name + ".bmp");
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        fwrite(&bfh, sizeof bfh, 1, f);
        fwrite(&bih, sizeof bih, 1, f);
        fwrite(bits, stride, size_t(h), f);
        fclose(f);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
    ReleaseDC(nullptr, screen);
}
