#include "view/modes/RowResizeMode.h"

#include "view/modes/Feedback.h"

#include <algorithm>

namespace td {

namespace {

// A row's lane count is stored in one byte.
constexpr int MaxLanes = 255;
constexpr uint32_t GuideColor = 0x3F3FFF;  // RGB (255, 63, 63)
constexpr int GuideWidth = 2;

}  // namespace

RowResizeMode::RowResizeMode(const EditContext& context, int viewRow, int downY)
    : EditState(context), viewRow(viewRow), pointerY(downY)
{
}

bool RowResizeMode::Move(int, int y)
{
    pointerY = y;
    return true;
}

DragOutcome RowResizeMode::Release(int, int)
{
    ProjectRow record;
    if (!workspace.SelectRow(layout.FirstRow() + viewRow) || !workspace.GetSelectedRow(record))
        return {Idle, DragRepaint::Chart};
    record.lanes = std::clamp((pointerY - layout.RowTop(viewRow)) / LaneHeight, 1, MaxLanes);
    workspace.ReplaceSelectedRow(record);
    return {Idle, DragRepaint::Rows};
}

void RowResizeMode::Draw(Feedback& feedback) const
{
    if (viewRow < 0 || viewRow >= layout.RowCount())
        return;
    const int top = layout.RowTop(viewRow);
    // The guide snaps to lane boundaries and never rises above the row's first lane.
    const int y = pointerY >= top + LaneHeight ? top + ((pointerY - top) / LaneHeight) * LaneHeight
                                               : top + LaneHeight;
    feedback.Pen().SelectWidePen(GuideWidth, GuideColor);
    feedback.Segment(1, y, layout.BufferWidth() - 1, y);
    feedback.Widen(1, y - 1);
}

}  // namespace td
