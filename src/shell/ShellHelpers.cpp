#include "shell/ShellHelpers.h"

#include "gui/Handles.h"

#include <oleauto.h>

#include <cmath>

std::wstring GetVolumeLabel(const std::wstring& rootPath)
{
    wchar_t label[MAX_PATH + 1] = {};
    {
        TNoCriticalErrorBoxes guard;
        if (!GetVolumeInformationW(rootPath.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
            return {};
    }
    std::wstring text = label;
    if (text.empty()) return text;
    CharLowerBuffW(text.data(), DWORD(text.size()));
    if (text[0] >= L'a' && text[0] <= L'z') text[0] = wchar_t(text[0] - L'a' + L'A');
    return text;
}

bool DirectoryExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RegularFileExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring CreateNewFolder(const std::wstring& folder)
{
    const std::wstring base = L"新しいフォルダ";
    std::wstring name = base;
    for (int n = 2; DirectoryExists(JoinPath(folder, name)); ++n) name = base + L" (" + std::to_wstring(n) + L")";
    return CreateDirectoryW(JoinPath(folder, name).c_str(), nullptr) ? name : std::wstring();
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

std::wstring IncludeBackslash(const std::wstring& path)
{
    return !path.empty() && path.back() == L'\\' ? path : path + L"\\";
}

double FileTimeToDate(const FILETIME& time)
{
    if (time.dwLowDateTime == 0 || time.dwHighDateTime == 0) return 0;
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
    double date = 0;
    SystemTimeToVariantTime(&st, &date);
    // VariantTime drops the milliseconds.
    double fraction = st.wMilliseconds / 86400000.0;
    return date >= 0 ? date + fraction : date - fraction;
}

FILETIME DateToFileTime(double date)
{
    FILETIME zero{};
    if (date == 0) return zero;
    SYSTEMTIME st;
    if (!VariantTimeToSystemTime(date, &st) || st.wYear < 1980 || st.wYear > 2107) return zero;
    WORD dosDate = WORD(((st.wYear - 1980) << 9) | (st.wMonth << 5) | st.wDay);
    WORD dosTime = WORD((st.wHour << 11) | (st.wMinute << 5) | (st.wSecond / 2));
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(dosDate, dosTime, &local) || !LocalFileTimeToFileTime(&local, &utc)) return zero;
    return utc;
}

static wchar_t LocaleChar(LCTYPE type, wchar_t fallback)
{
    wchar_t text[8] = {};
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 8) > 1 ? text[0] : fallback;
}

wchar_t LocaleThousandsSeparator() { return LocaleChar(LOCALE_STHOUSAND, L','); }
wchar_t LocaleDecimalSeparator() { return LocaleChar(LOCALE_SDECIMAL, L'.'); }

std::wstring FormatShortDateTime(double date)
{
    SYSTEMTIME st;
    if (!VariantTimeToSystemTime(date, &st)) return {};
    wchar_t day[64] = {}, time[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, day, 64);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, time, 64);
    return std::wstring(day) + L" " + time;
}

bool FindFileData(const std::wstring& path, WIN32_FIND_DATAW& data)
{
    return bool(TFindHandle(FindFirstFileW(path.c_str(), &data)));
}
