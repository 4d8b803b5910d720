#pragma once

#include "model/Workspace.h"
#include "view/ChartLayout.h"
#include "view/Surface.h"

namespace td {

struct OverlayRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// The outlines edit modes draw over the finished chart, in the item shapes' places on screen.
// It keeps the bounds of everything drawn, so that the next pass erases exactly that area from
// the clean copy.
class Feedback {
public:
    Feedback(const Workspace& workspace, const ChartLayout& layout, Surface& surface);

    // What was drawn; empty when nothing was.
    OverlayRect Painted() const;

    Surface& Pen() { return surface; }
    // Every selected item's outline, shifted by (dx, dy).
    void DrawSelection(int dx, int dy);
    // One selected item where it is, shifted by (dx, dy).
    void DrawItem(int doc, const ChartItem& item, int dx, int dy);
    void DrawTask(int type, int x1, int x2, int laneTop);
    void DrawConnector(int doc, const ChartItem& item, int dx, int dy);
    // A box clipped to the timeline; the x edges may come in either order.
    void DrawTimelineBox(int x1, int y1, int x2, int y2);
    void DrawBox(int x1, int y1, int x2, int y2);
    void Segment(int x1, int y1, int x2, int y2);
    void Widen(int x, int y);

    // The top of the row an item starts on; false when that row is not laid out.
    bool ItemRowTop(int doc, const ChartItem& item, int& top) const;
    // Left edge of the day under x, moved on by `days`; a drag begun left of the timeline
    // counts from its first day.
    int SnappedX(int x, int days) const;

private:
    void DrawEventMark(const ChartItem& item, int centerX, int laneTop);

    const Workspace& workspace;
    const ChartLayout& layout;
    Surface& surface;
    int minX;
    int minY;
    int maxX = 0;
    int maxY = 0;
};

// The outlines follow the item shapes on screen.
inline constexpr ItemMetrics ScreenShapes;
inline constexpr uint32_t FeedbackRed = 0x0000FF;

}  // namespace td
