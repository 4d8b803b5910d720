#include "view/ItemMonthIndex.h"

#include <algorithm>
#include <limits>

namespace td {

namespace {

constexpr int32_t Unbounded = std::numeric_limits<int32_t>::max();

// Far-off damaged years keep their order against any month a view can show.
int32_t Narrowed(int64_t month)
{
    constexpr int64_t Bound = int64_t{1} << 30;
    return static_cast<int32_t>(std::clamp(month, -Bound, Bound));
}

bool DayInMonthRange(const ItemPoint& point)
{
    return point.day >= 0 && point.day <= 31;
}

}  // namespace

int64_t ItemMonthIndex::MonthIndex(int year, int month)
{
    if (month > 12)
        return (int64_t{year} + 1) * 12;
    return int64_t{year} * 12 + std::max(month, 1) - 1;
}

ItemMonthIndex::Span ItemMonthIndex::SpanOf(const ChartItem& item)
{
    if (!DayInMonthRange(item.start) || !DayInMonthRange(item.end))
        return {-Unbounded, Unbounded};
    const int32_t startMonth = Narrowed(MonthIndex(item.start.year, item.start.month));
    const int32_t endMonth = Narrowed(MonthIndex(item.end.year, item.end.month));
    return {std::min(startMonth, endMonth),
            item.type == TextBox ? Unbounded : std::max(startMonth, endMonth)};
}

const std::vector<ItemMonthIndex::Span>& ItemMonthIndex::For(int slot, const Document& document)
{
    Entry& entry = entries.at(static_cast<std::size_t>(slot));
    if (entry.stamp == document.ItemsStamp())
        return entry.spans;
    entry.spans.resize(static_cast<std::size_t>(document.ItemCount()));
    for (int i = 0; i < document.ItemCount(); ++i)
        entry.spans[static_cast<std::size_t>(i)] = SpanOf(*document.ItemPtr(i));
    entry.stamp = document.ItemsStamp();
    return entry.spans;
}

}  // namespace td
