#include "gui/ThreadSync.h"

#include "gui/Handles.h"
#include "gui/MessageBox.h"

#include <atomic>
#include <exception>
#include <memory>

namespace {

constexpr UINT kRunCallMessage = WM_APP + 1;
const wchar_t kClassName[] = L"QuirevueThreadSync";

// Shared by the worker and the posted message: whichever lets go last
// closes the event, so the GUI never signals a handle the worker closed.
struct TSyncCall {
    std::function<void()> Call;
    TFileHandle Done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

std::atomic<HWND> gSyncWindow{nullptr};

void RunCall(TSyncCall& call)
{
    try {
        call.Call();
    } catch (...) {
        ShowCurrentException(nullptr);
    }
}

LRESULT CALLBACK SyncProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kRunCallMessage) {
        std::unique_ptr<std::shared_ptr<TSyncCall>> held(reinterpret_cast<std::shared_ptr<TSyncCall>*>(lParam));
        if (held && *held) {
            RunCall(**held);
            SetEvent((*held)->Done.Get());
        }
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

void PrepareGuiSync()
{
    if (gSyncWindow.load()) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = SyncProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    // A message-only window: it takes posted messages and no broadcasts.
    HWND wnd = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    HWND expected = nullptr;
    if (wnd && !gSyncWindow.compare_exchange_strong(expected, wnd)) DestroyWindow(wnd);
}

bool RunOnGuiThread(HANDLE stop, std::function<void()> call)
{
    HWND wnd = gSyncWindow.load();
    if (!wnd || !call) return false;
    auto shared = std::make_shared<TSyncCall>();
    if (!shared->Done) return false;
    shared->Call = std::move(call);
    auto* posted = new std::shared_ptr<TSyncCall>(shared);
    if (!PostMessageW(wnd, kRunCallMessage, 0, reinterpret_cast<LPARAM>(posted))) {
        delete posted;
        return false;
    }
    HANDLE waits[2] = {shared->Done.Get(), stop};
    DWORD count = stop ? 2 : 1;
    return WaitForMultipleObjects(count, waits, FALSE, INFINITE) == WAIT_OBJECT_0;
}
