#include "calendar/HolidayCalendar.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace td {

int HolidayCalendar::IsHoliday(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return 0;
    return dayTable[TableFor(year)][DayIndex(month, day)];
}

HolidayDays HolidayCalendar::DaysFrom(const DateTriple& first, int count)
{
    std::vector<bool> days;
    if (first.day < 1 || first.day > DaysInMonth(first.year, first.month))
        return HolidayDays(std::move(days));
    DateTriple date = first;
    for (int i = 0; i < count; ++i) {
        days.push_back(IsHoliday(date.year, date.month, date.day) != 0);
        if (!StepDate(date.year, date.month, date.day, nullptr, 0, 1))
            break;
    }
    return HolidayDays(std::move(days));
}

void HolidayCalendar::ReloadHolidays()
{
    for (int table = 0; table < 2; ++table) {
        if (cachedYear[table] != 0)
            LoadTable(table, cachedYear[table]);
    }
}

// An empty table counts as year 0, far from every real year; a tie replaces the first table.
int HolidayCalendar::TableFor(int year)
{
    if (cachedYear[0] == year)
        return 0;
    if (cachedYear[1] == year)
        return 1;
    int table = std::abs(cachedYear[0] - year) < std::abs(cachedYear[1] - year) ? 1 : 0;
    LoadTable(table, year);
    return table;
}

// The year is taken even without a file, so a year without holidays is not read again.
void HolidayCalendar::LoadTable(int table, int year)
{
    std::fill(std::begin(dayTable[table]), std::end(dayTable[table]), 0);
    source.LoadYear(year, dayTable[table]);
    cachedYear[table] = year;
}

}  // namespace td
