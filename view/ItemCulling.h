#pragma once

#include "model/DocumentRecords.h"
#include "view/ChartGeometry.h"
#include "view/ItemMonthIndex.h"
#include "view/VisibleRowMap.h"

#include <cstdint>

namespace td {

// Decides, before any drawing set-up, whether a project item can paint anything on the
// surface, from the same tests its shape makes: most items of a large plan lie in rows below
// the surface or on days out of the view. Made for one pass over one document's items.
class ItemCulling {
public:
    ItemCulling(const ChartGeometry& geometry, const VisibleRowMap& rows);

    // `row` is the flattened row of the item's start.
    bool MayShow(const ChartItem& item, int row);
    // True for an item whose dates both lie months before the view or both months after it,
    // decided from the months of its dates alone, before its record is read, as most items of
    // a plan spread over years are. Never true for an item MayShow would keep.
    bool MonthsAway(const ItemMonthIndex::Span& span) const;

private:
    bool OnShownDays(const ChartItem& item) const;
    bool ConnectorMayShow(const ChartItem& item, int startRow) const;
    int ReachAbove(const ChartItem& item);

    const ChartGeometry& geometry;
    const VisibleRowMap& rows;
    const int markReach;
    // Months counted as ItemMonthIndex counts them: the first date's, and the last that can
    // hold a date left of the surface's right edge.
    const int64_t firstMonth;
    const int64_t lastMonth;
    // The label font last asked for and its reach; labels mostly share one font.
    int labelSize = -1;
    int labelWeight = -1;
    int labelReach = 0;
};

}  // namespace td
