#include "view/modes/StretchMode.h"

#include "calendar/Dates.h"
#include "view/modes/Feedback.h"

#include <algorithm>
#include <utility>

namespace td {

namespace {

void SwapDates(ItemPoint& a, ItemPoint& b)
{
    std::swap(a.year, b.year);
    std::swap(a.month, b.month);
    std::swap(a.day, b.day);
}

void SetDate(ItemPoint& point, const DateTriple& date)
{
    point.year = date.year;
    point.month = date.month;
    point.day = date.day;
}

}  // namespace

DragOutcome StretchMode::Release(int upX, int upY)
{
    ChartItem item;
    if (OnChart(upX, upY) && workspace.GetSelectedItem(doc, n, item)) {
        if (item.type == TextBox)
            StretchTextBox(item);
        else
            StretchTask(item, upX);
        workspace.ReplaceSelectedItem(n, item);
    }
    return {Selected, DragRepaint::Chart};
}

// Dragged past the other end, the ends trade places.
void StretchMode::StretchTask(ChartItem& item, int upX) const
{
    ItemPoint& moved = Moved(item);
    layout.XToDate(upX, moved.year, moved.month, moved.day);
    if (CompareDates(item.start.year, item.start.month, item.start.day, item.end.year,
                     item.end.month, item.end.day) == 2)
        SwapDates(item.start, item.end);
}

// A box that starts before the view keeps its start date: only an edge that moved takes the
// date under it.
void StretchMode::StretchTextBox(ChartItem& item) const
{
    int left = 0;
    layout.DateToXUnclamped(left, item.start.year, item.start.month, item.start.day);
    int right = left + item.boxWidth;
    if (end == DragStart) {
        DateTriple date;
        if (layout.XToDate(pointerX, date.year, date.month, date.day))
            layout.DateToX(left, date.year, date.month, date.day);
    } else {
        right = pointerX;
    }
    // Dragged past the other edge, the box is mirrored rather than given a negative width.
    if (left > right)
        std::swap(left, right);
    DateTriple start;
    // A box ends on the day it starts, as its file record has it.
    if (layout.XToDate(left, start.year, start.month, start.day)) {
        SetDate(item.start, start);
        SetDate(item.end, start);
    }
    item.boxWidth = right - left;
}

void StretchMode::Draw(Feedback& feedback) const
{
    ChartItem item;
    int top = 0;
    if (!DrawOthers(feedback, item) || !feedback.ItemRowTop(doc, item, top))
        return;
    if (item.type == TextBox)
        DrawStretchedTextBox(feedback, item, top);
    else
        DrawStretchedTask(feedback, item, top + item.start.lane * LaneHeight);
}

void StretchMode::DrawStretchedTask(Feedback& feedback, ChartItem item, int laneTop) const
{
    ItemPoint& moved = Moved(item);
    layout.XToDate(pointerX, moved.year, moved.month, moved.day);
    int x1 = 0;
    int x2 = 0;
    layout.DateToX(x1, item.start.year, item.start.month, item.start.day);
    layout.DateToX(x2, item.end.year, item.end.month, item.end.day);
    // The later date's column belongs to the task, as its end day does after the release.
    if (x1 <= x2)
        x2 += layout.DayWidth();
    else
        x1 += layout.DayWidth();
    feedback.DrawTask(item.type, std::min(x1, x2), std::max(x1, x2), laneTop);
}

void StretchMode::DrawStretchedTextBox(Feedback& feedback, ChartItem item, int top) const
{
    const int laneTop = top + item.start.lane * LaneHeight;
    int x1 = 0;
    layout.DateToXUnclamped(x1, item.start.year, item.start.month, item.start.day);
    int x2 = x1 + item.boxWidth;
    if (end == DragStart) {
        layout.XToDate(pointerX, item.start.year, item.start.month, item.start.day);
        layout.DateToXUnclamped(x1, item.start.year, item.start.month, item.start.day);
    } else {
        x2 = pointerX;
    }
    feedback.DrawTimelineBox(x1, laneTop + ScreenShapes.bandTop, x2,
                             top + item.end.lane * LaneHeight + ScreenShapes.bandBottom);
}

}  // namespace td
