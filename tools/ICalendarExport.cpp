#include "tools/ICalendarExport.h"

#include "calendar/Dates.h"
#include "model/Document.h"
#include "tools/CivilDays.h"
#include "tools/ICalendarWriter.h"
#include "tools/RecordText.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

namespace td {

namespace {

// DTSTART and DTEND of an entry; `end` is empty for an entry without an end.
struct Entry {
    bool allDay = false;
    std::string start;
    std::string end;
};

class UidMaker {
public:
    explicit UidMaker(const std::string& source) : source(source) { }

    // FNV-1a over the source and what the entry is; entries alike in all of it are numbered.
    std::string Next(const ChartItem& item, const std::string& text)
    {
        uint64_t hash = 14695981039346656037ULL;
        const auto mix = [&hash](const void* bytes, std::size_t size) {
            for (std::size_t i = 0; i < size; ++i) {
                hash ^= static_cast<const unsigned char*>(bytes)[i];
                hash *= 1099511628211ULL;
            }
        };
        mix(source.data(), source.size() + 1);
        for (int32_t value : {item.type, item.start.rowId, item.start.year, item.start.month,
                              item.start.day, item.start.hour, item.start.minute, item.end.year,
                              item.end.month, item.end.day, item.end.hour, item.end.minute})
            mix(&value, sizeof value);
        mix(text.data(), text.size());
        char uid[64];
        std::snprintf(uid, sizeof uid, "%016llx-%d@timelinedraft",
                      static_cast<unsigned long long>(hash), ++seen[hash]);
        return uid;
    }

private:
    const std::string& source;
    std::map<uint64_t, int> seen;
};

bool IsChartDate(const ItemPoint& point)
{
    return point.year >= FirstYear && point.year < EndYear && point.month >= 1
        && point.month <= 12 && point.day >= 1 && point.day <= DaysInMonth(point.year, point.month);
}

std::string DateValue(int64_t days)
{
    const CivilDate date = CivilFromDays(days);
    return ICalendarDate(date.year, date.month, date.day);
}

int64_t DaysOf(const ItemPoint& point)
{
    return DaysFromCivil({point.year, point.month, point.day});
}

// Local time as the system's time zone has it on that day, in UTC; `extraDays` later.
bool UtcValue(const ItemPoint& date, int hour, int minute, int extraDays, std::string& value)
{
    std::tm local {};
    local.tm_year = date.year - 1900;
    local.tm_mon = date.month - 1;
    local.tm_mday = date.day + extraDays;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    const std::time_t instant = std::mktime(&local);
    std::tm utc {};
    if (instant == static_cast<std::time_t>(-1) || !gmtime_r(&instant, &utc))
        return false;
    value = ICalendarUtcDateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                                 utc.tm_min, utc.tm_sec);
    return true;
}

bool IsTimeOfDay(const ItemPoint& point)
{
    return point.hour >= 0 && point.hour < 24 && point.minute >= 0 && point.minute < 60;
}

bool ScheduleEntry(const ChartItem& item, Entry& entry)
{
    const ItemPoint& s = item.start;
    const ItemPoint& e = item.end;
    const int startMinute = s.hour * 60 + s.minute;
    const int endMinute = e.hour * 60 + e.minute;
    if (!UtcValue(s, s.hour, s.minute, 0, entry.start))
        return false;
    return endMinute == startMinute
        || UtcValue(s, e.hour, e.minute, endMinute < startMinute ? 1 : 0, entry.end);
}

// An all-day entry's end is the day after its last.
void AllDayEntry(int64_t first, int64_t last, Entry& entry)
{
    entry.allDay = true;
    entry.start = DateValue(first);
    entry.end = DateValue(last + 1);
}

bool CheckDate(const ItemPoint& point, const std::string& record, const char* name,
               std::string& error)
{
    if (!IsChartDate(point))
        error = record + ": field \"" + name + "\" is not a date of 2000..2099";
    return error.empty();
}

// The dates or times of an item; false with `error` set for a value that is none, and false with
// `error` empty for an item that has no entry.
bool EntryOf(const ChartItem& item, const std::string& record, Entry& entry, std::string& error)
{
    switch (item.type) {
    case Event:
        if (!CheckDate(item.start, record, "start", error))
            return false;
        AllDayEntry(DaysOf(item.start), DaysOf(item.start), entry);
        return true;
    case TaskLine:
    case TaskBand:
    case Progress:
        if (!CheckDate(item.start, record, "start", error)
            || !CheckDate(item.end, record, "end", error))
            return false;
        AllDayEntry(std::min(DaysOf(item.start), DaysOf(item.end)),
                    std::max(DaysOf(item.start), DaysOf(item.end)), entry);
        return true;
    case Schedule:
        if (!CheckDate(item.start, record, "start", error))
            return false;
        if (!IsTimeOfDay(item.start) || !IsTimeOfDay(item.end) || !ScheduleEntry(item, entry))
            error = record + ": its times are not times of a day";
        return error.empty();
    default:
        return false;
    }
}

void WriteEvent(ICalendarWriter& writer, const std::string& uid, const std::string& stamp,
                const Entry& entry, const std::string& text, const std::string& row)
{
    const std::string type = entry.allDay ? ";VALUE=DATE" : "";
    writer.Begin("VEVENT");
    writer.Property("UID", uid);
    writer.Property("DTSTAMP", stamp);
    writer.Property("DTSTART" + type, entry.start);
    if (!entry.end.empty())
        writer.Property("DTEND" + type, entry.end);
    writer.Text("SUMMARY", text.empty() ? row : text);
    if (!row.empty())
        writer.Text("DESCRIPTION", row);
    writer.End("VEVENT");
}

std::string NowUtc()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc {};
    gmtime_r(&now, &utc);
    return ICalendarUtcDateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                                utc.tm_min, utc.tm_sec);
}

}  // namespace

bool DocumentICalendar(const Document& document, const std::string& source, std::string& ics,
                       std::string& error)
{
    RowNames rows;
    if (!rows.Read(document, error))
        return false;
    ICalendarWriter writer;
    writer.Begin("VCALENDAR");
    writer.Property("VERSION", "2.0");
    writer.Property("PRODID", "-//TimelineDraft//tdtool 1.00//EN");
    writer.Property("CALSCALE", "GREGORIAN");
    const std::string stamp = NowUtc();
    UidMaker uids(source);
    for (int index = 0; index < document.ItemCount(); ++index) {
        const ChartItem& item = *document.ItemPtr(index);
        const std::string record = "item " + std::to_string(index);
        Entry entry;
        std::string text;
        if (!EntryOf(item, record, entry, error)) {
            if (!error.empty())
                return false;
            continue;
        }
        if (!RecordText(item.text, record, "text", text, error))
            return false;
        WriteEvent(writer, uids.Next(item, text), stamp, entry, text, rows.Of(item.start.rowId));
    }
    writer.End("VCALENDAR");
    ics = writer.Result();
    return true;
}

}  // namespace td
