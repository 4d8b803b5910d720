#pragma once

#include <cstdint>

namespace td {

// Dates of the proleptic Gregorian calendar as day numbers, for the calendar formats of other
// programs, whose years reach beyond the chart's 2000..2099.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Days since 1970-01-01 (negative before it).
int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(int64_t days);
bool IsCivilDate(const CivilDate& date);

}  // namespace td
