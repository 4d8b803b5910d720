#include "calendar/Dates.h"
#include "view/ChartView.h"
#include "view/EditMode.h"
#include "view/ToolId.h"

#include <algorithm>
#include <utility>

namespace td {

namespace {

// A row's lane count is stored in one byte.
constexpr int MaxLanes = 255;
// Schedule entries need a day at least 80 pixels wide.
constexpr int ScheduleEntryZoomLevel = 7;
// Events start this far into the timeline.
constexpr int EventMinimumX = TimelineLeft + 8;
// A click that moves the pointer at most this far is no rubber band.
constexpr int ClickSlack = 2;

bool IsCreatingTool(int tool)
{
    return tool == ToolId::TaskLine || tool == ToolId::TaskBand || tool == ToolId::Progress
        || tool == ToolId::Line || tool == ToolId::TextBox;
}

void SwapDates(ItemPoint& a, ItemPoint& b)
{
    std::swap(a.year, b.year);
    std::swap(a.month, b.month);
    std::swap(a.day, b.day);
}

}  // namespace

int ChartView::OnButtonDown(int x, int y)
{
    // A drag still open at a press lost its release: it never happened.
    const int cancelled = Dragging() ? CancelDrag() : 0;
    press = PressState::Held;
    return Press(x, y) | cancelled;
}

int ChartView::Press(int x, int y)
{
    if (viewRowCount == 0) {
        editMode = Idle;
        return 0;
    }
    downX = mouseX = x;
    downY = mouseY = y;
    const int boundary = RowBoundaryAt(x, y);
    if (boundary >= 0) {
        if (editMode == Selected)
            workspace.ClearSelection();
        editMode = RowResize;
        selectedViewRow = boundary;
        Redraw();
        return 1;
    }
    if (!InsideRows(y)) {
        const bool hadSelection = editMode == Selected;
        if (hadSelection)
            workspace.ClearSelection();
        editMode = Idle;
        return hadSelection ? Redraw() : 0;
    }
    int row = 0;
    int lane = 0;
    YToRowLane(y, row, lane);
    const bool rowChanged = row != selectedViewRow;
    selectedViewRow = row;
    if (x > MarginRight && x < ProjectColumnRight) {
        if (OnFoldBox(row, x, y))
            ToggleFold(row);
        return Redraw();
    }
    int doc = 0;
    workspace.VisibleRowDocument(firstRow + row, doc);
    if (PressWithTool(doc, x, y) || rowChanged)
        return Redraw();
    return 0;
}

void ChartView::ToggleFold(int viewRow)
{
    const int state = workspace.FoldState(firstRow + viewRow);
    if (state == 0)
        return;
    workspace.ShowSubtree(firstRow + viewRow, state > 0);
    UpdateVerticalScroll();
}

// Returns 1 when the press changed what the chart shows.
int ChartView::PressWithTool(int doc, int x, int y)
{
    if (currentTool == ToolId::Select)
        return SelectionClick(doc, x, y);
    // Items left selected under another tool would be drawn by neither the painters nor the
    // overlay, which shows selections only while they are being edited.
    const int dropped = editMode == Selected ? workspace.ClearSelection() : 0;
    if (dropped)
        editMode = Idle;
    const int kind = workspace.DocumentKind(doc);
    // Left of the timeline a press has no date to create anything on.
    const bool onTimeline = x >= TimelineFirstX;
    if (IsCreatingTool(currentTool)) {
        if (kind == DocumentKind::Project && onTimeline)
            editMode = Create;
        return dropped;
    }
    if (currentTool == ToolId::Event && kind == DocumentKind::Project && x >= EventMinimumX) {
        CreateEvent(x, y);
        return 1;
    }
    if (currentTool == ToolId::Schedule && kind == DocumentKind::Schedule && onTimeline
        && zoomLevel >= ScheduleEntryZoomLevel) {
        CreateScheduleEntry(x);
        return 1;
    }
    return dropped;
}

int ChartView::OnMouseMove(bool leftButtonHeld, int x, int y)
{
    if (!leftButtonHeld || press == PressState::Cancelled)
        return 0;
    mouseX = x;
    mouseY = y;
    switch (editMode) {
    case Create:
        if (mouseX <= TimelineLeft || !InsideRows(mouseY))
            return 0;
        DrawOverlay();
        return 1;
    case RubberBand:
        mouseX = std::max(mouseX, TimelineFirstX);
        if (mouseY <= rowTop[0])
            mouseY = rowTop[0];
        if (mouseY >= rowTop[viewRowCount])
            mouseY = rowTop[viewRowCount] - 2;
        DrawOverlay();
        return 1;
    case Selected:
        // The dragged items leave the chart; their outlines follow the pointer.
        editMode = MoveItems;
        workspace.DeleteSelectedItems(false, false);
        return Redraw();
    case MoveItems:
    case DragStart:
    case DragEnd:
        if (mouseX <= TimelineLeft || mouseY <= rowTop[0])
            return 0;
        DrawOverlay();
        return 1;
    case RowResize:
        DrawOverlay();
        return 1;
    default:
        return 0;
    }
}

int ChartView::OnButtonUp(int x, int y)
{
    const bool cancelled = press == PressState::Cancelled;
    press = PressState::None;
    if (cancelled || editMode == Idle)
        return 0;
    upX = x;
    upY = y;
    switch (editMode) {
    case Create:
        return FinishCreate();
    case RowResize:
        return FinishRowResize();
    case RubberBand:
        return FinishRubberBand();
    case MoveItems:
        return FinishMove();
    case DragStart:
    case DragEnd:
        return FinishStretch();
    default:
        return 0;
    }
}

int ChartView::CancelDrag()
{
    if (press == PressState::Held)
        press = PressState::Cancelled;
    switch (editMode) {
    case MoveItems:
        workspace.RestoreSelectedItems();
        editMode = Selected;
        return Redraw();
    case DragStart:
    case DragEnd:
        editMode = Selected;
        return Redraw();
    case Create:
    case RowResize:
    case RubberBand:
        editMode = Idle;
        DrawOverlay();
        return 1;
    default:
        return 0;
    }
}

int ChartView::FinishRowResize()
{
    const int row = selectedViewRow;
    ProjectRow record;
    if (!workspace.SelectRow(firstRow + row) || !workspace.GetSelectedRow(record)) {
        editMode = Idle;
        return Redraw();
    }
    record.lanes = std::clamp((mouseY - rowTop[row]) / LaneHeight, 1, MaxLanes);
    workspace.ReplaceSelectedRow(record);
    UpdateVerticalScroll();
    editMode = Idle;
    return Redraw();
}

int ChartView::FinishRubberBand()
{
    // A band that starts on the timeline's first column still has a date.
    const int minX = std::max(std::min(downX, upX), TimelineFirstX);
    const int maxX = std::max(downX, upX);
    int minY = std::min(downY, upY);
    int maxY = std::max(downY, upY);
    if (maxX <= minX + ClickSlack && maxY <= minY + ClickSlack) {
        editMode = Idle;
        DrawOverlay();
        return 1;
    }
    if (minY <= rowTop[0])
        minY = rowTop[0] + 1;
    if (maxY >= rowTop[viewRowCount])
        maxY = rowTop[viewRowCount] - 2;
    ChartItem topLeft;
    ChartItem bottomRight;
    int topRow = 0;
    int bottomRow = 0;
    int topLane = 0;
    int bottomLane = 0;
    XToDate(minX, topLeft.start.year, topLeft.start.month, topLeft.start.day);
    XToDate(maxX, bottomRight.start.year, bottomRight.start.month, bottomRight.start.day);
    const bool inRows = YToRowLane(minY, topRow, topLane) && YToRowLane(maxY, bottomRow, bottomLane);
    topLeft.start.lane = static_cast<uint8_t>(topLane);
    bottomRight.start.lane = static_cast<uint8_t>(bottomLane);
    if (inRows
        && workspace.SelectItemsInRectangle(firstRow + topRow, firstRow + bottomRow, topLeft, bottomRight)) {
        editMode = Selected;
        return Redraw();
    }
    editMode = Idle;
    DrawOverlay();
    return 1;
}

// Released left of the chart or above the first row, nothing is moved.
int ChartView::FinishMove()
{
    if (mouseX <= TimelineLeft || mouseY <= rowTop[0])
        return CancelDrag();
    const int dx = mouseX - downX;
    const int days = IsDayMode() ? dx / DayWidth() : dx * 30 / MonthWidth();
    workspace.MoveSelectedItems(days, (mouseY - downY) / LaneHeight);
    editMode = ModeOfSelection();
    return Redraw();
}

int ChartView::FinishStretch()
{
    int doc = 0;
    ChartItem item;
    if (upX > TimelineLeft && upY > rowTop[0]
        && workspace.VisibleRowDocument(firstRow + selectedViewRow, doc)
        && workspace.GetSelectedItem(doc, 0, item) && StretchItem(doc, item))
        workspace.ReplaceSelectedItem(0, item);
    editMode = Selected;
    return Redraw();
}

// False when the release must be dropped.
bool ChartView::StretchItem(int doc, ChartItem& item) const
{
    ItemPoint& moved = editMode == DragStart ? item.start : item.end;
    switch (item.type) {
    case TaskLine:
    case TaskBand:
    case Progress:
        XToDate(upX, moved.year, moved.month, moved.day);
        if (CompareDates(item.start.year, item.start.month, item.start.day, item.end.year,
                         item.end.month, item.end.day) == 2)
            SwapDates(item.start, item.end);
        return true;
    case Line:
        return StretchLine(doc, moved);
    case TextBox:
        StretchTextBox(item);
        return true;
    default:
        return true;
    }
}

// The moved end of a line takes the row under the release too, within the same document.
bool ChartView::StretchLine(int doc, ItemPoint& moved) const
{
    XToDate(upX, moved.year, moved.month, moved.day);
    int row = 0;
    int lane = 0;
    if (!YToRowLane(upY, row, lane))
        return true;
    int rowDoc = -1;
    if (!workspace.VisibleRowDocument(firstRow + row, rowDoc) || rowDoc != doc)
        return false;
    moved.rowId = workspace.RowIdAt(firstRow + row);
    moved.lane = static_cast<uint8_t>(lane);
    return true;
}

// A box that starts before the view keeps its start date: only an edge that moved takes the
// date under it.
void ChartView::StretchTextBox(ChartItem& item) const
{
    int left = 0;
    DateToXUnclamped(left, item.start.year, item.start.month, item.start.day);
    int right = left + item.boxWidth;
    if (editMode == DragStart) {
        DateTriple date;
        if (XToDate(mouseX, date.year, date.month, date.day))
            DateToX(left, date.year, date.month, date.day);
    } else {
        right = mouseX;
    }
    // Dragged past the other edge, the box is mirrored rather than given a negative width.
    if (left > right)
        std::swap(left, right);
    DateTriple start;
    // A box ends on the day it starts, as its file record has it.
    if (XToDate(left, start.year, start.month, start.day)) {
        item.start.year = item.end.year = start.year;
        item.start.month = item.end.month = start.month;
        item.start.day = item.end.day = start.day;
    }
    item.boxWidth = right - left;
}

}  // namespace td
