#pragma once

#include "view/modes/EditState.h"

#include <memory>

namespace td {

// The selected items dragged to other dates and lanes: their outlines follow the pointer in
// whole lanes, and the release moves them by the days and lanes between press and pointer.
class MoveMode : public EditState {
public:
    MoveMode(const EditContext& context, int downX, int downY);
    // The first move with freshly selected items held: they leave the chart, and their
    // outlines follow the pointer from (x, y) on.
    static std::unique_ptr<MoveMode> PickUp(const EditContext& context, int downX, int downY,
                                            int x, int y);

    EditMode Mode() const override { return MoveItems; }
    bool Move(int x, int y) override;
    DragOutcome Release(int x, int y) override;
    DragOutcome Cancel() override;
    void Draw(Feedback& feedback) const override;

private:
    int downX;
    int downY;
    int pointerX;
    int pointerY;
};

}  // namespace td
