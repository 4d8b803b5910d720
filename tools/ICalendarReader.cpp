#include "tools/ICalendarReader.h"

#include <cstdint>

namespace td {

namespace {

// VCALENDAR, a component and one inside it (VTIMEZONE's STANDARD, VEVENT's VALARM) is all the
// format nests; a little more is allowed.
constexpr std::size_t MaxDepth = 4;

bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

bool IsControl(char c)
{
    return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// The length of the UTF-8 sequence at `at`, 0 when it is not one (overlong forms, surrogates
// and code points past U+10FFFF included).
std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size())
        return 0;
    uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    constexpr uint32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// A content line after unfolding, with the number of the line it began on.
struct LogicalLine {
    std::string text;
    int line = 0;
};

// Checked after unfolding: a fold may fall inside a character.
bool CheckUtf8(const LogicalLine& line, std::string& error)
{
    for (std::size_t i = 0; i < line.text.size();) {
        const std::size_t length = Utf8Length(line.text, i);
        if (length == 0) {
            error = ICalendarLineMessage(line.line, "not UTF-8 text");
            return false;
        }
        i += length;
    }
    return true;
}

// Hands out the content lines one by one, each folded line joined to the one it continues, so
// that no more than one line is held unfolded at a time.
class Unfolder {
public:
    explicit Unfolder(std::string_view text) : text(text) { }

    // False at the end of the text, or with `error` set for a line that breaks the rules.
    bool Next(LogicalLine& line, std::string& error)
    {
        std::string_view physical;
        if (text.empty() || !Physical(physical, error))
            return false;
        if (StartsFolded(physical))
            return Fail(number, "a folded line that continues no line", error);
        // Blank lines may close the text, as some programs write them; nowhere else.
        if (physical.empty())
            return EndsBlank(error);
        line = {std::string(physical), number};
        while (StartsFolded(text)) {
            if (!Physical(physical, error))
                return false;
            line.text.append(physical.substr(1));
        }
        return true;
    }

private:
    static bool StartsFolded(std::string_view line)
    {
        return !line.empty() && (line[0] == ' ' || line[0] == '\t');
    }

    bool Fail(int at, const std::string& problem, std::string& error)
    {
        error = ICalendarLineMessage(at, problem);
        return false;
    }

    bool Physical(std::string_view& physical, std::string& error)
    {
        ++number;
        const std::size_t end = text.find('\n');
        physical = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!physical.empty() && physical.back() == '\r')
            physical.remove_suffix(1);
        if (physical.find('\r') != std::string_view::npos)
            return Fail(number, "a CR that does not end the line", error);
        return true;
    }

    bool EndsBlank(std::string& error)
    {
        const int blank = number;
        if (text.find_first_not_of("\r\n") != std::string_view::npos)
            return Fail(blank, "an empty line", error);
        text = {};
        return false;
    }

    std::string_view text;
    int number = 0;
};

class LineParser {
public:
    explicit LineParser(const LogicalLine& line) : text(line.text), line(line.line) { }

    bool Parse(ICalendarProperty& property, std::string& error)
    {
        property.line = line;
        property.name = Upper(Name());
        if (property.name.empty())
            return Fail("a line that does not start with a property name", error);
        while (Take(';')) {
            ICalendarParameter parameter;
            parameter.name = Upper(Name());
            if (parameter.name.empty() || !Take('='))
                return Fail("a parameter of " + property.name + " without NAME=", error);
            do {
                std::string value;
                if (!ParameterValue(value))
                    return Fail("a broken value of parameter " + parameter.name, error);
                parameter.values.push_back(std::move(value));
            } while (Take(','));
            property.parameters.push_back(std::move(parameter));
        }
        if (!Take(':'))
            return Fail("property " + property.name + " has no ':' before its value", error);
        property.value = std::string(text.substr(at));
        for (char c : property.value) {
            if (IsControl(c))
                return Fail("a control character in the value of " + property.name, error);
        }
        return true;
    }

private:
    bool Fail(const std::string& problem, std::string& error) const
    {
        error = ICalendarLineMessage(line, problem);
        return false;
    }

    bool Take(char c)
    {
        if (at >= text.size() || text[at] != c)
            return false;
        ++at;
        return true;
    }

    std::string_view Name()
    {
        const std::size_t start = at;
        while (at < text.size() && IsNameChar(text[at]))
            ++at;
        return text.substr(start, at - start);
    }

    bool ParameterValue(std::string& value)
    {
        if (Take('"')) {
            const std::size_t close = text.find('"', at);
            if (close == std::string_view::npos)
                return false;
            value = std::string(text.substr(at, close - at));
            at = close + 1;
        } else {
            const std::size_t start = at;
            while (at < text.size() && text[at] != ';' && text[at] != ':' && text[at] != ','
                   && text[at] != '"')
                ++at;
            value = std::string(text.substr(start, at - start));
        }
        for (char c : value) {
            if (IsControl(c))
                return false;
        }
        return true;
    }

    std::string_view text;
    int line;
    std::size_t at = 0;
};

// Builds the component tree from the content lines, checking that every BEGIN has its END.
class TreeBuilder {
public:
    TreeBuilder(std::vector<ICalendarComponent>& calendars, std::string& error)
        : calendars(calendars), error(error) { }

    bool Add(ICalendarProperty&& property)
    {
        if (property.name == "BEGIN")
            return Begin(property);
        if (property.name == "END")
            return End(property);
        if (open.empty())
            return Fail(property.line, "property " + property.name + " outside any component");
        open.back().properties.push_back(std::move(property));
        return true;
    }

    bool Finish(int lastLine)
    {
        if (!open.empty())
            return Fail(open.back().line, "BEGIN:" + open.back().name + " is never ended");
        if (calendars.empty())
            return Fail(lastLine, "no VCALENDAR in the text");
        return true;
    }

private:
    bool Fail(int line, const std::string& problem)
    {
        error = ICalendarLineMessage(line, problem);
        return false;
    }

    static bool IsName(const std::string& value)
    {
        for (char c : value) {
            if (!IsNameChar(c))
                return false;
        }
        return !value.empty();
    }

    bool Begin(const ICalendarProperty& property)
    {
        const std::string name = Upper(property.value);
        if (!property.parameters.empty() || !IsName(name))
            return Fail(property.line, "a broken BEGIN line");
        if (open.empty() && name != "VCALENDAR")
            return Fail(property.line, "BEGIN:" + name + " outside a VCALENDAR");
        if (!open.empty() && name == "VCALENDAR")
            return Fail(property.line, "a VCALENDAR inside another component");
        if (open.size() == MaxDepth)
            return Fail(property.line,
                        "components nested more than " + std::to_string(MaxDepth) + " deep");
        open.push_back({name, property.line, {}, {}});
        return true;
    }

    bool End(const ICalendarProperty& property)
    {
        const std::string name = Upper(property.value);
        if (open.empty() || open.back().name != name || !property.parameters.empty())
            return Fail(property.line, "END:" + name + " ends no open component");
        ICalendarComponent done = std::move(open.back());
        open.pop_back();
        (open.empty() ? calendars : open.back().components).push_back(std::move(done));
        return true;
    }

    std::vector<ICalendarComponent>& calendars;
    std::string& error;
    std::vector<ICalendarComponent> open;
};

}  // namespace

std::string ICalendarLineMessage(int line, const std::string& problem)
{
    return "line " + std::to_string(line) + ": " + problem;
}

const std::string* ICalendarProperty::Parameter(std::string_view name) const
{
    for (const ICalendarParameter& parameter : parameters) {
        if (parameter.name == name && !parameter.values.empty())
            return &parameter.values.front();
    }
    return nullptr;
}

bool ParseICalendar(std::string_view text, std::vector<ICalendarComponent>& calendars,
                    std::string& error)
{
    error.clear();
    TreeBuilder tree(calendars, error);
    Unfolder lines(text);
    LogicalLine line;
    int last = 1;
    while (lines.Next(line, error)) {
        ICalendarProperty property;
        if (!CheckUtf8(line, error) || !LineParser(line).Parse(property, error)
            || !tree.Add(std::move(property)))
            return false;
        last = line.line;
    }
    return error.empty() && tree.Finish(last);
}

}  // namespace td
