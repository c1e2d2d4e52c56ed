#include "core/dialogs/DateParts.h"

#include "core/shell/FileFilter.h"

#include <cmath>

namespace {

constexpr int64_t kMsPerDay = 86400000;

// Calendar date of a count of days since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t mp = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// Whole days and the milliseconds of the day, rounded to the nearest one.
// Counts beyond any calendar the program shows read as the base date.
bool SplitMilliseconds(double days, int64_t& day, int64_t& ms)
{
    day = 0;
    ms = 0;
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return false;
    double whole = std::trunc(days);
    ms = int64_t(std::llround(std::fabs(days - whole) * double(kMsPerDay)));
    day = int64_t(whole);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        day += days < 0 ? -1 : 1;
    }
    return true;
}

}  // namespace

TDaySecond SplitDateTime(double days)
{
    int64_t day = 0, ms = 0;
    SplitMilliseconds(days, day, ms);
    return {day, int32_t(ms / 1000)};
}

double JoinDateTime(TDaySecond value)
{
    double fraction = value.Second / 86400.0;
    return value.Day < 0 ? double(value.Day) - fraction : double(value.Day) + fraction;
}

TDateTimeParts DecodeDateTime(double days)
{
    TDateTimeParts parts;
    int64_t day = 0, ms = 0;
    if (!SplitMilliseconds(days, day, ms)) return parts;
    CivilFromDays(day - 25569, parts.Year, parts.Month, parts.Day);
    parts.Hour = int(ms / 3600000);
    parts.Minute = int(ms / 60000 % 60);
    parts.Second = int(ms / 1000 % 60);
    parts.Millisecond = int(ms % 1000);
    return parts;
}

double EncodeDateTime(const TDateTimeParts& p)
{
    double date = EncodeDate(p.Year, p.Month, p.Day);
    double fraction = (((p.Hour * 60.0 + p.Minute) * 60.0 + p.Second) * 1000.0 + p.Millisecond) / double(kMsPerDay);
    return date < 0 ? date - fraction : date + fraction;
}

std::optional<TDosDateTime> ToDosDateTime(const TDateTimeParts& p)
{
    if (p.Year < kFirstDosYear || p.Year > kLastDosYear) return std::nullopt;
    TDosDateTime dos;
    dos.Date = uint16_t(((p.Year - kFirstDosYear) << 9) | (p.Month << 5) | p.Day);
    dos.Time = uint16_t((p.Hour << 11) | (p.Minute << 5) | (p.Second / 2));
    return dos;
}
