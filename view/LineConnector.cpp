#include "view/ChartView.h"

#include <algorithm>
#include <cmath>

namespace td {

namespace {

constexpr int LaneMiddle = 9;

// Top of a row of the document even when it lies outside the laid-out band, counted on from
// the nearest drawn row, so that a connector to a scrolled-away row keeps its slope.
int RowTopOutsideLayout(const ChartView& view, int visibleRow, int first, int last)
{
    if (visibleRow < first) {
        int top = view.rowTop[first - view.firstRow];
        for (int r = visibleRow; r < first; ++r)
            top -= view.RowHeight(r);
        return top;
    }
    if (visibleRow > last) {
        int top = view.rowTop[last - view.firstRow];
        for (int r = last; r < visibleRow; ++r)
            top += view.RowHeight(r);
        return top;
    }
    return view.rowTop[visibleRow - view.firstRow];
}

int ClipX(int x, int bufferWidth)
{
    if (x <= TimelineLeft)
        return TimelineLeft;
    return x >= bufferWidth ? bufferWidth - 1 : x;
}

// The clipped ends lie on the buffer; the clamp only keeps absurd slopes from overflowing.
int ToPixel(double value)
{
    return static_cast<int>(std::clamp(value, -1.0e9, 1.0e9));
}

}  // namespace

bool ChartView::LineConnector(int doc, const ChartItem& item, int& xa, int& ya, int& xb,
                              int& yb) const
{
    const int startRow = workspace.FindVisibleRow(doc, item.start.rowId);
    const int endRow = workspace.FindVisibleRow(doc, item.end.rowId);
    if (startRow < 0 || endRow < 0)
        return false;
    const ProjectRow* end = workspace.RowAt(endRow);
    if (!end || item.end.lane >= end->lanes)
        return false;
    int first = 0;
    int last = 0;
    if (!DocumentRowRange(doc, first, last))
        return false;

    const double y1 =
        RowTopOutsideLayout(*this, startRow, first, last) + item.start.lane * LaneHeight + LaneMiddle;
    const double y2 =
        RowTopOutsideLayout(*this, endRow, first, last) + item.end.lane * LaneHeight + LaneMiddle;
    int u1 = 0;
    int u2 = 0;
    DateToXUnclamped(u1, item.start.year, item.start.month, item.start.day);
    DateToXUnclamped(u2, item.end.year, item.end.month, item.end.day);
    const double rowsTop = rowTop[0];
    const double rowsBottom = bufferHeight - 1;

    if (u1 == u2) {
        // A vertical connector has no slope: clip it to the rows area instead.
        if (u1 < TimelineFirstX || u1 >= bufferWidth)
            return false;
        xa = xb = u1;
        ya = ToPixel(std::clamp(y1, rowsTop, rowsBottom));
        yb = ToPixel(std::clamp(y2, rowsTop, rowsBottom));
        return true;
    }

    const double slope = (y2 - y1) / (u2 - u1);
    const double intercept = y1 - std::trunc(u1 * slope);
    double x[2] = {static_cast<double>(ClipX(u1, bufferWidth)),
                   static_cast<double>(ClipX(u2, bufferWidth))};
    double y[2];
    for (int i = 0; i < 2; ++i) {
        y[i] = std::trunc(x[i] * slope) + intercept;
        if (y[i] >= rowsTop && y[i] < bufferHeight)
            continue;
        // A level connector outside the rows area never enters it.
        if (slope == 0)
            return false;
        y[i] = y[i] < rowsTop ? rowsTop : rowsBottom;
        x[i] = std::trunc((y[i] - intercept) / slope);
    }
    xa = ToPixel(x[0]);
    ya = ToPixel(y[0]);
    xb = ToPixel(x[1]);
    yb = ToPixel(y[1]);
    return true;
}

}  // namespace td
