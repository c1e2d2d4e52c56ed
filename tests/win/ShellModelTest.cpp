// The shell namespace model under Wine's real shell: identifier lists, data
// items and the file list over folders the tests make.
#include "TestListView.h"
#include "shell/DataItem.h"
#include "core/shell/FileFilter.h"
#include "shell/FileList.h"
#include "shell/IDList.h"
#include "shell/ShellHelpers.h"
#include "../support/HostCommand.h"
#include "../support/ShellTestHelpers.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ShellEnvironment : public ::testing::Environment {
    void SetUp() override
    {
        OleInitialize(nullptr);
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
    }
};
const auto* const kShellEnvironment = ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

TIDListPtr Special(int csidl) { return GetSpecialFolderIDList(csidl); }

std::vector<std::wstring> RowNames(TSHFileList& list)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Rows(i)->GetFindData().Name);
    return names;
}

}  // namespace

TEST(IDListFunctions, LevelsAndShapesOfRealLists)
{
    TIDListPtr desktop = Special(CSIDL_DESKTOP), drives = Special(CSIDL_DRIVES), driveC = ListOf(L"C:\\");
    ASSERT_TRUE(desktop && drives && driveC);
    EXPECT_EQ(GetIDListLevel(desktop.get()), 0);
    EXPECT_EQ(GetIDListLevel(drives.get()), 1);
    EXPECT_EQ(GetIDListLevel(driveC.get()), 2);
    EXPECT_EQ(GetIDListLevel(nullptr), -1);
    EXPECT_TRUE(IsDesktopIDList(DesktopFolder(), desktop.get()));

    EXPECT_EQ(GetParentIDList(drives.get()), nullptr);  // the parent of a level-1 list is the desktop
    TIDListPtr parentOfC(GetParentIDList(driveC.get()));
    EXPECT_EQ(CompareIDLists(DesktopFolder(), parentOfC.get(), drives.get()), kIDListEqual);
    EXPECT_EQ(CopyFirstItem(desktop.get()), nullptr);

    TIDListPtr joined(ConcatIDLists(desktop.get(), drives.get()));
    EXPECT_EQ(GetIDListSize(joined.get()), GetIDListSize(desktop.get()) + GetIDListSize(drives.get()) - 2);
    EXPECT_EQ(CompareIDLists(DesktopFolder(), joined.get(), drives.get()), kIDListEqual);

    std::wstring path;
    EXPECT_FALSE(IDListToPath(drives.get(), path));  // virtual: no path
    EXPECT_TRUE(path.empty());
    EXPECT_TRUE(IDListToPath(driveC.get(), path));
    EXPECT_EQ(path, L"C:\\");
}

TEST(IDListFunctions, OnlyFullWindowsPathsAreParsed)
{
    TTempFolder temp;
    for (const wchar_t* bad : {L"", L"/tmp/x", L"relative\\name", L"x"}) EXPECT_FALSE(PathToIDList(bad)) << bad;
    std::wstring folder = temp / Utf8Path("日本語 フォルダ");
    CreateDirectoryW(folder.c_str(), nullptr);
    TIDListPtr parsed = ListOf(folder);
    std::wstring back;
    ASSERT_TRUE(IDListToPath(parsed.get(), back));
    EXPECT_EQ(back, folder);
}

TEST(IDListFunctions, FileTimesAndPaths)
{
    EXPECT_EQ(FileTimeToDate(FILETIME{0, 12345}), 0);
    EXPECT_EQ(FileTimeToDate(FILETIME{12345, 0}), 0);
    FILETIME ft = DateToFileTime(45292.5);  // 2024-01-01 12:00 local
    EXPECT_NEAR(FileTimeToDate(ft), 45292.5, 1e-6);
    FILETIME none = DateToFileTime(1000);  // 1902: no DOS date
    EXPECT_EQ(none.dwLowDateTime | none.dwHighDateTime, 0u);
    EXPECT_EQ(JoinPath(L"C:\\", L"a"), L"C:\\a");
    EXPECT_EQ(JoinPath(L"C:\\x", L"a"), L"C:\\x\\a");
    EXPECT_EQ(IncludeBackslash(L"C:\\x"), L"C:\\x\\");
    EXPECT_EQ(IncludeBackslash(L"C:\\"), L"C:\\");
}

TEST(DataItems, KindsOfTheNamespace)
{
    TTempFolder temp;
    MakeFile(temp / L"a.txt", 3);
    struct TCase {
        const char* What;
        TIDListPtr List;
        TShItemIDType Kind;
    };
    TCase cases[] = {
        {"desktop", Special(CSIDL_DESKTOP), itDeskTop},
        {"my computer", Special(CSIDL_DRIVES), itMyComputer},
        {"recycle bin", Special(CSIDL_BITBUCKET), itBitBucket},
        {"drive", ListOf(L"C:\\"), itRootDrive},
        {"folder", ListOf(temp.Path()), itFolder},
        {"file", ListOf(temp / L"a.txt"), itFile},
        {"control panel", Special(CSIDL_CONTROLS), itVirtual},
    };
    for (TCase& c : cases) {
        SCOPED_TRACE(c.What);
        ASSERT_TRUE(c.List);
        TSHFolderItem item(nullptr, GetLastItem(c.List.get()) ? GetLastItem(c.List.get()) : CopyIDList(c.List.get()),
                           CopyIDList(c.List.get()));
        EXPECT_EQ(item.GetItemIDType(), c.Kind);
    }
    // The root of the tree answers with the desktop directory's path.
    TIDListPtr desktopDir = Special(CSIDL_DESKTOPDIRECTORY);
    TSHFolderItem root(nullptr, CopyIDList(desktopDir.get()), CopyIDList(Special(CSIDL_DESKTOP).get()));
    std::wstring expected;
    GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, expected);
    EXPECT_EQ(root.GetPath(), expected);
    EXPECT_FALSE(root.GetDisplayName().empty());
}

class FileListTest : public ::testing::Test {
protected:
    void Show(TSHFileList& list, const std::wstring& folder)
    {
        TIDListPtr absolute = ListOf(folder);
        ASSERT_TRUE(absolute);
        list.SetFolder(absolute.get());
    }
    TTempFolder Temp;
    TTestListView View;
};

TEST_F(FileListTest, RowsCarryTheirFileData)
{
    SYSTEMTIME when{2024, 3, 0, 15, 10, 30, 0, 0};
    MakeFile(Temp / L"empty.txt", 0);
    MakeFile(Temp / L"one.txt", 1);
    MakeFile(Temp / L"kilo.bin", 1024, FILE_ATTRIBUTE_NORMAL, &when);
    MakeFile(Temp / L"kilo1.bin", 1025);
    MakeFile(Temp / L"hidden.dat", 10, FILE_ATTRIBUTE_HIDDEN);
    MakeFile(Temp / Utf8Path("日本語.txt"), 5);
    MakeFile(Temp / Utf8Path("한글.txt"), 6);  // outside code page 932
    CreateDirectoryW((Temp / L"sub").c_str(), nullptr);

    TSHFileList list(View);
    Show(list, Temp.Path());
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(View.Changes, 1);
    EXPECT_EQ(SendMessageW(View.ViewWindow(), LVM_GETITEMCOUNT, 0, 0), 8);
    EXPECT_EQ(RowNames(list).front(), L"sub");  // folders first

    auto row = [&](const std::wstring& name) -> TSHFileItem& {
        for (int i = 0; i < list.Count(); ++i)
            if (list.Rows(i)->GetFindData().Name == name) return *list.Rows(i);
        ADD_FAILURE() << "no row";
        return *list.Rows(0);
    };
    EXPECT_EQ(row(L"empty.txt").GetSizeText(), L"0KB");
    EXPECT_EQ(row(L"one.txt").GetSizeText(), L"1KB");
    EXPECT_EQ(row(L"kilo.bin").GetSizeText(), L"1KB");
    EXPECT_EQ(row(L"kilo1.bin").GetSizeText(), L"2KB");
    EXPECT_EQ(row(L"sub").GetSizeText(), L"");
    std::wstring date = row(L"kilo.bin").GetDateText();  // the locale's short date, then the time
    EXPECT_EQ(date.find(L"2024"), 0u) << date.c_str();
    EXPECT_NE(date.find(L"15 10:30"), std::wstring::npos) << date.c_str();
    EXPECT_EQ(row(Utf8Path("한글.txt")).GetPath(), Temp / Utf8Path("한글.txt"));
    EXPECT_EQ(row(L"sub").GetItemIDType(), itFolder);
    EXPECT_EQ(row(L"one.txt").GetItemIDType(), itFile);
    EXPECT_EQ(row(L"one.txt").GetTypeText(), row(L"empty.txt").GetTypeText());
    EXPECT_FALSE(row(L"one.txt").GetTypeText().empty());
    EXPECT_GE(row(L"one.txt").GetIconIndex(), 0);
    EXPECT_EQ(list.GetTotalSize(), 0u + 1 + 1024 + 1025 + 10 + 5 + 6);
    EXPECT_GT(list.GetFreeSpace(), 0u);

    View.Hidden = false;
    list.Populate();
    EXPECT_EQ(list.Count(), 7);
}

// A request that arrives while a folder is being enumerated (a shell call
// may pump messages) is not lost: the latest one runs once the enumeration
// ends, so that the list and the tree agree.
TEST_F(FileListTest, FolderAskedForDuringAnEnumerationFollowsIt)
{
    std::wstring first = Temp / L"first", second = Temp / L"second", third = Temp / L"third";
    for (const std::wstring& folder : {first, second, third}) CreateDirectoryW(folder.c_str(), nullptr);
    MakeFile(first + L"\\a.txt");
    MakeFile(third + L"\\c.txt");
    TSHFileList list(View);
    TIDListPtr secondList = ListOf(second), thirdList = ListOf(third);
    int rows = 0;
    View.OnRow = [&](TSHFileItem&) {
        if (rows++ > 0) return;
        list.SetFolder(secondList.get());
        list.SetFolder(thirdList.get());  // the latest request wins
    };
    Show(list, first);
    EXPECT_EQ(list.GetFolderPath(), third);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Rows(0)->GetDisplayName(), L"c.txt");
}

TEST_F(FileListTest, EmptyFolderStillReportsTheChange)
{
    TSHFileList list(View);
    Show(list, Temp.Path());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(View.Changes, 1);
}

TEST_F(FileListTest, SortsByEveryColumnBothWays)
{
    SYSTEMTIME early{2020, 1, 0, 1, 0, 0, 0, 0}, late{2023, 1, 0, 1, 0, 0, 0, 0};
    MakeFile(Temp / L"b.txt", 300, FILE_ATTRIBUTE_ARCHIVE, &late);
    MakeFile(Temp / L"a.log", 100, FILE_ATTRIBUTE_READONLY, &early);
    MakeFile(Temp / L"file10.txt", 200, FILE_ATTRIBUTE_NORMAL, &early);
    MakeFile(Temp / L"file2.txt", 400, FILE_ATTRIBUTE_NORMAL, &late);
    CreateDirectoryW((Temp / L"zdir").c_str(), nullptr);

    TSHFileList list(View);
    Show(list, Temp.Path());
    struct TCase {
        THeaderCaption Column;
        int Direction;
        std::vector<std::wstring> Order;
    };
    const TCase cases[] = {
        {hcName, 1, {L"zdir", L"a.log", L"b.txt", L"file2.txt", L"file10.txt"}},
        {hcName, -1, {L"file10.txt", L"file2.txt", L"b.txt", L"a.log", L"zdir"}},
        {hcSize, 1, {L"zdir", L"a.log", L"file10.txt", L"b.txt", L"file2.txt"}},
        {hcSize, -1, {L"file2.txt", L"b.txt", L"file10.txt", L"a.log", L"zdir"}},
        {hcType, 1, {L"zdir", L"a.log", L"b.txt", L"file2.txt", L"file10.txt"}},
        {hcLastWrite, 1, {L"zdir", L"a.log", L"file10.txt", L"b.txt", L"file2.txt"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Column) << " " << c.Direction);
        list.SortDirections[c.Column] = c.Direction;
        list.SortBy(c.Column);
        if (c.Column == hcType) {
            // Type names are the system's: only the grouping by type is fixed.
            std::vector<std::wstring> names = RowNames(list);
            EXPECT_EQ(names.front(), L"zdir");
            continue;
        }
        EXPECT_EQ(RowNames(list), c.Order);
    }
}

TEST_F(FileListTest, SortByKeepsExactlyTheSelectedRows)
{
    for (int i = 0; i < 1000; ++i) MakeFile(Temp / (L"f" + std::to_wstring(i) + L".txt"), uint64_t((i * 7919) % 1000));
    TSHFileList list(View);
    Show(list, Temp.Path());
    ASSERT_EQ(list.Count(), 1000);
    for (bool mostSelected : {true, false}) {
        SCOPED_TRACE(mostSelected);
        std::vector<std::wstring> chosen;
        View.SelectAll(false);
        for (int i = 0; i < 1000; ++i) {
            bool pick = mostSelected ? i % 10 != 3 : i % 10 == 3;
            if (!pick) continue;
            View.SetSelected(i, true);
            chosen.push_back(list.Rows(i)->GetFindData().Name);
        }
        View.SetFocusedIndex(5);
        std::wstring focused = list.Rows(5)->GetFindData().Name;

        list.SortBy(mostSelected ? hcSize : hcName);
        std::vector<std::wstring> now;
        for (int i = View.NextSelected(-1); i >= 0; i = View.NextSelected(i)) now.push_back(list.Rows(i)->GetFindData().Name);
        std::sort(chosen.begin(), chosen.end());
        std::sort(now.begin(), now.end());
        EXPECT_EQ(now, chosen);
        EXPECT_EQ(list.Rows(View.FocusedIndex())->GetFindData().Name, focused);
        EXPECT_EQ(View.SelUpdates, 0);
    }
}

TEST_F(FileListTest, FilterDecidesWhichRowsAreListed)
{
    MakeFile(Temp / L"a.txt", 1500);
    MakeFile(Temp / L"b.log", 5000);
    MakeFile(Temp / L"c.bmp", 1024);
    MakeFile(Temp / L"ro.txt", 10, FILE_ATTRIBUTE_READONLY);
    TSHFileFilter filter;
    filter.Conditions = fcName;
    filter.Masks = {"*.txt", "*.log"};
    View.Filter = &filter;
    TSHFileList list(View);
    Show(list, Temp.Path());
    std::vector<std::wstring> names = RowNames(list);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a.txt", L"b.log", L"ro.txt"}));

    filter.FilterMode = 1;
    list.Populate();
    EXPECT_EQ(RowNames(list), std::vector<std::wstring>{L"c.bmp"});

    filter = TSHFileFilter();
    filter.Conditions = fcSize;
    filter.SizeCompare1 = 3;  // at least 1024
    filter.Size1 = 1024;
    filter.SizeCompare2 = 2;  // and less than 4096
    filter.Size2 = 4096;
    list.Populate();
    names = RowNames(list);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a.txt", L"c.bmp"}));
}

TEST_F(FileListTest, VirtualObjectRulesOnTheDesktopAndMyComputer)
{
    TSHFileList list(View);
    TIDListPtr desktop = Special(CSIDL_DESKTOP), drives = Special(CSIDL_DRIVES);
    auto kinds = [&] {
        std::vector<TShItemIDType> found;
        for (int i = 0; i < list.Count(); ++i) found.push_back(list.Rows(i)->GetItemIDType());
        return found;
    };
    auto has = [](const std::vector<TShItemIDType>& v, TShItemIDType k) { return std::count(v.begin(), v.end(), k) > 0; };

    View.Virtual = 0;
    list.SetFolder(desktop.get());
    std::vector<TShItemIDType> none = kinds();
    EXPECT_FALSE(has(none, itBitBucket));
    EXPECT_FALSE(has(none, itVirtual));
    EXPECT_TRUE(has(none, itMyComputer));

    View.Virtual = kDefaultVirtuaItems;
    list.Populate();
    EXPECT_TRUE(has(kinds(), itBitBucket));

    View.Virtual = 0;
    list.SetFolder(drives.get());
    std::vector<TShItemIDType> noVirtual = kinds();
    EXPECT_TRUE(has(noVirtual, itRootDrive));
    EXPECT_FALSE(has(noVirtual, itVirtual));
    View.Virtual = ShVirtuaBit(itVirtual);
    list.Populate();
    EXPECT_TRUE(has(kinds(), itVirtual));  // the control panel

    // The desktop has no path: sorting it by attributes keeps its order.
    list.SetFolder(desktop.get());
    std::vector<PCIDList> before;
    for (int i = 0; i < list.Count(); ++i) before.push_back(list.Rows(i)->RelativeList());
    list.SortBy(hcAttr);
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Rows(i)->RelativeList(), before[size_t(i)]);
}

TEST_F(FileListTest, RenameIsAcceptedOrRefusedWithoutDamage)
{
    MakeFile(Temp / L"old.txt", 1);
    MakeFile(Temp / L"taken.txt", 2);
    TSHFileList list(View);
    Show(list, Temp.Path());
    TSHFileItem* row = nullptr;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Rows(i)->GetFindData().Name == L"old.txt") row = list.Rows(i);
    ASSERT_TRUE(row);

    PCIDList before = row->RelativeList();
    EXPECT_FALSE(row->Rename(L"taken.txt"));
    EXPECT_EQ(row->RelativeList(), before);
    EXPECT_TRUE(FileExists(Temp / L"old.txt"));

    EXPECT_TRUE(row->Rename(Utf8Path("新しい.txt")));
    EXPECT_TRUE(FileExists(Temp / Utf8Path("新しい.txt")));
    EXPECT_EQ(row->GetPath(), Temp / Utf8Path("新しい.txt"));

    EXPECT_TRUE(row->Rename(Utf8Path("新しい.TXT")));  // case only
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((Temp / Utf8Path("新しい.*")).c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_EQ(std::wstring(data.cFileName), Utf8Path("新しい.TXT"));
}

TEST_F(FileListTest, SizesAreSixtyFourBit)
{
    const uint64_t fiveGiB = 5ull << 30;
    MakeFile(Temp / L"big.bin", fiveGiB);
    TSHFileList list(View);
    Show(list, Temp.Path());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Rows(0)->GetFileSize(), fiveGiB);
    EXPECT_EQ(list.Rows(0)->GetSizeText(), L"5,242,880KB");
    EXPECT_EQ(list.GetTotalSize(), fiveGiB);
}

TEST_F(FileListTest, VanishedFolderEmptiesTheList)
{
    std::wstring folder = Temp / L"gone";
    CreateDirectoryW(folder.c_str(), nullptr);
    MakeFile(folder + L"\\x.txt", 1);
    TSHFileList list(View);
    Show(list, folder);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.WatchedFolder(), folder);
    // Removed from outside: the list's own watcher reports it.
    ASSERT_TRUE(RunOnHost(L"rm -rf " + ShellQuoted(HostPath(folder))));
    PumpUntil([&] { return !list.GetFolderIDList(); }, 6000);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetFolderIDList(), nullptr);
}
