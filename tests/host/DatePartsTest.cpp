#include "core/dialogs/DateParts.h"

#include <gtest/gtest.h>

namespace {

TDateTimeParts Parts(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    TDateTimeParts p;
    p.Year = y, p.Month = mo, p.Day = d, p.Hour = h, p.Minute = mi, p.Second = s;
    return p;
}

bool Same(const TDateTimeParts& a, const TDateTimeParts& b)
{
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour && a.Minute == b.Minute &&
           a.Second == b.Second && a.Millisecond == b.Millisecond;
}

}  // namespace

TEST(DateParts, DayCountsRoundTripThroughCalendarParts)
{
    struct Case {
        double days;
        TDateTimeParts parts;
    } cases[] = {
        {0, Parts(1899, 12, 30)},
        {2, Parts(1900, 1, 1)},
        {38415.0 + (10 * 3600 + 20 * 60 + 31) / 86400.0, Parts(2005, 3, 4, 10, 20, 31)},
        {-1.25, Parts(1899, 12, 29, 6)},
        {29221, Parts(1980, 1, 1)},
        {75971.0 + 86399 / 86400.0, Parts(2107, 12, 31, 23, 59, 59)},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Same(DecodeDateTime(c.days), c.parts)) << c.days;
        EXPECT_NEAR(EncodeDateTime(c.parts), c.days, 1e-9) << c.days;
    }
    // A fraction a hair below the next second reads as that second.
    EXPECT_EQ(DecodeDateTime(38415.0 + 30.9999 / 86400.0).Second, 31);
    // 23:59:59.9999 carries into the next day.
    EXPECT_TRUE(Same(DecodeDateTime(38415.0 + 86399.9999 / 86400.0), Parts(2005, 3, 5)));
}

TEST(DateParts, DosFormHasTwoSecondStepsAndYears1980To2107)
{
    auto dos = ToDosDateTime(Parts(2005, 3, 4, 10, 20, 31));
    ASSERT_TRUE(dos);
    EXPECT_EQ(dos->Date, ((2005 - 1980) << 9) | (3 << 5) | 4);
    EXPECT_EQ(dos->Time, (10 << 11) | (20 << 5) | 15);  // 30 seconds

    struct Case {
        TDateTimeParts parts;
        bool held;
    } cases[] = {
        {Parts(1979, 12, 31, 23, 59, 59), false},
        {Parts(1980, 1, 1), true},
        {Parts(2107, 12, 31, 23, 59, 59), true},
        {Parts(2108, 1, 1), false},
        {Parts(1899, 12, 30), false},  // the zero day count
    };
    for (const Case& c : cases) EXPECT_EQ(ToDosDateTime(c.parts).has_value(), c.held) << c.parts.Year;
}
