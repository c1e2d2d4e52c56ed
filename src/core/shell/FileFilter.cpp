#include "core/shell/FileFilter.h"

#include <ctime>

double EncodeDate(int year, int month, int day)
{
    // Days from 1970-01-01 by whole 400-year eras (civil-from-days inverse).
    int y = year - (month <= 2 ? 1 : 0);
    int era = (y >= 0 ? y : y - 399) / 400;
    int yearOfEra = y - era * 400;
    int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    long long unixDays = static_cast<long long>(era) * 146097 + dayOfEra - 719468;
    return static_cast<double>(unixDays + 25569);
}

double LocalToday()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

TSHFileFilter::TSHFileFilter()
    : Name("\x90\x56\x82\xB5\x82\xA2\x83\x74\x83\x42\x83\x8B\x83\x5E") // 新しいフィルタ
    , Date1(LocalToday())
    , Date2(Date1)
{
}

void TSHFileFilter::Assign(const TSHFileFilter& source)
{
    if (&source != this) *this = source;
}
