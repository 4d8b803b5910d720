#include "dialogs/SelectedItems.h"

namespace td {

std::vector<ChartItem> SelectedItems(const Workspace& workspace)
{
    std::vector<ChartItem> items;
    ChartItem item;
    int visibleRow = -1;
    for (int n = 0; workspace.GetSelectedItemRow(n, item, visibleRow); ++n)
        items.push_back(item);
    return items;
}

void EditSelectedItems(Workspace& workspace, const std::function<void(ChartItem&)>& edit)
{
    ChartItem item;
    int visibleRow = -1;
    for (int n = 0; workspace.GetSelectedItemRow(n, item, visibleRow); ++n) {
        edit(item);
        workspace.ReplaceSelectedItem(n, item);
    }
}

}  // namespace td
