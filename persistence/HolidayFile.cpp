#include "persistence/HolidayFile.h"

#include "calendar/Dates.h"
#include "persistence/FileReplacement.h"

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <unistd.h>

namespace td {

namespace {

// Hand-edited files may be longer than any the program writes; the rest is ignored.
constexpr size_t ReadLimit = 4095;

std::string& DirectoryStore()
{
    static std::string directory;
    return directory;
}

bool& DirectoryFixed()
{
    static bool fixed = false;
    return fixed;
}

std::string WithTrailingSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

bool IsYearWithFile(int year)
{
    return year >= FirstYear && year < EndYear;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits count in groups of four (MMDD) across line breaks; a group that cannot start a valid
// month or day restarts the count with the next digit.
class GroupScanner {
public:
    explicit GroupScanner(int (&table)[HolidayTableSize])
        : table(table)
    {
    }

    void Take(int digit)
    {
        switch (count) {
        case 0:
            month = digit * 10;
            count = digit > 1 ? 0 : 1;
            return;
        case 1:
            month += digit;
            count = month > 12 ? 0 : 2;
            return;
        case 2:
            day = digit * 10;
            count = digit > 3 ? 0 : 3;
            return;
        default:
            day += digit;
            count = 0;
            // Month 00 or day 00 names no day and would index outside the table.
            if (month >= 1 && day >= 1 && day <= 31)
                table[DayIndex(month, day)] = 1;
        }
    }

private:
    int (&table)[HolidayTableSize];
    int count = 0;
    int month = 0;
    int day = 0;
};

}  // namespace

void FixHolidayDirectory()
{
    if (DirectoryFixed())
        return;
    std::error_code error;
    auto path = std::filesystem::current_path(error);
    DirectoryStore() = error ? std::string("./") : WithTrailingSlash(path.string());
    DirectoryFixed() = true;
}

void SetHolidayDirectory(const std::string& path)
{
    DirectoryStore() = WithTrailingSlash(path);
    DirectoryFixed() = true;
}

const std::string& HolidayDirectory()
{
    return DirectoryStore();
}

std::string HolidayFileName(int year)
{
    char name[32];
    std::snprintf(name, sizeof name, "%04d.cal", year);
    return HolidayDirectory() + name;
}

void ScanHolidayText(std::string_view data, int (&table)[HolidayTableSize])
{
    GroupScanner scanner(table);
    size_t i = 0;
    while (i < data.size()) {
        char c = data[i];
        if (c == '#') {
            size_t cr = data.find('\r', i);
            if (cr == std::string_view::npos)
                return;
            i = cr + 2;
        } else if (c == '\r') {
            i += 2;
        } else {
            if (IsDigit(c))
                scanner.Take(c - '0');
            ++i;
        }
    }
}

std::string HolidayText(const int (&table)[HolidayTableSize])
{
    std::string text = HolidayFileHeader;
    text += "\r\n";
    for (int index = 0; index < HolidayTableSize; ++index) {
        int month = 0;
        int day = 0;
        if (table[index] != 1 || !DayFromIndex(index, month, day))
            continue;
        char line[32];
        std::snprintf(line, sizeof line, "%02d%02d\r\n", month, day);
        text += line;
    }
    return text;
}

int LoadHolidayFile(int year, int (&table)[HolidayTableSize])
{
    if (!IsYearWithFile(year))
        return 0;
    const int fd = OpenRegularFile(HolidayFileName(year));
    if (fd < 0)
        return 0;
    std::string data;
    const bool loaded = ReadUpTo(fd, data, ReadLimit);
    close(fd);
    if (!loaded)
        return 0;
    ScanHolidayText(data, table);
    return 1;
}

int SaveHolidayFile(int year, const int (&table)[HolidayTableSize])
{
    if (!IsYearWithFile(year))
        return 0;
    return ReplaceFile(HolidayFileName(year), HolidayText(table)) ? 1 : 0;
}

}  // namespace td
