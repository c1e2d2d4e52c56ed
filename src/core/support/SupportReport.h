#pragma once
// The support report: the plain text of the system's particulars that the
// support dialog shows and mails, with room for the user's description.
// Every field label is kLabelColumns wide in a fixed-pitch font.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kLabelColumns = 17;

struct TReportTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// A system DLL whose version the report lists: its label and its name in the
// system directory.
struct TReportedFile {
    const wchar_t* Label;
    const wchar_t* FileName;
};
inline constexpr std::array<TReportedFile, 5> kReportedSystemFiles{{
    {L"  ComCtl32.dll : ", L"COMCTL32.DLL"},
    {L"  ComDlg32.dll : ", L"COMDLG32.DLL"},
    {L"   Shell32.dll : ", L"SHELL32.DLL"},
    {L"   ShlWapi.dll : ", L"SHLWAPI.DLL"},
    {L"   MsVfm32.dll : ", L"MSVFW32.DLL"},
}};

// What the collector found, as the report shows it. Memory figures are in
// kilobytes.
struct TReportFacts {
    TReportTime Now;
    std::wstring ComputerName;
    std::wstring LogOnUserName;
    std::wstring PlatForm;
    std::wstring Version;
    uint32_t BuildNo = 0;
    std::wstring ProductID;
    std::wstring WindowsDir;
    std::wstring WindowsSystemDir;
    std::wstring ProcessorType;
    int ScreenWidth = 0, ScreenHeight = 0, ScreenBitsPerPixel = 0;
    uint64_t MemoryFree = 0, MemoryTotal = 0, PageFree = 0, PageTotal = 0;
    std::wstring ExeFileName;     // without folder
    std::wstring ExeFileVersion;
    std::array<std::wstring, kReportedSystemFiles.size()> SystemFileVersions;  // in kReportedSystemFiles order
};

// The report's 27 lines; the last is empty, for the user's description.
std::vector<std::wstring> SupportReportLines(const TReportFacts& facts);
// The lines joined with CR LF, each line ended by one.
std::wstring SupportReportText(const TReportFacts& facts);
// "障害報告 【Quirevue.exe】"
std::wstring SupportMailSubject(const std::wstring& exeFileName);

// Columns `text` takes in a fixed-pitch Japanese font: one for ASCII and
// half-width katakana (a single byte in code page 932), two for any other
// character, a surrogate pair being one character.
int DisplayColumns(std::wstring_view text);
