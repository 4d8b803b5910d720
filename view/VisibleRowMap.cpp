#include "view/VisibleRowMap.h"

#include <algorithm>

namespace td {

VisibleRowMap::VisibleRowMap(const Workspace& workspace, int doc)
{
    std::vector<std::pair<int32_t, int>> shown;
    for (int visibleRow = 0; visibleRow < workspace.VisibleRowCount(); ++visibleRow) {
        int rowDoc = -1;
        const ProjectRow* row = workspace.RowAt(visibleRow);
        if (workspace.VisibleRowDocument(visibleRow, rowDoc) && rowDoc == doc && row
            && row->state == RowShown)
            shown.emplace_back(row->id, visibleRow);
    }
    if (shown.empty())
        return;
    const auto [lowest, highest] = std::minmax_element(
        shown.begin(), shown.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    lowestId = lowest->first;
    constexpr int64_t MaxSpan = int64_t{1} << 16;
    const int64_t span = std::min<int64_t>(int64_t{highest->first} - lowestId + 1, MaxSpan);
    rows.assign(static_cast<std::size_t>(span), -1);
    // Of two rows with one id the first is found, as the scan finds it.
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (it->first - lowestId < span)
            rows[static_cast<std::size_t>(it->first - lowestId)] = it->second;
        else
            farRows.insert(farRows.begin(), *it);
    }
}

int VisibleRowMap::FindFarId(int32_t rowId) const
{
    for (const auto& [id, visibleRow] : farRows) {
        if (id == rowId)
            return visibleRow;
    }
    return -1;
}

}  // namespace td
