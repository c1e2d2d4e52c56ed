#include "core/support/SupportReport.h"

#include <cstdio>

namespace {

std::wstring TwoDigits(int value)
{
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d", value);
    return text;
}

std::wstring TimeText(const TReportTime& t)
{
    wchar_t year[8];
    std::swprintf(year, 8, L"%04d", t.Year);
    return std::wstring(year) + L"/" + TwoDigits(t.Month) + L"/" + TwoDigits(t.Day) + L" " + TwoDigits(t.Hour) +
           L":" + TwoDigits(t.Minute) + L":" + TwoDigits(t.Second);
}

// "%10d": right-aligned in ten characters; a longer number keeps all digits.
std::wstring Width10(uint64_t value)
{
    std::wstring digits = std::to_wstring(value);
    return digits.size() < 10 ? std::wstring(10 - digits.size(), L' ') + digits : digits;
}

} // namespace

std::vector<std::wstring> SupportReportLines(const TReportFacts& f)
{
    const std::wstring equals(42, L'='), hyphens(42, L'-');
    std::vector<std::wstring> lines = {
        L"【システム情報】  " + TimeText(f.Now),
        equals,
        L"コンピュータ名 : " + f.ComputerName,
        L"　　ログオン名 : " + f.LogOnUserName,
        L"　 Windows種別 : " + f.PlatForm,
        L"　　バージョン : " + f.Version,
        L"　　　　ビルド : " + std::to_wstring(f.BuildNo),
        L"　プロダクトID : " + f.ProductID,
        L"　 Windows Dir : " + f.WindowsDir,
        L"　  System Dir : " + f.WindowsSystemDir,
        L"　　 　CPU種別 : " + f.ProcessorType,
        L"　　画面サイズ : " + std::to_wstring(f.ScreenWidth) + L" * " + std::to_wstring(f.ScreenHeight),
        L" 画面の色(bit) : " + std::to_wstring(f.ScreenBitsPerPixel),
        L"　空メモリ(KB) : " + Width10(f.MemoryFree),
        L"　総メモリ(KB) : " + Width10(f.MemoryTotal),
        L"　空ページ(KB) : " + Width10(f.PageFree),
        L"　総ページ(KB) : " + Width10(f.PageTotal),
        f.ExeFileName + L" : " + f.ExeFileVersion,
        hyphens,
    };
    for (size_t i = 0; i < kReportedSystemFiles.size(); ++i)
        lines.push_back(kReportedSystemFiles[i].Label + f.SystemFileVersions[i]);
    lines.push_back(equals);
    lines.push_back(L"【障害内容】");
    lines.push_back(L"");
    return lines;
}

std::wstring SupportReportText(const TReportFacts& facts)
{
    std::wstring text;
    for (const std::wstring& line : SupportReportLines(facts)) text += line + L"\r\n";
    return text;
}

std::wstring SupportMailSubject(const std::wstring& exeFileName)
{
    return L"障害報告 【" + exeFileName + L"】";
}

int DisplayColumns(std::wstring_view text)
{
    int columns = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        bool single = c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
        columns += single ? 1 : 2;
        // A surrogate pair is one character (wchar_t is 16 bits on Windows).
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
    }
    return columns;
}
