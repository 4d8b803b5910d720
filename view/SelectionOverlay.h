#pragma once

#include "view/ChartView.h"

namespace td {

// The feedback of the current mouse-editing state, drawn over the finished chart: outlines of
// the selected items where they are or are being dragged to, the rubber band, the row-resize
// guide and the item being created. It keeps the bounds of everything it drew, so that the
// next pass erases exactly that area from the clean copy.
class SelectionOverlay {
public:
    SelectionOverlay(const ChartView& view, Surface& surface);

    void Draw();
    // What Draw painted; empty when it drew nothing.
    OverlayRect Painted() const;

private:
    void DrawRubberBand();
    void DrawRowGuide();
    void DrawSelection(int dx, int dy);
    void DrawMovedItem(int doc, const ChartItem& item, int dx, int dy);
    void DrawStretchedItem(int doc, ChartItem item);
    void DrawCreation();
    void DrawCreatedTask(int type);
    void DrawCreatedLine();
    void DrawCreatedTextBox();

    void DrawTask(int type, int x1, int x2, int laneTop);
    void DrawEventMark(const ChartItem& item, int centerX, int laneTop);
    void DrawConnector(int doc, const ChartItem& item, int dx, int dy);
    void DrawTimelineBox(int x1, int y1, int x2, int y2);
    void DrawBox(int x1, int y1, int x2, int y2);
    void Segment(int x1, int y1, int x2, int y2);
    void Widen(int x, int y);

    bool ItemRowTop(int doc, const ChartItem& item, int& top) const;
    int SnappedX(int x, int days) const;

    const ChartView& view;
    Surface& surface;
    int minX;
    int minY;
    int maxX = 0;
    int maxY = 0;
};

}  // namespace td
