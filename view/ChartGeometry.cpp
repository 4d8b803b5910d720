#include "view/ChartGeometry.h"

#include "calendar/Dates.h"

#include <algorithm>

namespace td {

namespace {

// Lanes are addressed by a byte.
constexpr int MaxLanes = 256;

bool MonthBefore(int year, int month, const DateTriple& first)
{
    return year < first.year || (year == first.year && month < first.month);
}

}  // namespace

int DateScale::DateToX(int& x, int year, int month, int day) const
{
    const DateTriple& f = firstDate;
    const bool before = IsDayMode()
        ? CompareDates(year, month, day, f.year, f.month, f.day) == 1
        : MonthBefore(year, month, f);
    if (before) {
        x = originX;
        return -1;
    }
    DateToXUnclamped(x, year, month, day);
    if (x < clampX)
        return 0;
    x = clampX;
    return 1;
}

// Day numbers give the day counts of the date arithmetic in constant time, which every item of
// every redraw needs; far-off damaged dates land far outside the surface instead of overflowing.
void DateScale::DateToXUnclamped(int& x, int year, int month, int day) const
{
    const DateTriple& f = firstDate;
    const int64_t origin = DayNumber(f.year, f.month, IsDayMode() ? f.day : 1);
    const int64_t days = DayNumber(year, month, day) - origin;
    const int64_t offset = IsDayMode() ? days * dayWidth : (days * monthWidth) / 30;
    constexpr int64_t FarOff = int64_t{1} << 30;
    x = static_cast<int>(std::clamp(originX + offset, -FarOff, FarOff));
}

ItemMetrics ScaledMetrics(double scale)
{
    const ItemMetrics screen;
    const auto scaled = [scale](int length) { return static_cast<int>(length * scale); };
    ItemMetrics metrics;
    metrics.scale = scale;
    metrics.laneHeight = scaled(screen.laneHeight);
    metrics.lineOffset = scaled(screen.lineOffset);
    metrics.bandTop = scaled(screen.bandTop);
    metrics.bandBottom = scaled(screen.bandBottom);
    metrics.tipLength = scaled(screen.tipLength);
    metrics.markBaseline = scaled(screen.markBaseline);
    metrics.headLength = scaled(screen.headLength);
    metrics.glyphTop = scaled(screen.glyphTop);
    metrics.glyphHeight = scaled(screen.glyphHeight);
    metrics.progressHalf = scaled(screen.progressHalf);
    for (std::size_t i = 0; i < screen.strokeOffsets.size(); ++i) {
        metrics.strokeOffsets[i] = scaled(screen.strokeOffsets[i]);
        metrics.notchOffsets[i] = scaled(screen.notchOffsets[i]);
    }
    metrics.closedEndReach = scaled(screen.closedEndReach);
    return metrics;
}

int ChartGeometry::RowHeight(const Workspace& workspace, int flatRow) const
{
    const ProjectRow* row = workspace.RowAt(flatRow);
    if (!row)
        return 0;
    // A damaged lane count must neither fold rows onto each other nor overflow the layout.
    return std::clamp<int>(row->lanes, 1, MaxLanes) * metrics.laneHeight;
}

bool ChartGeometry::DocumentRowRange(const Workspace& workspace, int doc, int& first,
                                     int& last) const
{
    first = -1;
    last = -1;
    for (int i = 0; i < workspace.VisibleRowCount(); ++i) {
        int rowDoc = -1;
        if (!workspace.VisibleRowDocument(i, rowDoc) || rowDoc != doc)
            continue;
        if (first < 0)
            first = i;
        last = i;
    }
    if (first < 0 || last < firstRow || rowCount <= 0)
        return false;
    first = std::max(first, firstRow);
    last = std::min(last, firstRow + rowCount - 1);
    return first <= last;
}

}  // namespace td
