#include "view/ChartView.h"
#include "view/ItemCulling.h"
#include "view/ItemShapes.h"
#include "view/VisibleRowMap.h"

namespace td {

void ChartView::DrawProjectItems(Surface& s, int doc)
{
    int first = 0;
    int last = 0;
    if (!DocumentRowRange(doc, first, last))
        return;
    const ChartGeometry geometry = Geometry();
    ItemShapes shapes(workspace, geometry, s);
    const VisibleRowMap rows(workspace, doc);
    ItemCulling culling(geometry, rows);
    const Document& document = *workspace.Doc(doc);
    const std::vector<ItemMonthIndex::Span>& months = itemMonths.For(doc, document);
    for (int i = 0; i < document.ItemCount(); ++i) {
        if (culling.MonthsAway(months[static_cast<std::size_t>(i)]))
            continue;
        const ChartItem* stored = document.ItemPtr(i);
        if (!stored || stored->state != ItemNormal)
            continue;
        const int row = rows.Find(stored->start.rowId);
        if (row < 0 || !culling.MayShow(*stored, row))
            continue;
        ChartItem item;
        CopyItem(item, *stored);
        shapes.DrawAtRow(doc, item, row);
    }
}

}  // namespace td
