// The list export on the real main window: the save dialog as the user
// answers it, the three forms written from hostile names, and failures
// that leave the old file.
#include "FrameFixture.h"
#include "core/commands/CommandIds.h"
#include "core/shell/AttributeLetters.h"
#include "core/report/DibFile.h"
#include "shell/IDList.h"
#include "support/ExportTesting.h"

#include <shlobj.h>

namespace {

std::string Bytes(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class ListExportTest : public TFrameFixture {
protected:
    // Runs the command with the save dialog answered.
    TSaveDialogDriver& Export(const TSaveAnswer& answer)
    {
        Driver = std::make_unique<TSaveDialogDriver>(Form->Handle(), answer);
        EXPECT_TRUE(Run(Cmd::ExportList));
        Driver->Finish();
        EXPECT_TRUE(Driver->Answered);
        return *Driver;
    }
    TSaveAnswer SaveAs(int fileType, const std::wstring& name) { return {fileType, Data.Path(), name}; }
    // The five texts and the icon of each selected row, as the list holds them.
    struct TRowTexts {
        std::wstring Name, Size, Type, Date, Attributes;
        int Icon;
    };
    std::vector<TRowTexts> SelectedTexts(TSHListView& list)
    {
        std::vector<TRowTexts> rows;
        for (int i = list.NextSelected(-1); i >= 0; i = list.NextSelected(i)) {
            TSHFileItem* row = list.FileList().Rows(i);
            rows.push_back({row->GetDisplayName(), row->GetSizeText(), row->GetTypeText(), row->GetDateText(),
                            AttributeLetters(row->GetFileAttributes()), row->GetSmallIconIndex()});
        }
        return rows;
    }

    std::unique_ptr<TSaveDialogDriver> Driver;
};

}  // namespace

// Ten hostile names in each form: "&", "#", "%", a comma, a Hangul name, a
// type name with quotes (from a type registered here), and two objects that
// show the same name with extensions hidden.
TEST_F(ListExportTest, HostileNamesInEveryForm)
{
    THostileFolder hostile(Data / L"hostile");
    const std::wstring& folder = hostile.Path;
    Start();
    TSHListView& list = OpenWindow(folder);
    list.SelectAll(true);
    Pump();
    ASSERT_EQ(list.SelectedCount(), 10);
    std::vector<TRowTexts> rows = SelectedTexts(list);
    int sameRows = 0;
    for (const TRowTexts& r : rows) {
        sameRows += r.Name == L"same";
        if (r.Name == L"q") {
            EXPECT_EQ(r.Type, THostileFolder::kQuotedType);
        }
    }
    ASSERT_EQ(sameRows, 2) << "two rows show the name \"same\"";

    // Text: the Hangul name does not fit the ANSI page, so the file is UTF-8.
    Export(SaveAs(1, L"list.txt"));
    bool unicode = false;
    std::wstring text = ListingText(ReadWholeFile(Data / L"list.txt"), &unicode);
    EXPECT_TRUE(unicode);
    std::vector<std::wstring> lines = SplitText(text, L"\r\n");
    ASSERT_EQ(lines.size(), rows.size() + 2);  // headings, rows, and nothing after the last line end
    EXPECT_EQ(lines[0], L"名前\tサイズ\tファイルの種類\t更新日時\t属性");
    for (size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::wstring> fields = SplitText(lines[i + 1], L"\t");
        ASSERT_EQ(fields.size(), 5u) << i;
        EXPECT_EQ(fields[0], rows[i].Name);
        EXPECT_EQ(fields[1], rows[i].Size);
        EXPECT_EQ(fields[2], rows[i].Type);
        EXPECT_EQ(fields[3], rows[i].Date);
        EXPECT_EQ(fields[4], rows[i].Attributes);
    }
    EXPECT_EQ(lines.back(), L"");

    // CSV: read back strictly, every field intact.
    Export(SaveAs(2, L"list.csv"));
    std::optional<TCsvRecords> records = ReadCsvStrictly(ListingText(ReadWholeFile(Data / L"list.csv")));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), rows.size() + 1);
    EXPECT_EQ((*records)[0], (std::vector<std::wstring>{L"名前", L"サイズ", L"ファイルの種類", L"更新日時", L"属性"}));
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::wstring>& fields = (*records)[i + 1];
        ASSERT_EQ(fields.size(), 5u);
        EXPECT_EQ(fields[0], rows[i].Name);
        EXPECT_EQ(fields[1], rows[i].Size);
        EXPECT_EQ(fields[2], rows[i].Type);
        EXPECT_EQ(fields[3], rows[i].Date);
        EXPECT_EQ(fields[4], rows[i].Attributes);
    }

    // HTML under a name that needs encoding in a URL: every row points at
    // its own icon's bitmap, one file per distinct icon.
    Export(SaveAs(3, L"my list #1.htm"));
    std::vector<uint8_t> pageBytes = ReadWholeFile(Data / L"my list #1.htm");
    std::wstring page = DecodeBytes(932, pageBytes);
    std::wstring icons = Data / L"my list #1.file";
    std::vector<std::wstring> sources = AttributeValues(page, L"src");
    ASSERT_EQ(sources.size(), rows.size());
    std::set<std::wstring> distinct;
    std::vector<std::wstring> sameSources;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Name == L"same") sameSources.push_back(sources[i]);
        std::wstring file = std::to_wstring(rows[i].Icon) + L".bmp";
        EXPECT_EQ(sources[i], L"my%20list%20%231.file/" + file);
        distinct.insert(file);
        std::vector<uint8_t> bitmap = ReadWholeFile(icons + L"\\" + file);
        TDib dib = LoadDibFile(bitmap);
        EXPECT_EQ(dib.Width(), 16);
        EXPECT_EQ(dib.Height(), 16);
    }
    EXPECT_EQ(FolderContents(icons), distinct);
    ASSERT_EQ(sameSources.size(), 2u);
    EXPECT_NE(sameSources[0], sameSources[1]) << "the folder and the file both named \"same\" keep their own icons";
    EXPECT_NE(page.find(L"    R&amp;D</TD>"), std::wstring::npos);
    EXPECT_NE(page.find(L"    &#54620;&#44544;</TD>"), std::wstring::npos) << "Hangul as references";
    EXPECT_NE(page.find(L"  <TD>　引用 &quot;型&quot;, ファイル</TD>"), std::wstring::npos);
    EXPECT_NE(page.find(L"<P align=\"center\">10個のオブジェクト</P>"), std::wstring::npos);
    EXPECT_NE(page.find(L"<P align=\"right\">" + std::wstring(THostileFolder::kSizeTotal) + L"</P>"), std::wstring::npos);
    EXPECT_NE(page.find(L"<P><B>フォルダ</B>： " + folder + L"</P>"), std::wstring::npos);
}

// Names that Shift-JIS holds are written as its bytes, in the text, the CSV
// and the page alike; the foot adds 1,536 and 512 bytes to 2.0KB.
TEST_F(ListExportTest, ShiftJisBytes)
{
    std::wstring folder = Data / L"sjis";
    CreateDirectoryW(folder.c_str(), nullptr);
    MakeFile(folder + L"\\日本語.txt", 1536);
    MakeFile(folder + L"\\b.txt", 512);
    Start();
    TSHListView& list = OpenWindow(folder);
    SelectOnly(list, {L"日本語.txt", L"b.txt"});
    std::vector<TRowTexts> rows = SelectedTexts(list);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[1].Name, L"日本語.txt");
    auto sjis = [](const std::wstring& text) {
        int n = WideCharToMultiByte(932, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
        std::string out(size_t(n), '\0');
        WideCharToMultiByte(932, 0, text.c_str(), int(text.size()), out.data(), n, nullptr, nullptr);
        return out;
    };
    const std::string name = "\x93\xFA\x96\x7B\x8C\xEA.txt";  // 日本語.txt

    Export(SaveAs(1, L"list.txt"));
    std::string text = Bytes(ReadWholeFile(Data / L"list.txt"));
    std::string expected = "\x96\xBC\x91\x4F\t\x83\x54\x83\x43\x83\x59\t"                       // 名前, サイズ
                           "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x8E\xED\x97\xDE\t"          // ファイルの種類
                           "\x8D\x58\x90\x56\x93\xFA\x8E\x9E\t\x91\xAE\x90\xAB\r\n"              // 更新日時, 属性
                           "b.txt\t" + sjis(rows[0].Size + L"\t" + rows[0].Type + L"\t" + rows[0].Date + L"\t" +
                                             rows[0].Attributes) +
                           "\r\n" + name + "\t" +
                           sjis(rows[1].Size + L"\t" + rows[1].Type + L"\t" + rows[1].Date + L"\t" + rows[1].Attributes) +
                           "\r\n";
    EXPECT_EQ(text, expected);

    Export(SaveAs(2, L"list.csv"));
    std::string csv = Bytes(ReadWholeFile(Data / L"list.csv"));
    EXPECT_EQ(csv.substr(0, 10), "\"\x96\xBC\x91\x4F\",\"\x83\x54");
    EXPECT_NE(csv.find("\r\n\"" + name + "\",\""), std::string::npos);
    EXPECT_EQ(csv.find("KB\r\n"), std::string::npos) << "no foot";

    Export(SaveAs(3, L"list.htm"));
    std::string page = Bytes(ReadWholeFile(Data / L"list.htm"));
    EXPECT_TRUE(FileExists(Data / L"list.file"));
    for (const std::string& line : {
             std::string("<P><B>\x83\x74\x83\x48\x83\x8B\x83\x5F</B>\x81\x46 ") + sjis(folder) + "</P>\r\n",
             std::string("      <P align=\"center\"><FONT color=\"#FFFFFF\">\x96\xBC\x81\x40\x91\x4F</FONT></P>\r\n"),
             std::string("      <P align=\"center\"><FONT color=\"#FFFFFF\">\x91\xAE\x81\x40\x90\xAB</FONT></P>\r\n"),
             "    " + name + "</TD>\r\n",
             std::string("    <P align=\"right\">\x81\x40") + sjis(rows[1].Size) + "</P>\r\n",
             std::string("      <P align=\"center\">2\x8C\xC2\x82\xCC\x83\x49\x83\x75\x83\x57\x83\x46\x83\x4E\x83\x67"
                         "</P>\r\n"),
             std::string("      <P align=\"right\">2.0KB</P>\r\n"),
             std::string("    <TD>\x81\x40</TD>\r\n    <TD>\x81\x40</TD>\r\n    <TD>\x81\x40</TD>\r\n  </TR>\r\n"
                         "</TABLE>\r\n</BODY>\r\n</HTML>\r\n"),
         })
        EXPECT_NE(page.find(line), std::string::npos) << line;
    EXPECT_EQ(page.substr(page.size() - 9), "</HTML>\r\n");
}

// The dialog: its title, the documents folder first, cancelling writes
// nothing, and a bare name saved as CSV ends in .csv and is CSV.
TEST_F(ListExportTest, SaveDialogAndItsFileTypes)
{
    std::wstring folder = Data / L"files";
    CreateDirectoryW(folder.c_str(), nullptr);
    MakeFile(folder + L"\\a.txt", 10);
    Start();
    TSHListView& list = OpenWindow(folder);
    SelectOnly(list, {});
    EXPECT_FALSE(Action(Cmd::ExportList).Enabled);
    SelectOnly(list, {L"a.txt"});
    EXPECT_TRUE(Action(Cmd::ExportList).Enabled);

    TSaveAnswer cancel;
    cancel.Cancel = true;
    TSaveDialogDriver& cancelled = Export(cancel);
    wchar_t documents[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    EXPECT_EQ(cancelled.FirstFolder, documents);
    EXPECT_EQ(FolderContents(Data.Path()), (std::set<std::wstring>{L"files"}));

    for (int type : {2, 3, 1}) {
        SCOPED_TRACE(type);
        Export(SaveAs(type, L"bare" + std::to_wstring(type)));
    }
    std::string csv = Bytes(ReadWholeFile(Data / L"bare2.csv"));
    EXPECT_EQ(csv.substr(0, 6), "\"\x96\xBC\x91\x4F\"");  // quoted headings: CSV
    std::string page = Bytes(ReadWholeFile(Data / L"bare3.htm"));
    EXPECT_EQ(page.substr(0, 8), "<HTML>\r\n");
    EXPECT_TRUE(FileExists(Data / L"bare3.file"));
    std::string text = Bytes(ReadWholeFile(Data / L"bare1.txt"));
    EXPECT_EQ(text.substr(0, 5), "\x96\xBC\x91\x4F\t");
    // The form follows the chosen type, not a typed extension.
    Export(SaveAs(2, L"typed.txt"));
    EXPECT_EQ(Bytes(ReadWholeFile(Data / L"typed.txt")).substr(0, 1), "\"");
}

// A file that cannot be written is reported with its path, and the old
// file stays as it was; so does an icon folder that cannot be made.
TEST_F(ListExportTest, FailedWritesLeaveTheOldFile)
{
    std::wstring folder = Data / L"files";
    CreateDirectoryW(folder.c_str(), nullptr);
    MakeFile(folder + L"\\a.txt", 10);
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteWholeFile(Data / L"list.csv", old));
    ASSERT_TRUE(WriteWholeFile(Data / L"page.htm", old));
    // Nothing can be written where the temporary file goes, and a file
    // stands where the icon folder goes.
    ASSERT_TRUE(CreateDirectoryW((Data / L"list.csv.tmp").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(Data / L"page.file", old));
    Start();
    TSHListView& list = OpenWindow(folder);
    SelectOnly(list, {L"a.txt"});

    struct Case {
        int Type;
        const wchar_t* Name;
        std::wstring Reported;
    };
    const Case cases[] = {{2, L"list.csv", Data / L"list.csv"}, {3, L"page.htm", Data / L"page.file"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Type);
        TSaveDialogDriver& driver = Export(SaveAs(c.Type, c.Name));
        EXPECT_TRUE(driver.OverwriteAsked);
        EXPECT_EQ(driver.ErrorText, L"ファイルを書き込めませんでした。\n" + c.Reported);
        EXPECT_EQ(ReadWholeFile(Data / c.Name), old);
    }
    EXPECT_EQ(ReadWholeFile(Data / L"page.file"), old);
}

// My Computer: drives named " (C:)" and the like, virtual rows without
// sizes; the page names the folder by its display name.
TEST_F(ListExportTest, MyComputer)
{
    Start();
    Form->ShellTree().SelectIDList(SpecialFolderIDList(CSIDL_DRIVES));
    Form->ActionList().Execute(8010, Form->Handle());
    Pump();
    TSHListView& list = *Form->ActiveList();
    ASSERT_GT(list.FileList().Count(), 0);
    list.SelectAll(true);
    Pump();
    std::vector<TRowTexts> rows = SelectedTexts(list);
    Export(SaveAs(3, L"computer.htm"));
    EXPECT_TRUE(Driver->ErrorText.empty()) << Driver->ErrorText;
    std::wstring page = DecodeBytes(932, ReadWholeFile(Data / L"computer.htm"));
    EXPECT_NE(page.find(L"<P><B>フォルダ</B>： " + Form->ShellTree().SelectedItem()->GetDisplayName() + L"</P>"),
              std::wstring::npos);
    std::vector<std::wstring> sources = AttributeValues(page, L"src");
    ASSERT_EQ(sources.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_NE(page.find(L"    " + rows[i].Name + L"</TD>"), std::wstring::npos) << rows[i].Name;
        EXPECT_TRUE(FileExists(Data / L"computer.file\\" + std::to_wstring(rows[i].Icon) + L".bmp"));
    }
}
