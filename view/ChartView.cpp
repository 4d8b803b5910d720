#include "view/ChartView.h"

#include "calendar/Dates.h"

#include <QDate>

#include <algorithm>

namespace td {

namespace {

DateTriple Today()
{
    QDate today = QDate::currentDate();
    // A clock outside the calendar's years shows the nearest year; 29 February may not exist there.
    int year = std::clamp(today.year(), FirstYear, EndYear - 1);
    return {year, today.month(), std::min(today.day(), DaysInMonth(year, today.month()))};
}

}  // namespace

ChartView::ChartView(Workspace& workspace, HolidayCalendar& holidays, int screenWidth,
                     int screenHeight)
    : workspace(workspace)
    , holidays(holidays)
    , bufferHeight(std::max(1, screenHeight))
    , bufferWidth(std::max(1, screenWidth + BufferExtraWidth))
    , firstDate(Today())
{
    vScroll.mask = 15;
    hScroll.mask = 7;
}

void ChartView::EnsureBuffers()
{
    if (!backBuffer.isNull())
        return;
    backBuffer = QImage(bufferWidth, bufferHeight, QImage::Format_RGB32);
    backBuffer.fill(Qt::white);
    scratchBuffer = QImage(bufferWidth, bufferHeight, QImage::Format_RGB32);
    scratchBuffer.fill(Qt::white);
}

int ChartView::Resize(int width, int height)
{
    // A new size may lay out other rows under the pointer.
    if (Dragging())
        CancelDrag();
    clientWidth = width;
    clientHeight = height;
    if (backBuffer.isNull())
        Redraw();
    UpdateVerticalScroll();
    UpdateHorizontalScroll();
    return 1;
}

int ChartView::XToDate(int x, int& year, int& month, int& day) const
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

DateScale ChartView::Dates() const
{
    return {TimelineLeft, bufferWidth - RightClampMargin, firstDate, DayWidth(), MonthWidth()};
}

ChartGeometry ChartView::Geometry() const
{
    ChartGeometry geometry;
    geometry.dates = Dates();
    geometry.firstRow = firstRow;
    geometry.rowCount = viewRowCount;
    geometry.rowTop = rowTop.data();
    geometry.timelineFirstX = TimelineFirstX;
    geometry.surfaceWidth = bufferWidth;
    geometry.surfaceHeight = bufferHeight;
    geometry.rowsBottom = bufferHeight;
    return geometry;
}

int ChartView::DateToX(int& x, int year, int month, int day) const
{
    return Dates().DateToX(x, year, month, day);
}

void ChartView::DateToXUnclamped(int& x, int year, int month, int day) const
{
    Dates().DateToXUnclamped(x, year, month, day);
}

int ChartView::YToRowLane(int y, int& visibleRow, int& lane) const
{
    if (y <= rowTop[0])
        return 0;
    for (int k = 0; k < viewRowCount; ++k) {
        if (rowTop[k + 1] > y) {
            visibleRow = k;
            lane = (y - rowTop[k]) / LaneHeight;
            return 1;
        }
    }
    return 0;
}

void ChartView::GetView(int& zoom, int& year, int& month, int& day) const
{
    zoom = zoomLevel;
    year = firstDate.year;
    month = firstDate.month;
    day = firstDate.day;
}

int ChartView::RowHeight(int visibleRow) const
{
    return Geometry().RowHeight(workspace, visibleRow);
}

void ChartView::LayOutRows()
{
    viewRowCount = 0;
    rowTop[0] = FirstRowTop;
    int count = workspace.VisibleRowCount();
    for (int k = 0; firstRow + k < count && k < MaxVisibleRows; ++k) {
        rowTop[k + 1] = rowTop[k] + RowHeight(firstRow + k);
        viewRowCount = k + 1;
    }
}

bool ChartView::DocumentRowRange(int doc, int& first, int& last) const
{
    return Geometry().DocumentRowRange(workspace, doc, first, last);
}

}  // namespace td
