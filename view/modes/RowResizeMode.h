#pragma once

#include "view/modes/EditState.h"

namespace td {

// A row's bottom boundary dragged in the row column: a guide follows the pointer in whole
// lanes, and the release gives the row the lanes down to it.
class RowResizeMode : public EditState {
public:
    RowResizeMode(const EditContext& context, int viewRow, int downY);

    EditMode Mode() const override { return RowResize; }
    bool Move(int x, int y) override;
    DragOutcome Release(int x, int y) override;
    DragOutcome Cancel() override { return {Idle, DragRepaint::Feedback}; }
    void Draw(Feedback& feedback) const override;

private:
    int viewRow;
    int pointerY;
};

}  // namespace td
