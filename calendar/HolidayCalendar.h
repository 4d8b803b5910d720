#pragma once

#include "persistence/HolidayFile.h"

namespace td {

// Tells the painters whether a date is a holiday, holding the day tables of two years so that a
// chart spanning two years reads each file once.
class HolidayCalendar {
public:
    int IsHoliday(int year, int month, int day);
    void ReloadHolidays();
    int CachedYear(int table) const { return cachedYear[table]; }

private:
    int TableFor(int year);
    void LoadTable(int table, int year);

    int dayTable[2][HolidayTableSize] = {};
    int cachedYear[2] = {};
};

}  // namespace td
