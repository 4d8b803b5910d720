#include "view/modes/LineEndMode.h"

#include "view/modes/Feedback.h"
#include "view/modes/StretchMode.h"

namespace td {

LineEndMode::LineEndMode(const EditContext& context, EditMode mode, int doc, int n, int downX,
                         int downY)
    : EditState(context), end(mode), doc(doc), n(n), pointerX(downX), pointerY(downY)
{
}

bool LineEndMode::Move(int x, int y)
{
    pointerX = x;
    pointerY = y;
    return x > TimelineLeft && y > layout.RowsTop();
}

DragOutcome LineEndMode::Release(int upX, int upY)
{
    ChartItem line;
    if (upX > TimelineLeft && upY > layout.RowsTop() && workspace.GetSelectedItem(doc, n, line)
        && MoveEnd(line, upX, upY))
        workspace.ReplaceSelectedItem(n, line);
    return {Selected, DragRepaint::Chart};
}

bool LineEndMode::MoveEnd(ChartItem& line, int x, int y) const
{
    ItemPoint& moved = end == DragStart ? line.start : line.end;
    layout.XToDate(x, moved.year, moved.month, moved.day);
    int row = 0;
    int lane = 0;
    if (!layout.YToRowLane(y, row, lane))
        return true;
    int rowDoc = -1;
    const int flatRow = layout.FirstRow() + row;
    if (!workspace.VisibleRowDocument(flatRow, rowDoc) || rowDoc != doc)
        return false;
    moved.rowId = workspace.RowIdAt(flatRow);
    moved.lane = static_cast<uint8_t>(lane);
    return true;
}

// Over another document's row the outline keeps the end's row and lane.
void LineEndMode::Draw(Feedback& feedback) const
{
    feedback.Pen().SelectPen(PenSolid, FeedbackRed);
    DrawOtherSelectedItems(feedback, workspace, doc, n);
    ChartItem line;
    if (!workspace.GetSelectedItem(doc, n, line))
        return;
    MoveEnd(line, pointerX, pointerY);
    feedback.DrawConnector(doc, line, 0, 0);
}

}  // namespace td
