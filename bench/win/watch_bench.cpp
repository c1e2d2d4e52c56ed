// The change watchers: how often their threads wake while nothing changes,
// what a storm of new files costs a watched list, and how a re-population
// after a change compares with a fresh SetFolder of the same large folder.
// Prints counts and ratios, never bare times alone.
#include "../../tests/support/HostCommand.h"
#include "../../tests/win/TestListView.h"
#include "BenchPump.h"
#include "browser/ShellListView.h"
#include "browser/ShellTreeView.h"
#include "gui/MessageLoop.h"
#include "shell/ChangeWatchers.h"

#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// The test stand-in for a list control, counting re-populations (reported
// changes), attribute passes (invalidations without a new enumeration) and
// timing each outermost update.
class TCountingView : public TTestListView {
public:
    void ListChanged() override
    {
        TTestListView::ListChanged();
        ++Populations;
    }
    void Invalidate() override
    {
        TTestListView::Invalidate();
        ++Invalidations;
    }
    void BeginUpdate() override
    {
        if (Depth++ == 0) Started = TClock::now();
        TTestListView::BeginUpdate();
    }
    void EndUpdate() override
    {
        TTestListView::EndUpdate();
        if (--Depth == 0) LastUpdate = Seconds(Started);
    }

    int Populations = 0, Invalidations = 0;
    double LastUpdate = 0;

private:
    int Depth = 0;
    TClock::time_point Started;
};

TIDListPtr ListOf(const std::wstring& path) { return PathToIDList(path); }

// CPU time of every thread of the process but the calling one, in ms.
double OtherThreadsCpuMs()
{
    double total = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == GetCurrentThreadId()) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        FILETIME created, ended, kernel, user;
        if (GetThreadTimes(thread, &created, &ended, &kernel, &user))
            total += ((uint64_t(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
                      (uint64_t(user.dwHighDateTime) << 32 | user.dwLowDateTime)) /
                     10000.0;
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return total;
}

// Three folder windows' lists and a tree, nothing changing on disk.
void BenchIdle(const std::wstring& root, double seconds)
{
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 900, 600, nullptr, nullptr, nullptr, nullptr);
    TSHTreeView tree(host);
    std::vector<std::unique_ptr<TSHListView>> lists;
    for (int i = 0; i < 3; ++i) {
        std::wstring folder = root + L"\\idle" + std::to_wstring(i);
        CreateDirectoryW(folder.c_str(), nullptr);
        lists.push_back(std::make_unique<TSHListView>(host));
        TIDListPtr list = ListOf(folder);
        lists.back()->SetFolder(list.get());
    }
    // Whatever the start stirred up settles first.
    PumpUntil([] { return false; }, 3.0);
    uint64_t wakes = WatcherWakeCount();
    double cpu = OtherThreadsCpuMs();
    PumpUntil([] { return false; }, seconds);
    uint64_t woke = WatcherWakeCount() - wakes;
    double used = OtherThreadsCpuMs() - cpu;
    std::printf("watch.idle_wakeups: %llu in %.0f s with 3 folder lists and a tree watching (goal 0); "
                "CPU of all other threads %.1f ms\n",
                static_cast<unsigned long long>(woke), seconds, used);
    lists.clear();
    DestroyWindow(host);
}

// 10,000 files made from the host within a second in a watched folder.
void BenchStorm(const std::wstring& root)
{
    std::wstring folder = root + L"\\storm" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    TCountingView view;
    TSHFileList list(view);
    TIDListPtr absolute = ListOf(folder);
    list.SetFolder(absolute.get());
    PumpUntil([] { return false; }, 0.5);
    int populations = view.Populations, passes = view.Invalidations;
    uint64_t wakes = WatcherWakeCount();

    std::wstring timing = root + L"\\storm.seconds";
    std::wstring command = L"cd " + ShellQuoted(HostPath(folder)) +
                           L" && perl -MTime::HiRes=time -e '$t = time; for $i (0..9999) "
                           L"{ open(F, q(>), qq(f$i.txt)) or die; close F } printf(q(%.3f), time - $t)' > " +
                           ShellQuoted(HostPath(timing));
    if (!RunOnHost(command, 60000)) {
        std::printf("watch.storm: the files could not be made from the host\n");
        return;
    }
    auto made = TClock::now();
    bool shown = PumpUntil([&] { return list.Count() == 10000; }, 30.0);
    double toShown = Seconds(made);
    // Anything more that comes, within a few quiet periods.
    PumpUntil([] { return false; }, 3 * kFolderQuietMs / 1000.0);
    char spent[32] = {};
    if (FILE* f = _wfopen(timing.c_str(), L"rb")) {
        fread(spent, 1, sizeof spent - 1, f);
        fclose(f);
    }
    std::printf("watch.storm_10000_files (made in %s s): %d re-population(s) (goal 1), %d attribute pass(es) "
                "(goal <= 1), %d rows shown (goal 10000)%s; shown %.1f s after the last file (quiet period %.1f s); "
                "%llu wake-ups of the watchers\n",
                spent, view.Populations - populations, view.Invalidations - passes, list.Count(),
                shown ? "" : " [not all shown]", toShown, kFolderQuietMs / 1000.0,
                static_cast<unsigned long long>(WatcherWakeCount() - wakes));
    list.SetFolder(ListOf(root).get());
    RunOnHost(L"rm -rf " + ShellQuoted(HostPath(folder)) + L" " + ShellQuoted(HostPath(timing)), 60000);
}

// The large folder: fresh SetFolder against the re-population a change
// brings.
void BenchRepopulation(const std::wstring& root)
{
    std::wstring folder = root + L"\\files100000";
    TIDListPtr large = ListOf(folder), small = ListOf(root);
    if (!large) {
        std::printf("watch.repopulate: no folder %ls\n", folder.c_str());
        return;
    }
    TCountingView view;
    TSHFileList list(view);
    double fresh = 1e9;
    for (int run = 0; run < 3; ++run) {
        list.SetFolder(small.get());
        list.SetFolder(large.get());
        fresh = std::min(fresh, view.LastUpdate);
    }
    // A file comes and goes: each brings one re-population.
    double again = 1e9;
    int passes = view.Invalidations;
    std::wstring probe = folder + L"\\watch-probe.txt";
    for (int run = 0; run < 2; ++run) {
        int before = view.Populations;
        if (run == 0) CloseHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        else DeleteFileW(probe.c_str());
        if (!PumpUntil([&] { return view.Populations > before; }, 30.0)) {
            std::printf("watch.repopulate: no report came\n");
            break;
        }
        again = std::min(again, view.LastUpdate);
        PumpUntil([] { return false; }, 3.0);
    }
    DeleteFileW(probe.c_str());
    std::printf("watch.repopulate_after_change.100000: %.2fx a fresh SetFolder (fresh %.0f ms, after a change %.0f ms; "
                "goal <= 1.1x); %d attribute pass(es) besides\n",
                again / fresh, fresh * 1000, again * 1000, view.Invalidations - passes);
    // What an attribute pass over the same rows costs, as its report runs it.
    auto start = TClock::now();
    list.FolderAttributesChanged(folder);
    double pass = Seconds(start);
    std::printf("watch.attribute_pass.100000: %.2fx a fresh SetFolder (%.0f ms)\n", pass / fresh, pass * 1000);
}

}  // namespace

int main(int argc, char** argv)
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    std::wstring root = L"C:\\quirevue-bench";
    if (argc > 1) {
        std::string arg = argv[1];
        root.assign(arg.begin(), arg.end());
    }
    CreateDirectoryW(root.c_str(), nullptr);
    const char* idle = std::getenv("QV_IDLE_SECONDS");
    BenchIdle(root, idle ? std::atof(idle) : 60.0);
    BenchStorm(root);
    BenchRepopulation(root);
    OleUninitialize();
    return 0;
}
