#pragma once

#include "model/Workspace.h"
#include "view/ChartLayout.h"
#include "view/EditMode.h"

namespace td {

class Feedback;

// What the view does when a drag is over.
enum class DragRepaint {
    Feedback,  // only the drag's feedback goes
    Chart,     // the plan changed: the chart is drawn again
    Rows,      // row heights changed too: the scroll bar follows
};

struct DragOutcome {
    EditMode rest = Idle;  // Idle or Selected
    DragRepaint repaint = DragRepaint::Feedback;
};

// What a drag works on: the plan and where the chart shows it.
struct EditContext {
    Workspace& workspace;
    const ChartLayout& layout;
};

// Selected while items are selected, else Idle: an edit may take the last selected item away.
inline EditMode ModeOfSelection(const Workspace& workspace)
{
    return workspace.SelectionCount() > 0 ? Selected : Idle;
}

// A press in the chart held and dragged: made by the press, fed the pointer while the button
// is held, ended by the release or by Escape. Each keeps its own points.
class EditState {
public:
    explicit EditState(const EditContext& context) : workspace(context.workspace), layout(context.layout) {}
    virtual ~EditState() = default;
    EditState(const EditState&) = delete;
    EditState& operator=(const EditState&) = delete;

    virtual EditMode Mode() const = 0;
    // The pointer moved with the button held; true when the feedback must be drawn again.
    virtual bool Move(int x, int y) = 0;
    virtual DragOutcome Release(int x, int y) = 0;
    // The drag ends as if it never began: the plan and the undo log as before the press.
    virtual DragOutcome Cancel() = 0;
    virtual void Draw(Feedback& feedback) const = 0;

protected:
    // Left of the timeline and above the rows a drag has nothing to act on.
    bool OnChart(int x, int y) const { return x > TimelineLeft && y > layout.RowsTop(); }

    Workspace& workspace;
    const ChartLayout& layout;
};

}  // namespace td
