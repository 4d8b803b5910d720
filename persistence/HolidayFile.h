#pragma once

#include <string>

namespace td {

inline constexpr int HolidayTableSize = 366;

// Takes the process's working directory as the home of the holiday files; only the first call
// counts (the Workspace makes it at start).
void FixHolidayDirectory();
const std::string& HolidayDirectory();
std::string HolidayFileName(int year);

int LoadHolidayFile(int year, int (&table)[HolidayTableSize]);
int SaveHolidayFile(int year, const int (&table)[HolidayTableSize]);

}  // namespace td
