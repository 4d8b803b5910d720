#include "view/ChartView.h"
#include "view/ItemShapes.h"

namespace td {

int ChartView::DrawProjectItems(int doc)
{
    int first = 0;
    int last = 0;
    if (!surface || !DocumentRowRange(doc, first, last))
        return 1;
    const ChartGeometry geometry = Geometry();
    ItemShapes shapes(workspace, geometry, *surface);
    const int count = workspace.ItemCount(doc);
    for (int i = 0; i < count; ++i) {
        const ChartItem* stored = workspace.ItemPtr(doc, i);
        if (!stored || stored->state != ItemNormal)
            continue;
        ChartItem item;
        CopyItem(item, *stored);
        shapes.Draw(doc, item);
    }
    return 1;
}

void ChartView::DrawProjectItem(Surface& s, int doc, const ChartItem& item, int dx, int dy)
{
    const ChartGeometry geometry = Geometry();
    ItemShapes(workspace, geometry, s, dx, dy).Draw(doc, item);
}

}  // namespace td
