#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace td {

struct ICalendarParameter {
    std::string name;  // upper case
    std::vector<std::string> values;
};

struct ICalendarProperty {
    std::string name;  // upper case
    std::vector<ICalendarParameter> parameters;
    std::string value;  // as written, still escaped
    int line = 0;

    // The first value of a parameter; null when the property has none of that name.
    const std::string* Parameter(std::string_view name) const;
};

struct ICalendarComponent {
    std::string name;  // upper case
    int line = 0;
    std::vector<ICalendarProperty> properties;
    std::vector<ICalendarComponent> components;
};

// "line N: problem": every message about a calendar's text names the line at fault.
std::string ICalendarLineMessage(int line, const std::string& problem);

// Parses iCalendar text (RFC 5545) into its calendars. Lines end in CR LF or LF and are unfolded;
// the text must be UTF-8, every content line "NAME;PARAM=VALUE:VALUE", every component ended,
// and the top level holds only VCALENDAR objects. False, with a message naming the line, for
// anything else; `calendars` is then to be discarded.
bool ParseICalendar(std::string_view text, std::vector<ICalendarComponent>& calendars,
                    std::string& error);

}  // namespace td
