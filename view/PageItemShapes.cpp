#include "view/PageItemShapes.h"

#include "model/AttributeValues.h"

#include <cstdint>
#include <vector>

namespace td {

void PageItemShapes::SelectItemPen(const ChartItem& item)
{
    const auto dash = [this](int length) { return metrics.Scaled(length); };
    std::vector<int32_t> pattern;
    switch (item.lineStyle) {
    case PenDash:
        pattern = {dash(17), dash(8)};
        break;
    case PenDot:
        pattern = {dash(3), dash(3)};
        break;
    case PenDashDot:
        pattern = {dash(11), dash(6), dash(3), dash(6)};
        break;
    case PenDashDotDot:
        pattern = {dash(11), dash(3), dash(3), dash(3), dash(3), dash(3)};
        break;
    default:
        break;
    }
    surface.SelectGeometricPen(geometry.penWidth, pattern, item.lineColor);
}

void PageItemShapes::DrawProgress(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.startPlace == 1 || span.endPlace == -1)
        return;
    const int strokeOffset = metrics.Scaled(2);
    const int fillHeight = metrics.Scaled(4);
    const int y = laneTop + metrics.lineOffset;
    const bool arrowLeft = (item.arrow & ArrowLeft) != 0;
    const bool arrowRight = (item.arrow & ArrowRight) != 0;

    // The share done is measured between the heads of the whole task, wherever the page clamps it.
    int barStartX = 0;
    int barEndX = 0;
    geometry.dates.DateToXUnclamped(barStartX, item.start.year, item.start.month, item.start.day);
    geometry.dates.DateToXUnclamped(barEndX, item.end.year, item.end.month, item.end.day + 1);
    barStartX += arrowLeft ? metrics.headLength : 0;
    barEndX -= arrowRight ? metrics.headLength : 0;
    const int64_t doneX =
        barStartX + (static_cast<int64_t>(barEndX - barStartX) * item.progress) / 100;

    const Heads heads = TaskHeads(item, span);
    const int strokeLeft = span.startX + (heads.left ? metrics.headLength : 0);
    const int strokeRight = span.endX - (heads.right ? metrics.headLength : 0);
    if (item.progress != 0 && strokeLeft < doneX)
        surface.FillRect(strokeLeft + dx, y - strokeOffset + dy,
                         static_cast<int>(std::min<int64_t>(doneX, INT32_MAX / 2)) + dx,
                         y - strokeOffset + fillHeight + dy, item.progressColor);
    if (strokeLeft < strokeRight) {
        Segment(strokeLeft, y - strokeOffset, strokeRight, y - strokeOffset);
        Segment(strokeLeft, y + strokeOffset, strokeRight, y + strokeOffset);
    }
    if (!arrowLeft && span.startPlace != -1)
        Segment(span.startX, y - strokeOffset, span.startX, y + strokeOffset);
    if (!arrowRight)
        Segment(span.endX, y - strokeOffset, span.endX, y + strokeOffset);
    DrawHeads(item, span, heads, y);
    DrawTaskLabel(item, (span.startX + span.endX) >> 1, laneTop);
}

}  // namespace td
