#include "tools/InfoCommand.h"

#include "model/Document.h"
#include "tools/DocumentLoader.h"
#include "tools/ItemTypeNames.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <iostream>
#include <tuple>

namespace td {

namespace {

using Date = std::tuple<int32_t, int32_t, int32_t>;

std::string DateText(const Date& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", std::get<0>(date), std::get<1>(date),
                  std::get<2>(date));
    return text;
}

std::string DateRangeText(const Document& document)
{
    if (document.ItemCount() == 0)
        return "none";
    Date first {INT32_MAX, 0, 0};
    Date last {INT32_MIN, 0, 0};
    for (int index = 0; index < document.ItemCount(); ++index) {
        const ChartItem& item = *document.ItemPtr(index);
        first = std::min(first, Date {item.start.year, item.start.month, item.start.day});
        last = std::max(last, Date {item.end.year, item.end.month, item.end.day});
    }
    return DateText(first) + " .. " + DateText(last);
}

}  // namespace

int RunInfo(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return 2;
    Document document;
    if (!LoadDocumentFile("info", args[0], document))
        return 1;
    std::array<int, ItemTypeNames.size()> counts = {};
    for (int index = 0; index < document.ItemCount(); ++index)
        ++counts[document.ItemPtr(index)->type - TaskLine];
    const bool project = document.Kind() == DocumentKind::Project;
    std::cout << "kind: " << document.Kind() << (project ? " (project)" : " (schedule)") << '\n'
              << "rows: " << document.OrderCount() << '\n'
              << "items: " << document.ItemCount() << '\n';
    for (std::size_t type = 0; type < ItemTypeNames.size(); ++type)
        std::cout << ItemTypeNames[type] << ": " << counts[type] << '\n';
    std::cout << "dates: " << DateRangeText(document) << '\n';
    return 0;
}

}  // namespace td
