#pragma once

#include "view/modes/HandleDrag.h"

namespace td {

// An end handle of a selected task, progress bar or text box dragged along the timeline: the
// release gives that end the date under it.
class StretchMode : public HandleDrag {
public:
    using HandleDrag::HandleDrag;

    DragOutcome Release(int x, int y) override;
    void Draw(Feedback& feedback) const override;

private:
    void StretchTask(ChartItem& item, int upX) const;
    void StretchTextBox(ChartItem& item) const;
    void DrawStretchedTask(Feedback& feedback, ChartItem item, int laneTop) const;
    void DrawStretchedTextBox(Feedback& feedback, ChartItem item, int top) const;
};

}  // namespace td
