#include "tools/ICalendarHolidays.h"

#include "calendar/Dates.h"
#include "tools/CivilDays.h"

#include <algorithm>
#include <cstdio>

namespace td {

namespace {

// A DURATION of more digits would only overflow the arithmetic.
constexpr int MaxDurationDigits = 9;

bool Refuse(int line, const std::string& problem, std::string& error)
{
    error = ICalendarLineMessage(line, problem);
    return false;
}

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool ParseDate(std::string_view text, CivilDate& date)
{
    return text.size() == 8 && Digits(text, 0, 4, date.year) && Digits(text, 4, 2, date.month)
        && Digits(text, 6, 2, date.day) && IsCivilDate(date);
}

// YYYYMMDDTHHMMSS, in UTC with a final Z.
bool IsDateTime(std::string_view text)
{
    if (!text.empty() && text.back() == 'Z')
        text.remove_suffix(1);
    CivilDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    return text.size() == 15 && text[8] == 'T' && ParseDate(text.substr(0, 8), date)
        && Digits(text, 9, 2, hour) && Digits(text, 11, 2, minute) && Digits(text, 13, 2, second)
        && hour < 24 && minute < 60 && second <= 60;
}

std::string DateText(int64_t days)
{
    const CivilDate date = CivilFromDays(days);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// The one property of a name in an event; null when there is none, false for a second one.
bool FindOne(const ICalendarComponent& event, const char* name, const ICalendarProperty*& found,
             std::string& error)
{
    found = nullptr;
    for (const ICalendarProperty& property : event.properties) {
        if (property.name != name)
            continue;
        if (found)
            return Refuse(property.line, std::string("a second ") + name + " in the event", error);
        found = &property;
    }
    return true;
}

// Enumerated values are compared without regard to case, as names are.
bool SameName(std::string_view value, std::string_view name)
{
    return std::equal(value.begin(), value.end(), name.begin(), name.end(), [](char a, char b) {
        return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
    });
}

enum class ValueKind { Date, DateTime, Broken };

// A date is written with VALUE=DATE; a bare eight digits is taken as one too.
ValueKind KindOf(const ICalendarProperty& property)
{
    const std::string* type = property.Parameter("VALUE");
    CivilDate date;
    if ((!type || SameName(*type, "DATE")) && ParseDate(property.value, date))
        return ValueKind::Date;
    if ((!type || SameName(*type, "DATE-TIME")) && IsDateTime(property.value))
        return ValueKind::DateTime;
    return ValueKind::Broken;
}

// P<n>D or P<n>W, n at least 1.
bool DurationDays(std::string_view text, int64_t& days)
{
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    if (text.size() < 3 || text[0] != 'P' || (text.back() != 'D' && text.back() != 'W'))
        return false;
    const std::string_view number = text.substr(1, text.size() - 2);
    int value = 0;
    if (number.size() > MaxDurationDigits || !Digits(number, 0, number.size(), value) || value == 0)
        return false;
    days = static_cast<int64_t>(value) * (text.back() == 'W' ? 7 : 1);
    return true;
}

bool AllDayEnd(const ICalendarComponent& event, const ICalendarProperty& start,
               AllDaySpan& span, std::string& error)
{
    const ICalendarProperty* end = nullptr;
    const ICalendarProperty* duration = nullptr;
    if (!FindOne(event, "DTEND", end, error) || !FindOne(event, "DURATION", duration, error))
        return false;
    if (end && duration)
        return Refuse(duration->line, "an event with both DTEND and DURATION", error);
    span.end = span.first + 1;
    if (end) {
        CivilDate date;
        if (KindOf(*end) != ValueKind::Date || !ParseDate(end->value, date))
            return Refuse(end->line, "DTEND of an all-day event is not a date", error);
        span.end = DaysFromCivil(date);
    } else if (duration) {
        int64_t days = 0;
        if (!DurationDays(duration->value, days))
            return Refuse(duration->line, "DURATION of an all-day event is not whole days or weeks",
                          error);
        span.end = span.first + days;
    }
    return span.end > span.first || Refuse(start.line, "the event ends before it starts", error);
}

// Repeating all-day events are not expanded; they refuse the calendar rather than lose days.
bool Repeats(const ICalendarComponent& event, std::string& error)
{
    for (const char* name : {"RRULE", "RDATE"}) {
        const ICalendarProperty* rule = nullptr;
        if (!FindOne(event, name, rule, error))
            return true;
        if (rule) {
            Refuse(rule->line, std::string("an all-day event that repeats (") + name
                                   + "); repeating events are not imported", error);
            return true;
        }
    }
    return false;
}

bool ReadEvent(const ICalendarComponent& event, AllDayEvents& events, std::string& error)
{
    const ICalendarProperty* start = nullptr;
    const ICalendarProperty* status = nullptr;
    if (!FindOne(event, "DTSTART", start, error) || !FindOne(event, "STATUS", status, error))
        return false;
    if (!start)
        return Refuse(event.line, "an event without DTSTART", error);
    const ValueKind kind = KindOf(*start);
    if (kind == ValueKind::Broken)
        return Refuse(start->line, "DTSTART is neither a date nor a date and time", error);
    if (kind == ValueKind::DateTime || (status && SameName(status->value, "CANCELLED"))) {
        ++events.otherEvents;
        return true;
    }
    if (Repeats(event, error))
        return false;
    CivilDate date;
    ParseDate(start->value, date);
    AllDaySpan span {DaysFromCivil(date), 0, start->line};
    if (!AllDayEnd(event, *start, span, error))
        return false;
    events.spans.push_back(span);
    return true;
}

}  // namespace

bool ReadAllDayEvents(const std::vector<ICalendarComponent>& calendars, AllDayEvents& events,
                      std::string& error)
{
    for (const ICalendarComponent& calendar : calendars) {
        for (const ICalendarComponent& component : calendar.components) {
            if (component.name == "VEVENT" && !ReadEvent(component, events, error))
                return false;
        }
    }
    return true;
}

bool HolidayYears(const AllDayEvents& events, const std::optional<YearRange>& years,
                  std::map<int, HolidayYear>& tables, std::string& error)
{
    const YearRange range = years.value_or(YearRange {FirstYear, EndYear - 1});
    const int64_t low = DaysFromCivil({range.first, 1, 1});
    const int64_t high = DaysFromCivil({range.last + 1, 1, 1});
    // Each span adds one at its first day and takes it back after its last, so that marking
    // costs one pass over the years however long the spans.
    std::vector<int> starts(static_cast<std::size_t>(high - low) + 1, 0);
    for (const AllDaySpan& span : events.spans) {
        if (!years && (span.first < low || span.end > high))
            return Refuse(span.line, "the event on " + DateText(span.first)
                                         + " lies outside 2000..2099; choose years with --years",
                          error);
        const int64_t first = std::clamp(span.first, low, high);
        const int64_t end = std::clamp(span.end, low, high);
        if (first < end) {
            ++starts[static_cast<std::size_t>(first - low)];
            --starts[static_cast<std::size_t>(end - low)];
        }
    }
    if (years) {
        for (int year = years->first; year <= years->last; ++year)
            tables[year];
    }
    int covering = 0;
    for (int64_t day = low; day < high; ++day) {
        covering += starts[static_cast<std::size_t>(day - low)];
        if (covering == 0)
            continue;
        const CivilDate date = CivilFromDays(day);
        tables[date.year].days[DayIndex(date.month, date.day)] = 1;
    }
    return true;
}

bool HolidaysFromICalendar(std::string_view text, const std::optional<YearRange>& years,
                           std::map<int, HolidayYear>& tables, int& otherEvents,
                           std::string& error)
{
    if (text.size() > MaxCalendarBytes) {
        error = "larger than " + std::to_string(MaxCalendarBytes / (1024 * 1024))
            + " MiB, more than any holiday calendar";
        return false;
    }
    std::vector<ICalendarComponent> calendars;
    AllDayEvents events;
    if (!ParseICalendar(text, calendars, error) || !ReadAllDayEvents(calendars, events, error))
        return false;
    otherEvents = events.otherEvents;
    if (!years && events.spans.empty()) {
        error = "no all-day events";
        return false;
    }
    return HolidayYears(events, years, tables, error);
}

}  // namespace td
