#include "view/modes/CreateMode.h"

#include "view/NewItem.h"
#include "view/ToolId.h"
#include "view/modes/Feedback.h"

#include <algorithm>

namespace td {

namespace {

bool SamePoint(const ItemPoint& a, const ItemPoint& b)
{
    return a.rowId == b.rowId && a.lane == b.lane && a.year == b.year && a.month == b.month
        && a.day == b.day;
}

}  // namespace

CreateMode::CreateMode(const EditContext& context, int tool, int viewRow, int downX, int downY)
    : EditState(context)
    , tool(tool)
    , viewRow(viewRow)
    , downX(downX)
    , downY(downY)
    , pointerX(downX)
    , pointerY(downY)
{
}

bool CreateMode::Move(int x, int y)
{
    pointerX = x;
    pointerY = y;
    return x > TimelineLeft && layout.InsideRows(y);
}

// Both ends need a date; a drag that starts or ends left of the timeline creates nothing.
DragOutcome CreateMode::Release(int upX, int upY)
{
    const int minX = std::min(downX, upX);
    const int maxX = std::max(downX, upX);
    if (minX < TimelineFirstX)
        return {Idle, DragRepaint::Feedback};
    if (const int type = TaskTypeOfTool(tool))
        CreateTask(type, minX, maxX);
    else if (tool == ToolId::Line)
        CreateLine(upX, upY);
    else if (tool == ToolId::TextBox)
        CreateTextBox(minX, maxX, std::min(downY, upY), std::max(downY, upY));
    return {Idle, DragRepaint::Chart};
}

void CreateMode::CreateTask(int type, int minX, int maxX) const
{
    const int row = layout.FirstRow() + viewRow;
    ChartItem item = NewItem(type);
    layout.XToDate(minX, item.start.year, item.start.month, item.start.day);
    layout.XToDate(maxX, item.end.year, item.end.month, item.end.day);
    item.start.lane = static_cast<uint8_t>((downY - layout.RowTop(viewRow)) / LaneHeight);
    item.start.rowId = workspace.RowIdAt(row);
    workspace.AddItem(row, item);
}

// A line joins two points of one document.
void CreateMode::CreateLine(int upX, int upY) const
{
    ChartItem item = NewItem(Line);
    int startRow = 0;
    int endRow = 0;
    int startLane = 0;
    int endLane = 0;
    int startDoc = -1;
    int endDoc = -1;
    const int first = layout.FirstRow();
    if (!layout.YToRowLane(downY, startRow, startLane) || !layout.YToRowLane(upY, endRow, endLane)
        || !workspace.VisibleRowDocument(first + startRow, startDoc)
        || !workspace.VisibleRowDocument(first + endRow, endDoc) || startDoc != endDoc)
        return;
    layout.XToDate(downX, item.start.year, item.start.month, item.start.day);
    layout.XToDate(upX, item.end.year, item.end.month, item.end.day);
    item.start.rowId = workspace.RowIdAt(first + startRow);
    item.start.lane = static_cast<uint8_t>(startLane);
    item.end.rowId = workspace.RowIdAt(first + endRow);
    item.end.lane = static_cast<uint8_t>(endLane);
    if (SamePoint(item.start, item.end))
        return;
    workspace.AddItem(first + viewRow, item);
}

// The box stays in the pressed row, whatever lanes of other rows the drag reached.
void CreateMode::CreateTextBox(int minX, int maxX, int minY, int maxY) const
{
    const int row = layout.FirstRow() + viewRow;
    const int top = layout.RowTop(viewRow);
    const int lastLane = (layout.RowTop(viewRow + 1) - top) / LaneHeight - 1;
    const auto laneAt = [&](int y) { return std::clamp((y - top) / LaneHeight, 0, lastLane); };
    ChartItem item = NewItem(TextBox);
    layout.XToDate(minX, item.start.year, item.start.month, item.start.day);
    EndOnStartDay(item);
    item.start.lane = static_cast<uint8_t>(laneAt(minY));
    item.end.lane = static_cast<uint8_t>(laneAt(maxY));
    item.boxWidth = maxX - minX;
    item.start.rowId = workspace.RowIdAt(row);
    workspace.AddItem(row, item);
}

void CreateMode::Draw(Feedback& feedback) const
{
    feedback.Pen().SelectPen(PenSolid, FeedbackRed);
    if (const int type = TaskTypeOfTool(tool))
        DrawTask(feedback, type);
    else if (tool == ToolId::Line)
        DrawLine(feedback);
    else if (tool == ToolId::TextBox)
        DrawTextBox(feedback);
}

void CreateMode::DrawTask(Feedback& feedback, int type) const
{
    int row = 0;
    int lane = 0;
    if (!layout.YToRowLane(downY, row, lane))
        return;
    const int xa = feedback.SnappedX(std::min(downX, pointerX), 0);
    const int xb = feedback.SnappedX(std::max(downX, pointerX), 1);
    feedback.DrawTask(type, xa, xb, layout.RowTop(row) + lane * LaneHeight);
}

void CreateMode::DrawLine(Feedback& feedback) const
{
    int row1 = 0;
    int lane1 = 0;
    int row2 = 0;
    int lane2 = 0;
    if (!layout.YToRowLane(downY, row1, lane1) || !layout.YToRowLane(pointerY, row2, lane2))
        return;
    const int middle = ScreenShapes.lineOffset;
    feedback.Segment(feedback.SnappedX(downX, 0), layout.RowTop(row1) + lane1 * LaneHeight + middle,
                     feedback.SnappedX(pointerX, 0), layout.RowTop(row2) + lane2 * LaneHeight + middle);
}

// The box stays in the pressed row, whichever row the pointer is over.
void CreateMode::DrawTextBox(Feedback& feedback) const
{
    int row = 0;
    int lane = 0;
    if (!layout.YToRowLane(downY, row, lane))
        return;
    const int ta = layout.RowTop(row) + lane * LaneHeight;
    const int rowFirstLane = layout.RowTop(row);
    const int rowLastLane = layout.RowTop(row + 1) - LaneHeight;
    int pointerRow = 0;
    int pointerLane = 0;
    int tb = 0;
    if (layout.YToRowLane(pointerY, pointerRow, pointerLane))
        tb = pointerRow < row ? rowFirstLane
            : pointerRow > row ? rowLastLane
                               : layout.RowTop(row) + pointerLane * LaneHeight;
    else
        tb = pointerY <= layout.RowsTop() ? rowFirstLane : rowLastLane;
    feedback.DrawBox(downX, std::min(ta, tb) + ScreenShapes.bandTop, pointerX,
                     std::max(ta, tb) + ScreenShapes.bandBottom);
}

}  // namespace td
