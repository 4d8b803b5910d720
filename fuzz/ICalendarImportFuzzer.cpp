#include "fuzz/FuzzProperty.h"
#include "tools/CivilDays.h"
#include "tools/ICalendarHolidays.h"
#include "tools/ICalendarWriter.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

using td::fuzz::Require;

namespace {

using Tables = std::map<int, td::HolidayYear>;

struct Outcome {
    bool read = false;
    Tables tables;
    std::string error;
};

Outcome Import(std::string_view text, const std::optional<td::YearRange>& years)
{
    Outcome outcome;
    int otherEvents = 0;
    outcome.read = td::HolidaysFromICalendar(text, years, outcome.tables, otherEvents, outcome.error);
    Require(outcome.read == outcome.error.empty(), "a refusal has a message, a success none");
    Require(otherEvents >= 0, "skipped events are counted up from 0");
    return outcome;
}

bool SameTables(const Tables& a, const Tables& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& [year, table] : a) {
        const auto other = b.find(year);
        if (other == b.end() || !std::equal(std::begin(table.days), std::end(table.days), std::begin(other->second.days)))
            return false;
    }
    return true;
}

// Only the years 2000..2099 have holiday files; every marked day is a day of its year.
void CheckTables(const Tables& tables)
{
    for (const auto& [year, table] : tables) {
        Require(year >= 2000 && year <= 2099, "tables only of the years 2000..2099");
        for (int index = 0; index < td::HolidayTableSize; ++index) {
            Require(table.days[index] == 0 || table.days[index] == 1, "every entry is 0 or 1");
            int month = 0;
            int day = 0;
            td::DayFromIndex(index, month, day);
            Require(table.days[index] == 0 || td::IsCivilDate({year, month, day}), "only real days are marked");
        }
    }
}

// The marked days as a calendar of one all-day event a day, written by the export's writer.
std::string CalendarOf(const Tables& tables)
{
    td::ICalendarWriter writer;
    writer.Begin("VCALENDAR");
    writer.Property("VERSION", "2.0");
    for (const auto& [year, table] : tables) {
        for (int index = 0; index < td::HolidayTableSize; ++index) {
            int month = 0;
            int day = 0;
            if (table.days[index] == 0 || !td::DayFromIndex(index, month, day))
                continue;
            writer.Begin("VEVENT");
            writer.Property("DTSTART;VALUE=DATE", td::ICalendarDate(year, month, day));
            writer.Text("SUMMARY", "祝日, \\ ; 休み");
            writer.End("VEVENT");
        }
    }
    writer.End("VCALENDAR");
    return writer.Result();
}

// A fold anywhere inside a line, even inside a character, is undone by unfolding.
std::string Refolded(std::string_view text)
{
    const std::size_t at = text.size() / 2;
    if (at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r')
        return {};
    return std::string(text.substr(0, at)) + "\r\n " + std::string(text.substr(at));
}

}  // namespace

// Whatever the text, the import refuses it with a message or gives tables of real days in
// 2000..2099; choosing all of those years reads what the default reads; a fold inserted into a
// line changes nothing; and the days imported, written as a calendar and imported again, are the
// same days.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Outcome plain = Import(text, std::nullopt);
    const Outcome allYears = Import(text, td::YearRange {2000, 2099});
    CheckTables(plain.tables);
    CheckTables(allYears.tables);
    if (plain.read) {
        Require(allYears.read, "what reads without years reads with all of them");
        for (const auto& [year, table] : plain.tables)
            Require(SameTables({{year, table}}, {{year, allYears.tables.at(year)}}), "both read the same days");
    }
    const std::string refolded = Refolded(text);
    if (!refolded.empty()) {
        const Outcome again = Import(refolded, td::YearRange {2000, 2099});
        Require(again.read == allYears.read, "a fold does not change whether a text reads");
        Require(SameTables(again.tables, allYears.tables), "a fold does not change the days");
    }
    if (plain.read) {
        const Outcome reread = Import(CalendarOf(plain.tables), std::nullopt);
        Require(reread.read, "a calendar of the imported days reads");
        Require(SameTables(reread.tables, plain.tables), "a calendar of the imported days gives those days");
    }
    return 0;
}
