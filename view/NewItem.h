#pragma once

#include "model/DocumentRecords.h"

namespace td {

// A new item of `type` with the defaults its tool gives it.
ChartItem NewItem(int type);
// Events, schedule entries and text boxes end on the day they start.
void EndOnStartDay(ChartItem& item);

}  // namespace td
