#pragma once

#include "view/modes/EditState.h"

namespace td {

// A dotted rectangle dragged over the timeline; the release selects the items inside it.
class RubberBandMode : public EditState {
public:
    RubberBandMode(const EditContext& context, int downX, int downY);

    EditMode Mode() const override { return RubberBand; }
    bool Move(int x, int y) override;
    DragOutcome Release(int x, int y) override;
    DragOutcome Cancel() override { return {Idle, DragRepaint::Feedback}; }
    void Draw(Feedback& feedback) const override;

private:
    int downX;
    int downY;
    int pointerX;
    int pointerY;
};

}  // namespace td
