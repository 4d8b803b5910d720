#pragma once

#include "model/Workspace.h"

#include <functional>
#include <vector>

namespace td {

// Copies of the Workspace's selected items, in selection order.
std::vector<ChartItem> SelectedItems(const Workspace& workspace);

// Fetches every selected item, lets `edit` change the copy and puts it back with
// ReplaceSelectedItem, one undo step per item.
void EditSelectedItems(Workspace& workspace, const std::function<void(ChartItem&)>& edit);

}  // namespace td
