#include "calendar/Dates.h"
#include "view/ChartView.h"

#include <algorithm>

namespace td {

double ChartView::Scale() const
{
    return IsDayMode() ? DayWidth() : MonthWidth() / 30.0;
}

// Linear, approximate day number in pixels. The view's own position leaves out the day in
// month mode, so that the left edge stays on the month column it shows.
int ChartView::DatePosition(int year, int month, int day, bool dayInMonthMode) const
{
    int days = (year - FirstYear) * 365 + (month - 1) * 30;
    if (IsDayMode() || dayInMonthMode)
        days += day;
    return static_cast<int>(days * Scale());
}

int ChartView::ChangeZoom(int step)
{
    if (Dragging())
        return 0;
    int zoom = std::clamp(zoomLevel + step, 0, MaxZoomLevel);
    if (zoom == zoomLevel)
        return 0;
    zoomLevel = zoom;
    UpdateHorizontalScroll();
    Redraw();
    return 1;
}

void ChartView::UpdateVerticalScroll()
{
    const int page = std::max(0, clientHeight - HeaderBottom);
    vScroll.page = page;
    vScroll.min = 0;
    const int count = workspace.VisibleRowCount();
    if (count == 0) {
        vScroll.max = page;
        vScroll.position = 0;
        return;
    }
    firstRow = std::clamp(firstRow, 0, count - 1);
    int position = 0;
    int rest = 0;
    for (int i = 0; i < count; ++i)
        (i < firstRow ? position : rest) += RowHeight(i);
    vScroll.position = position;
    if (rest >= page)
        vScroll.max = position + rest;
    else
        vScroll.max = firstRow != 0 ? position + page : page;
}

// The rows under a drag stay where they are until its release.
int ChartView::OnVScroll(int code, int position)
{
    if (viewRowCount == 0 || Dragging())
        return 0;
    switch (code) {
    case LineUp:
        --firstRow;
        break;
    case LineDown:
        ++firstRow;
        break;
    case PageUp:
        firstRow -= 2;
        break;
    case PageDown:
        firstRow += 2;
        break;
    case ThumbPosition: {
        const int count = workspace.VisibleRowCount();
        int bottom = 0;
        int row = 0;
        for (; row < count; ++row) {
            bottom += RowHeight(row);
            if (bottom > position)
                break;
        }
        firstRow = row;
        break;
    }
    default:
        break;
    }
    UpdateVerticalScroll();
    Redraw();
    return 1;
}

void ChartView::UpdateHorizontalScroll()
{
    const int page = std::max(0, clientWidth - 370);
    DateTriple start;
    DateTriple end;
    workspace.GetDateRange(start.year, start.month, start.day, false);
    workspace.GetDateRange(end.year, end.month, end.day, true);
    const bool hasItems = start.year != 0 && end.year != 0;
    const DateTriple& f = firstDate;

    const int position = DatePosition(f.year, f.month, f.day);
    int min = position;
    if (hasItems && CompareDates(f.year, f.month, f.day, start.year, start.month, start.day) != 1)
        min = DatePosition(start.year, start.month, start.day);

    DateTriple edge;
    const bool hasEdge = XToDate(clientWidth, edge.year, edge.month, edge.day) == 1;
    int max = position + page;
    if (hasItems && hasEdge
        && CompareDates(edge.year, edge.month, edge.day, end.year, end.month, end.day) != 2)
        max = DatePosition(end.year, end.month, end.day + 1, true);
    if (max - min <= page)
        max = min + page;

    hScroll.page = page;
    hScroll.min = min;
    hScroll.max = max;
    hScroll.position = position;
}

int ChartView::OnHScroll(int code, int position)
{
    if (Dragging())
        return 0;
    DateTriple& f = firstDate;
    const int months = IsDayMode() ? 0 : 1;
    const int days = IsDayMode() ? 1 : 0;
    const int page = 2 * PageSteps[zoomLevel];
    switch (code) {
    case LineLeft:
        StepDate(f.year, f.month, f.day, nullptr, -months, -days);
        break;
    case LineRight:
        StepDate(f.year, f.month, f.day, nullptr, months, days);
        break;
    case PageLeft:
        StepDate(f.year, f.month, f.day, nullptr, 0, -page);
        break;
    case PageRight:
        StepDate(f.year, f.month, f.day, nullptr, 0, page);
        break;
    case ThumbTrack: {
        hScroll.trackPosition = position;
        const int base = DatePosition(f.year, f.month, f.day);
        StepDate(f.year, f.month, f.day, nullptr, 0, static_cast<int>((position - base) / Scale()));
        Redraw();
        return 1;
    }
    default:
        break;
    }
    UpdateHorizontalScroll();
    Redraw();
    return 1;
}

}  // namespace td
