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

}  // namespace td
