#pragma once

#include "model/Workspace.h"

#include <array>
#include <cstdint>

namespace td {

// Where dates fall on one timeline: the screen's, or a printed page's in device units.
struct DateScale {
    int originX = 0;  // x of the first date (of its month's first day in month mode)
    int clampX = 0;   // dates at or beyond it are placed here
    DateTriple firstDate;
    int dayWidth = 0;  // non-zero in day mode
    int monthWidth = 0;

    bool IsDayMode() const { return dayWidth != 0; }
    int ColumnWidth() const { return IsDayMode() ? dayWidth : monthWidth; }
    // -1 before the first date (x = originX), 1 at or beyond the clamp (x = clampX), else 0.
    int DateToX(int& x, int year, int month, int day) const;
    void DateToXUnclamped(int& x, int year, int month, int day) const;
};

// Lengths of the item shapes within their lane, in the surface's units. The screen's are
// these defaults; a page scales them.
struct ItemMetrics {
    double scale = 1.0;  // font heights and text-box widths are multiplied by it
    int laneHeight = 20;
    int lineOffset = 9;
    int bandTop = 3;
    int bandBottom = 15;
    int tipLength = 6;
    int markBaseline = 17;
    int headLength = 8;
    int glyphTop = 7;
    int glyphHeight = 15;
    int progressHalf = 2;
    // The strokes of the line-width bits 4, 8, 16, 32 and 64, their doubles (a band's notch)
    // and the extra reach of a band's closed end.
    std::array<int, 5> strokeOffsets = {-2, -1, 0, 1, 2};
    std::array<int, 5> notchOffsets = {-4, -2, 0, 2, 4};
    int closedEndReach = 1;

    int Scaled(int length) const { return static_cast<int>(length * scale); }
};

// The screen's shape lengths multiplied by `scale` (at least 1), as a page draws them.
ItemMetrics ScaledMetrics(double scale);

// Everything the item painters need to place shapes on one surface: the timeline, the shape
// lengths and the rows laid out on it.
struct ChartGeometry {
    DateScale dates;
    int zoom = 0;
    ItemMetrics metrics;
    int firstRow = 0;  // flattened index of the row whose top is rowTop[0]
    int rowCount = 0;
    const int32_t* rowTop = nullptr;  // rowCount + 1 entries
    int timelineFirstX = 0;           // first x inside the timeline
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    int rowsBottom = 0;  // connectors are clipped above it
    int penWidth = 1;

    bool LaidOut(int flatRow) const { return flatRow >= firstRow && flatRow < firstRow + rowCount; }
    int RowTop(int flatRow) const { return rowTop[flatRow - firstRow]; }
    int RowHeight(const Workspace& workspace, int flatRow) const;
    // The first and last laid-out rows of a document; false when none of its rows is laid out.
    bool DocumentRowRange(const Workspace& workspace, int doc, int& first, int& last) const;
};

}  // namespace td
