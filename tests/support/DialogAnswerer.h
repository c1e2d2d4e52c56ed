#pragma once
// Answers the dialogs this process shows (a message box, a confirmation, a
// property sheet) by pressing one button, from a thread of its own, while a
// command that shows them modally runs on the test's thread. Notes the
// caption and text of the first one.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cwchar>
#include <mutex>
#include <set>
#include <string>
#include <thread>

class TDialogAnswerer {
public:
    explicit TDialogAnswerer(int button) : Button(button), Thread([this] { Run(); }) {}
    ~TDialogAnswerer()
    {
        Stop = true;
        Thread.join();
    }
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;

    // Waits (pumping nothing: the dialog runs its own loop) until a dialog
    // was answered or the time is up.
    bool WaitForAnswer(std::chrono::milliseconds limit)
    {
        auto end = std::chrono::steady_clock::now() + limit;
        while (Answered == 0 && std::chrono::steady_clock::now() < end) Sleep(20);
        return Answered > 0;
    }
    // How many different dialogs were answered.
    int Count() const { return Answered; }

    std::wstring Caption, Text;  // of the first dialog
    HWND Owner = nullptr;        // of the first dialog
    std::atomic<int> Answered{0};

private:
    void Run()
    {
        while (!Stop) {
            EnumWindows(&TDialogAnswerer::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(30);
        }
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self)
    {
        auto* answerer = reinterpret_cast<TDialogAnswerer*>(self);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) || std::wcscmp(className, L"#32770") != 0)
            return TRUE;
        if (answerer->Seen.insert(window).second) {
            if (answerer->Answered == 0) {
                wchar_t text[256] = {};
                GetWindowTextW(window, text, 256);
                answerer->Caption = text;
                GetDlgItemTextW(window, 0xFFFF, text, 256);  // a message box's text
                answerer->Text = text;
                answerer->Owner = GetWindow(window, GW_OWNER);
            }
            ++answerer->Answered;
        }
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(answerer->Button, BN_CLICKED), 0);
        return TRUE;
    }

    int Button;
    std::atomic<bool> Stop{false};
    std::set<HWND> Seen;
    std::thread Thread;
};
