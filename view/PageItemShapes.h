#pragma once

#include "view/ItemShapes.h"

namespace td {

// The item shapes as a page draws them: geometric pens of the page's width with dash
// patterns scaled to the device, and the progress bar in its paper form.
class PageItemShapes : public ItemShapes {
public:
    using ItemShapes::ItemShapes;

protected:
    void SelectItemPen(const ChartItem& item) override;
    // On paper the fill comes first and spans the whole bar between the two strokes, it is
    // not cut at the bar's end, and only ends without a head get a tick.
    void DrawProgress(const ChartItem& item, int laneTop) override;
};

}  // namespace td
