#pragma once

#include "calendar/Dates.h"

namespace td {

inline constexpr int HolidayTableSize = DaysInIndexYear;

// Where the calendar gets a year's holidays from; the holiday files in the editor and the tools.
class HolidayYearSource {
public:
    virtual ~HolidayYearSource() = default;
    // Sets the year's holidays to 1 in the table, leaving the other entries as they are; 1 when
    // the year had a table to read, 0 when it had none.
    virtual int LoadYear(int year, int (&table)[HolidayTableSize]) = 0;
};

}  // namespace td
