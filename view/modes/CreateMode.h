#pragma once

#include "view/modes/EditState.h"

namespace td {

// A new task, progress bar, line or text box dragged out with its tool in a project row: a red
// outline shows it snapped to days, and the release adds it.
class CreateMode : public EditState {
public:
    CreateMode(const EditContext& context, int tool, int viewRow, int downX, int downY);

    EditMode Mode() const override { return Create; }
    bool Move(int x, int y) override;
    DragOutcome Release(int x, int y) override;
    DragOutcome Cancel() override { return {Idle, DragRepaint::Feedback}; }
    void Draw(Feedback& feedback) const override;

private:
    void CreateTask(int type, int minX, int maxX) const;
    void CreateLine(int upX, int upY) const;
    void CreateTextBox(int minX, int maxX, int minY, int maxY) const;
    void DrawTask(Feedback& feedback, int type) const;
    void DrawLine(Feedback& feedback) const;
    void DrawTextBox(Feedback& feedback) const;

    int tool;
    int viewRow;
    int downX;
    int downY;
    int pointerX;
    int pointerY;
};

}  // namespace td
