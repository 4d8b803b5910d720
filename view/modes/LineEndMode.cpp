#include "view/modes/LineEndMode.h"

#include "view/modes/Feedback.h"

namespace td {

DragOutcome LineEndMode::Release(int upX, int upY)
{
    ChartItem line;
    if (OnChart(upX, upY) && workspace.GetSelectedItem(doc, n, line)
        && MoveEnd(line, upX, upY))
        workspace.ReplaceSelectedItem(n, line);
    return {Selected, DragRepaint::Chart};
}

bool LineEndMode::MoveEnd(ChartItem& line, int x, int y) const
{
    ItemPoint& moved = Moved(line);
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
    ChartItem line;
    if (!DrawOthers(feedback, line))
        return;
    MoveEnd(line, pointerX, pointerY);
    feedback.DrawConnector(doc, line, 0, 0);
}

}  // namespace td
