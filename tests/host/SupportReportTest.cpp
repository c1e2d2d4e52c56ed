// The support report's text and the collector's naming rules.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "core/support/SupportReport.h"
#include "core/support/SystemFacts.h"

namespace {

TReportFacts SampleFacts()
{
    TReportFacts f;
    f.Now = {2026, 3, 7, 9, 5, 2};
    f.ComputerName = L"DESKTOP-1";
    f.LogOnUserName = L"山田";
    f.PlatForm = L"WindowsNT";
    f.Version = L"10.0";
    f.BuildNo = 22631;
    f.ProductID = L"00330-80000-00000-AA123";
    f.WindowsDir = L"C:\\Windows";
    f.WindowsSystemDir = L"C:\\Windows\\system32";
    f.ProcessorType = L"AMD64";
    f.ScreenWidth = 1920;
    f.ScreenHeight = 1080;
    f.ScreenBitsPerPixel = 32;
    f.MemoryFree = 262144;
    f.MemoryTotal = 16ull * 1024 * 1024;      // 16 GiB in KB
    f.PageFree = 12345678901ull;              // wider than ten digits
    f.PageTotal = 0;
    f.ExeFileName = L"Quirevue.exe";
    f.ExeFileVersion = L"0.1.0.0";
    f.SystemFileVersions = {L"6.10", L"10.0.1", L"10.0.2", L"", L"UnKnown"};
    return f;
}

TEST(SupportReport, WholeText)
{
    const wchar_t* expected =
        L"【システム情報】  2026/03/07 09:05:02\r\n"
        L"==========================================\r\n"
        L"コンピュータ名 : DESKTOP-1\r\n"
        L"　　ログオン名 : 山田\r\n"
        L"　 Windows種別 : WindowsNT\r\n"
        L"　　バージョン : 10.0\r\n"
        L"　　　　ビルド : 22631\r\n"
        L"　プロダクトID : 00330-80000-00000-AA123\r\n"
        L"　 Windows Dir : C:\\Windows\r\n"
        L"　  System Dir : C:\\Windows\\system32\r\n"
        L"　　 　CPU種別 : AMD64\r\n"
        L"　　画面サイズ : 1920 * 1080\r\n"
        L" 画面の色(bit) : 32\r\n"
        L"　空メモリ(KB) :     262144\r\n"
        L"　総メモリ(KB) :   16777216\r\n"
        L"　空ページ(KB) : 12345678901\r\n"
        L"　総ページ(KB) :          0\r\n"
        L"Quirevue.exe : 0.1.0.0\r\n"
        L"------------------------------------------\r\n"
        L"  ComCtl32.dll : 6.10\r\n"
        L"  ComDlg32.dll : 10.0.1\r\n"
        L"   Shell32.dll : 10.0.2\r\n"
        L"   ShlWapi.dll : \r\n"
        L"   MsVfm32.dll : UnKnown\r\n"
        L"==========================================\r\n"
        L"【障害内容】\r\n"
        L"\r\n";
    EXPECT_EQ(SupportReportText(SampleFacts()), expected);
}

// The colons line up: every field label, leading spaces included, takes 17
// columns of the fixed-pitch font.
TEST(SupportReport, LabelsAreSeventeenColumns)
{
    TReportFacts facts = SampleFacts();
    std::vector<std::wstring> lines = SupportReportLines(facts);
    ASSERT_EQ(lines.size(), 27u);
    const size_t labelled[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24};
    for (size_t number : labelled) {
        const std::wstring& line = lines[number - 1];
        size_t colon = line.find(L" : ");
        ASSERT_NE(colon, std::wstring::npos) << "line " << number;
        EXPECT_EQ(DisplayColumns(std::wstring_view(line).substr(0, colon + 3)), kLabelColumns) << "line " << number;
    }
    for (const TReportedFile& file : kReportedSystemFiles)
        EXPECT_EQ(DisplayColumns(file.Label), kLabelColumns) << file.FileName;
}

TEST(SupportReport, MailSubject)
{
    EXPECT_EQ(SupportMailSubject(L"Quirevue.exe"), L"障害報告 【Quirevue.exe】");
}

TEST(SupportReport, DisplayColumns)
{
    struct Case { const wchar_t* text; int columns; };
    const Case cases[] = {
        {L"", 0},
        {L"Abc : ", 6},
        {L"　", 2},             // ideographic space
        {L"ｶﾀｶﾅ", 4},           // half-width katakana: single bytes in code page 932
        {L"カタカナ", 8},
        {L"Ω€", 4},             // outside ASCII
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(DisplayColumns(cases[i].text), cases[i].columns) << i;
    std::wstring pair = sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD842), wchar_t(0xDFB7)} : std::wstring{wchar_t(0x20BB7)};
    EXPECT_EQ(DisplayColumns(pair + L"a"), 3);  // 𠮷 then a
}

TEST(SystemFacts, VersionAndPlatform)
{
    struct Case { uint32_t platform, major, minor, build; const wchar_t* sp; const wchar_t* platformText; const wchar_t* version; uint32_t buildNo; };
    const Case cases[] = {
        {1, 4, 0, 0x040003B6, L" C", L"Windows95", L"4.0 C", 950},
        {1, 4, 10, 0x040A08AE, L"", L"Windows98", L"4.10", 2222},
        {2, 4, 0, 1381, L"Service Pack 6", L"WindowsNT", L"4.0Service Pack 6", 1381},
        {2, 5, 1, 2600, L"Service Pack 2", L"WindowsNT", L"5.1Service Pack 2", 2600},
        // The manifest declares 8.1 and 10, so Windows 11 answers 10.0 too.
        {2, 10, 0, 22631, L"", L"WindowsNT", L"10.0", 22631},
        {3, 10, 0, 100000, L"", L"UnSuccessful", L"10.0", 100000},
    };
    for (const Case& c : cases) {
        TOsKind kind = OsKindOf(c.platform, c.major, c.minor);
        EXPECT_EQ(PlatformText(kind), c.platformText) << c.platformText;
        EXPECT_EQ(VersionText(c.major, c.minor, c.sp), c.version);
        EXPECT_EQ(BuildNumberOf(kind, c.build), c.buildNo) << c.version;
    }
    EXPECT_EQ(NtProductTypeOf(TOsKind::WinNT5Up, L"WinNT"), TNtProductType::ntWorkStation);
    EXPECT_EQ(NtProductTypeOf(TOsKind::WinNT5Up, L"ServerNT"), TNtProductType::ntServer);
    EXPECT_EQ(NtProductTypeOf(TOsKind::WinNT5Up, L"winnt"), TNtProductType::ntServer);
    EXPECT_EQ(NtProductTypeOf(TOsKind::Win98, L"WinNT"), TNtProductType::ntNone);
}

TEST(SystemFacts, ProcessorNames)
{
    using M = TNativeMachine;
    struct Case { M machine; uint32_t type; const wchar_t* text; };
    const Case cases[] = {
        {M::Amd64, 8664, L"AMD64"},
        {M::Arm64, 0, L"ARM64"},
        {M::Amd64, 586, L"AMD64"},      // a 32-bit process on a 64-bit system still names the system's
        {M::X86, 586, L"INTEL_PENTIUM"},
        {M::X86, 386, L"INTEL_386"},
        {M::X86, 486, L"INTEL_486"},
        {M::Unknown, 860, L"INTEL_860"},
        {M::Unknown, 2000, L"MIPS_R2000"},
        {M::Unknown, 3000, L"MIPS_R3000"},
        {M::Unknown, 4000, L"MIPS_R4000"},
        {M::Unknown, 21064, L"ALPHA_21064"},
        {M::X86, 8664, L"UnKnown"},
        {M::Unknown, 0, L"UnKnown"},
    };
    for (const Case& c : cases) EXPECT_EQ(ProcessorTypeText(c.machine, c.type), c.text) << c.type;

    EXPECT_EQ(NativeMachineOfImageMachine(0x8664), M::Amd64);
    EXPECT_EQ(NativeMachineOfImageMachine(0xAA64), M::Arm64);
    EXPECT_EQ(NativeMachineOfImageMachine(0x014C), M::X86);
    EXPECT_EQ(NativeMachineOfImageMachine(0x01C4), M::Unknown);  // ARMNT
    EXPECT_EQ(NativeMachineOfArchitecture(9), M::Amd64);
    EXPECT_EQ(NativeMachineOfArchitecture(12), M::Arm64);
    EXPECT_EQ(NativeMachineOfArchitecture(0), M::X86);
    EXPECT_EQ(NativeMachineOfArchitecture(6), M::Unknown);  // IA64
}

TEST(SystemFacts, MemoryFigures)
{
    constexpr uint64_t MiB = 1024 * 1024, GiB = 1024 * MiB;
    EXPECT_EQ(MemoryFigure(256 * MiB, TMemoryStatusKind::mkKB), 262144u);
    EXPECT_EQ(MemoryFigure(256 * MiB, TMemoryStatusKind::mkMB), 256u);
    EXPECT_EQ(MemoryFigure(256 * MiB + 1023, TMemoryStatusKind::mkKB), 262144u);
    EXPECT_EQ(MemoryFigure(6 * GiB, TMemoryStatusKind::mkB), 6 * GiB);            // past 32 bits
    EXPECT_EQ(MemoryFigure(64 * GiB, TMemoryStatusKind::mkKB), 67108864u);
    EXPECT_EQ(MemoryFigure(5 * 1024 * GiB, TMemoryStatusKind::mkKB), 5368709120u);  // past 32 bits in KB too

    EXPECT_EQ(MemoryLoadPercent(16 * GiB, 4 * GiB), 75u);
    EXPECT_EQ(MemoryLoadPercent(3, 1), 66u);
    EXPECT_EQ(MemoryLoadPercent(0, 0), 0u);
    EXPECT_EQ(MemoryLoadPercent(8 * GiB, 8 * GiB), 0u);
}

TEST(SystemFacts, VersionStringQuery)
{
    EXPECT_EQ(VersionStringQuery(0x0411, 0x04B0, L"FileVersion"), L"\\StringFileInfo\\041104B0\\FileVersion");
    EXPECT_EQ(VersionStringQuery(0x0409, 1252, L"ProductName"), L"\\StringFileInfo\\040904E4\\ProductName");
}

} // namespace
