#pragma once

#include "view/modes/HandleDrag.h"

namespace td {

// An end of a selected line dragged: it takes the date under the pointer and, within the same
// document, the row and lane under it.
class LineEndMode : public HandleDrag {
public:
    using HandleDrag::HandleDrag;

    DragOutcome Release(int x, int y) override;
    void Draw(Feedback& feedback) const override;

private:
    // Moves the dragged end to (x, y); false when y is over a row of another document.
    bool MoveEnd(ChartItem& line, int x, int y) const;
};

}  // namespace td
