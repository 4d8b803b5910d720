#include "tools/ICalendarReader.h"

#include <cstdint>

namespace td {

namespace {

// VCALENDAR, a component and one inside it (VTIMEZONE's STANDARD, VEVENT's VALARM) is all the
// format nests; a little more is allowed.
constexpr std::size_t MaxDepth = 4;

std::string AtLine(int line, const std::string& problem)
{
    return "line " + std::to_string(line) + ": " + problem;
}

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

bool CheckUtf8(std::string_view text, std::string& error)
{
    int line = 1;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8Length(text, i);
        if (length == 0) {
            error = AtLine(line, "not UTF-8 text");
            return false;
        }
        line += text[i] == '\n' ? 1 : 0;
        i += length;
    }
    return true;
}

// Splits the text at its line ends and joins each folded line to the one it continues.
bool Unfold(std::string_view text, std::vector<LogicalLine>& lines, std::string& error)
{
    int number = 0;
    while (!text.empty()) {
        ++number;
        std::size_t end = text.find('\n');
        std::string_view physical = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!physical.empty() && physical.back() == '\r')
            physical.remove_suffix(1);
        if (physical.find('\r') != std::string_view::npos) {
            error = AtLine(number, "a CR that does not end the line");
            return false;
        }
        if (!physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            if (lines.empty()) {
                error = AtLine(number, "a folded line that continues no line");
                return false;
            }
            lines.back().text.append(physical.substr(1));
            continue;
        }
        lines.push_back({std::string(physical), number});
    }
    // Blank lines may close the text, as some programs write them; nowhere else.
    while (!lines.empty() && lines.back().text.empty())
        lines.pop_back();
    return true;
}

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
        error = AtLine(line, problem);
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
        error = AtLine(line, problem);
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
            return Fail(property.line, "components nested more than " + std::to_string(MaxDepth) + " deep");
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
    std::vector<LogicalLine> lines;
    if (!CheckUtf8(text, error) || !Unfold(text, lines, error))
        return false;
    TreeBuilder tree(calendars, error);
    for (const LogicalLine& line : lines) {
        ICalendarProperty property;
        if (!LineParser(line).Parse(property, error) || !tree.Add(std::move(property)))
            return false;
    }
    return tree.Finish(lines.empty() ? 1 : lines.back().line);
}

}  // namespace td
