#include "calendar/Dates.h"
#include "view/ChartView.h"
#include "view/EditMode.h"

#include <algorithm>

namespace td {

namespace {

constexpr int HandleReach = 3;
constexpr int BoundaryReach = 3;
constexpr int FoldBoxSize = 9;
constexpr int FoldBoxTop = 5;

bool Near(int x, int value)
{
    return value - HandleReach < x && x < value + HandleReach;
}

bool Between(int low, int value, int high)
{
    return low < value && value < high;
}

// A task's handles lie at its two ends; the start wins where they meet.
int TaskPart(int x, int xStart, int xEnd)
{
    if (Near(x, xStart))
        return HitStartHandle;
    if (Near(x, xEnd))
        return HitEndHandle;
    return xStart <= x && x <= xEnd ? HitBody : HitNone;
}

}  // namespace

int ChartView::RowBoundaryAt(int x, int y) const
{
    if (x >= TimelineLeft)
        return -1;
    for (int i = 0; i < viewRowCount; ++i) {
        if (Between(rowTop[i + 1] - BoundaryReach, y, rowTop[i + 1] + BoundaryReach))
            return i;
    }
    return -1;
}

bool ChartView::OnFoldBox(int viewRow, int x, int y) const
{
    const int left = glyphX[viewRow];
    const int top = rowTop[viewRow] + FoldBoxTop;
    return left <= x && x <= left + FoldBoxSize && top <= y && y <= top + FoldBoxSize;
}

int ChartView::HitTestItem(int doc, int viewRow, int lane, int x, int y, const ChartItem& item) const
{
    if (viewRow < 0 || viewRow >= viewRowCount)
        return HitNone;
    if (item.type == TextBox)
        return HitTestTextBox(doc, viewRow, x, y, item);
    int xStart = 0;
    if (DateToX(xStart, item.start.year, item.start.month, item.start.day) == 1)
        return HitNone;
    int endYear = item.end.year;
    int endMonth = item.end.month;
    int endDay = item.end.day;
    StepDate(endYear, endMonth, endDay, nullptr, 0, 1);
    int xEnd = 0;
    if (DateToX(xEnd, endYear, endMonth, endDay) == -1)
        return HitNone;

    const int itemRow = workspace.FindVisibleRow(doc, item.start.rowId) - firstRow;
    const int top = rowTop[viewRow];
    const int laneTop = top + LaneHeight * lane;
    const bool onLane = itemRow == viewRow && item.start.lane == lane;
    switch (item.type) {
    case TaskLine:
    case Progress:
        return onLane && Between(laneTop + 6, y, laneTop + 12) ? TaskPart(x, xStart, xEnd) : HitNone;
    case TaskBand:
        return onLane && Between(laneTop + 3, y, laneTop + 15) ? TaskPart(x, xStart, xEnd) : HitNone;
    case Event: {
        const int middle = (xStart + xEnd) >> 1;
        const bool hit = onLane && Between(laneTop + 3, y, laneTop + 17) && middle - 7 <= x
            && x <= middle + 7;
        return hit ? HitBody : HitNone;
    }
    case Line:
        return HitTestLine(doc, viewRow, lane, x, y, item);
    case Schedule: {
        // The lane bytes of an entry hold the pixel offsets of the text it was last drawn with.
        const bool hit = top + item.start.lane <= y && y < top + item.end.lane && xStart <= x
            && x <= xEnd;
        return hit ? HitBody : HitNone;
    }
    default:
        return HitNone;
    }
}

int ChartView::HitTestLine(int doc, int viewRow, int lane, int x, int y, const ChartItem& item) const
{
    const int startRow = workspace.FindVisibleRow(doc, item.start.rowId) - firstRow;
    const int endRow = workspace.FindVisibleRow(doc, item.end.rowId) - firstRow;
    int xStart = 0;
    int xEnd = 0;
    DateToX(xStart, item.start.year, item.start.month, item.start.day);
    DateToX(xEnd, item.end.year, item.end.month, item.end.day);
    const int laneTop = rowTop[viewRow] + LaneHeight * lane;
    const bool onMiddle = Between(laneTop + 6, y, laneTop + 12);
    if (onMiddle && viewRow == startRow && lane == item.start.lane && Near(x, xStart))
        return HitStartHandle;
    if (onMiddle && viewRow == endRow && lane == item.end.lane && Near(x, xEnd))
        return HitEndHandle;
    if (x < std::min(xStart, xEnd) || x > std::max(xStart, xEnd))
        return HitNone;
    const auto laidOut = [this](int row) { return row >= 0 && row < viewRowCount; };
    if (!laidOut(startRow) || !laidOut(endRow))
        return HitNone;
    const int yStart = rowTop[startRow] + LaneHeight * item.start.lane + 12;
    const int yEnd = rowTop[endRow] + LaneHeight * item.end.lane + 12;
    if (yStart >= yEnd)
        return Between(yEnd, y, yStart + LaneHeight) ? HitBody : HitNone;
    return Between(yStart, y, yEnd + LaneHeight) ? HitBody : HitNone;
}

// A box is hit where the painter draws it: from its unclamped start, so a box that starts
// before the view is hit along what shows of it.
int ChartView::HitTestTextBox(int doc, int viewRow, int x, int y, const ChartItem& item) const
{
    int xStart = 0;
    if (workspace.FindVisibleRow(doc, item.start.rowId) - firstRow != viewRow
        || DateToX(xStart, item.start.year, item.start.month, item.start.day) == 1)
        return HitNone;
    DateToXUnclamped(xStart, item.start.year, item.start.month, item.start.day);
    const int top = rowTop[viewRow] + LaneHeight * item.start.lane;
    const int bottom = rowTop[viewRow] + LaneHeight * item.end.lane;
    const int right = xStart + item.boxWidth;
    const bool onEdge = Between(top, y, top + 6) || Between(bottom + 12, y, bottom + 18);
    if (onEdge && Near(x, xStart))
        return HitStartHandle;
    if (onEdge && Near(x, right))
        return HitEndHandle;
    return top + 3 <= y && y <= bottom + 15 && xStart <= x && x <= right ? HitBody : HitNone;
}

int ChartView::SelectionClick(int doc, int x, int y)
{
    const int row = selectedViewRow;
    const int lane = (y - rowTop[row]) / LaneHeight;
    int redraw = 0;
    if (editMode == Selected) {
        ChartItem item;
        for (int n = 0; workspace.GetSelectedItem(doc, n, item); ++n) {
            const int part = HitTestItem(doc, row, lane, x, y, item);
            if (part != HitNone) {
                editMode = part;
                return 1;
            }
        }
        workspace.ClearSelection();
        editMode = RubberBand;
        redraw = 1;
    }
    if (x >= TimelineLeft) {
        for (int index = 0; index < workspace.ItemCount(doc); ++index) {
            const ChartItem* item = workspace.ItemPtr(doc, index);
            if (item->state != ItemNormal || HitTestItem(doc, row, lane, x, y, *item) == HitNone)
                continue;
            workspace.ClearSelection();
            workspace.SelectItem(firstRow + row, index);
            editMode = Selected;
            return 1;
        }
    }
    editMode = x < TimelineLeft ? Idle : RubberBand;
    return redraw;
}

}  // namespace td
