#include "print/PageItemShapes.h"

#include "model/AttributeValues.h"

#include <cstdint>
#include <vector>

namespace td {

void PageItemShapes::SelectItemPen(const ChartItem& item)
{
    const auto dash = [this](int length) { return g.Scaled(length); };
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
    s.SelectGeometricPen(geometry.penWidth, pattern, item.lineColor);
}

void PageItemShapes::DrawProgress(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.sres == 1 || span.eres == -1)
        return;
    const int e2 = g.Scaled(2);
    const int e4 = g.Scaled(4);
    const int y = laneTop + g.lineOffset;
    const bool arrowLeft = (item.arrow & ArrowLeft) != 0;
    const bool arrowRight = (item.arrow & ArrowRight) != 0;

    int u1 = 0;
    int u2 = 0;
    geometry.dates.DateToXUnclamped(u1, item.start.year, item.start.month, item.start.day);
    geometry.dates.DateToXUnclamped(u2, item.end.year, item.end.month, item.end.day + 1);
    u1 += arrowLeft ? g.headLength : 0;
    u2 -= arrowRight ? g.headLength : 0;
    const int64_t f = u1 + (static_cast<int64_t>(u2 - u1) * item.progress) / 100;

    const Heads heads = TaskHeads(item, span);
    const int a = span.sx + (heads.left ? g.headLength : 0);
    const int b = span.ex - (heads.right ? g.headLength : 0);
    if (item.progress != 0 && a < f)
        s.FillRect(a + dx, y - e2 + dy, static_cast<int>(std::min<int64_t>(f, INT32_MAX / 2)) + dx,
                   y - e2 + e4 + dy, item.progressColor);
    if (a < b) {
        Segment(a, y - e2, b, y - e2);
        Segment(a, y + e2, b, y + e2);
    }
    if (!arrowLeft && span.sres != -1)
        Segment(span.sx, y - e2, span.sx, y + e2);
    if (!arrowRight)
        Segment(span.ex, y - e2, span.ex, y + e2);
    DrawHeads(item, span, heads, y);
    DrawTaskLabel(item, (span.sx + span.ex) >> 1, laneTop);
}

}  // namespace td
