#pragma once

#include <utility>
#include <vector>

namespace td {

// The holidays of a run of consecutive days, taken once so that drawing reads no files.
class HolidayDays {
public:
    explicit HolidayDays(std::vector<bool> days)
        : days(std::move(days))
    {
    }

    // Day 0 is the run's first day; days outside the run are no holidays.
    bool IsHoliday(int dayIndex) const
    {
        return dayIndex >= 0 && dayIndex < static_cast<int>(days.size()) && days[dayIndex];
    }

private:
    std::vector<bool> days;
};

}  // namespace td
