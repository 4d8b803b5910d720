#include "view/ChartView.h"

namespace td {

int ChartView::DrawScheduleItems(int)
{
    return 1;
}

int ChartView::FormatTime(int, int, char*)
{
    return 0;
}

}  // namespace td
