#include "view/LineConnector.h"

#include <algorithm>
#include <cmath>

namespace td {

namespace {

// Top of a row of the document even when it lies outside the laid-out band, counted on from
// the nearest drawn row, so that a connector to a scrolled-away row keeps its slope.
int RowTopOutsideLayout(const Workspace& workspace, const ChartGeometry& geometry, int flatRow,
                        int first, int last)
{
    if (flatRow < first) {
        int top = geometry.RowTop(first);
        for (int r = flatRow; r < first; ++r)
            top -= geometry.RowHeight(workspace, r);
        return top;
    }
    if (flatRow > last) {
        int top = geometry.RowTop(last);
        for (int r = last; r < flatRow; ++r)
            top += geometry.RowHeight(workspace, r);
        return top;
    }
    return geometry.RowTop(flatRow);
}

int ClipX(int x, const ChartGeometry& geometry)
{
    if (x <= geometry.dates.originX)
        return geometry.dates.originX;
    return x >= geometry.surfaceWidth ? geometry.surfaceWidth - 1 : x;
}

// The clipped ends lie on the surface; the clamp only keeps absurd slopes from overflowing.
int ToPixel(double value)
{
    return static_cast<int>(std::clamp(value, -1.0e9, 1.0e9));
}

// A connector's ends before clipping: x from its dates, y from the lanes of its rows.
struct Connector {
    int startX = 0;
    int endX = 0;
    double startY = 0;
    double endY = 0;
};

bool UnclippedConnector(const Workspace& workspace, const ChartGeometry& geometry, int doc,
                        const ChartItem& item, Connector& line)
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
    if (!geometry.DocumentRowRange(workspace, doc, first, last))
        return false;
    const ItemMetrics& metrics = geometry.metrics;
    line.startY = RowTopOutsideLayout(workspace, geometry, startRow, first, last)
        + item.start.lane * metrics.laneHeight + metrics.lineOffset;
    line.endY = RowTopOutsideLayout(workspace, geometry, endRow, first, last)
        + item.end.lane * metrics.laneHeight + metrics.lineOffset;
    geometry.dates.DateToXUnclamped(line.startX, item.start.year, item.start.month, item.start.day);
    geometry.dates.DateToXUnclamped(line.endX, item.end.year, item.end.month, item.end.day);
    return true;
}

// Clips a sloped connector to the timeline and the rows area; false when it stays outside.
bool ClipSloped(const ChartGeometry& geometry, const Connector& line, int& xa, int& ya, int& xb,
                int& yb)
{
    const double rowsTop = geometry.rowTop[0];
    const double rowsBottom = geometry.rowsBottom - 1;
    const double slope = (line.endY - line.startY) / (line.endX - line.startX);
    const double intercept = line.startY - std::trunc(line.startX * slope);
    double x[2] = {static_cast<double>(ClipX(line.startX, geometry)),
                   static_cast<double>(ClipX(line.endX, geometry))};
    double y[2];
    for (int i = 0; i < 2; ++i) {
        y[i] = std::trunc(x[i] * slope) + intercept;
        if (y[i] >= rowsTop && y[i] <= rowsBottom)
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

}  // namespace

bool ConnectorEnds(const Workspace& workspace, const ChartGeometry& geometry, int doc,
                   const ChartItem& item, int& xa, int& ya, int& xb, int& yb)
{
    Connector line;
    if (!UnclippedConnector(workspace, geometry, doc, item, line))
        return false;
    if (line.startX != line.endX)
        return ClipSloped(geometry, line, xa, ya, xb, yb);
    // A vertical connector has no slope: clip it to the rows area instead.
    if (line.startX < geometry.timelineFirstX || line.startX >= geometry.surfaceWidth)
        return false;
    const double rowsTop = geometry.rowTop[0];
    const double rowsBottom = geometry.rowsBottom - 1;
    xa = xb = line.startX;
    ya = ToPixel(std::clamp(line.startY, rowsTop, rowsBottom));
    yb = ToPixel(std::clamp(line.endY, rowsTop, rowsBottom));
    return true;
}

}  // namespace td
