// The list export from the running program: a folder window restored on a
// folder of hostile names, every row selected and exported in each form
// through the save dialog, answered from outside.
#include "Driver.h"
#include "core/settings/SettingsCodec.h"
#include "../support/ExportTesting.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

// The settings of a program that opens one folder window on `folder`.
std::vector<uint8_t> SettingsWithWindowOn(const std::wstring& folder)
{
    TInitData data;
    TWindowData window;
    window.Width = 600;
    window.Height = 400;
    window.ViewStyle = 3;
    if (PIDLIST_ABSOLUTE list = ILCreateFromPathW(folder.c_str())) {
        auto* bytes = reinterpret_cast<const uint8_t*>(list);
        window.IDList.assign(bytes, bytes + ILGetSize(list));
        ILFree(list);
    }
    data.Windows.push_back(window);
    return EncodeSettings(data);
}

bool WaitForFile(const std::wstring& path, TProgram& program)
{
    for (int i = 0; i < 300; ++i) {
        if (FileExists(path)) return true;
        if (program.WaitExit(50) != -1) return false;
    }
    return false;
}

}  // namespace

TEST(ListExportProgram, HostileNamesInEveryForm)
{
    TTempFolder app, data;
    THostileFolder hostile(data / L"hostile");
    ASSERT_TRUE(WriteWholeFile(app / L"Quirevue.qvs", SettingsWithWindowOn(hostile.Path)));
    TProgram program(app.Path());
    HWND main = program.WaitMainWindow();
    ASSERT_TRUE(main);
    const int selectAll = 2110, exportList = 1040;
    PostMessageW(main, WM_COMMAND, selectAll, 0);

    const wchar_t* files[] = {L"list.txt", L"list.csv", L"list.htm"};
    for (int type = 1; type <= 3; ++type) {
        SCOPED_TRACE(type);
        TSaveDialogDriver driver(main, {type, data.Path(), files[type - 1]});
        PostMessageW(main, WM_COMMAND, exportList, 0);
        ASSERT_TRUE(WaitForFile(data / files[type - 1], program));
        driver.Finish();
        EXPECT_TRUE(driver.ErrorText.empty()) << driver.ErrorText;
    }

    bool unicode = false;
    std::vector<std::wstring> lines = SplitText(ListingText(ReadWholeFile(data / L"list.txt"), &unicode), L"\r\n");
    EXPECT_TRUE(unicode) << "the Hangul name makes the text UTF-8";
    EXPECT_EQ(lines.size(), 12u);  // headings, ten rows, nothing after the last line end
    std::optional<TCsvRecords> records = ReadCsvStrictly(ListingText(ReadWholeFile(data / L"list.csv")));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 11u);
    std::set<std::wstring> names, types;
    for (const std::vector<std::wstring>& record : *records) {
        ASSERT_EQ(record.size(), 5u);
        names.insert(record[0]);
        types.insert(record[2]);
    }
    for (const wchar_t* name : {L"R&D", L"#1", L"100%", L"a,b", L"한글", L"same", L"日本 語", L"x'y ~"})
        EXPECT_EQ(names.count(name), 1u) << name;
    EXPECT_EQ(types.count(THostileFolder::kQuotedType), 1u);

    std::wstring page = DecodeBytes(932, ReadWholeFile(data / L"list.htm"));
    std::vector<std::wstring> sources = AttributeValues(page, L"src");
    EXPECT_EQ(sources.size(), 10u);
    for (const std::wstring& source : sources)
        EXPECT_TRUE(FileExists(data / (L"list.file\\" + source.substr(source.find(L'/') + 1)))) << source;
    EXPECT_NE(page.find(L"<P align=\"center\">10個のオブジェクト</P>"), std::wstring::npos);
    EXPECT_NE(page.find(L"<P align=\"right\">" + std::wstring(THostileFolder::kSizeTotal) + L"</P>"),
              std::wstring::npos);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
}
