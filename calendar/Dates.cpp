#include "calendar/Dates.h"

namespace td {

namespace {

constexpr int MonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int CommonMonthOffsets[12] = {0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5};
constexpr int LeapMonthOffsets[12] = {0, 3, 4, 0, 2, 5, 0, 3, 6, 1, 4, 6};
constexpr int FirstDayIndex[12] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

// 1 January 2000 was a Saturday; every year moves it by one day, leap years by two.
int FirstWeekdayOfYear(int year)
{
    int weekday = 6;
    for (int y = FirstYear; y < year; ++y)
        weekday = (weekday + (IsLeapYear(y) ? 2 : 1)) % 7;
    return weekday;
}

}  // namespace

int IsLeapYear(int year)
{
    return (year - FirstYear) % 4 == 0 ? 1 : 0;
}

int DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : MonthLengths[month - 1];
}

int Weekday(int year, int month, int day)
{
    const int* offsets = IsLeapYear(year) ? LeapMonthOffsets : CommonMonthOffsets;
    return (FirstWeekdayOfYear(year) + offsets[month - 1] + day - 1) % 7;
}

int StepDate(int& year, int& month, int& day, int* weekday, int months, int days)
{
    if (year < FirstYear)
        return 0;
    int d = day + days;
    int m = month + months;
    int y = year;
    while (m < 1) {
        m += 12;
        --y;
    }
    while (m > 12) {
        m -= 12;
        ++y;
    }
    while (d < 1) {
        if (--m < 1) {
            m += 12;
            --y;
        }
        d += DaysInMonth(y, m);
    }
    while (d > DaysInMonth(y, m)) {
        d -= DaysInMonth(y, m);
        if (++m > 12) {
            m -= 12;
            ++y;
        }
    }
    if (y < FirstYear || y >= EndYear)
        return 0;
    year = y;
    month = m;
    day = d;
    if (weekday)
        *weekday = Weekday(y, m, d);
    return 1;
}

int DaysBetween(int year1, int month1, int day1, int year2, int month2, int day2)
{
    int total = 0;
    int s = day1;
    int y = year1;
    int m = month1;
    while (y < year2 || (y == year2 && m < month2)) {
        total += DaysInMonth(y, m) - s;
        s = 0;
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    return total + (day2 - s);
}

int64_t DayNumber(int year, int month, int day)
{
    int64_t y = year;
    if (month > 12) {
        ++y;
        month = 1;
    }
    month = month < 1 ? 1 : month;
    // Leap years are the multiples of four; floor division keeps years before 0 right.
    const int64_t leapYearsBefore = (y + 3 >= 0 ? y + 3 : y) / 4;
    const int64_t leapDay = month > 2 && y % 4 == 0 ? 1 : 0;
    return y * 365 + leapYearsBefore + FirstDayIndex[month - 1] - (month > 2 ? 1 : 0) + leapDay
        + day;
}

int CompareDates(int year1, int month1, int day1, int year2, int month2, int day2)
{
    if (year1 != year2)
        return year1 > year2 ? 2 : 1;
    if (month1 != month2)
        return month1 > month2 ? 2 : 1;
    if (day1 != day2)
        return day1 > day2 ? 2 : 1;
    return 0;
}

int DayIndex(int month, int day)
{
    return FirstDayIndex[month - 1] + day - 1;
}

bool DayFromIndex(int index, int& month, int& day)
{
    if (index < 0 || index >= DaysInIndexYear)
        return false;
    month = 12;
    while (FirstDayIndex[month - 1] > index)
        --month;
    day = index - FirstDayIndex[month - 1] + 1;
    return true;
}

}  // namespace td
