#include "calendar/Dates.h"

#include <gtest/gtest.h>

namespace td {
namespace {

struct Date {
    int year;
    int month;
    int day;
};

// The chart places dates by day numbers; they must count exactly as DaysBetween does, damaged
// months and days (from a file's bytes) included, or items would move by a pixel.
TEST(DayNumber, CountsAsDaysBetweenDoes)
{
    const Date origins[] = {{2000, 1, 1}, {2009, 2, 28}, {2012, 2, 29}, {2024, 12, 31}, {2099, 7, 15}};
    const Date dates[] = {{2000, 1, 1}, {2000, 3, 1}, {2009, 2, 29}, {2009, 3, 32}, {2012, 0, 5}, {2012, 13, 7}, {2012, 255, 0},
                          {2013, 1, 0}, {2024, 12, 255}, {2100, 2, 29}, {2399, 6, 1}, {2400, 2, 30}, {65535, 12, 31}};
    for (const Date& a : origins) {
        for (const Date& b : dates) {
            if (b.year < a.year || (b.year == a.year && b.month < a.month))
                continue;
            EXPECT_EQ(DayNumber(b.year, b.month, b.day) - DayNumber(a.year, a.month, a.day),
                          DaysBetween(a.year, a.month, a.day, b.year, b.month, b.day))
                    << a.year << '-' << a.month << '-' << a.day << " to " << b.year << '-' << b.month << '-' << b.day;
        }
    }
}

TEST(DayNumber, CountsDatesBeforeTheOriginToo)
{
    const Date origin = {2009, 4, 17};
    const int64_t originDay = DayNumber(origin.year, origin.month, origin.day);
    const Date dates[] = {{2009, 4, 1}, {2009, 3, 31}, {2008, 13, 2}, {2001, 0, 9}, {1999, 12, 31}};
    for (const Date& b : dates)
        EXPECT_EQ(originDay - DayNumber(b.year, b.month, b.day),
                  DaysBetween(b.year, b.month, b.day, origin.year, origin.month, origin.day))
            << b.year << '-' << b.month << '-' << b.day;
}

}  // namespace
}  // namespace td
