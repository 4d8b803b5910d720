#include "tools/CsvExport.h"

#include "model/Document.h"
#include "tools/ItemTypeNames.h"
#include "tools/RecordText.h"

#include <cstdio>
#include <vector>

namespace td {

namespace {

using Fields = std::vector<std::string>;

// Excel reads a CSV file without it in the system's code page.
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

std::string Quoted(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

void AddLine(std::string& csv, const Fields& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        csv.append(i ? "," : "").append(Quoted(fields[i]));
    csv += "\r\n";
}

std::string Number(int64_t value)
{
    return std::to_string(value);
}

std::string DateText(const ItemPoint& point)
{
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", point.year, point.month, point.day);
    return text;
}

std::string TimeText(const ItemPoint& point)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", point.hour, point.minute);
    return text;
}

bool ItemFields(const ChartItem& item, int index, const RowNames& rows, Fields& fields,
                std::string& error)
{
    const int32_t type = item.type;
    const bool schedule = type == Schedule;
    const auto when = [](bool used, std::string text) { return used ? text : std::string(); };
    std::string text;
    if (type != Line && !RecordText(item.text, "item " + Number(index), "text", text, error))
        return false;
    fields = {Number(index),
              ItemTypeName(type),
              Number(item.start.rowId),
              rows.Of(item.start.rowId),
              when(!schedule, Number(item.start.lane)),
              DateText(item.start),
              DateText(item.end),
              when(schedule, TimeText(item.start)),
              when(schedule, TimeText(item.end)),
              when(type == Line, Number(item.end.rowId)),
              when(type == Line || type == TextBox, Number(item.end.lane)),
              when(type == Progress, Number(item.progress)),
              text};
    return true;
}

}  // namespace

bool RowsCsv(const Document& document, std::string& csv, std::string& error)
{
    csv = ByteOrderMark;
    AddLine(csv, {"position", "id", "level", "lanes", "name", "person", "comment"});
    for (int position = 0; position < document.OrderCount(); ++position) {
        const ProjectRow& row = *document.RowAtPosition(position);
        const std::string record = "row " + Number(position);
        Fields fields = {Number(position), Number(row.id), Number(row.level), Number(row.lanes),
                         "", "", ""};
        if (!RecordText(row.name, record, "name", fields[4], error)
            || !RecordText(row.person, record, "person", fields[5], error)
            || !RecordText(row.comment, record, "comment", fields[6], error))
            return false;
        AddLine(csv, fields);
    }
    return true;
}

bool ItemsCsv(const Document& document, std::string& csv, std::string& error)
{
    RowNames rows;
    if (!rows.Read(document, error))
        return false;
    csv = ByteOrderMark;
    AddLine(csv, {"index", "type", "rowId", "row", "lane", "start", "end", "startTime", "endTime",
                  "endRowId", "endLane", "progress", "text"});
    for (int index = 0; index < document.ItemCount(); ++index) {
        Fields fields;
        if (!ItemFields(*document.ItemPtr(index), index, rows, fields, error))
            return false;
        AddLine(csv, fields);
    }
    return true;
}

}  // namespace td
