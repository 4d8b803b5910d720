#pragma once

#include "model/DocumentRecords.h"
#include "model/Workspace.h"
#include "view/ChartGeometry.h"

namespace td {

// The ends of a Line item's connector clipped to the timeline and the rows area of a surface;
// false when the connector is not shown.
bool ConnectorEnds(const Workspace& workspace, const ChartGeometry& geometry, int doc,
                   const ChartItem& item, int& xa, int& ya, int& xb, int& yb);

}  // namespace td
