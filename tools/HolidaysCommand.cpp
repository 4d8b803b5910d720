#include "tools/HolidaysCommand.h"

#include "calendar/Dates.h"
#include "persistence/FileReplacement.h"
#include "persistence/HolidayFile.h"
#include "tools/ChartOptions.h"
#include "tools/CommandReporter.h"
#include "tools/ICalendarHolidays.h"

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace td {

namespace {

constexpr int UsageExit = 2;

struct HolidayOptions {
    std::vector<std::string> operands;
    std::optional<std::string> dir;
    std::optional<YearRange> years;
    bool replace = false;
};

bool Fail(const std::string& text)
{
    PrintCommandError("holidays", text);
    return false;
}

bool ParseOptions(const std::vector<std::string>& args, bool importing, HolidayOptions& options)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            options.operands.push_back(arg);
        } else if (importing && arg == "--replace") {
            options.replace = true;
        } else if (i + 1 >= args.size()) {
            return Fail(arg + " needs a value");
        } else if (arg == "--dir") {
            options.dir = args[++i];
        } else if (importing && arg == "--years") {
            YearRange years;
            if (!ParseRange(args[++i], FirstYear, EndYear - 1, years.first, years.last))
                return Fail("--years must be FROM-TO within 2000-2099");
            options.years = years;
        } else {
            return Fail("unknown option " + arg);
        }
    }
    if (options.operands.size() != 1)
        return Fail(importing ? "one calendar file is needed" : "one year is needed");
    return true;
}

void UseDirectory(const HolidayOptions& options)
{
    if (options.dir)
        SetHolidayDirectory(*options.dir);
    else
        FixHolidayDirectory();
}

// One byte past the limit is read, so that a larger file is told from one of the limit's size.
bool ReadCalendar(const std::string& path, std::string& text)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return Fail(path + ": cannot open the file");
    const bool read = ReadUpTo(fd, text, MaxCalendarBytes + 1);
    close(fd);
    return read || Fail(path + ": cannot read the file");
}

int CountDays(const HolidayYear& table, const HolidayYear& without)
{
    int count = 0;
    for (int i = 0; i < HolidayTableSize; ++i)
        count += table.days[i] == 1 && without.days[i] != 1 ? 1 : 0;
    return count;
}

// Every table is made before the first file is written, so that a refused calendar writes none.
// A year that nothing changes in is left as it is.
int ImportYears(const std::map<int, HolidayYear>& tables, bool replace)
{
    for (const auto& [year, imported] : tables) {
        HolidayYear before;
        LoadHolidayFile(year, before.days);
        HolidayYear after = imported;
        for (int i = 0; !replace && i < HolidayTableSize; ++i)
            after.days[i] |= before.days[i];
        const int added = CountDays(after, before);
        const int removed = CountDays(before, after);
        if ((added > 0 || removed > 0) && !SaveHolidayFile(year, after.days)) {
            Fail("cannot write " + HolidayFileName(year));
            return 1;
        }
        std::printf("%d: %d day%s added", year, added, added == 1 ? "" : "s");
        if (removed > 0)
            std::printf(", %d removed", removed);
        std::printf("\n");
    }
    return 0;
}

int Import(const std::vector<std::string>& args)
{
    HolidayOptions options;
    if (!ParseOptions(args, true, options))
        return UsageExit;
    UseDirectory(options);
    const std::string& path = options.operands.front();
    std::string text;
    if (!ReadCalendar(path, text))
        return 1;
    std::map<int, HolidayYear> tables;
    int otherEvents = 0;
    std::string error;
    if (!HolidaysFromICalendar(text, options.years, tables, otherEvents, error)) {
        Fail(path + ": " + error);
        return 1;
    }
    const int result = ImportYears(tables, options.replace);
    if (result == 0 && otherEvents > 0)
        std::printf("skipped %d event%s with a time of day or cancelled\n", otherEvents,
                    otherEvents == 1 ? "" : "s");
    return result;
}

int List(const std::vector<std::string>& args)
{
    HolidayOptions options;
    int year = 0;
    if (!ParseOptions(args, false, options))
        return UsageExit;
    if (!ParseInt(options.operands.front(), FirstYear, EndYear - 1, year)) {
        Fail("YEAR must be 2000 to 2099");
        return UsageExit;
    }
    UseDirectory(options);
    HolidayYear table;
    LoadHolidayFile(year, table.days);
    for (int index = 0; index < HolidayTableSize; ++index) {
        int month = 0;
        int day = 0;
        // The file may mark 29 February of a common year, a day the chart never shows.
        if (table.days[index] == 1 && DayFromIndex(index, month, day)
            && day <= DaysInMonth(year, month))
            std::printf("%04d-%02d-%02d\n", year, month, day);
    }
    return 0;
}

}  // namespace

int RunHolidays(const std::vector<std::string>& args)
{
    if (!args.empty() && args.front() == "import")
        return Import(args);
    if (!args.empty() && args.front() == "list")
        return List(args);
    return UsageExit;
}

}  // namespace td
