#pragma once

#include <cstdint>

namespace td {

inline constexpr int FirstYear = 2000;
inline constexpr int EndYear = 2100;  // first year past the range
inline constexpr int DaysInIndexYear = 366;

struct DateTriple {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
};

int IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Moves the date by months, then days; returns 0 and leaves everything untouched when the
// result would fall outside 2000..2099.
int StepDate(int& year, int& month, int& day, int* weekday, int months, int days);
int DaysBetween(int year1, int month1, int day1, int year2, int month2, int day2);
// The days from a fixed origin to the date, counted as DaysBetween counts them, in constant
// time: a month below 1 counts as January, one above 12 as the next January, and the day is
// added as it stands. DaysBetween(a, b) is DayNumber(b) - DayNumber(a) whenever b's year and
// month are not before a's, or both dates lie in the same month.
int64_t DayNumber(int year, int month, int day);
// 2 when the first date is later, 1 when it is earlier, 0 when equal.
int CompareDates(int year1, int month1, int day1, int year2, int month2, int day2);
// 0 Sunday .. 6 Saturday.
int Weekday(int year, int month, int day);
// Index of the day in a 366-day year, so that 29 February is always 59.
int DayIndex(int month, int day);
// The month and day of a day index; false for an index outside 0..365.
bool DayFromIndex(int index, int& month, int& day);

}  // namespace td
