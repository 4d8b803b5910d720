#include "view/ChartView.h"
#include "view/EditMode.h"
#include "view/FormatDialogs.h"
#include "view/ToolId.h"

#include <algorithm>

namespace td {

namespace {

constexpr int DefaultTextSize = 14;
constexpr int DefaultTextWeight = 400;
constexpr int DefaultLineWidth = 16;
constexpr int DefaultArrow = 17;
constexpr int DefaultMark = 101;  // ○
constexpr Color DefaultProgressColor = 0x00FF00;

// A new item of `type` with the defaults its tool gives it.
ChartItem NewItem(int type)
{
    ChartItem item;
    item.type = type;
    item.state = ItemNormal;
    item.textSize = DefaultTextSize;
    item.textWeight = DefaultTextWeight;
    switch (type) {
    case TaskLine:
    case TaskBand:
    case Progress:
        item.lineWidth = DefaultLineWidth;
        item.arrow = DefaultArrow;
        item.progressColor = type == Progress ? DefaultProgressColor : 0;
        break;
    case Event:
        item.lineStyle = DefaultMark;
        break;
    case Line:
        item.lineWidth = DefaultLineWidth;
        item.textSize = 0;
        item.textWeight = 0;
        break;
    case TextBox:
        item.lineWidth = DefaultLineWidth;
        break;
    default:
        break;
    }
    return item;
}

// Events, schedule entries and text boxes end on the day they start.
void EndOnStartDay(ChartItem& item)
{
    item.end.year = item.start.year;
    item.end.month = item.start.month;
    item.end.day = item.start.day;
}

bool SamePoint(const ItemPoint& a, const ItemPoint& b)
{
    return a.rowId == b.rowId && a.lane == b.lane && a.year == b.year && a.month == b.month
        && a.day == b.day;
}

}  // namespace

void ChartView::CreateEvent(int x, int y)
{
    const int row = firstRow + selectedViewRow;
    ChartItem item = NewItem(Event);
    XToDate(x, item.start.year, item.start.month, item.start.day);
    EndOnStartDay(item);
    item.start.lane = static_cast<uint8_t>((y - rowTop[selectedViewRow]) / LaneHeight);
    item.start.rowId = workspace.RowIdAt(row);
    workspace.AddItem(row, item);
    editMode = Idle;
}

// The entry stays whatever its dialog answers: empty and 0:00 to 0:00 when it was cancelled.
void ChartView::CreateScheduleEntry(int x)
{
    const int row = firstRow + selectedViewRow;
    ChartItem item = NewItem(Schedule);
    XToDate(x, item.start.year, item.start.month, item.start.day);
    EndOnStartDay(item);
    workspace.ClearSelection();
    workspace.SelectItem(row, workspace.AddItem(row, item));
    DialogResult(&FormatDialogs::ScheduleFormat);
    workspace.ClearSelection();
    editMode = Idle;
}

int ChartView::FinishCreate()
{
    const int minX = std::min(downX, upX);
    const int maxX = std::max(downX, upX);
    // Both ends need a date; a drag that starts or ends left of the timeline is cancelled.
    if (minX >= TimelineFirstX) {
        if (const int type = TaskTypeOfTool(currentTool))
            CreateTask(type, minX, maxX);
        else if (currentTool == ToolId::Line)
            CreateLine();
        else if (currentTool == ToolId::TextBox)
            CreateTextBox(minX, maxX, std::min(downY, upY), std::max(downY, upY));
        editMode = Idle;
        return Redraw();
    }
    // Only the feedback of the cancelled drag has to go.
    editMode = Idle;
    DrawOverlay();
    return 1;
}

void ChartView::CreateTask(int type, int minX, int maxX)
{
    const int row = firstRow + selectedViewRow;
    ChartItem item = NewItem(type);
    XToDate(minX, item.start.year, item.start.month, item.start.day);
    XToDate(maxX, item.end.year, item.end.month, item.end.day);
    item.start.lane = static_cast<uint8_t>((downY - rowTop[selectedViewRow]) / LaneHeight);
    item.start.rowId = workspace.RowIdAt(row);
    workspace.AddItem(row, item);
}

void ChartView::CreateLine()
{
    ChartItem item = NewItem(Line);
    int startRow = 0;
    int endRow = 0;
    int startLane = 0;
    int endLane = 0;
    int startDoc = -1;
    int endDoc = -1;
    if (!YToRowLane(downY, startRow, startLane) || !YToRowLane(upY, endRow, endLane)
        || !workspace.VisibleRowDocument(firstRow + startRow, startDoc)
        || !workspace.VisibleRowDocument(firstRow + endRow, endDoc) || startDoc != endDoc)
        return;
    XToDate(downX, item.start.year, item.start.month, item.start.day);
    XToDate(upX, item.end.year, item.end.month, item.end.day);
    item.start.rowId = workspace.RowIdAt(firstRow + startRow);
    item.start.lane = static_cast<uint8_t>(startLane);
    item.end.rowId = workspace.RowIdAt(firstRow + endRow);
    item.end.lane = static_cast<uint8_t>(endLane);
    if (SamePoint(item.start, item.end))
        return;
    workspace.AddItem(firstRow + selectedViewRow, item);
}

// The box stays in the pressed row, whatever lanes of other rows the drag reached.
void ChartView::CreateTextBox(int minX, int maxX, int minY, int maxY)
{
    const int row = firstRow + selectedViewRow;
    const int top = rowTop[selectedViewRow];
    const int lastLane = (rowTop[selectedViewRow + 1] - top) / LaneHeight - 1;
    const auto laneAt = [&](int y) { return std::clamp((y - top) / LaneHeight, 0, lastLane); };
    ChartItem item = NewItem(TextBox);
    XToDate(minX, item.start.year, item.start.month, item.start.day);
    EndOnStartDay(item);
    item.start.lane = static_cast<uint8_t>(laneAt(minY));
    item.end.lane = static_cast<uint8_t>(laneAt(maxY));
    item.boxWidth = maxX - minX;
    item.start.rowId = workspace.RowIdAt(row);
    workspace.AddItem(row, item);
}

}  // namespace td
