#pragma once

#include "persistence/HolidayFile.h"

#include <array>
#include <memory>

namespace td {

inline constexpr int GridWeeks = 6;
inline constexpr int GridCells = GridWeeks * 7;

// The day numbers of a month's calendar grid in reading order, Sunday first; 0 for a blank cell.
std::array<int, GridCells> MonthGrid(int year, int month);

// Moves a month by `step` within 2000..2099; false (and nothing changed) past either end.
bool StepMonth(int& year, int& month, int step);

// The holiday dialog's flags of every year it has shown, read from the year's file on the first
// visit and written back, visited years only, when the dialog is confirmed.
class HolidayWorkingCopy {
public:
    // False for a year outside 2000..2099.
    bool EnsureYear(int year);
    bool IsHoliday(int year, int month, int day) const;
    void SetHoliday(int year, int month, int day, bool holiday);
    // Writes every visited year in ascending order; false when any file could not be written.
    bool SaveAll() const;

private:
    struct YearFlags {
        int day[HolidayTableSize] = {};
    };
    std::array<std::unique_ptr<YearFlags>, 100> years;
};

}  // namespace td
