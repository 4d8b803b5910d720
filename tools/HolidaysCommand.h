#pragma once

#include <string>
#include <vector>

namespace td {

// `tdtool holidays import CALENDAR.ics [--dir DIR] [--years FROM-TO] [--replace]`: writes the
// holiday files of the years the calendar's all-day events name (or FROM..TO), merged with the
// days already marked unless --replace, and prints per year how many days were added.
// `tdtool holidays list YEAR [--dir DIR]`: prints the year's holidays. The holiday files are
// those of the working directory, as the editor's, unless --dir names another. `args` are the
// words after "holidays". Returns the process exit code.
int RunHolidays(const std::vector<std::string>& args);

}  // namespace td
