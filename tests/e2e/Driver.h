#pragma once
// Drives the real Quirevue.exe from outside: starts it in a folder of the
// test's, finds its windows by process id, answers its message boxes and
// waits for it to end.
#include <windows.h>

#include <string>

// The executable under test, given on the command line (--exe=...).
const std::wstring& ProgramUnderTest();

class TProgram {
public:
    // Copies the program into `folder` (unless it is there) and starts it.
    explicit TProgram(const std::wstring& folder);
    // Copies this build of the program into `folder` (over any other) and
    // starts it.
    TProgram(const std::wstring& folder, const std::wstring& exe);
    ~TProgram();  // kills the process if it is still running

    bool Started() const { return Process.hProcess != nullptr; }
    // The visible main window, or null after the timeout.
    HWND WaitMainWindow(DWORD timeoutMs = 30000);
    // A visible message box or dialog of the program, or null.
    HWND WaitDialog(DWORD timeoutMs = 30000);
    // A visible top-level window of the program of that class, or null
    // (0: look once).
    HWND WaitWindow(const wchar_t* className, DWORD timeoutMs);
    // The exit code, or -1 when the program did not end in time.
    int WaitExit(DWORD timeoutMs = 30000);

private:
    void Start(const std::wstring& folder, const std::wstring& exe);

    PROCESS_INFORMATION Process{};
};

std::wstring WindowText(HWND wnd);
// The texts of a dialog's static controls, joined by newlines.
std::wstring DialogText(HWND dialog);
// Presses a dialog's button (IDOK, IDYES, IDNO, ...).
void PressButton(HWND dialog, int id);
// The first child window of that class whose text matches, or null.
HWND FindChild(HWND parent, const wchar_t* className, const std::wstring& text);

// A Linux path as Wine reaches it (drive Z:); Windows paths stay as they are.
std::wstring WindowsPath(const std::string& path);

// Saves the screen as a bitmap in the folder named by QV_SCREENSHOT_DIR.
void SaveScreenshot(const std::string& name);
