#include "view/modes/Feedback.h"

#include "calendar/Dates.h"
#include "view/LineConnector.h"

#include <algorithm>
#include <utility>

namespace td {

namespace {

constexpr int MarkHalfWidth = 10;
constexpr int MarkFontHeight = 14;

// Selected marks are shown hollow, whatever their fill.
const char* HollowMark(int code)
{
    switch (code) {
    case 101:
    case 102:
    case 103:
        return "○";
    case 104:
    case 105:
        return "△";
    case 106:
    case 107:
        return "◇";
    case 108:
        return "□";
    default:
        return nullptr;
    }
}

DateTriple DayAfter(const ItemPoint& point)
{
    DateTriple date{point.year, point.month, point.day};
    StepDate(date.year, date.month, date.day, nullptr, 0, 1);
    return date;
}

}  // namespace

Feedback::Feedback(const Workspace& workspace, const ChartLayout& layout, Surface& surface)
    : workspace(workspace)
    , layout(layout)
    , surface(surface)
    , minX(layout.BufferWidth())
    , minY(layout.BufferHeight())
{
}

OverlayRect Feedback::Painted() const
{
    if (maxX < minX || maxY < minY)
        return {};
    return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}

void Feedback::DrawSelection(int dx, int dy)
{
    surface.SelectPen(PenSolid, FeedbackRed);
    const int doc = workspace.SelectionDoc();
    ChartItem item;
    for (int n = 0; workspace.GetSelectedItem(doc, n, item); ++n)
        DrawItem(doc, item, dx, dy);
}

void Feedback::DrawItem(int doc, const ChartItem& item, int dx, int dy)
{
    if (item.type == Line) {
        DrawConnector(doc, item, dx, dy);
        return;
    }
    int top = 0;
    if (!ItemRowTop(doc, item, top))
        return;
    top += dy;
    const int laneTop = top + item.start.lane * LaneHeight;
    const DateTriple after = DayAfter(item.end);
    int x1 = 0;
    int x2 = 0;
    layout.DateToX(x1, item.start.year, item.start.month, item.start.day);
    layout.DateToX(x2, after.year, after.month, after.day);
    x1 += dx;
    x2 += dx;
    switch (item.type) {
    case TaskLine:
    case TaskBand:
    case Progress:
        DrawTask(item.type, x1, x2, laneTop);
        return;
    case Event:
        DrawEventMark(item, x1 + (x2 - x1) / 2, laneTop);
        return;
    case TextBox: {
        // The box is placed by its unclamped start, as the item painter places it.
        int left = 0;
        layout.DateToXUnclamped(left, item.start.year, item.start.month, item.start.day);
        left += dx;
        DrawTimelineBox(left, laneTop + ScreenShapes.bandTop, left + item.boxWidth,
                        top + item.end.lane * LaneHeight + ScreenShapes.bandBottom);
        return;
    }
    case Schedule:
        // A schedule entry's lane bytes hold the pixel offsets its painter used.
        DrawTimelineBox(x1, top + item.start.lane, x2, top + item.end.lane);
        return;
    default:
        return;
    }
}

void Feedback::DrawTask(int type, int x1, int x2, int laneTop)
{
    if (type == TaskBand) {
        Segment(x1, laneTop + ScreenShapes.bandTop, x2, laneTop + ScreenShapes.bandTop);
        Segment(x1, laneTop + ScreenShapes.bandBottom, x2, laneTop + ScreenShapes.bandBottom);
        return;
    }
    Segment(x1, laneTop + ScreenShapes.lineOffset, x2, laneTop + ScreenShapes.lineOffset);
}

void Feedback::DrawEventMark(const ChartItem& item, int centerX, int laneTop)
{
    const char* mark = HollowMark(item.lineStyle);
    if (!mark)
        return;
    surface.SelectFont(MarkFontHeight, 400);
    surface.SetTextColor(FeedbackRed);
    surface.TextOut(centerX, laneTop + ScreenShapes.markBaseline, QString::fromUtf8(mark),
                    TextAlign::CenterBottom);
    Widen(centerX - MarkHalfWidth, laneTop);
    Widen(centerX + MarkHalfWidth, laneTop + LaneHeight - 1);
}

void Feedback::DrawConnector(int doc, const ChartItem& item, int dx, int dy)
{
    int xa = 0;
    int ya = 0;
    int xb = 0;
    int yb = 0;
    if (ConnectorEnds(workspace, layout.Geometry(), doc, item, xa, ya, xb, yb))
        Segment(xa + dx, ya + dy, xb + dx, yb + dy);
}

void Feedback::DrawTimelineBox(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    x1 = std::max(x1, TimelineLeft);
    x2 = std::min(x2, layout.BufferWidth() - RightClampMargin);
    if (x1 > x2)
        return;
    DrawBox(x1, y1, x2, y2);
}

void Feedback::DrawBox(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    Segment(x1, y1, x2, y1);
    Segment(x1, y2, x2, y2);
    Segment(x1, y1, x1, y2);
    // Segments leave out their end point; this one reaches down to close the corner.
    Segment(x2, y1, x2, y2 + 1);
}

void Feedback::Segment(int x1, int y1, int x2, int y2)
{
    surface.Segment(x1, y1, x2, y2);
    Widen(x1, y1);
    Widen(x2, y2);
}

void Feedback::Widen(int x, int y)
{
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
}

bool Feedback::ItemRowTop(int doc, const ChartItem& item, int& top) const
{
    const int row = workspace.FindVisibleRow(doc, item.start.rowId);
    const int k = row - layout.FirstRow();
    if (row < 0 || k < 0 || k >= layout.RowCount())
        return false;
    top = layout.RowTop(k);
    return true;
}

int Feedback::SnappedX(int x, int days) const
{
    DateTriple date;
    layout.XToDate(std::max(x, TimelineFirstX), date.year, date.month, date.day);
    StepDate(date.year, date.month, date.day, nullptr, 0, days);
    int snapped = 0;
    layout.DateToX(snapped, date.year, date.month, date.day);
    return snapped;
}

}  // namespace td
