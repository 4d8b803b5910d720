#pragma once

#include "view/modes/EditState.h"

namespace td {

// An end handle of a selected task, progress bar or text box dragged along the timeline: the
// release gives that end the date under it.
class StretchMode : public EditState {
public:
    // `mode` is DragStart or DragEnd; the item is the n-th selected item of document `doc`.
    StretchMode(const EditContext& context, EditMode mode, int doc, int n, int downX, int downY);

    EditMode Mode() const override { return end; }
    bool Move(int x, int y) override;
    DragOutcome Release(int x, int y) override;
    DragOutcome Cancel() override { return {Selected, DragRepaint::Chart}; }
    void Draw(Feedback& feedback) const override;

private:
    void StretchTask(ChartItem& item, int upX) const;
    void StretchTextBox(ChartItem& item) const;
    void DrawStretchedTask(Feedback& feedback, ChartItem item, int laneTop) const;
    void DrawStretchedTextBox(Feedback& feedback, ChartItem item, int top) const;

    EditMode end;
    int doc;
    int n;
    int pointerX;
    int pointerY;
};

// Draws the selected items of `doc` but the n-th where they are.
void DrawOtherSelectedItems(Feedback& feedback, const Workspace& workspace, int doc, int n);

}  // namespace td
