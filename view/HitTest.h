#pragma once

#include "model/Workspace.h"
#include "view/ChartLayout.h"

namespace td {

// What lies under a press on the chart as laid out. All take buffer pixels.

// The HitPart of `item` of document `doc` under a press at (x, y) in view row `viewRow`,
// lane `lane`.
int HitTestItem(const Workspace& workspace, const ChartLayout& layout, int doc, int viewRow,
                int lane, int x, int y, const ChartItem& item);
// The view row whose bottom boundary a press in the row column grabs; -1 for none.
int RowBoundaryAt(const ChartLayout& layout, int x, int y);
// A press on view row `viewRow`'s fold glyph.
bool OnFoldGlyph(const Workspace& workspace, const ChartLayout& layout, int viewRow, int x, int y);

}  // namespace td
