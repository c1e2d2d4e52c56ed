#pragma once
// Day counts (days since 30 December 1899, the time of day as fraction) in
// calendar parts, and the MS-DOS date and time the date dialog writes
// through (two-second steps, years 1980 to 2107 only).
#include <cstdint>
#include <optional>

struct TDateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// A negative count keeps its whole days before the base date and its
// fraction as the time of that day, as such counts are read elsewhere.
TDateTimeParts DecodeDateTime(double days);
double EncodeDateTime(const TDateTimeParts& parts);

// Whole days and seconds of the day, the form the pickers' rules work in.
struct TDaySecond {
    int64_t Day = 0;
    int32_t Second = 0;  // 0 to 86399
};
TDaySecond SplitDateTime(double days);
double JoinDateTime(TDaySecond value);

constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = 2107;

struct TDosDateTime {
    uint16_t Date = 0;
    uint16_t Time = 0;
};

// Seconds rounded down to an even number; nothing for a year outside 1980
// to 2107, which has no DOS form.
std::optional<TDosDateTime> ToDosDateTime(const TDateTimeParts& parts);
