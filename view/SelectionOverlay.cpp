#include "view/ChartView.h"

namespace td {

void ChartView::DrawOverlay()
{
    if (overlaySaved == 0) {
        scratchBuffer = backBuffer.copy();
        overlaySaved = 1;
    }
}

}  // namespace td
