#pragma once

#include "view/modes/EditState.h"

namespace td {

// An end handle of one selected item held: the pointer drags that end while the other
// selected items stay where they are.
class HandleDrag : public EditState {
public:
    // `end` is DragStart or DragEnd; the item is the n-th selected item of document `doc`.
    HandleDrag(const EditContext& context, EditMode end, int doc, int n, int downX, int downY);

    EditMode Mode() const override { return end; }
    bool Move(int x, int y) override;
    DragOutcome Cancel() override { return {Selected, DragRepaint::Chart}; }

protected:
    // Outlines the other selected items and hands out the dragged one; false when it is gone.
    bool DrawOthers(Feedback& feedback, ChartItem& dragged) const;
    ItemPoint& Moved(ChartItem& item) const { return end == DragStart ? item.start : item.end; }

    const EditMode end;
    const int doc;
    const int n;
    int pointerX;
    int pointerY;
};

}  // namespace td
