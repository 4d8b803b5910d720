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
    int Find(int32_t rowId) const;

private:
    std::vector<std::pair<int32_t, int>> rows;
};

}  // namespace td
