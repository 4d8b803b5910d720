#include "calendar/Dates.h"
#include "view/ChartView.h"

#include <algorithm>

namespace td {

int ChartView::ChangeZoom(int step)
{
    if (Dragging())
        return 0;
    const int zoom = std::clamp(layout.Zoom() + step, 0, MaxZoomLevel);
    if (zoom == layout.Zoom())
        return 0;
    layout.SetZoom(zoom);
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
    layout.SetFirstRow(std::clamp(layout.FirstRow(), 0, count - 1));
    int position = 0;
    int below = 0;
    for (int i = 0; i < count; ++i)
        (i < layout.FirstRow() ? position : below) += RowHeight(i);
    vScroll.position = position;
    if (below >= page)
        vScroll.max = position + below;
    else
        vScroll.max = layout.FirstRow() != 0 ? position + page : page;
}

// The rows under a drag stay where they are until its release.
int ChartView::OnVScroll(int code, int position)
{
    if (layout.RowCount() == 0 || Dragging())
        return 0;
    const int first = layout.FirstRow();
    switch (code) {
    case LineUp:
        layout.SetFirstRow(first - 1);
        break;
    case LineDown:
        layout.SetFirstRow(first + 1);
        break;
    case PageUp:
        layout.SetFirstRow(first - 2);
        break;
    case PageDown:
        layout.SetFirstRow(first + 2);
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
        layout.SetFirstRow(row);
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
    const DateTriple& f = layout.FirstDate();

    const int position = layout.DatePosition(f.year, f.month, f.day);
    int min = position;
    if (hasItems && CompareDates(f.year, f.month, f.day, start.year, start.month, start.day) != 1)
        min = layout.DatePosition(start.year, start.month, start.day);

    DateTriple edge;
    const bool hasEdge = XToDate(clientWidth, edge.year, edge.month, edge.day) == 1;
    int max = position + page;
    if (hasItems && hasEdge
        && CompareDates(edge.year, edge.month, edge.day, end.year, end.month, end.day) != 2)
        max = layout.DatePosition(end.year, end.month, end.day + 1, true);
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
    const int months = layout.IsDayMode() ? 0 : 1;
    const int days = layout.IsDayMode() ? 1 : 0;
    const int page = 2 * PageSteps[layout.Zoom()];
    switch (code) {
    case LineLeft:
        layout.StepFirstDate(-months, -days);
        break;
    case LineRight:
        layout.StepFirstDate(months, days);
        break;
    case PageLeft:
        layout.StepFirstDate(0, -page);
        break;
    case PageRight:
        layout.StepFirstDate(0, page);
        break;
    case ThumbTrack: {
        const DateTriple& f = layout.FirstDate();
        const int base = layout.DatePosition(f.year, f.month, f.day);
        layout.StepFirstDate(0, static_cast<int>((position - base) / layout.Scale()));
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
