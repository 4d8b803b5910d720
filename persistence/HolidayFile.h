#pragma once

#include "calendar/HolidayYearSource.h"

#include <string>
#include <string_view>

namespace td {

inline constexpr char HolidayFileHeader[] = "# TimelineDraft Holiday File";

// Takes the process's working directory as the home of the holiday files; only the first call
// counts (HolidayFiles makes it at start).
void FixHolidayDirectory();
// Puts the holiday files in another directory (tests, tools); later FixHolidayDirectory calls
// keep it.
void SetHolidayDirectory(const std::string& path);
// The directory with a trailing '/'; empty until fixed or set.
const std::string& HolidayDirectory();
std::string HolidayFileName(int year);

// The file's text, read into a table (only setting entries) and written from one.
void ScanHolidayText(std::string_view data, int (&table)[HolidayTableSize]);
std::string HolidayText(const int (&table)[HolidayTableSize]);

// Both return 1 on success and 0 for a year outside 2000..2099 or a file that cannot be read or
// written. Loading only sets entries to 1; callers clear the table first.
int LoadHolidayFile(int year, int (&table)[HolidayTableSize]);
int SaveHolidayFile(int year, const int (&table)[HolidayTableSize]);

// The holiday files as the calendar's source of years; the first one made fixes the directory.
class HolidayFiles final : public HolidayYearSource {
public:
    HolidayFiles() { FixHolidayDirectory(); }
    int LoadYear(int year, int (&table)[HolidayTableSize]) override
    {
        return LoadHolidayFile(year, table);
    }
};

}  // namespace td
