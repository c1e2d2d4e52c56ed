#pragma once
// Plays the user in front of a pop-up menu this process shows: from a
// thread of its own, while the menu's modal loop runs on the test's thread,
// it notes the entries of each menu that opens and then picks one with the
// keyboard (arrow keys and Enter, as a user would) or closes it with Esc.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TSeenMenuEntry {
    UINT Id = 0;
    std::wstring Text;  // "-" for a separator
    bool SubMenu = false;
    bool Grayed = false;
    bool Checked = false;
};

class TMenuWatcher {
public:
    // `choose` is given the entries of the menu that opened and answers the
    // index of the entry to pick, or -1 to close the menu.
    explicit TMenuWatcher(std::function<int(const std::vector<TSeenMenuEntry>&)> choose)
        : Choose(std::move(choose)), Thread([this] { Run(); })
    {
    }
    ~TMenuWatcher()
    {
        Stop = true;
        Thread.join();
    }
    TMenuWatcher(const TMenuWatcher&) = delete;
    TMenuWatcher& operator=(const TMenuWatcher&) = delete;

    // How many menus were seen, and the entries of the last one.
    int Shown() const { return ShownCount; }
    std::vector<TSeenMenuEntry> Entries() const
    {
        std::lock_guard<std::mutex> lock(Mutex);
        return LastEntries;
    }

    static std::vector<TSeenMenuEntry> EntriesOf(HMENU menu)
    {
        std::vector<TSeenMenuEntry> entries;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[256] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_STATE;
            info.dwTypeData = text;
            info.cch = 255;
            GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
            TSeenMenuEntry entry;
            entry.Id = info.wID;
            entry.Text = (info.fType & MFT_SEPARATOR) ? L"-" : text;
            entry.SubMenu = info.hSubMenu != nullptr;
            entry.Grayed = (info.fState & MFS_GRAYED) != 0;
            entry.Checked = (info.fState & MFS_CHECKED) != 0;
            entries.push_back(entry);
        }
        return entries;
    }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM found)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpW(className, L"#32768") == 0) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    void Run()
    {
        HWND handled = nullptr;
        while (!Stop) {
            HWND window = nullptr;
            EnumWindows(&TMenuWatcher::Visit, reinterpret_cast<LPARAM>(&window));
            if (!window) handled = nullptr;
            if (window && window != handled) {
                handled = window;
                auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
                std::vector<TSeenMenuEntry> entries = EntriesOf(menu);
                {
                    std::lock_guard<std::mutex> lock(Mutex);
                    LastEntries = entries;
                }
                int index = Choose(entries);
                // The menu loop reads the keys of its thread's queue.
                if (index >= 0) {
                    for (int i = 0; i <= index; ++i)
                        if (entries[size_t(i)].Text != L"-") PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
                } else {
                    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
                }
                ++ShownCount;
            }
            Sleep(30);
        }
    }

    std::function<int(const std::vector<TSeenMenuEntry>&)> Choose;
    std::atomic<bool> Stop{false};
    std::atomic<int> ShownCount{0};
    mutable std::mutex Mutex;
    std::vector<TSeenMenuEntry> LastEntries;
    std::thread Thread;
};

// The index of the entry with the command number, -1 when there is none.
inline int IndexOfCommand(const std::vector<TSeenMenuEntry>& entries, UINT id)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Id == id && !entries[i].SubMenu) return int(i);
    return -1;
}
