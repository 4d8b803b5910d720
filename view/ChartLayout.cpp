#include "view/ChartLayout.h"

#include "calendar/Dates.h"

#include <algorithm>

namespace td {

ChartLayout::ChartLayout(int bufferWidth, int bufferHeight, const DateTriple& firstDate)
    : bufferWidth(bufferWidth), bufferHeight(bufferHeight), firstDate(firstDate)
{
}

void ChartLayout::SetZoom(int zoom)
{
    zoomLevel = std::clamp(zoom, 0, MaxZoomLevel);
}

void ChartLayout::StepFirstDate(int months, int days)
{
    StepDate(firstDate.year, firstDate.month, firstDate.day, nullptr, months, days);
}

void ChartLayout::LayOutRows(const Workspace& workspace)
{
    rowCount = 0;
    rowTop[0] = FirstRowTop;
    const ChartGeometry geometry = Geometry();
    const int count = workspace.VisibleRowCount();
    for (int k = 0; firstRow + k < count && k < MaxVisibleRows; ++k) {
        rowTop[k + 1] = rowTop[k] + geometry.RowHeight(workspace, firstRow + k);
        rowCount = k + 1;
    }
}

double ChartLayout::Scale() const
{
    return IsDayMode() ? DayWidth() : MonthWidth() / 30.0;
}

// The view's own position leaves out the day in month mode, so that the left edge stays on the
// month column it shows.
int ChartLayout::DatePosition(int year, int month, int day, bool dayInMonthMode) const
{
    int days = (year - FirstYear) * 365 + (month - 1) * 30;
    if (IsDayMode() || dayInMonthMode)
        days += day;
    return static_cast<int>(days * Scale());
}

int ChartLayout::XToDate(int x, int& year, int& month, int& day) const
{
    if (x < TimelineFirstX)
        return 0;
    int y = firstDate.year;
    int m = firstDate.month;
    int d = firstDate.day;
    if (IsDayMode()) {
        StepDate(y, m, d, nullptr, 0, (x - TimelineLeft) / DayWidth());
    } else {
        d = 1;
        StepDate(y, m, d, nullptr, 0, ((x - TimelineLeft) * 30) / MonthWidth());
    }
    year = y;
    month = m;
    day = d;
    return 1;
}

int ChartLayout::DateToX(int& x, int year, int month, int day) const
{
    return Dates().DateToX(x, year, month, day);
}

void ChartLayout::DateToXUnclamped(int& x, int year, int month, int day) const
{
    Dates().DateToXUnclamped(x, year, month, day);
}

int ChartLayout::YToRowLane(int y, int& visibleRow, int& lane) const
{
    if (y <= rowTop[0])
        return 0;
    for (int k = 0; k < rowCount; ++k) {
        if (rowTop[k + 1] > y) {
            visibleRow = k;
            lane = (y - rowTop[k]) / LaneHeight;
            return 1;
        }
    }
    return 0;
}

DateScale ChartLayout::Dates() const
{
    return {TimelineLeft, bufferWidth - RightClampMargin, firstDate, DayWidth(), MonthWidth()};
}

ChartGeometry ChartLayout::Geometry() const
{
    ChartGeometry geometry;
    geometry.dates = Dates();
    geometry.zoom = zoomLevel;
    geometry.firstRow = firstRow;
    geometry.rowCount = rowCount;
    geometry.rowTop = rowTop.data();
    geometry.timelineFirstX = TimelineFirstX;
    geometry.surfaceWidth = bufferWidth;
    geometry.surfaceHeight = bufferHeight;
    geometry.rowsBottom = bufferHeight;
    return geometry;
}

}  // namespace td
