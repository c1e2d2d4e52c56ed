// The watcher threads on folders the tests make: reports after the changes
// settle, stopping without waiting, late reports dropped, device records
// coalesced. Quiet periods are shortened here; the controls' own periods are
// exercised in the list and tree tests.
#include "shell/ChangeWatchers.h"
#include "../support/GuiTestHelpers.h"
#include "../support/HostCommand.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;
constexpr DWORD kQuiet = 300;

void Touch(const std::wstring& path) { ASSERT_TRUE(WriteWholeFile(path, {'x'})) << path.c_str(); }

struct TReports {
    std::vector<std::wstring> Paths;
    std::vector<TClock::time_point> Times;
    TShFilesWatcher::TChangeEvent Handler(std::function<bool(int)> answer = nullptr)
    {
        return [this, answer](TShFilesWatcher&, const std::wstring& path) {
            Paths.push_back(path);
            Times.push_back(TClock::now());
            return answer ? answer(int(Paths.size())) : true;
        };
    }
};

class ChangeWatchersTest : public ::testing::Test {
protected:
    TTempFolder Temp;
};

TEST_F(ChangeWatchersTest, ABurstOfChangesGivesOneReportAfterItSettles)
{
    TReports reports;
    auto watcher = TShFilesWatcher::Create(Temp.Path(), kNameChanges, reports.Handler(), false, kQuiet);
    // Changes closer together than the quiet period count as one burst.
    TClock::time_point last{};
    for (int i = 0; i < 8; ++i) {
        Touch(Temp / (L"f" + std::to_wstring(i)));
        last = TClock::now();
        PumpFor(kQuiet / 4);
    }
    ASSERT_TRUE(PumpUntil([&] { return !reports.Paths.empty(); }, 5000));
    PumpFor(kQuiet * 3);
    ASSERT_EQ(reports.Paths.size(), 1u);
    EXPECT_EQ(reports.Paths[0], Temp.Path());
    EXPECT_GE(reports.Times[0] - last, std::chrono::milliseconds(kQuiet - 50));

    // Attribute changes are not name changes.
    SetFileAttributesW((Temp / L"f0").c_str(), FILE_ATTRIBUTE_READONLY);
    PumpFor(kQuiet * 3);
    EXPECT_EQ(reports.Paths.size(), 1u);
    watcher->Stop();
}

TEST_F(ChangeWatchersTest, ADeclinedReportIsOfferedAgainAfterAnotherQuietPeriod)
{
    Touch(Temp / L"a.txt");
    TReports reports;
    auto watcher = TShFilesWatcher::Create(Temp.Path(), kAttributeChanges,
                                           reports.Handler([](int call) { return call > 1; }), false, kQuiet);
    PumpFor(50);
    ASSERT_TRUE(WriteWholeFile(Temp / L"a.txt", {'a', 'b', 'c'}));
    ASSERT_TRUE(PumpUntil([&] { return reports.Paths.size() >= 2; }, 5000));
    EXPECT_GE(reports.Times[1] - reports.Times[0], std::chrono::milliseconds(kQuiet - 50));
    PumpFor(kQuiet * 3);
    EXPECT_EQ(reports.Paths.size(), 2u);
    watcher->Stop();
}

TEST_F(ChangeWatchersTest, StoppingNeverWaitsAndDropsWhatComesLate)
{
    struct TCase {
        const char* What;
        DWORD HoldMs;  // the GUI thread is busy this long after the change, then stops the watcher
    };
    const TCase cases[] = {
        {"stopped in the quiet period", 0},
        {"stopped while its report waits for the GUI thread", kQuiet * 3},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TReports reports;
        auto watcher = TShFilesWatcher::Create(Temp.Path(), kNameChanges, reports.Handler(), false, kQuiet);
        Touch(Temp / (L"x" + std::to_wstring(c.HoldMs)));
        Sleep(c.HoldMs);
        watcher->Stop();
        // The thread ends by itself without anyone pumping for it.
        auto end = TClock::now() + std::chrono::seconds(5);
        while (watcher->Running() && TClock::now() < end) Sleep(5);
        EXPECT_FALSE(watcher->Running());
        PumpFor(kQuiet * 2);
        EXPECT_TRUE(reports.Paths.empty());
    }
}

TEST_F(ChangeWatchersTest, FollowsItsPathAndSeesItsFolderGo)
{
    std::wstring first = Temp / L"first", second = Temp / L"second";
    CreateDirectoryW(first.c_str(), nullptr);
    CreateDirectoryW(second.c_str(), nullptr);
    TReports reports;
    auto watcher = TShFilesWatcher::Create(first, kNameChanges, reports.Handler(), true, kQuiet);
    EXPECT_EQ(watcher->GetPath(), first);

    watcher->SetPath(Temp / L"missing");
    EXPECT_EQ(watcher->GetPath(), L"");
    watcher->SetPath(second);
    PumpFor(100);
    Touch(first + L"\\old.txt");
    Touch(second + L"\\new.txt");
    ASSERT_TRUE(PumpUntil([&] { return !reports.Paths.empty(); }, 5000));
    PumpFor(kQuiet * 2);
    ASSERT_EQ(reports.Paths.size(), 1u);
    EXPECT_EQ(reports.Paths[0], second);

    // A sibling coming is no change of this folder; this folder going is,
    // even where its own watch is not told.
    CreateDirectoryW((Temp / L"sibling").c_str(), nullptr);
    PumpFor(kQuiet * 3);
    EXPECT_EQ(reports.Paths.size(), 1u);
    ASSERT_TRUE(RunOnHost(L"rm -rf " + ShellQuoted(HostPath(second))));
    ASSERT_TRUE(PumpUntil([&] { return reports.Paths.size() == 2; }, 5000));
    EXPECT_EQ(reports.Paths[1], second);
    watcher->Stop();
}

TEST_F(ChangeWatchersTest, DriveWatcherReportsSettledChangesAndTheLatestDevice)
{
    int changes = 0;
    std::vector<std::wstring> devices;
    auto watcher = TShDirWatcher::Create(
        {Temp.Path(), Temp / L"missing", Temp.Path() + L"\\"}, kNameChanges,
        [&](TShDirWatcher&, std::unique_ptr<TDeviceChangeData> change) { devices.push_back(change->Text); },
        [&](TShDirWatcher&) {
            ++changes;
            return true;
        },
        kQuiet, kQuiet);
    // Existing folders only, once each, with a trailing backslash.
    EXPECT_EQ(watcher->GetPaths(), std::vector<std::wstring>{Temp.Path() + L"\\"});

    for (int i = 0; i < 5; ++i) {
        Touch(Temp / (L"d" + std::to_wstring(i)));
        PumpFor(kQuiet / 4);
    }
    ASSERT_TRUE(PumpUntil([&] { return changes > 0; }, 5000));
    PumpFor(kQuiet * 2);
    EXPECT_EQ(changes, 1);

    // Two device changes within the quiet period: the later one, once.
    for (const wchar_t* text : {L"first (E:)", L"second (E:)"}) {
        auto record = std::make_unique<TDeviceChangeData>();
        record->Text = text;
        record->Event = DBT_DEVICEARRIVAL;
        record->Kind = TDeviceChangeData::kMedium;
        watcher->PostDevice(std::move(record));
        PumpFor(kQuiet / 3);
    }
    ASSERT_TRUE(PumpUntil([&] { return !devices.empty(); }, 5000));
    PumpFor(kQuiet * 2);
    EXPECT_EQ(devices, std::vector<std::wstring>{L"second (E:)"});

    // Without paths nothing is watched.
    watcher->SetPaths({});
    PumpFor(100);
    Touch(Temp / L"unseen");
    PumpFor(kQuiet * 3);
    EXPECT_EQ(changes, 1);

    // Stopped while a device record waits: nothing more is delivered.
    auto record = std::make_unique<TDeviceChangeData>();
    record->Text = L"late";
    watcher->PostDevice(std::move(record));
    watcher->Stop();
    PumpFor(kQuiet * 3);
    EXPECT_EQ(devices.size(), 1u);
}

TEST_F(ChangeWatchersTest, WatchersComeAndGoWhileTheFolderKeepsChanging)
{
    // A writer keeps the folder busy while watchers are made and stopped
    // at every stage of their reports.
    std::atomic<bool> stop{false};
    std::wstring folder = Temp.Path();
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) {
            std::wstring name = folder + L"\\w" + std::to_wstring(i % 50);
            HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
            DeleteFileW(name.c_str());
            // Bursts with pauses longer than the quiet period, so that
            // reports keep coming.
            Sleep(i % 10 == 9 ? 40 : 1);
        }
    });
    int reports = 0, late = 0;
    std::vector<std::shared_ptr<TShFilesWatcher>> stopped;
    for (int round = 0; round < 150; ++round) {
        auto isStopped = std::make_shared<bool>(false);
        auto watcher = TShFilesWatcher::Create(
            folder, kNameChanges,
            [&, isStopped](TShFilesWatcher&, const std::wstring&) {
                ++reports;
                if (*isStopped) ++late;
                return true;
            },
            true, 20);
        DWORD hold = DWORD(round % 7) * 15;
        if (round % 2) PumpFor(hold);
        else Sleep(hold);  // reports pile up unhandled
        watcher->Stop();
        *isStopped = true;
        stopped.push_back(watcher);
    }
    stop = true;
    writer.join();
    PumpFor(300);
    auto end = TClock::now() + std::chrono::seconds(5);
    for (auto& watcher : stopped)
        while (watcher->Running() && TClock::now() < end) Sleep(5);
    for (auto& watcher : stopped) EXPECT_FALSE(watcher->Running());
    EXPECT_GT(reports, 0);
    EXPECT_EQ(late, 0);
}

}  // namespace
