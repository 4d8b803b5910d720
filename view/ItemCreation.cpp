#include "view/ChartView.h"
#include "view/FormatDialogs.h"
#include "view/NewItem.h"

namespace td {

namespace {

constexpr int DefaultTextSize = 14;
constexpr int DefaultTextWeight = 400;
constexpr int DefaultLineWidth = 16;
constexpr int DefaultArrow = 17;
constexpr int DefaultMark = 101;  // ○
constexpr Color DefaultProgressColor = 0x00FF00;

}  // namespace

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

void EndOnStartDay(ChartItem& item)
{
    item.end.year = item.start.year;
    item.end.month = item.start.month;
    item.end.day = item.start.day;
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

}  // namespace td
