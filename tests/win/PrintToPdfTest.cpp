// Printing to a real printer: the PDF printer of a print spooler that
// tests/win/print-pdf.sh starts for these tests (QV_PDF_OUT names the
// folder its PDFs land in, on the host). The files are read back with the
// host's pdfinfo, pdftotext and pdftoppm, and what a test printed is
// deleted afterwards.
#include "DialogTesting.h"
#include "FileReportTesting.h"
#include "fileops/PrinterSettings.h"
#include "res/DialogIds.h"
#include "support/HostCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring HostEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value ? Utf8Path(value) : std::wstring();
}

std::wstring ReadText(const std::wstring& path)
{
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    std::string utf8(bytes.begin(), bytes.end());
    return Utf8Path(utf8.c_str());
}

// What the spooler made of one print job.
struct TPrintedPdf {
    std::wstring HostFile;  // empty when none came
    std::wstring Info;      // pdfinfo's report
    std::wstring Text;      // pdftotext's
    bool TextReadable = false;  // every font maps its glyphs back to Unicode
    bool TitleSeen = false;     // the job the spooler kept carries the title asked for
};

// The document-name comment this platform's PostScript driver writes for a
// job: the name in the ANSI code page, bytes from 0x80 up in octal.
std::string PostScriptTitleLine(const std::wstring& title)
{
    int n = WideCharToMultiByte(CP_ACP, 0, title.c_str(), int(title.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, title.c_str(), int(title.size()), ansi.data(), n, nullptr, nullptr);
    std::string line = "%%Title: (";
    for (unsigned char c : ansi) {
        char octal[8];
        if (c >= 0x80) snprintf(octal, sizeof octal, "\\%03o", c);
        else snprintf(octal, sizeof octal, "%c", c);
        line += octal;
    }
    return line + ")\n";
}

class PrintToPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitDialogControls(); }

    void SetUp() override
    {
        Out = HostEnv("QV_PDF_OUT");
        ASSERT_FALSE(Out.empty()) << "run through tests/win/print-pdf.sh, which starts the spooler";
        ASSERT_TRUE(ProgramPrinter().HasPrinter()) << "the spooler's PDF printer is not seen";
        Work = HostPath(Temp.Path());
        ASSERT_FALSE(Work.empty());
        // PDFs older than this are not the test's.
        ASSERT_TRUE(RunOnHost(L"touch " + ShellQuoted(Work + L"/start")));
    }
    void TearDown() override
    {
        for (const std::wstring& file : Printed) RunOnHost(L"rm -f " + ShellQuoted(file));
    }

    // Waits for the job's PDF (the newest one written since the test began,
    // once the spooler has no job left) and reads it back.
    TPrintedPdf CollectPdf(const std::wstring& pngOfPage = {}, int page = 0, const std::wstring& title = L"")
    {
        // A script of its own: the host command takes no double quotes.
        const std::string script =
            "out=\"$1\" work=\"$2\"\n"
            "f=\n"
            "for i in $(seq 200); do\n"
            "  f=$(ls -t \"$out\"/*.pdf 2>/dev/null | head -1)\n"
            "  if [ -n \"$f\" ] && [ \"$f\" -nt \"$work/start\" ] && [ -z \"$(lpstat -o 2>/dev/null)\" ]; then break; fi\n"
            "  f=; sleep 0.2\n"
            "done\n"
            "touch \"$work/start\"\n"
            "printf %s \"$f\" > \"$work/name\"\n"
            "[ -n \"$f\" ] || exit 0\n"
            "pdfinfo \"$f\" > \"$work/info\" 2>&1\n"
            "pdffonts \"$f\" > \"$work/fonts\" 2>&1\n"
            "pdftotext -q \"$f\" \"$work/text\"\n"
            // The document's name as the printer's driver wrote it into the
            // job the spooler kept.
            "grep -a -l -x -F -f \"$work/title\" \"$QV_PDF_SPOOL\"/d* > \"$work/jobs\" 2>/dev/null\n";
        const std::string titleLine = PostScriptTitleLine(title);
        WriteWholeFile(Temp / L"title", std::vector<uint8_t>(titleLine.begin(), titleLine.end()));
        WriteWholeFile(Temp / L"collect.sh", std::vector<uint8_t>(script.begin(), script.end()));
        const std::wstring find =
            L"sh " + ShellQuoted(Work + L"/collect.sh") + L" " + ShellQuoted(Out) + L" " + ShellQuoted(Work);
        TPrintedPdf pdf;
        if (!RunOnHost(find, 60000)) return pdf;
        pdf.HostFile = ReadText(Temp / L"name");
        if (pdf.HostFile.empty()) return pdf;
        Printed.push_back(pdf.HostFile);
        pdf.Info = ReadText(Temp / L"info");
        pdf.Text = ReadText(Temp / L"text");
        pdf.TitleSeen = !ReadWholeFile(Temp / L"jobs").empty();
        // pdffonts ends each font's line with emb, sub, uni and the object.
        const std::wstring fonts = ReadText(Temp / L"fonts");
        pdf.TextReadable = fonts.find(L" yes no ") == std::wstring::npos && fonts.find(L" no no ") == std::wstring::npos;
        const std::wstring shots = HostEnv("QV_PDF_SHOTS");
        if (!pngOfPage.empty() && !shots.empty()) {
            const std::wstring p = std::to_wstring(page);
            RunOnHost(L"pdftoppm -f " + p + L" -l " + p + L" -r 60 -png -singlefile " + ShellQuoted(pdf.HostFile) +
                      L" " + ShellQuoted(shots + L"/" + pngOfPage));
        }
        return pdf;
    }

    TTempFolder Temp;
    std::wstring Out, Work;
    std::vector<std::wstring> Printed;
};

bool Says(const std::wstring& report, const std::wstring& line) { return report.find(line) != std::wstring::npos; }

}  // namespace

TEST_F(PrintToPdf, EightyFiveRowsPrintOnThreeA4Pages)
{
    TSubForm01070 dialog(nullptr, NumberedRows(85), L"C:\\printed");
    TPageRecorder recorder(dialog);
    ASSERT_TRUE(dialog.Create());
    recorder.Pages.clear();  // the preview's page
    ClickButton(dialog, IDC_REPPRINT);
    EXPECT_TRUE(dialog.Closed()) << "printing ends the dialog";

    // What went to the printer, page by page.
    ASSERT_EQ(recorder.Pages.size(), 3u);
    const size_t rows[] = {40, 40, 5};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(recorder.Pages[i].Names.size(), rows[i]);
        EXPECT_EQ(recorder.Pages[i].Footer, L"- " + std::to_wstring(i + 1) + L" -");
        EXPECT_EQ(recorder.Pages[i].Folder, L"C:\\printed");
    }
    EXPECT_EQ(recorder.Pages[2].Names.back(), L"file085.txt");
    EXPECT_EQ(recorder.Pages[2].LineOnlyRows, 35);

    const TPrintedPdf pdf = CollectPdf(L"listing-page3", 3, L"河川調査資料一覧表");
    ASSERT_FALSE(pdf.HostFile.empty()) << "no PDF came from the spooler";
    EXPECT_TRUE(Says(pdf.Info, L"Pages:           3")) << pdf.Info;
    EXPECT_TRUE(Says(pdf.Info, L"595 x 842 pts (A4)")) << pdf.Info;
    EXPECT_TRUE(pdf.TitleSeen) << "the job's document name reached the printer's driver";
    // The platform's PostScript driver may embed fonts without a map back to
    // Unicode (pdftotext then reads glyph numbers); where every font has
    // one, the texts are checked in the file too. The texts that went to
    // the printer were checked above either way.
    if (pdf.TextReadable) {
        for (const wchar_t* text : {L"- 1 -", L"- 3 -", L"file085.txt", L"printed"}) EXPECT_TRUE(Says(pdf.Text, text)) << text << "\n" << pdf.Text.substr(0, 300);
    }
}

TEST_F(PrintToPdf, FortyOneRowsPrintOnTwoSheets)
{
    TSubForm01070 dialog(nullptr, NumberedRows(41), L"x");
    ASSERT_TRUE(dialog.Create());
    dialog.ActionPrintExecute();
    const TPrintedPdf pdf = CollectPdf();
    ASSERT_FALSE(pdf.HostFile.empty());
    EXPECT_TRUE(Says(pdf.Info, L"Pages:           2")) << pdf.Info;
}

TEST_F(PrintToPdf, APageRangePrintsItsPagesAndRunsTheEventsOfAll)
{
    TLightRep report;
    report.Title = L"range";
    TLRLayoutPanel& panel = report.Add<TLRLayoutPanel>();
    TLRItem& item = panel.Add<TLRItem>();
    item.SetBounds(10, 10, 200, 30);
    item.SetLines(TLineStyle::lsSingle);
    std::vector<double> scales;
    panel.BeforePrint.Add([&](TCustomLRPanel&, const TLRRect&, TPrintStatus&) {
        scales.push_back(report.Scale());
        item.Text = L"page " + std::to_wstring(report.PageNumber());
    });
    report.SetFirstPage(3);
    report.SetLastPage(4);
    report.BeginDoc();
    for (int page = 1; page <= 6; ++page) {
        report.PrintPage();
        if (page < 6) report.NewPage();
    }
    report.EndDoc();
    ASSERT_EQ(scales.size(), 6u);
    HDC printer = ProgramPrinter().CreatePrinterIC();
    const double printed = GetDeviceCaps(printer, LOGPIXELSY) / 96.0;
    DeleteDC(printer);
    EXPECT_EQ(scales, (std::vector<double>{1.0, 1.0, printed, printed, 1.0, 1.0}));

    const TPrintedPdf pdf = CollectPdf(L"range-page1", 1);
    ASSERT_FALSE(pdf.HostFile.empty());
    EXPECT_TRUE(Says(pdf.Info, L"Pages:           2")) << pdf.Info;
}
