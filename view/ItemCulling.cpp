#include "view/ItemCulling.h"

#include "model/AttributeValues.h"
#include "view/ItemShapes.h"
#include "view/Surface.h"

#include <algorithm>
#include <cstdint>

namespace td {

namespace {

// Texts get a second line height to spare for glyphs that overhang their line.
int TextReach(int height, int weight)
{
    return 2 * Surface::LineHeightOf(height, weight);
}

// The last month a date left of the right edge can fall in, with a month to spare for where
// in its month the first date lies; no bound without a column width.
int64_t LastMonthShown(const ChartGeometry& geometry)
{
    const DateScale& dates = geometry.dates;
    const int64_t width =
        std::max({0, dates.clampX - dates.originX, geometry.surfaceWidth - dates.originX});
    const int64_t first = ItemMonthIndex::MonthIndex(dates.firstDate.year, dates.firstDate.month);
    if (dates.IsDayMode())
        return first + (width / dates.dayWidth + 32) / 28 + 1;
    if (dates.monthWidth <= 0)
        return INT64_MAX;
    return first + (width * 30 / dates.monthWidth + 32) / 28 + 1;
}

}  // namespace

ItemCulling::ItemCulling(const ChartGeometry& geometry, const VisibleRowMap& rows)
    : geometry(geometry)
    , rows(rows)
    , markReach(TextReach(geometry.metrics.Scaled(EventFontHeight), WeightNormal)
                - geometry.metrics.markBaseline)
    , firstMonth(ItemMonthIndex::MonthIndex(geometry.dates.firstDate.year,
                                            geometry.dates.firstDate.month))
    , lastMonth(LastMonthShown(geometry))
{
}

// Dates in a month after lastMonth lie right of the surface; dates in a month three or more
// before firstMonth lie before the first date and left of the timeline, the day after them too
// (a day is at most 31).
bool ItemCulling::MonthsAway(const ItemMonthIndex::Span& span) const
{
    return span.first > lastMonth || int64_t{span.last} + 2 < firstMonth;
}

bool ItemCulling::MayShow(const ChartItem& item, int row)
{
    if (item.type == Line)
        return ConnectorMayShow(item, row);
    if (!geometry.LaidOut(row))
        return false;
    const int laneTop = geometry.RowTop(row) + item.start.lane * geometry.metrics.laneHeight;
    const int bottom = geometry.surfaceHeight;
    if (laneTop >= bottom && laneTop - ReachAbove(item) >= bottom)
        return false;
    return OnShownDays(item);
}

// How far above its lane an item can paint at most: an event's mark, or a label in the item's
// text font, whether the item shows one or not.
int ItemCulling::ReachAbove(const ChartItem& item)
{
    if (item.textSize != labelSize || item.textWeight != labelWeight) {
        labelSize = item.textSize;
        labelWeight = item.textWeight;
        labelReach = TextReach(geometry.metrics.Scaled(labelSize), labelWeight);
    }
    return std::max(markReach, labelReach);
}

bool ItemCulling::OnShownDays(const ChartItem& item) const
{
    const DateScale& dates = geometry.dates;
    int sx = 0;
    switch (item.type) {
    case TaskLine:
    case TaskBand:
    case Progress: {
        int ex = 0;
        return dates.DateToX(ex, item.end.year, item.end.month, item.end.day + 1) != -1
            && dates.DateToX(sx, item.start.year, item.start.month, item.start.day) != 1;
    }
    case Event:
        return dates.DateToX(sx, item.start.year, item.start.month, item.start.day) == 0;
    case TextBox: {
        dates.DateToXUnclamped(sx, item.start.year, item.start.month, item.start.day);
        const int64_t right = static_cast<int64_t>(sx) + geometry.metrics.Scaled(item.boxWidth);
        return sx < dates.clampX && right >= geometry.timelineFirstX && right >= sx;
    }
    default:
        return false;
    }
}

// A connector whose ends both lie above the rows, both below them, or both on one side of the
// timeline is clipped to a single point and draws nothing.
bool ItemCulling::ConnectorMayShow(const ChartItem& item, int startRow) const
{
    const int endRow = rows.Find(item.end.rowId);
    if (endRow < 0)
        return false;
    const auto above = [this](int row) { return row < geometry.firstRow; };
    // Two pixels to spare for the rounding of the clipped ends.
    const auto below = [this](int row) {
        return geometry.LaidOut(row) && geometry.RowTop(row) >= geometry.rowsBottom + 2;
    };
    if ((above(startRow) && above(endRow)) || (below(startRow) && below(endRow)))
        return false;
    int u1 = 0;
    int u2 = 0;
    geometry.dates.DateToXUnclamped(u1, item.start.year, item.start.month, item.start.day);
    geometry.dates.DateToXUnclamped(u2, item.end.year, item.end.month, item.end.day);
    const int left = geometry.dates.originX;
    const int right = geometry.surfaceWidth;
    return !(u1 <= left && u2 <= left) && !(u1 >= right && u2 >= right);
}

}  // namespace td
