#include "view/HitTest.h"

#include "calendar/Dates.h"
#include "view/EditMode.h"

#include <algorithm>

namespace td {

namespace {

constexpr int HandleReach = 3;
constexpr int BoundaryReach = 3;

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

// A box is hit where the painter draws it: from its unclamped start, so a box that starts
// before the view is hit along what shows of it.
int HitTestTextBox(const Workspace& workspace, const ChartLayout& layout, int doc, int viewRow,
                   int x, int y, const ChartItem& item)
{
    int xStart = 0;
    if (workspace.FindVisibleRow(doc, item.start.rowId) - layout.FirstRow() != viewRow
        || layout.DateToX(xStart, item.start.year, item.start.month, item.start.day) == 1)
        return HitNone;
    layout.DateToXUnclamped(xStart, item.start.year, item.start.month, item.start.day);
    const int top = layout.RowTop(viewRow) + LaneHeight * item.start.lane;
    const int bottom = layout.RowTop(viewRow) + LaneHeight * item.end.lane;
    const int right = xStart + item.boxWidth;
    const bool onEdge = Between(top, y, top + 6) || Between(bottom + 12, y, bottom + 18);
    if (onEdge && Near(x, xStart))
        return HitStartHandle;
    if (onEdge && Near(x, right))
        return HitEndHandle;
    return top + 3 <= y && y <= bottom + 15 && xStart <= x && x <= right ? HitBody : HitNone;
}

int HitTestLine(const Workspace& workspace, const ChartLayout& layout, int doc, int viewRow,
                int lane, int x, int y, const ChartItem& item)
{
    const int startRow = workspace.FindVisibleRow(doc, item.start.rowId) - layout.FirstRow();
    const int endRow = workspace.FindVisibleRow(doc, item.end.rowId) - layout.FirstRow();
    int xStart = 0;
    int xEnd = 0;
    layout.DateToX(xStart, item.start.year, item.start.month, item.start.day);
    layout.DateToX(xEnd, item.end.year, item.end.month, item.end.day);
    const int laneTop = layout.RowTop(viewRow) + LaneHeight * lane;
    const bool onMiddle = Between(laneTop + 6, y, laneTop + 12);
    if (onMiddle && viewRow == startRow && lane == item.start.lane && Near(x, xStart))
        return HitStartHandle;
    if (onMiddle && viewRow == endRow && lane == item.end.lane && Near(x, xEnd))
        return HitEndHandle;
    if (x < std::min(xStart, xEnd) || x > std::max(xStart, xEnd))
        return HitNone;
    const auto laidOut = [&layout](int row) { return row >= 0 && row < layout.RowCount(); };
    if (!laidOut(startRow) || !laidOut(endRow))
        return HitNone;
    const int yStart = layout.RowTop(startRow) + LaneHeight * item.start.lane + 12;
    const int yEnd = layout.RowTop(endRow) + LaneHeight * item.end.lane + 12;
    if (yStart >= yEnd)
        return Between(yEnd, y, yStart + LaneHeight) ? HitBody : HitNone;
    return Between(yStart, y, yEnd + LaneHeight) ? HitBody : HitNone;
}

}  // namespace

int RowBoundaryAt(const ChartLayout& layout, int x, int y)
{
    if (x >= TimelineLeft)
        return -1;
    for (int i = 0; i < layout.RowCount(); ++i) {
        const int bottom = layout.RowTop(i + 1);
        if (Between(bottom - BoundaryReach, y, bottom + BoundaryReach))
            return i;
    }
    return -1;
}

bool OnFoldGlyph(const Workspace& workspace, const ChartLayout& layout, int viewRow, int x, int y)
{
    const ProjectRow* row = workspace.RowAt(layout.FirstRow() + viewRow);
    if (!row)
        return false;
    const int left = FoldGlyphX(row->level);
    const int top = layout.RowTop(viewRow) + FoldGlyphTop;
    return left <= x && x <= left + FoldGlyphSize && top <= y && y <= top + FoldGlyphSize;
}

int HitTestItem(const Workspace& workspace, const ChartLayout& layout, int doc, int viewRow,
                int lane, int x, int y, const ChartItem& item)
{
    if (viewRow < 0 || viewRow >= layout.RowCount())
        return HitNone;
    if (item.type == TextBox)
        return HitTestTextBox(workspace, layout, doc, viewRow, x, y, item);
    int xStart = 0;
    if (layout.DateToX(xStart, item.start.year, item.start.month, item.start.day) == 1)
        return HitNone;
    int endYear = item.end.year;
    int endMonth = item.end.month;
    int endDay = item.end.day;
    StepDate(endYear, endMonth, endDay, nullptr, 0, 1);
    int xEnd = 0;
    if (layout.DateToX(xEnd, endYear, endMonth, endDay) == -1)
        return HitNone;

    const int itemRow = workspace.FindVisibleRow(doc, item.start.rowId) - layout.FirstRow();
    const int top = layout.RowTop(viewRow);
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
        return HitTestLine(workspace, layout, doc, viewRow, lane, x, y, item);
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

}  // namespace td
