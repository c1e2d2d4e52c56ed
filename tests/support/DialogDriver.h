#pragma once
// Plays the user in a modal dialog that a command shows on the test's
// thread: from a thread of its own it waits for the process's dialog with
// the caption given and runs the steps on it once (messages sent to the
// dialog's controls, as typing and clicking would), then lets the dialog
// run on. Steps that need the dialog's answer post their final click.
#include <windows.h>

#include <atomic>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>

class TDialogDriver {
public:
    TDialogDriver(std::wstring caption, std::function<void(HWND dialog)> steps)
        : Caption(std::move(caption)), Steps(std::move(steps)), Thread([this] { Run(); })
    {
    }
    ~TDialogDriver()
    {
        Stop = true;
        Thread.join();
    }
    TDialogDriver(const TDialogDriver&) = delete;
    TDialogDriver& operator=(const TDialogDriver&) = delete;

    // Whether the steps have run (waiting a little for their end).
    bool Done() const
    {
        for (int i = 0; i < 100 && !Ran; ++i) Sleep(30);
        return Ran;
    }

    // Helpers for the steps, all through messages to the dialog's thread.
    static void Type(HWND dialog, int id, const std::wstring& text)
    {
        SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    static void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
    static void Press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

private:
    struct TSearch {
        const std::wstring* Caption;
        HWND Found;
    };
    void Run()
    {
        while (!Stop && !Ran) {
            TSearch search{&Caption, nullptr};
            EnumWindows(&TDialogDriver::Visit, reinterpret_cast<LPARAM>(&search));
            if (search.Found) {
                Sleep(100);  // the dialog's first idle pass
                Steps(search.Found);
                Ran = true;
            }
            Sleep(30);
        }
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM data)
    {
        auto* search = reinterpret_cast<TSearch*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[64] = {}, text[256] = {};
        GetClassNameW(window, className, 64);
        GetWindowTextW(window, text, 256);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wcscmp(className, L"#32770") == 0 &&
            *search->Caption == text) {
            search->Found = window;
            return FALSE;
        }
        return TRUE;
    }

    std::wstring Caption;
    std::function<void(HWND)> Steps;
    std::atomic<bool> Stop{false}, Ran{false};
    std::thread Thread;
};
