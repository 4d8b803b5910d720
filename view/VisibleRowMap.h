#pragma once

#include "model/Workspace.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace td {

// The shown flattened rows of one document by row id, for a pass over its items: the answers of
// Workspace::FindVisibleRow without a scan of the row list for every item.
class VisibleRowMap {
public:
    VisibleRowMap(const Workspace& workspace, int doc);

    // The flattened row of the row id, -1 when it is not shown.
    int Find(int32_t rowId) const
    {
        const int64_t slot = static_cast<int64_t>(rowId) - lowestId;
        if (slot >= 0 && slot < static_cast<int64_t>(rows.size()))
            return rows[static_cast<std::size_t>(slot)];
        return FindFarId(rowId);
    }

private:
    int FindFarId(int32_t rowId) const;

    int64_t lowestId = 0;
    // Indexed by row id - lowestId; row ids are handed out one after another, so the table
    // stays about as long as the document's row table.
    std::vector<int> rows;
    // Rows whose ids lie too far above the others for the table (a damaged file's).
    std::vector<std::pair<int32_t, int>> farRows;
};

}  // namespace td
