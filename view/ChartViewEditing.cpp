#include "view/ChartView.h"
#include "view/EditMode.h"
#include "view/FormatDialogs.h"
#include "view/HitTest.h"
#include "view/NewItem.h"
#include "view/ToolId.h"
#include "view/modes/CreateMode.h"
#include "view/modes/LineEndMode.h"
#include "view/modes/MoveMode.h"
#include "view/modes/RowResizeMode.h"
#include "view/modes/RubberBandMode.h"
#include "view/modes/StretchMode.h"

namespace td {

namespace {

// Schedule entries need a day at least 80 pixels wide.
constexpr int ScheduleEntryZoomLevel = 7;
// Events start this far into the timeline.
constexpr int EventMinimumX = TimelineLeft + 8;

bool IsCreatingTool(int tool)
{
    return tool == ToolId::TaskLine || tool == ToolId::TaskBand || tool == ToolId::Progress
        || tool == ToolId::Line || tool == ToolId::TextBox;
}

}  // namespace

EditMode ChartView::Mode() const
{
    return drag ? drag->Mode() : rest;
}

int ChartView::HitTestItem(int doc, int viewRow, int lane, int x, int y, const ChartItem& item) const
{
    return td::HitTestItem(workspace, layout, doc, viewRow, lane, x, y, item);
}

int ChartView::OnButtonDown(int x, int y)
{
    // A drag still open at a press lost its release: it never happened.
    const int cancelled = Dragging() ? CancelDrag() : 0;
    press = PressState::Held;
    return Press(x, y) | cancelled;
}

int ChartView::Press(int x, int y)
{
    if (layout.RowCount() == 0) {
        rest = Idle;
        return 0;
    }
    downX = x;
    downY = y;
    const int boundary = RowBoundaryAt(layout, x, y);
    if (boundary >= 0)
        return PressOnRowBoundary(boundary, y);
    if (!layout.InsideRows(y))
        return PressOutsideRows();
    int row = 0;
    int lane = 0;
    layout.YToRowLane(y, row, lane);
    const bool rowChanged = row != selectedViewRow;
    selectedViewRow = row;
    if (x > MarginRight && x < ProjectColumnRight) {
        if (OnFoldGlyph(workspace, layout, row, x, y))
            ToggleFold(row);
        return Redraw();
    }
    int doc = 0;
    workspace.VisibleRowDocument(layout.FirstRow() + row, doc);
    if (PressWithTool(doc, x, y) || rowChanged)
        return Redraw();
    return 0;
}

int ChartView::PressOnRowBoundary(int viewRow, int y)
{
    if (rest == Selected)
        workspace.ClearSelection();
    selectedViewRow = viewRow;
    StartDrag(std::make_unique<RowResizeMode>(Context(), viewRow, y));
    return Redraw();
}

// Above or below the rows a press only drops the selection.
int ChartView::PressOutsideRows()
{
    const bool hadSelection = rest == Selected;
    if (hadSelection)
        workspace.ClearSelection();
    rest = Idle;
    return hadSelection ? Redraw() : 0;
}

void ChartView::ToggleFold(int viewRow)
{
    const int row = layout.FirstRow() + viewRow;
    const int state = workspace.FoldState(row);
    if (state == 0)
        return;
    workspace.ShowSubtree(row, state > 0);
    UpdateVerticalScroll();
}

// Returns 1 when the press changed what the chart shows.
int ChartView::PressWithTool(int doc, int x, int y)
{
    if (currentTool == ToolId::Select)
        return SelectionClick(doc, x, y);
    // Items left selected under another tool would be drawn by neither the painters nor the
    // overlay, which shows selections only while they are being edited.
    const int dropped = rest == Selected ? workspace.ClearSelection() : 0;
    if (dropped)
        rest = Idle;
    const int kind = workspace.DocumentKind(doc);
    // Left of the timeline a press has no date to create anything on.
    const bool onTimeline = x >= TimelineFirstX;
    if (IsCreatingTool(currentTool)) {
        if (kind == DocumentKind::Project && onTimeline)
            StartDrag(std::make_unique<CreateMode>(Context(), currentTool, selectedViewRow, x, y));
        return dropped;
    }
    if (currentTool == ToolId::Event && kind == DocumentKind::Project && x >= EventMinimumX) {
        CreateEvent(x, y);
        return 1;
    }
    if (currentTool == ToolId::Schedule && kind == DocumentKind::Schedule && onTimeline
        && layout.Zoom() >= ScheduleEntryZoomLevel) {
        CreateScheduleEntry(x);
        return 1;
    }
    return dropped;
}

// A press on a selected item takes it up, by its body or an end; elsewhere the selection goes,
// and a press on another item selects it, anywhere else on the timeline a rubber band begins.
int ChartView::SelectionClick(int doc, int x, int y)
{
    const int row = selectedViewRow;
    const int lane = (y - layout.RowTop(row)) / LaneHeight;
    int redraw = 0;
    if (rest == Selected) {
        if (PressOnSelection(doc, lane, x, y))
            return 1;
        workspace.ClearSelection();
        rest = Idle;
        redraw = 1;
    }
    if (x >= TimelineLeft) {
        for (int index = 0; index < workspace.ItemCount(doc); ++index) {
            const ChartItem* item = workspace.ItemPtr(doc, index);
            if (item->state != ItemNormal || HitTestItem(doc, row, lane, x, y, *item) == HitNone)
                continue;
            workspace.ClearSelection();
            workspace.SelectItem(layout.FirstRow() + row, index);
            rest = Selected;
            return 1;
        }
    }
    rest = Idle;
    if (x >= TimelineLeft)
        StartDrag(std::make_unique<RubberBandMode>(Context(), x, y));
    return redraw;
}

// The first selected item under the press decides the drag; false when none is there.
int ChartView::PressOnSelection(int doc, int lane, int x, int y)
{
    ChartItem item;
    for (int n = 0; workspace.GetSelectedItem(doc, n, item); ++n) {
        const int part = HitTestItem(doc, selectedViewRow, lane, x, y, item);
        if (part == HitNone)
            continue;
        if (part == HitBody)
            StartDrag(std::make_unique<MoveMode>(Context(), x, y));
        else if (item.type == Line)
            StartDrag(std::make_unique<LineEndMode>(Context(), EndOfPart(part), doc, n, x, y));
        else
            StartDrag(std::make_unique<StretchMode>(Context(), EndOfPart(part), doc, n, x, y));
        return 1;
    }
    return 0;
}

void ChartView::CreateEvent(int x, int y)
{
    const int row = layout.FirstRow() + selectedViewRow;
    ChartItem item = NewItem(Event);
    XToDate(x, item.start.year, item.start.month, item.start.day);
    EndOnStartDay(item);
    item.start.lane = static_cast<uint8_t>((y - layout.RowTop(selectedViewRow)) / LaneHeight);
    item.start.rowId = workspace.RowIdAt(row);
    workspace.AddItem(row, item);
    rest = Idle;
}

// The entry stays whatever its dialog answers: empty and 0:00 to 0:00 when it was cancelled.
void ChartView::CreateScheduleEntry(int x)
{
    const int row = layout.FirstRow() + selectedViewRow;
    ChartItem item = NewItem(Schedule);
    XToDate(x, item.start.year, item.start.month, item.start.day);
    EndOnStartDay(item);
    workspace.ClearSelection();
    workspace.SelectItem(row, workspace.AddItem(row, item));
    DialogResult(&FormatDialogs::ScheduleFormat);
    workspace.ClearSelection();
    rest = Idle;
}

int ChartView::OnMouseMove(bool leftButtonHeld, int x, int y)
{
    if (!leftButtonHeld || press == PressState::Cancelled)
        return 0;
    if (drag) {
        if (!drag->Move(x, y))
            return 0;
        DrawOverlay();
        return 1;
    }
    if (rest != Selected)
        return 0;
    StartDrag(MoveMode::PickUp(Context(), downX, downY, x, y));
    return Redraw();
}

int ChartView::OnButtonUp(int x, int y)
{
    const bool cancelled = press == PressState::Cancelled;
    press = PressState::None;
    if (cancelled || !drag)
        return 0;
    return EndDrag(drag->Release(x, y));
}

int ChartView::CancelDrag()
{
    if (press == PressState::Held)
        press = PressState::Cancelled;
    if (!drag)
        return 0;
    return EndDrag(drag->Cancel());
}

void ChartView::StartDrag(std::unique_ptr<EditState> state)
{
    drag = std::move(state);
}

int ChartView::EndDrag(const DragOutcome& end)
{
    drag.reset();
    rest = end.rest;
    if (end.repaint == DragRepaint::Rows)
        UpdateVerticalScroll();
    if (end.repaint != DragRepaint::Feedback)
        return Redraw();
    DrawOverlay();
    return 1;
}

void ChartView::SetRest(EditMode mode)
{
    drag.reset();
    rest = mode;
}

int ChartView::Settle(EditMode mode)
{
    SetRest(mode);
    return Redraw();
}

}  // namespace td
