#pragma once

#include "view/modes/EditState.h"

namespace td {

// An end of a selected line dragged: it takes the date under the pointer and, within the same
// document, the row and lane under it.
class LineEndMode : public EditState {
public:
    // `mode` is DragStart or DragEnd; the line is the n-th selected item of document `doc`.
    LineEndMode(const EditContext& context, EditMode mode, int doc, int n, int downX, int downY);

    EditMode Mode() const override { return end; }
    bool Move(int x, int y) override;
    DragOutcome Release(int x, int y) override;
    DragOutcome Cancel() override { return {Selected, DragRepaint::Chart}; }
    void Draw(Feedback& feedback) const override;

private:
    // Moves the dragged end to (x, y); false when y is over a row of another document.
    bool MoveEnd(ChartItem& line, int x, int y) const;

    EditMode end;
    int doc;
    int n;
    int pointerX;
    int pointerY;
};

}  // namespace td
