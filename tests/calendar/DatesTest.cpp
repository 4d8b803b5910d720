#include "calendar/Dates.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace td {
namespace {

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
    EXPECT_EQ((std::vector<int> {Weekday(2000, 1, 1), Weekday(2001, 1, 1), Weekday(2026, 12, 6)}), (std::vector<int> {6, 1, 0}));
}

TEST(Dates, LeapYearsDayCountsComparisonsAndDayIndices)
{
    EXPECT_EQ((std::vector<int> {IsLeapYear(2000), IsLeapYear(2096), IsLeapYear(2001), IsLeapYear(2098)}), (std::vector<int> {1, 1, 0, 0}));
    EXPECT_EQ((std::vector<int> {DaysInMonth(2008, 2), DaysInMonth(2009, 2), DaysInMonth(2009, 4)}), (std::vector<int> {29, 28, 30}));
    EXPECT_EQ((std::vector<int> {DaysBetween(2009, 12, 30, 2010, 1, 2), DaysBetween(2008, 2, 1, 2008, 3, 1),
                                 DaysBetween(2009, 4, 1, 2009, 4, 10), DaysBetween(2000, 1, 1, 2001, 1, 1)}),
              (std::vector<int> {3, 29, 9, 366}));
    // 2 when the first date is later, 1 when it is earlier.
    EXPECT_EQ((std::vector<int> {CompareDates(2009, 5, 1, 2009, 4, 30), CompareDates(2009, 4, 30, 2009, 5, 1),
                                 CompareDates(2010, 1, 1, 2009, 12, 31), CompareDates(2009, 4, 30, 2009, 4, 30)}),
              (std::vector<int> {2, 1, 2, 0}));

    // Every year is laid out with 366 days.
    EXPECT_EQ((std::vector<int> {DayIndex(1, 1), DayIndex(2, 29), DayIndex(3, 1), DayIndex(12, 31)}), (std::vector<int> {0, 59, 60, 365}));
    int m = 0, d = 0;
    for (const auto& [index, date] : {std::pair {121, 501}, {59, 229}}) {
        ASSERT_TRUE(DayFromIndex(index, m, d));
        EXPECT_EQ(m * 100 + d, date);
    }
    EXPECT_FALSE(DayFromIndex(366, m, d) || DayFromIndex(-1, m, d));
}

struct Date { int year, month, day; };

// The chart places dates by day numbers; they must count exactly as DaysBetween does, damaged
// months and days (from a file's bytes) included, or items would move by a pixel.
TEST(DayNumber, CountsAsDaysBetweenDoesEitherSideOfTheOrigin)
{
    const Date origins[] = {{2000, 1, 1}, {2009, 2, 28}, {2009, 4, 17}, {2012, 2, 29}, {2024, 12, 31}, {2099, 7, 15}};
    const Date dates[] = {{1999, 12, 31}, {2000, 1, 1}, {2000, 3, 1}, {2001, 0, 9}, {2008, 13, 2}, {2009, 2, 29}, {2009, 3, 31},
                          {2009, 3, 32}, {2009, 4, 1}, {2012, 0, 5}, {2012, 13, 7}, {2012, 255, 0}, {2013, 1, 0},
                          {2024, 12, 255}, {2100, 2, 29}, {2399, 6, 1}, {2400, 2, 30}, {65535, 12, 31}};
    for (const Date& origin : origins) {
        for (const Date& date : dates) {
            Date a = origin, b = date;
            if (std::tie(b.year, b.month, b.day) < std::tie(a.year, a.month, a.day))
                std::swap(a, b);
            EXPECT_EQ(DayNumber(b.year, b.month, b.day) - DayNumber(a.year, a.month, a.day),
                      DaysBetween(a.year, a.month, a.day, b.year, b.month, b.day))
                << a.year << '-' << a.month << '-' << a.day << " to " << b.year << '-' << b.month << '-' << b.day;
        }
    }
}

}  // namespace
}  // namespace td
