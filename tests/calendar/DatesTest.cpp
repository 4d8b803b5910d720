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

TEST(Dates, StepDateRefusesToLeaveTheCenturyAndChangesNothing)
{
    int y = 2099, m = 12, d = 31;
    EXPECT_EQ(StepDate(y, m, d, nullptr, 0, 1), 0);
    EXPECT_EQ(y, 2099);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(d, 31);
    y = 2000, m = 1, d = 1;
    EXPECT_EQ(StepDate(y, m, d, nullptr, 0, -1), 0);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20000101);
    y = 1999, m = 12, d = 31;
    EXPECT_EQ(StepDate(y, m, d, nullptr, 0, 1), 0);
}

TEST(Dates, StepDateGivesTheWeekday)
{
    int y = 2009, m = 1, d = 1, weekday = -1;
    ASSERT_EQ(StepDate(y, m, d, &weekday, 0, 0), 1);
    EXPECT_EQ(weekday, 4);
    y = 2008, m = 2, d = 29;
    ASSERT_EQ(StepDate(y, m, d, &weekday, 0, 1), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20080301);
    EXPECT_EQ(weekday, 6);
    EXPECT_EQ(Weekday(2000, 1, 1), 6);
    EXPECT_EQ(Weekday(2001, 1, 1), 1);
    EXPECT_EQ(Weekday(2026, 12, 6), 0);
}

TEST(Dates, StepDateAppliesMonthsBeforeDaysWithoutClamping)
{
    int y = 2009, m = 3, d = 15;
    ASSERT_EQ(StepDate(y, m, d, nullptr, -1, 0), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20090215);
    y = 2009, m = 3, d = 15;
    ASSERT_EQ(StepDate(y, m, d, nullptr, 10, 0), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20100115);
    y = 2009, m = 2, d = 31;
    ASSERT_EQ(StepDate(y, m, d, nullptr, 0, 0), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20090303);
    y = 2009, m = 1, d = 31;
    ASSERT_EQ(StepDate(y, m, d, nullptr, 1, 0), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20090303);
}

TEST(Dates, StepDateCrossesYearsBothWays)
{
    int y = 2009, m = 1, d = 3;
    ASSERT_EQ(StepDate(y, m, d, nullptr, 0, -5), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20081229);
    ASSERT_EQ(StepDate(y, m, d, nullptr, 0, 400), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20100202);
    ASSERT_EQ(StepDate(y, m, d, nullptr, -25, 0), 1);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20080102);
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
