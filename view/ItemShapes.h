#pragma once

#include "model/DocumentRecords.h"
#include "model/Workspace.h"
#include "view/ChartGeometry.h"
#include "view/Surface.h"

namespace td {

// A task's clamped ends: the x of the start date and of the day after the end, each with its
// place as DateToX gives it (-1 before the view, 1 clamped at the right, 0 inside).
struct DaySpan {
    int startX = 0;
    int startPlace = 0;
    int endX = 0;
    int endPlace = 0;
};

struct Heads {
    bool left = false;
    bool right = false;
    int length = 0;
};

// Draws project items in their chart shapes on one surface, placed by a geometry value, so
// that the screen and the printed page share each shape. Drag feedback shifts the shapes by
// (dx, dy).
class ItemShapes {
public:
    ItemShapes(const Workspace& workspace, const ChartGeometry& geometry, Surface& surface,
               int dx = 0, int dy = 0);
    virtual ~ItemShapes() = default;
    ItemShapes(const ItemShapes&) = delete;
    ItemShapes& operator=(const ItemShapes&) = delete;

    // Draws one item of document `doc` whatever its selection state; nothing when its start
    // row is not laid out (a connector only needs its rows to exist) or its lane is gone.
    void Draw(int doc, const ChartItem& item);
    // Same, for an item whose start row the caller has found: flattened row `row`.
    void DrawAtRow(int doc, const ChartItem& item, int row);

protected:
    virtual void SelectItemPen(const ChartItem& item);
    virtual void DrawProgress(const ChartItem& item, int laneTop);

    DaySpan Span(const ChartItem& item) const;
    Heads TaskHeads(const ChartItem& item, const DaySpan& span) const;
    void DrawHeads(const ChartItem& item, const DaySpan& span, const Heads& heads, int y);
    void DrawTaskLabel(const ChartItem& item, int x, int laneTop);
    void Segment(int x1, int y1, int x2, int y2)
    {
        surface.Segment(x1 + dx, y1 + dy, x2 + dx, y2 + dy);
    }

    const Workspace& workspace;
    const ChartGeometry& geometry;
    const ItemMetrics& metrics;
    Surface& surface;
    int dx;
    int dy;

private:
    void DrawShape(int doc, const ChartItem& item, int top);
    void DrawTaskLine(const ChartItem& item, int laneTop);
    void DrawTaskBand(const ChartItem& item, int laneTop);
    void DrawEvent(const ChartItem& item, int laneTop);
    void DrawConnector(int doc, const ChartItem& item);
    void DrawTextBox(const ChartItem& item, int top);
};

// Pixel height of an event's mark before scaling.
inline constexpr int EventFontHeight = 14;

// The line-width bits of the parallel strokes, in the order they are drawn.
inline constexpr std::array<int32_t, 5> StrokeBits = {4, 8, 16, 32, 64};

}  // namespace td
