// The date and attribute dialogs on real folders: what they read when they
// open, what OK writes to the selected objects and below them, that the walk
// stays out of links, and the dates they refuse.
#include "DialogTesting.h"
#include "dialogs/AttributeDialog.h"
#include "dialogs/DatePickers.h"
#include "dialogs/DateTimeDialog.h"
#include "res/DialogIds.h"
#include "../support/DialogAnswerer.h"

#include <gtest/gtest.h>

namespace {

// Wine reports every file as archive whatever is set, so the archive bit is
// left out of the comparisons.
constexpr DWORD kShown = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()) & kShown; }

TDateTimeParts Parts(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    TDateTimeParts p;
    p.Year = y, p.Month = mo, p.Day = d, p.Hour = h, p.Minute = mi, p.Second = s;
    return p;
}

struct TStamps {
    TDateTimeParts Creation, LastWrite, LastAccess;
};

TStamps StampsOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    TStamps stamps;
    FileTimeToLocalParts(data.ftCreationTime, stamps.Creation);
    FileTimeToLocalParts(data.ftLastWriteTime, stamps.LastWrite);
    FileTimeToLocalParts(data.ftLastAccessTime, stamps.LastAccess);
    return stamps;
}

bool SameMinute(const TDateTimeParts& a, const TDateTimeParts& b)
{
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour && a.Minute == b.Minute;
}

// d1\f1, d1\sub\f2, d1\sub\deeper\f3, d2\f4 and a loose file. (Wine
// makes no reparse points: that the walk never enters one is tested on the
// walk itself, in the host tests.)
class BatchObjectsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitDialogControls(); }
    void SetUp() override
    {
        for (const wchar_t* folder : {L"d1", L"d1\\sub", L"d1\\sub\\deeper", L"d2"})
            CreateDirectoryW((Temp / folder).c_str(), nullptr);
        MakeNamedFiles(Temp.Path(), {L"loose.txt", L"d1\\f1", L"d1\\sub\\f2", L"d1\\sub\\deeper\\f3", L"d2\\f4"});
    }
    const std::vector<std::wstring> Below = {L"d1\\f1", L"d1\\sub", L"d1\\sub\\f2", L"d1\\sub\\deeper",
                                             L"d1\\sub\\deeper\\f3", L"d2\\f4"};
    TTempFolder Temp;
};

}  // namespace

TEST_F(BatchObjectsTest, TheAttributeDialogShowsTheFirstObjectAndRewritesTheWholeSet)
{
    SetFileAttributesW((Temp / L"loose.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    TSubForm01090 dialog(nullptr, Temp.Path(), {L"loose.txt"});
    ASSERT_TRUE(dialog.Create());
    DWORD shown = GetFileAttributesW((Temp / L"loose.txt").c_str());
    EXPECT_TRUE(IsDlgButtonChecked(dialog.Handle(), IDC_READONLY));
    EXPECT_TRUE(IsDlgButtonChecked(dialog.Handle(), IDC_HIDDEN));
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_ARCHIVE) != 0, (shown & FILE_ATTRIBUTE_ARCHIVE) != 0);
    EXPECT_FALSE(IsDlgButtonChecked(dialog.Handle(), IDC_SYSTEM));
    EXPECT_FALSE(ItemEnabled(dialog, IDC_SUBFOLDERS));  // files only
    dialog.PressOk();
    EXPECT_EQ(Attributes(Temp / L"loose.txt"), DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));

    TSubForm01090 clear(nullptr, Temp.Path(), {L"loose.txt"});
    ASSERT_TRUE(clear.Create());
    ClickButton(clear, IDC_READONLY);
    ClickButton(clear, IDC_HIDDEN);
    clear.PressOk();
    EXPECT_EQ(Attributes(Temp / L"loose.txt"), 0u);
    EXPECT_EQ(clear.FailedCount(), 0u);
}

TEST_F(BatchObjectsTest, AttributesReachEveryDepthBelowTheSelectedFolders)
{
    TSubForm01090 dialog(nullptr, Temp.Path(), {L"d1", L"d2"});
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(ItemEnabled(dialog, IDC_SUBFOLDERS));
    ClickButton(dialog, IDC_SUBFOLDERS);
    if (IsDlgButtonChecked(dialog.Handle(), IDC_ARCHIVE)) ClickButton(dialog, IDC_ARCHIVE);
    ClickButton(dialog, IDC_HIDDEN);
    dialog.PressOk();
    for (const std::wstring& path : Below) EXPECT_EQ(Attributes(Temp / path), DWORD(FILE_ATTRIBUTE_HIDDEN)) << path;
    EXPECT_EQ(Attributes(Temp / L"d1"), DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Attributes(Temp.Path()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Attributes(Temp / L"loose.txt") & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(BatchObjectsTest, DatesReachFilesAndFoldersBelowAtTwoSecondSteps)
{
    TSubForm01080 dialog(nullptr, Temp.Path(), {L"d1", L"d2"});
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(ItemEnabled(dialog, IDC_SUBFOLDERS));
    ClickButton(dialog, IDC_SUBFOLDERS);
    TDateTimeParts creation = Parts(2005, 3, 4, 10, 20, 31), lastWrite = Parts(2006, 7, 8, 9, 10, 11),
                   access = Parts(2007, 1, 2);
    SetPickerParts(dialog.Item(IDC_DATE1D), creation);
    SetPickerParts(dialog.Item(IDC_DATE1T), creation);
    SetPickerParts(dialog.Item(IDC_DATE2D), lastWrite);
    SetPickerParts(dialog.Item(IDC_DATE2T), lastWrite);
    SetPickerParts(dialog.Item(IDC_DATE3D), Parts(2007, 1, 2, 15, 16, 17));
    dialog.PressOk();
    EXPECT_TRUE(dialog.Closed());

    std::vector<std::wstring> stamped = Below;
    stamped.insert(stamped.end(), {L"d1", L"d2"});
    for (const std::wstring& path : stamped) {
        TStamps stamps = StampsOf(Temp / path);
        EXPECT_TRUE(SameMinute(stamps.LastWrite, lastWrite)) << path;
        EXPECT_EQ(stamps.LastWrite.Second, 10) << path;
        EXPECT_TRUE(SameMinute(stamps.LastAccess, access)) << path;
    }
    // The creation stamp, where the file system keeps one (Wine reports the
    // last write time instead).
    TStamps file = StampsOf(Temp / L"d1\\sub\\f2");
    if (file.Creation.Year == 2005) {
        EXPECT_EQ(file.Creation.Second, 30);
    }
    EXPECT_FALSE(SameMinute(StampsOf(Temp / L"loose.txt").LastWrite, lastWrite));
}

TEST_F(BatchObjectsTest, DatesWithoutADosFormAreRefused)
{
    TStamps before = StampsOf(Temp / L"loose.txt");
    for (int year : {1979, 2108}) {
        TSubForm01080 dialog(nullptr, Temp.Path(), {L"loose.txt"});
        ASSERT_TRUE(dialog.Create());
        EXPECT_FALSE(ItemEnabled(dialog, IDC_SUBFOLDERS));
        SendMessageW(dialog.Item(IDC_DATE2D), DTM_SETRANGE, 0, 0);
        SetPickerParts(dialog.Item(IDC_DATE2D), Parts(year, 6, 1));
        ASSERT_EQ(PickerParts(dialog.Item(IDC_DATE2D)).Year, year);
        TDialogAnswerer answerer(IDOK, dialog.Handle());
        dialog.PressOk();
        EXPECT_FALSE(dialog.Closed()) << year;
        EXPECT_EQ(answerer.Text, kDateOutOfRangeMessage) << year;
        dialog.PressCancel();
    }
    EXPECT_TRUE(SameMinute(StampsOf(Temp / L"loose.txt").LastWrite, before.LastWrite));
}
