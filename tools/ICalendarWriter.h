#pragma once

#include <string>
#include <string_view>

namespace td {

// Writes iCalendar text (RFC 5545): CR LF line ends, lines folded at 75 octets without
// splitting a UTF-8 character, TEXT values escaped.
class ICalendarWriter {
public:
    void Begin(std::string_view component);
    void End(std::string_view component);
    // `name` may carry parameters ("DTSTART;VALUE=DATE"); the value is written as given.
    void Property(std::string_view name, std::string_view value);
    // A TEXT value, escaped.
    void Text(std::string_view name, std::string_view utf8);
    const std::string& Result() const { return text; }

private:
    void Line(std::string_view line);
    std::string text;
};

// A DATE value, YYYYMMDD.
std::string ICalendarDate(int year, int month, int day);
// A DATE-TIME value in UTC, YYYYMMDDTHHMMSSZ.
std::string ICalendarUtcDateTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace td
