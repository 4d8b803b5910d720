#include "tools/ICalendarWriter.h"

#include <cstdio>

namespace td {

namespace {

constexpr std::size_t FoldWidth = 75;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Line breaks become \n; other control characters have no place in a TEXT value.
std::string EscapeText(std::string_view utf8)
{
    std::string escaped;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\r' || c == '\n') {
            escaped += "\\n";
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
            escaped += "\xEF\xBF\xBD";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

void ICalendarWriter::Begin(std::string_view component)
{
    Property("BEGIN", component);
}

void ICalendarWriter::End(std::string_view component)
{
    Property("END", component);
}

void ICalendarWriter::Property(std::string_view name, std::string_view value)
{
    std::string line(name);
    line += ':';
    line += value;
    Line(line);
}

void ICalendarWriter::Text(std::string_view name, std::string_view utf8)
{
    Property(name, EscapeText(utf8));
}

// Each continuation line starts with a space, which counts towards its 75 octets.
void ICalendarWriter::Line(std::string_view line)
{
    std::size_t width = FoldWidth;
    while (line.size() > width) {
        std::size_t cut = width;
        while (cut > 1 && IsContinuationByte(line[cut]))
            --cut;
        text.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        width = FoldWidth - 1;
    }
    text.append(line).append("\r\n");
}

std::string ICalendarDate(int year, int month, int day)
{
    char value[32];
    std::snprintf(value, sizeof value, "%04d%02d%02d", year, month, day);
    return value;
}

std::string ICalendarUtcDateTime(int year, int month, int day, int hour, int minute, int second)
{
    char value[32];
    std::snprintf(value, sizeof value, "%04d%02d%02dT%02d%02d%02dZ", year, month, day, hour,
                  minute, second);
    return value;
}

}  // namespace td
