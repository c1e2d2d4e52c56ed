#include "shell/ChangeWatchers.h"

#include "core/shell/PathText.h"
#include "gui/ThreadSync.h"
#include "shell/ShellHelpers.h"

#include <process.h>

#include <algorithm>
#include <cwchar>

namespace {

std::atomic<uint64_t> gWakeCount{0};

void CloseChangeNotification(HANDLE handle) { FindCloseChangeNotification(handle); }
using TChangeHandle = TUniqueHandle<HANDLE, CloseChangeNotification>;

TChangeHandle OpenChange(const std::wstring& path, bool subtree, DWORD filter)
{
    if (path.empty() || !DirectoryExists(path)) return {};
    return TChangeHandle(FindFirstChangeNotificationW(path.c_str(), subtree, filter));
}

// A deadline that may be unset: the wait then has no time limit.
class TDeadline {
public:
    void Set(DWORD fromNowMs) { Due = GetTickCount64() + fromNowMs; }
    void Clear() { Due = 0; }
    bool IsSet() const { return Due != 0; }
    bool Passed() const { return Due != 0 && GetTickCount64() >= Due; }
    DWORD Remaining() const
    {
        if (!Due) return INFINITE;
        ULONGLONG now = GetTickCount64();
        return now >= Due ? 0 : DWORD(Due - now);
    }

private:
    ULONGLONG Due = 0;
};

DWORD Sooner(DWORD a, DWORD b) { return a < b ? a : b; }

bool SamePath(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

uint64_t WatcherWakeCount() { return gWakeCount.load(); }

// ---------------------------------------------------------------------------
// The thread

TWatcherThread::TWatcherThread() : StopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    // Reports run on the thread that makes the watchers.
    PrepareGuiSync();
}

void TWatcherThread::Start()
{
    if (!StopEvent) {
        Ended = true;
        return;
    }
    // The thread holds the object until it ends.
    auto* held = new std::shared_ptr<TWatcherThread>(shared_from_this());
    uintptr_t thread = _beginthreadex(nullptr, 0, ThreadProc, held, 0, nullptr);
    if (!thread) {
        delete held;
        Ended = true;
        return;
    }
    CloseHandle(reinterpret_cast<HANDLE>(thread));
}

unsigned __stdcall TWatcherThread::ThreadProc(void* param)
{
    std::unique_ptr<std::shared_ptr<TWatcherThread>> held(static_cast<std::shared_ptr<TWatcherThread>*>(param));
    TWatcherThread& self = **held;
    try {
        self.Run();
    } catch (...) {
        // Nothing can be reported from here; the owner sees Running() false.
    }
    self.Ended = true;
    return 0;
}

void TWatcherThread::Stop()
{
    Stopped = true;
    ClearHandlers();
    if (StopEvent) SetEvent(StopEvent.Get());
}

DWORD TWatcherThread::Wait(DWORD count, const HANDLE* handles, DWORD timeout)
{
    DWORD result = WaitForMultipleObjects(count, handles, FALSE, timeout);
    ++gWakeCount;
    return result;
}

bool TWatcherThread::Report(std::function<bool()> report)
{
    auto taken = std::make_shared<bool>(true);
    std::shared_ptr<TWatcherThread> self = shared_from_this();
    bool ran = RunOnGuiThread(StopEvent.Get(), [self, taken, report = std::move(report)] {
        if (!self->Stopped) *taken = report();
    });
    // Not run means stopped (or no GUI left): nothing to offer again.
    return !ran || *taken;
}

// ---------------------------------------------------------------------------
// One folder

TShFilesWatcher::TShFilesWatcher(DWORD notifyFilter, TChangeEvent onChange, bool folderItself, DWORD quietMs)
    : NotifyFilter(notifyFilter), FolderItself(folderItself), QuietMs(quietMs),
      PathEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)), OnChange(std::move(onChange))
{
}

std::shared_ptr<TShFilesWatcher> TShFilesWatcher::Create(const std::wstring& path, DWORD notifyFilter,
                                                         TChangeEvent onChange, bool folderItself, DWORD quietMs)
{
    std::shared_ptr<TShFilesWatcher> watcher(
        new TShFilesWatcher(notifyFilter, std::move(onChange), folderItself, quietMs));
    if (DirectoryExists(path)) watcher->Path = path;
    if (watcher->PathEvent) watcher->Start();
    return watcher;
}

void TShFilesWatcher::SetPath(const std::wstring& path)
{
    {
        TLockScope lock(Lock);
        if (path == Path) return;
        Path = DirectoryExists(path) ? path : std::wstring();
    }
    SetEvent(PathEvent.Get());
}

std::wstring TShFilesWatcher::GetPath()
{
    TLockScope lock(Lock);
    return Path;
}

void TShFilesWatcher::Run()
{
    std::wstring watched = GetPath();
    TChangeHandle change, parent;
    auto open = [&] {
        change = OpenChange(watched, false, NotifyFilter);
        parent = FolderItself ? OpenChange(ParentFolderPath(watched), false, FILE_NOTIFY_CHANGE_DIR_NAME)
                              : TChangeHandle();
    };
    open();
    TDeadline quiet;
    bool contentsChanged = false;  // else only the parent changed: is the folder still there?
    for (;;) {
        HANDLE waits[4] = {StopEvent.Get(), PathEvent.Get()};
        DWORD count = 2, changeAt = MAXDWORD, parentAt = MAXDWORD;
        if (change) waits[changeAt = count++] = change.Get();
        if (parent) waits[parentAt = count++] = parent.Get();
        DWORD result = Wait(count, waits, quiet.Remaining());
        if (result == WAIT_OBJECT_0) return;
        if (result == WAIT_OBJECT_0 + 1) {
            // Pointed elsewhere: what was pending belongs to the old folder.
            std::wstring path = GetPath();
            if (!SamePath(path, watched) || !change) {
                watched = path;
                open();
                quiet.Clear();
                contentsChanged = false;
            }
        } else if (result == WAIT_OBJECT_0 + changeAt) {
            if (!FindNextChangeNotification(change.Get())) {
                watched = GetPath();
                open();
            }
            contentsChanged = true;
            quiet.Set(QuietMs);
        } else if (result == WAIT_OBJECT_0 + parentAt) {
            if (!FindNextChangeNotification(parent.Get())) parent = TChangeHandle();
            quiet.Set(QuietMs);
        } else if (result == WAIT_TIMEOUT) {
            quiet.Clear();
            bool wanted = contentsChanged || !DirectoryExists(watched);
            contentsChanged = false;
            if (!wanted) continue;
            // Fresh handles before the report, so that changes made while
            // the owner refreshes are not lost; a folder that went away
            // leaves none.
            open();
            std::wstring path = watched;
            // A copy of the handler runs: the owner may stop the watcher
            // (and so clear its handler) from inside.
            if (!Report([this, path] {
                    TChangeEvent handler = OnChange;
                    return handler ? handler(*this, path) : true;
                })) {
                contentsChanged = true;
                quiet.Set(QuietMs);
            }
        } else {
            return;
        }
    }
}

// ---------------------------------------------------------------------------
// Drives and devices

TShDirWatcher::TShDirWatcher(DWORD notifyFilter, TDeviceEvent onDevice, TChangeEvent onChange, DWORD quietMs,
                             DWORD deviceQuietMs)
    : NotifyFilter(notifyFilter), QuietMs(quietMs), DeviceQuietMs(deviceQuietMs),
      DeviceEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)), PathsEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      OnDeviceChange(std::move(onDevice)), OnChange(std::move(onChange))
{
}

std::shared_ptr<TShDirWatcher> TShDirWatcher::Create(const std::vector<std::wstring>& paths, DWORD notifyFilter,
                                                     TDeviceEvent onDevice, TChangeEvent onChange, DWORD quietMs,
                                                     DWORD deviceQuietMs)
{
    std::shared_ptr<TShDirWatcher> watcher(
        new TShDirWatcher(notifyFilter, std::move(onDevice), std::move(onChange), quietMs, deviceQuietMs));
    watcher->Paths = ExistingFolders(paths);
    if (watcher->DeviceEvent && watcher->PathsEvent) watcher->Start();
    return watcher;
}

std::vector<std::wstring> TShDirWatcher::ExistingFolders(const std::vector<std::wstring>& paths)
{
    std::vector<std::wstring> folders;
    for (const std::wstring& path : paths)
        if (!path.empty() && DirectoryExists(path)) folders.push_back(IncludeBackslash(path));
    std::sort(folders.begin(), folders.end(),
              [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
    folders.erase(std::unique(folders.begin(), folders.end(), SamePath), folders.end());
    return folders;
}

void TShDirWatcher::SetPaths(const std::vector<std::wstring>& paths)
{
    std::vector<std::wstring> folders = ExistingFolders(paths);
    {
        TLockScope lock(Lock);
        if (folders.size() == Paths.size() && std::equal(folders.begin(), folders.end(), Paths.begin(), SamePath))
            return;
        Paths = std::move(folders);
    }
    SetEvent(PathsEvent.Get());
}

std::vector<std::wstring> TShDirWatcher::GetPaths()
{
    TLockScope lock(Lock);
    return Paths;
}

void TShDirWatcher::PostDevice(std::unique_ptr<TDeviceChangeData> record)
{
    if (!OnDeviceChange || !record) return;
    PendingDevice = std::move(record);
    SetEvent(DeviceEvent.Get());
}

void TShDirWatcher::ClearHandlers()
{
    OnDeviceChange = nullptr;
    OnChange = nullptr;
    PendingDevice.reset();
}

void TShDirWatcher::DeliverDevice()
{
    // PendingDevice is read on the GUI thread only.
    Report([this] {
        TDeviceEvent handler = OnDeviceChange;
        std::unique_ptr<TDeviceChangeData> record = std::move(PendingDevice);
        if (handler && record) handler(*this, std::move(record));
        return true;
    });
}

void TShDirWatcher::Run()
{
    // Three events beside the drives in one wait.
    constexpr size_t kMaxChanges = MAXIMUM_WAIT_OBJECTS - 3;
    std::vector<TChangeHandle> changes;
    auto open = [&] {
        changes.clear();
        TLockScope lock(Lock);
        for (size_t i = 0; i < Paths.size();) {
            TChangeHandle change;
            if (changes.size() < kMaxChanges) change = OpenChange(Paths[i], true, NotifyFilter);
            if (!change) {
                Paths.erase(Paths.begin() + ptrdiff_t(i));
                continue;
            }
            changes.push_back(std::move(change));
            ++i;
        }
    };
    open();
    TDeadline quiet, deviceQuiet;
    std::vector<HANDLE> waits;
    for (;;) {
        waits.assign({StopEvent.Get(), DeviceEvent.Get(), PathsEvent.Get()});
        for (const TChangeHandle& change : changes) waits.push_back(change.Get());
        DWORD result = Wait(DWORD(waits.size()), waits.data(), Sooner(quiet.Remaining(), deviceQuiet.Remaining()));
        if (result == WAIT_OBJECT_0) return;
        if (result == WAIT_OBJECT_0 + 1) {
            // A newer record replaced the waiting one: wait again.
            deviceQuiet.Set(DeviceQuietMs);
        } else if (result == WAIT_OBJECT_0 + 2) {
            open();
            quiet.Clear();
        } else if (result >= WAIT_OBJECT_0 + 3 && result < WAIT_OBJECT_0 + waits.size()) {
            size_t index = result - WAIT_OBJECT_0 - 3;
            // A handle that cannot be re-armed is dropped rather than fire on.
            if (!FindNextChangeNotification(changes[index].Get())) changes.erase(changes.begin() + ptrdiff_t(index));
            quiet.Set(QuietMs);
        } else if (result == WAIT_TIMEOUT) {
            if (deviceQuiet.Passed()) {
                deviceQuiet.Clear();
                DeliverDevice();
            }
            if (quiet.Passed()) {
                quiet.Clear();
                bool taken = Report([this] {
                    TChangeEvent handler = OnChange;
                    return handler ? handler(*this) : true;
                });
                if (!taken) quiet.Set(QuietMs);
            }
        } else {
            return;
        }
    }
}
