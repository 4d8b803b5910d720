#include "view/modes/RubberBandMode.h"

#include "view/modes/Feedback.h"

#include <algorithm>

namespace td {

namespace {

// A click that moves the pointer at most this far is no rubber band.
constexpr int ClickSlack = 2;

}  // namespace

RubberBandMode::RubberBandMode(const EditContext& context, int downX, int downY)
    : EditState(context), downX(downX), downY(downY), pointerX(downX), pointerY(downY)
{
}

// The band stays on the timeline and within the rows.
bool RubberBandMode::Move(int x, int y)
{
    pointerX = std::max(x, TimelineFirstX);
    pointerY = y;
    if (pointerY <= layout.RowsTop())
        pointerY = layout.RowsTop();
    if (pointerY >= layout.RowsBottom())
        pointerY = layout.RowsBottom() - 2;
    return true;
}

DragOutcome RubberBandMode::Release(int upX, int upY)
{
    // A band that starts on the timeline's first column still has a date.
    const int minX = std::max(std::min(downX, upX), TimelineFirstX);
    const int maxX = std::max(downX, upX);
    int minY = std::min(downY, upY);
    int maxY = std::max(downY, upY);
    if (maxX <= minX + ClickSlack && maxY <= minY + ClickSlack)
        return {Idle, DragRepaint::Feedback};
    if (minY <= layout.RowsTop())
        minY = layout.RowsTop() + 1;
    if (maxY >= layout.RowsBottom())
        maxY = layout.RowsBottom() - 2;
    ChartItem topLeft;
    ChartItem bottomRight;
    int topRow = 0;
    int bottomRow = 0;
    int topLane = 0;
    int bottomLane = 0;
    layout.XToDate(minX, topLeft.start.year, topLeft.start.month, topLeft.start.day);
    layout.XToDate(maxX, bottomRight.start.year, bottomRight.start.month, bottomRight.start.day);
    const bool inRows = layout.YToRowLane(minY, topRow, topLane)
        && layout.YToRowLane(maxY, bottomRow, bottomLane);
    topLeft.start.lane = static_cast<uint8_t>(topLane);
    bottomRight.start.lane = static_cast<uint8_t>(bottomLane);
    const int first = layout.FirstRow();
    if (inRows
        && workspace.SelectItemsInRectangle(first + topRow, first + bottomRow, topLeft, bottomRight))
        return {Selected, DragRepaint::Chart};
    return {Idle, DragRepaint::Feedback};
}

void RubberBandMode::Draw(Feedback& feedback) const
{
    const int xa = std::min(downX, pointerX);
    const int xb = std::max(downX, pointerX);
    const int ya = std::min(downY, pointerY);
    const int yb = std::max(downY, pointerY);
    feedback.Pen().SelectPen(PenDot, FeedbackRed);
    feedback.Segment(xa, ya, xa, yb);
    feedback.Segment(xb, ya, xb, yb);
    feedback.Segment(xa, ya, xb, ya);
    feedback.Segment(xa, yb, xb, yb);
    feedback.Widen(xa, ya);
    feedback.Widen(xb, yb);
}

}  // namespace td
