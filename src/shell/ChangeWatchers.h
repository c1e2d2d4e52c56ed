#pragma once
// Worker threads that wait for changes on disk and report them on the GUI
// thread once the changes have settled, so that a burst of changes brings
// one refresh. A worker only waits on change notifications and events; it
// never touches a window or a shell object. Its reports run on the GUI
// thread while it waits; `Stop` only signals, so it never waits for a
// worker, and a report that arrives after its owner stopped is dropped.
#include "gui/CriticalSection.h"
#include "gui/Handles.h"
#include "shell/IDList.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Quiet periods: a report comes this long after the last change.
constexpr DWORD kDriveQuietMs = 1500;
constexpr DWORD kFolderQuietMs = 2000;
constexpr DWORD kDeviceQuietMs = 1000;

// What the names watcher and the attributes watcher of a folder look for.
constexpr DWORD kNameChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr DWORD kAttributeChanges =
    FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

// A medium or a network drive came or went.
struct TDeviceChangeData {
    enum : uint16_t { kMedium = 1, kNetwork = 2 };
    std::wstring Text;  // a medium's new display text; empty for a network change
    DWORD Event = 0;    // DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE
    uint16_t Kind = 0;
    TIDListPtr IDList;  // the drive's absolute list, for a medium
};

// How often the watcher threads have woken up since the program started.
uint64_t WatcherWakeCount();

class TWatcherThread : public std::enable_shared_from_this<TWatcherThread> {
public:
    virtual ~TWatcherThread() = default;
    TWatcherThread(const TWatcherThread&) = delete;
    TWatcherThread& operator=(const TWatcherThread&) = delete;

    // GUI thread: no report is delivered from now on; the thread ends soon
    // after and the object goes when its last holder lets go.
    void Stop();
    // False once the thread has ended (or could not start).
    bool Running() const { return !Ended; }

protected:
    TWatcherThread();
    void Start();
    virtual void Run() = 0;
    virtual void ClearHandlers() = 0;
    // Waits and counts the wake-up.
    DWORD Wait(DWORD count, const HANDLE* handles, DWORD timeout);
    // Runs `report` on the GUI thread unless the watcher was stopped. False
    // when the GUI declined it for now (to be offered again later).
    bool Report(std::function<bool()> report);

    TFileHandle StopEvent;

private:
    static unsigned __stdcall ThreadProc(void* param);

    bool Stopped = false;  // GUI thread only
    std::atomic<bool> Ended{false};
};

// Watches one folder, without its subfolders.
class TShFilesWatcher final : public TWatcherThread {
public:
    // Return false to have the report offered again after another quiet
    // period (the owner is busy).
    using TChangeEvent = std::function<bool(TShFilesWatcher&, const std::wstring& path)>;

    // The thread starts at once; `path` may be empty. With `folderItself`
    // the folder's own removal or renaming is reported too: some platforms
    // tell a watch nothing when its folder goes, only the folder's parent.
    static std::shared_ptr<TShFilesWatcher> Create(const std::wstring& path, DWORD notifyFilter,
                                                   TChangeEvent onChange, bool folderItself = false,
                                                   DWORD quietMs = kFolderQuietMs);

    // GUI thread. A path that is no existing folder watches nothing.
    void SetPath(const std::wstring& path);
    std::wstring GetPath();

private:
    TShFilesWatcher(DWORD notifyFilter, TChangeEvent onChange, bool folderItself, DWORD quietMs);
    void Run() override;
    void ClearHandlers() override { OnChange = nullptr; }

    TCriticalSection Lock;
    std::wstring Path;  // under Lock
    const DWORD NotifyFilter;
    const bool FolderItself;
    const DWORD QuietMs;
    TFileHandle PathEvent;
    TChangeEvent OnChange;  // GUI thread only
};

// Watches whole drives with their subtrees, and hands device reports back
// to the GUI thread after a quiet second.
class TShDirWatcher final : public TWatcherThread {
public:
    using TChangeEvent = std::function<bool(TShDirWatcher&)>;
    // The handler owns the record.
    using TDeviceEvent = std::function<void(TShDirWatcher&, std::unique_ptr<TDeviceChangeData>)>;

    static std::shared_ptr<TShDirWatcher> Create(const std::vector<std::wstring>& paths, DWORD notifyFilter,
                                                 TDeviceEvent onDevice, TChangeEvent onChange,
                                                 DWORD quietMs = kDriveQuietMs, DWORD deviceQuietMs = kDeviceQuietMs);

    // GUI thread. Only existing folders are kept, each with a trailing "\".
    void SetPaths(const std::vector<std::wstring>& paths);
    std::vector<std::wstring> GetPaths();
    // GUI thread. A record still waiting is replaced (newer wins).
    void PostDevice(std::unique_ptr<TDeviceChangeData> record);

private:
    TShDirWatcher(DWORD notifyFilter, TDeviceEvent onDevice, TChangeEvent onChange, DWORD quietMs,
                  DWORD deviceQuietMs);
    void Run() override;
    void ClearHandlers() override;
    void DeliverDevice();
    static std::vector<std::wstring> ExistingFolders(const std::vector<std::wstring>& paths);

    TCriticalSection Lock;
    std::vector<std::wstring> Paths;  // under Lock; sorted
    const DWORD NotifyFilter;
    const DWORD QuietMs, DeviceQuietMs;
    TFileHandle DeviceEvent, PathsEvent;
    std::unique_ptr<TDeviceChangeData> PendingDevice;  // GUI thread only
    TDeviceEvent OnDeviceChange;                       // GUI thread only
    TChangeEvent OnChange;                             // GUI thread only
};
