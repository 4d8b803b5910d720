#include "view/modes/HandleDrag.h"

#include "view/modes/Feedback.h"

namespace td {

HandleDrag::HandleDrag(const EditContext& context, EditMode end, int doc, int n, int downX,
                       int downY)
    : EditState(context), end(end), doc(doc), n(n), pointerX(downX), pointerY(downY)
{
}

bool HandleDrag::Move(int x, int y)
{
    pointerX = x;
    pointerY = y;
    return OnChart(x, y);
}

bool HandleDrag::DrawOthers(Feedback& feedback, ChartItem& dragged) const
{
    feedback.Pen().SelectPen(PenSolid, FeedbackRed);
    ChartItem item;
    for (int other = 0; workspace.GetSelectedItem(doc, other, item); ++other) {
        if (other != n)
            feedback.DrawItem(doc, item, 0, 0);
    }
    return workspace.GetSelectedItem(doc, n, dragged);
}

}  // namespace td
