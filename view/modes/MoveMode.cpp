#include "view/modes/MoveMode.h"

#include "view/modes/Feedback.h"

namespace td {

MoveMode::MoveMode(const EditContext& context, int downX, int downY)
    : EditState(context), downX(downX), downY(downY), pointerX(downX), pointerY(downY)
{
}

std::unique_ptr<MoveMode> MoveMode::PickUp(const EditContext& context, int downX, int downY,
                                           int x, int y)
{
    auto mode = std::make_unique<MoveMode>(context, downX, downY);
    mode->Move(x, y);
    context.workspace.DeleteSelectedItems(false, false);
    return mode;
}

bool MoveMode::Move(int x, int y)
{
    pointerX = x;
    pointerY = y;
    return OnChart(x, y);
}

// The release counts from the last place the pointer was shown at.
DragOutcome MoveMode::Release(int, int)
{
    // Released left of the chart or above the first row, nothing is moved.
    if (!OnChart(pointerX, pointerY))
        return Cancel();
    const int dx = pointerX - downX;
    const int days = layout.IsDayMode() ? dx / layout.DayWidth() : dx * 30 / layout.MonthWidth();
    workspace.MoveSelectedItems(days, (pointerY - downY) / LaneHeight);
    return {ModeOfSelection(workspace), DragRepaint::Chart};
}

DragOutcome MoveMode::Cancel()
{
    workspace.RestoreSelectedItems();
    return {Selected, DragRepaint::Chart};
}

void MoveMode::Draw(Feedback& feedback) const
{
    feedback.DrawSelection(pointerX - downX, ((pointerY - downY) / LaneHeight) * LaneHeight);
}

}  // namespace td
