// The system information collector against the system it runs on.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "ViewerTestSupport.h"
#include "core/support/SupportReport.h"
#include "support/DisplayInfo.h"
#include "support/FileInfo.h"
#include "support/ReportFacts.h"
#include "support/SysInfo.h"

namespace {

bool IsFolder(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(SysInfo, CollectsTheSystem)
{
    TSysInfo info;
    EXPECT_FALSE(info.ComputerName().empty());
    EXPECT_FALSE(info.LogOnUserName().empty());
    EXPECT_NE(info.LogOnUserName(), kUnknownLogOnUserName);
    EXPECT_EQ(info.PlatForm(), L"WindowsNT");
    EXPECT_TRUE(std::regex_match(info.Version(), std::wregex(LR"(\d+\.\d+.*)"))) << info.Version();
    EXPECT_GT(info.BuildNo(), 0u);
    EXPECT_NE(info.NtProductType(), TNtProductType::ntNone);
    // The key opens: owner and organization are its values (empty ones too)
    // or their own fall-backs, never the open failure.
    EXPECT_NE(info.Owner(), kRegistryUnsuccessful);
    EXPECT_NE(info.Organization(), kRegistryUnsuccessful);
    EXPECT_FALSE(info.ProductID().empty());

    EXPECT_TRUE(IsFolder(info.WindowsDir())) << info.WindowsDir();
    EXPECT_TRUE(IsFolder(info.WindowsSystemDir())) << info.WindowsSystemDir();
    EXPECT_EQ(info.WindowsSystemDir().rfind(info.WindowsDir(), 0), 0u);
    bool c = false;
    for (const std::wstring& drive : info.Drives()) c = c || _wcsicmp(drive.c_str(), L"C:\\") == 0;
    EXPECT_TRUE(c);
}

// The machine's processor, also for a 32-bit program on a 64-bit system
// (where GetSystemInfo would describe the emulated x86).
TEST(SysInfo, NamesTheNativeProcessor)
{
    SYSTEM_INFO native{};
    GetNativeSystemInfo(&native);
    std::wstring expected = native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ? L"AMD64"
                            : native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL ? L"INTEL_PENTIUM"
                                                                                           : L"";
    ASSERT_FALSE(expected.empty()) << "an architecture this test does not know: " << native.wProcessorArchitecture;
    EXPECT_EQ(TSysInfo().ProcessorType(), expected);
}

TEST(SysInfo, MemoryFiguresInEveryUnit)
{
    TSysInfo info;
    uint64_t bytes = info.MemoryTotal();
    info.MemoryStatusKind = TMemoryStatusKind::mkKB;
    uint64_t kilobytes = info.MemoryTotal();
    info.MemoryStatusKind = TMemoryStatusKind::mkMB;
    uint64_t megabytes = info.MemoryTotal();
    EXPECT_EQ(kilobytes, bytes / 1024);
    EXPECT_EQ(megabytes, bytes / (1024 * 1024));
    info.MemoryStatusKind = TMemoryStatusKind::mkKB;
    EXPECT_LE(info.MemoryFree(), info.MemoryTotal());
    EXPECT_LE(info.PageFree(), info.PageTotal());
    EXPECT_LE(info.MemoryLoad(), 100u);

    // Under Wine the total is the machine's: compare it with what Linux
    // says, which also shows sizes past 4 GiB come through whole.
    std::ifstream meminfo("Z:\\proc\\meminfo");
    std::string word;
    uint64_t linuxKilobytes = 0;
    while (meminfo >> word)
        if (word == "MemTotal:") {
            meminfo >> linuxKilobytes;
            break;
        }
    if (linuxKilobytes == 0) GTEST_SKIP() << "no /proc/meminfo to compare with";
    EXPECT_NEAR(double(kilobytes), double(linuxKilobytes), double(linuxKilobytes) * 0.01);
}

TEST(FileInfo, VersionStrings)
{
    TFileInfo info;
    info.SetFileName(ProgramDir() + L"\\Quirevue.exe");
    EXPECT_EQ(info.FileVersion, L"0.1.0.0");
    EXPECT_EQ(info.ProductName, L"Quirevue");
    EXPECT_EQ(info.OriginalFilename, L"Quirevue.exe");
    EXPECT_EQ(info.FixedFileInfo.dwSignature, 0xFEEF04BDu);

    // A resource without some strings: those read "UnKnown".
    info.SetFileName(TestPluginDir() + L"\\tp_partial_version.dll");
    EXPECT_EQ(info.CompanyName, L"Partial");
    EXPECT_EQ(info.ProductName, L"Partial Version");
    EXPECT_EQ(info.FileVersion, L"UnKnown");
    EXPECT_EQ(info.InternalName, L"UnKnown");
    EXPECT_EQ(HIWORD(info.FixedFileInfo.dwFileVersionMS), 1u);

    // No resource at all: every string empty.
    info.SetFileName(TestPluginDir() + L"\\tp_good" + kPluginExt);
    for (const std::wstring* s : {&info.ProductVersion, &info.ProductName, &info.CompanyName, &info.OriginalFilename,
                                  &info.FileDescription, &info.FileVersion, &info.InternalName})
        EXPECT_TRUE(s->empty()) << *s;
    EXPECT_EQ(info.FixedFileInfo.dwSignature, 0u);
}

TEST(DisplayInfo, ListsTheModes)
{
    TDisplayInfo display;
    ASSERT_GT(display.Count(), 0u);
    for (const TDisplayMode& mode : display.Modes()) {
        EXPECT_GT(mode.Width, 0u);
        EXPECT_GT(mode.Height, 0u);
        EXPECT_GT(mode.BitsPerPixel, 0u);
    }
}

TEST(ReportFacts, ForTheProgram)
{
    TReportFacts facts = CollectReportFacts(ProgramDir() + L"\\Quirevue.exe");
    EXPECT_EQ(facts.ExeFileName, L"Quirevue.exe");
    EXPECT_EQ(facts.ExeFileVersion, L"0.1.0.0");
    EXPECT_EQ(facts.ScreenWidth, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(facts.ScreenHeight, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(facts.ScreenBitsPerPixel, 0);
    EXPECT_GT(facts.MemoryTotal, 1024u * 64);  // kilobytes
    EXPECT_FALSE(facts.ProcessorType.empty());
    EXPECT_GE(facts.Now.Year, 2024);
    // The system's own DLLs carry versions.
    EXPECT_FALSE(facts.SystemFileVersions[0].empty());  // COMCTL32
    EXPECT_FALSE(facts.SystemFileVersions[2].empty());  // SHELL32

    std::wstring text = SupportReportText(facts);
    size_t lines = 0;
    for (wchar_t c : text) lines += c == L'\n';
    EXPECT_EQ(lines, 27u);
    EXPECT_NE(text.find(L"\r\nQuirevue.exe : 0.1.0.0\r\n"), std::wstring::npos);
}

} // namespace
