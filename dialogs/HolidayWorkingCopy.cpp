#include "dialogs/HolidayWorkingCopy.h"

#include "calendar/Dates.h"

namespace td {

namespace {

bool IsShownYear(int year)
{
    return year >= FirstYear && year < EndYear;
}

}  // namespace

std::array<int, GridCells> MonthGrid(int year, int month)
{
    std::array<int, GridCells> grid {};
    const int lead = Weekday(year, month, 1);
    const int days = DaysInMonth(year, month);
    for (int day = 1; day <= days && lead + day - 1 < GridCells; ++day)
        grid[lead + day - 1] = day;
    return grid;
}

bool StepMonth(int& year, int& month, int step)
{
    const int months = year * 12 + (month - 1) + step;
    if (!IsShownYear(months / 12))
        return false;
    year = months / 12;
    month = months % 12 + 1;
    return true;
}

bool HolidayWorkingCopy::EnsureYear(int year)
{
    if (!IsShownYear(year))
        return false;
    auto& flags = years[year - FirstYear];
    if (!flags) {
        flags = std::make_unique<YearFlags>();
        LoadHolidayFile(year, flags->day);
    }
    return true;
}

bool HolidayWorkingCopy::IsHoliday(int year, int month, int day) const
{
    if (!IsShownYear(year) || !years[year - FirstYear])
        return false;
    return years[year - FirstYear]->day[DayIndex(month, day)] == 1;
}

void HolidayWorkingCopy::SetHoliday(int year, int month, int day, bool holiday)
{
    if (EnsureYear(year))
        years[year - FirstYear]->day[DayIndex(month, day)] = holiday ? 1 : 0;
}

bool HolidayWorkingCopy::SaveAll() const
{
    bool saved = true;
    for (int i = 0; i < static_cast<int>(years.size()); ++i) {
        if (years[i] && !SaveHolidayFile(FirstYear + i, years[i]->day))
            saved = false;
    }
    return saved;
}

}  // namespace td
