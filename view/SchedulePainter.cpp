#include "view/SchedulePainter.h"

#include "calendar/Dates.h"
#include "view/VisibleRowMap.h"

#include <array>
#include <cstdio>

namespace td {

namespace {

constexpr int DayColumns = 128;
constexpr int EntryGap = 4;
constexpr int TimeFontHeight = 11;
constexpr int TimeFontWeight = 600;
constexpr int MaxTimeHour = 36;
constexpr int MaxTimeMinute = 60;

// Where the entries of one day may be drawn; `top` is the cell top every offset counts from.
struct DayCell {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

QString TimeRange(const ChartItem& item)
{
    char start[TimeTextSize];
    char end[TimeTextSize];
    FormatTime(item.start.hour, item.start.minute, start);
    FormatTime(item.end.hour, item.end.minute, end);
    return QString::fromLatin1(start) + QLatin1Char('-') + QString::fromLatin1(end);
}

// Draws one entry's block at the day's fill level and moves the level past it. A full cell
// draws nothing, yet the entry still gets offsets, which hit testing reads from its lane bytes.
void DrawScheduleEntry(Surface& s, const ItemMetrics& metrics, ChartItem& item, const DayCell& cell,
                       int32_t& fill)
{
    item.start.lane = static_cast<uint8_t>(fill & 0xFF);
    s.SetTextColor(item.textColor);
    s.SelectFont(metrics.Scaled(TimeFontHeight), TimeFontWeight);
    if (cell.top + fill < cell.bottom)
        fill += s.DrawWrapped(cell.left, cell.top + fill, cell.right, cell.bottom, TimeRange(item));
    s.SelectFont(metrics.Scaled(item.textSize), item.textWeight);
    if (cell.top + fill < cell.bottom)
        fill += s.DrawWrapped(cell.left, cell.top + fill, cell.right, cell.bottom, item.text,
                              sizeof item.text);
    fill += EntryGap;
    item.end.lane = static_cast<uint8_t>(fill & 0xFF);
}

}  // namespace

void DrawScheduleEntries(Surface& s, Workspace& workspace, const ChartGeometry& geometry, int doc,
                         int cellTop, bool keepOffsets)
{
    const DateScale& dates = geometry.dates;
    const DateTriple& first = dates.firstDate;
    std::array<int32_t, DayColumns> fill = {};
    const VisibleRowMap rows(workspace, doc);
    for (int i = 0; i < workspace.ItemCount(doc); ++i) {
        ChartItem* stored = workspace.ItemPtr(doc, i);
        if (!stored || stored->type != Schedule || stored->state == ItemDeleted)
            continue;
        const int row = rows.Find(stored->start.rowId);
        if (row < 0 || !geometry.LaidOut(row))
            continue;
        int x = 0;
        if (dates.DateToX(x, stored->start.year, stored->start.month, stored->start.day) != 0)
            continue;
        const int n = DaysBetween(first.year, first.month, first.day, stored->start.year,
                                  stored->start.month, stored->start.day);
        if (n < 0 || n >= DayColumns)
            continue;
        const DayCell cell{x + ScheduleCellInset, x + dates.dayWidth - ScheduleCellInset, cellTop,
                           geometry.RowTop(row + 1) - 1};
        ChartItem copy = *stored;
        DrawScheduleEntry(s, geometry.metrics, keepOffsets ? *stored : copy, cell, fill[n]);
    }
}

int FormatTime(int hour, int minute, char* text)
{
    text[0] = '\0';
    if (hour < 0 || hour > MaxTimeHour || minute < 0 || minute > MaxTimeMinute)
        return 0;
    return std::snprintf(text, TimeTextSize, "%d:%02d", hour, minute);
}

}  // namespace td
