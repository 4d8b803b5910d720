#include "view/VisibleRowMap.h"

#include <algorithm>

namespace td {

VisibleRowMap::VisibleRowMap(const Workspace& workspace, int doc)
{
    for (int visibleRow = 0; visibleRow < workspace.VisibleRowCount(); ++visibleRow) {
        int rowDoc = -1;
        const ProjectRow* row = workspace.RowAt(visibleRow);
        if (workspace.VisibleRowDocument(visibleRow, rowDoc) && rowDoc == doc && row
            && row->state == RowShown)
            rows.emplace_back(row->id, visibleRow);
    }
    // Stable, so that of two rows with one id the first is found, as the scan finds it.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

int VisibleRowMap::Find(int32_t rowId) const
{
    auto found = std::lower_bound(rows.begin(), rows.end(), rowId,
                                  [](const auto& entry, int32_t id) { return entry.first < id; });
    return found != rows.end() && found->first == rowId ? found->second : -1;
}

}  // namespace td
