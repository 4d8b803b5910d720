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

// Lanes are addressed by a byte.
constexpr int MaxLanes = 256;

bool MonthBefore(int year, int month, const DateTriple& first)
{
    return year < first.year || (year == first.year && month < first.month);
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

int ChartView::DateToX(int& x, int year, int month, int day) const
{
    bool before = IsDayMode()
        ? CompareDates(year, month, day, firstDate.year, firstDate.month, firstDate.day) == 1
        : MonthBefore(year, month, firstDate);
    if (before) {
        x = TimelineLeft;
        return -1;
    }
    DateToXUnclamped(x, year, month, day);
    if (x < bufferWidth - RightClampMargin)
        return 0;
    x = bufferWidth - RightClampMargin;
    return 1;
}

// Day numbers give the day counts of the date arithmetic in constant time, which every item of
// every redraw needs; far-off damaged dates land far outside the buffer instead of overflowing.
void ChartView::DateToXUnclamped(int& x, int year, int month, int day) const
{
    const DateTriple& f = firstDate;
    const int64_t origin = DayNumber(f.year, f.month, IsDayMode() ? f.day : 1);
    const int64_t days = DayNumber(year, month, day) - origin;
    const int64_t offset = IsDayMode() ? days * DayWidth() : (days * MonthWidth()) / 30;
    constexpr int64_t FarOff = int64_t{1} << 30;
    x = static_cast<int>(std::clamp(TimelineLeft + offset, -FarOff, FarOff));
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
    const ProjectRow* row = workspace.RowAt(visibleRow);
    if (!row)
        return 0;
    // A damaged lane count must neither fold rows onto each other nor overflow the layout.
    return std::clamp<int>(row->lanes, 1, MaxLanes) * LaneHeight;
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
    int count = workspace.VisibleRowCount();
    first = -1;
    last = -1;
    for (int i = 0; i < count; ++i) {
        int rowDoc = -1;
        if (!workspace.VisibleRowDocument(i, rowDoc) || rowDoc != doc)
            continue;
        if (first < 0)
            first = i;
        last = i;
    }
    if (first < 0 || last < firstRow || viewRowCount <= 0)
        return false;
    first = std::max(first, firstRow);
    last = std::min(last, firstRow + viewRowCount - 1);
    return first <= last;
}

}  // namespace td
