#pragma once

#include "calendar/Dates.h"
#include "calendar/HolidayDays.h"
#include "calendar/HolidayYearSource.h"

namespace td {

// Tells the painters whether a date is a holiday, holding the day tables of two years so that a
// chart spanning two years reads each year once.
class HolidayCalendar {
public:
    explicit HolidayCalendar(HolidayYearSource& source)
        : source(source)
    {
    }

    int IsHoliday(int year, int month, int day);
    // The holidays of count days from first on; days past 2099 are no holidays, and a first date
    // that names no day gives an empty run.
    HolidayDays DaysFrom(const DateTriple& first, int count);
    void ReloadHolidays();
    int CachedYear(int table) const { return cachedYear[table]; }

private:
    int TableFor(int year);
    void LoadTable(int table, int year);

    HolidayYearSource& source;
    int dayTable[2][HolidayTableSize] = {};
    int cachedYear[2] = {};
};

}  // namespace td
