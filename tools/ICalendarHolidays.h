#pragma once

#include "calendar/HolidayYearSource.h"
#include "tools/ICalendarReader.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace td {

// The days an all-day event covers, [first, end) as DaysFromCivil counts them.
struct AllDaySpan {
    int64_t first = 0;
    int64_t end = 0;
    int line = 0;
};

struct AllDayEvents {
    std::vector<AllDaySpan> spans;
    // Events with a time of day, and cancelled ones: no holidays.
    int otherEvents = 0;
};

// The all-day events of the calendars' VEVENTs: one day, or DTSTART up to the day before DTEND,
// or DTSTART for a DURATION of whole days or weeks. False, with a message naming the line, for an
// event without one DTSTART, a value that is no date or time, an end not after the start, DTEND
// and DURATION together, and an all-day event that repeats (RRULE, RDATE), which is not
// expanded.
bool ReadAllDayEvents(const std::vector<ICalendarComponent>& calendars, AllDayEvents& events,
                      std::string& error);

struct YearRange {
    int first = 0;
    int last = 0;
};

struct HolidayYear {
    int days[HolidayTableSize] = {};
};

// The holiday tables of the years in `years` with the spans' days in them marked; days outside
// those years are left out. Without `years`, the tables of the years the spans reach, which must
// lie in 2000..2099. False, with a message naming the line, when a span lies outside them.
bool HolidayYears(const AllDayEvents& events, const std::optional<YearRange>& years,
                  std::map<int, HolidayYear>& tables, std::string& error);

// A holiday calendar is far smaller; larger text is refused before it is parsed.
inline constexpr std::size_t MaxCalendarBytes = 4 * 1024 * 1024;

// The holiday tables of an iCalendar text, parsed and read as above; `otherEvents` counts the
// events that are no holidays. Without `years`, a text without all-day events is refused.
bool HolidaysFromICalendar(std::string_view text, const std::optional<YearRange>& years,
                           std::map<int, HolidayYear>& tables, int& otherEvents,
                           std::string& error);

}  // namespace td
