#pragma once

#include "model/Document.h"
#include "model/Workspace.h"

#include <array>
#include <cstdint>
#include <vector>

namespace td {

// The months of each item's dates, per document, kept between redraws while the document's
// items keep their stamp. A redraw passes over the items of a plan spread over years by reading
// these eight bytes an item instead of each record.
class ItemMonthIndex {
public:
    // Months counted from year 0: a month past December is the next January, one before
    // January is January, as the day numbers count them. `first` is the earlier month of the
    // item's two dates, `last` the later one; a text box's `last` is unbounded (its width can
    // carry it right from any month), and an item with a day out of 0..31 (a damaged file's)
    // spans every month, so that only the exact tests decide about it.
    struct Span {
        int32_t first;
        int32_t last;
    };

    static int64_t MonthIndex(int year, int month);
    static Span SpanOf(const ChartItem& item);

    const std::vector<Span>& For(int slot, const Document& document);

private:
    struct Entry {
        uint64_t stamp = 0;
        std::vector<Span> spans;
    };
    std::array<Entry, MaxDocuments> entries;
};

}  // namespace td
