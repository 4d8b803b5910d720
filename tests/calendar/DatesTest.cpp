#include "calendar/Dates.h"

#include <gtest/gtest.h>

namespace td {
namespace {

TEST(Dates, LeapYearsFollowTheFourYearRule)
{
    EXPECT_EQ(IsLeapYear(2000), 1);
    EXPECT_EQ(IsLeapYear(2096), 1);
    EXPECT_EQ(IsLeapYear(2001), 0);
    EXPECT_EQ(IsLeapYear(2098), 0);
    EXPECT_EQ(DaysInMonth(2008, 2), 29);
    EXPECT_EQ(DaysInMonth(2009, 2), 28);
    EXPECT_EQ(DaysInMonth(2009, 4), 30);
}

// Months are applied before days and the day is not clamped to the month; a step out of the
// century is refused and changes nothing.
TEST(Dates, StepDateMovesByMonthsThenDaysWithinTheCentury)
{
    const struct {
        int from, months, days, result, to, weekday;  // dates as yyyymmdd
    } cases[] = {
        {20991231, 0, 1, 0, 20991231, -1},
        {20000101, 0, -1, 0, 20000101, -1},
        {19991231, 0, 1, 0, 19991231, -1},
        {20090101, 0, 0, 1, 20090101, 4},
        {20080229, 0, 1, 1, 20080301, 6},
        {20090315, -1, 0, 1, 20090215, 0},
        {20090315, 10, 0, 1, 20100115, 5},
        {20090231, 0, 0, 1, 20090303, 2},
        {20090131, 1, 0, 1, 20090303, 2},
        {20090103, 0, -5, 1, 20081229, 1},
        {20081229, 0, 400, 1, 20100202, 2},
        {20100202, -25, 0, 1, 20080102, 3},
    };
    for (const auto& c : cases) {
        int y = c.from / 10000, m = c.from / 100 % 100, d = c.from % 100, weekday = -1;
        EXPECT_EQ(StepDate(y, m, d, &weekday, c.months, c.days), c.result) << c.from;
        EXPECT_EQ(y * 10000 + m * 100 + d, c.to) << c.from;
        EXPECT_EQ(weekday, c.weekday) << c.from;
    }
    EXPECT_EQ(Weekday(2000, 1, 1), 6);
    EXPECT_EQ(Weekday(2001, 1, 1), 1);
    EXPECT_EQ(Weekday(2026, 12, 6), 0);
}

TEST(Dates, DaysBetweenCountsAcrossMonthsAndYears)
{
    EXPECT_EQ(DaysBetween(2009, 12, 30, 2010, 1, 2), 3);
    EXPECT_EQ(DaysBetween(2008, 2, 1, 2008, 3, 1), 29);
    EXPECT_EQ(DaysBetween(2009, 4, 1, 2009, 4, 10), 9);
    EXPECT_EQ(DaysBetween(2000, 1, 1, 2001, 1, 1), 366);
}

TEST(Dates, CompareDatesLooksAtYearThenMonthThenDay)
{
    EXPECT_EQ(CompareDates(2009, 5, 1, 2009, 4, 30), 2);
    EXPECT_EQ(CompareDates(2009, 4, 30, 2009, 5, 1), 1);
    EXPECT_EQ(CompareDates(2010, 1, 1, 2009, 12, 31), 2);
    EXPECT_EQ(CompareDates(2009, 4, 30, 2009, 4, 30), 0);
}

TEST(Dates, DayIndexLaysOutEveryYearWith366Days)
{
    EXPECT_EQ(DayIndex(1, 1), 0);
    EXPECT_EQ(DayIndex(2, 29), 59);
    EXPECT_EQ(DayIndex(3, 1), 60);
    EXPECT_EQ(DayIndex(12, 31), 365);
    int m = 0, d = 0;
    ASSERT_TRUE(DayFromIndex(121, m, d));
    EXPECT_EQ(m * 100 + d, 501);
    ASSERT_TRUE(DayFromIndex(59, m, d));
    EXPECT_EQ(m * 100 + d, 229);
    EXPECT_FALSE(DayFromIndex(366, m, d));
    EXPECT_FALSE(DayFromIndex(-1, m, d));
}

}  // namespace
}  // namespace td
