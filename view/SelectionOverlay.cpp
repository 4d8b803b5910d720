#include "view/SelectionOverlay.h"

#include "calendar/Dates.h"
#include "view/EditMode.h"
#include "view/ToolId.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace td {

namespace {

constexpr uint32_t Red = 0x0000FF;
constexpr uint32_t GuideColor = 0x3F3FFF;  // RGB (255, 63, 63)
constexpr int GuideWidth = 2;
// The outlines follow the item shapes on screen.
constexpr ItemMetrics Screen;
constexpr int LaneMiddle = Screen.lineOffset;
constexpr int BandTop = Screen.bandTop;
constexpr int BandBottom = Screen.bandBottom;
constexpr int MarkBottom = Screen.markBaseline;
constexpr int MarkHalfWidth = 10;
constexpr int MarkFontHeight = 14;

// Selected marks are shown hollow, whatever their fill.
const char* HollowMark(int code)
{
    switch (code) {
    case 101:
    case 102:
    case 103:
        return "○";
    case 104:
    case 105:
        return "△";
    case 106:
    case 107:
        return "◇";
    case 108:
        return "□";
    default:
        return nullptr;
    }
}

DateTriple DayAfter(const ItemPoint& point)
{
    DateTriple date{point.year, point.month, point.day};
    StepDate(date.year, date.month, date.day, nullptr, 0, 1);
    return date;
}

void SetDate(ItemPoint& point, const DateTriple& date)
{
    point.year = date.year;
    point.month = date.month;
    point.day = date.day;
}

// The clean copy is refreshed after every full redraw. When the overlay is about to paint, the
// pixels are copied into the existing image, which spares a buffer allocation per redraw. When
// it is idle, the copy only shares the buffer's pixels: most redraws are followed by no
// feedback at all, and the first paint into the buffer after them (a drag's first move, never a
// redraw, which lets go of the share first) copies them then.
void TakeCleanCopy(const QImage& from, QImage& to, bool idle)
{
    if (idle || to.size() != from.size() || to.format() != from.format()) {
        to = idle ? from : from.copy();
        return;
    }
    std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

}  // namespace

void ChartView::ReleaseSharedCleanCopy()
{
    if (!scratchBuffer.isNull() && scratchBuffer.constBits() == backBuffer.constBits())
        scratchBuffer = QImage();
}

void ChartView::DrawOverlay()
{
    if (backBuffer.isNull())
        return;
    const bool restore = overlaySaved != 0;
    const bool idle = editMode == Idle;
    if (!restore) {
        TakeCleanCopy(backBuffer, scratchBuffer, idle);
        overlaySaved = 1;
        AddDamage({0, 0, bufferWidth, bufferHeight});
    }
    if (idle && (!restore || overlayRect.IsEmpty())) {
        overlayRect = {};
        return;
    }
    Surface s(backBuffer);
    if (restore && !overlayRect.IsEmpty()) {
        const QRect erased = QRect(overlayRect.x, overlayRect.y, overlayRect.width,
                                   overlayRect.height)
                                 .intersected(backBuffer.rect());
        s.Blit(erased.x(), erased.y(), erased.width(), erased.height(), scratchBuffer, erased.x(),
               erased.y());
        AddDamage({erased.x(), erased.y(), erased.width(), erased.height()});
    }
    SelectionOverlay overlay(*this, s);
    overlay.Draw();
    overlayRect = overlay.Painted();
    AddDamage(overlayRect);
}

SelectionOverlay::SelectionOverlay(const ChartView& view, Surface& surface)
    : view(view)
    , surface(surface)
    , minX(view.bufferWidth)
    , minY(view.bufferHeight)
{
}

void SelectionOverlay::Draw()
{
    switch (view.editMode) {
    case RubberBand:
        DrawRubberBand();
        return;
    case RowResize:
        DrawRowGuide();
        return;
    case Selected:
        DrawSelection(0, 0);
        return;
    case MoveItems:
        DrawSelection(view.mouseX - view.downX,
                      ((view.mouseY - view.downY) / LaneHeight) * LaneHeight);
        return;
    case DragStart:
    case DragEnd: {
        surface.SelectPen(PenSolid, Red);
        const int doc = view.workspace.SelectionDoc();
        ChartItem item;
        for (int n = 0; view.workspace.GetSelectedItem(doc, n, item); ++n)
            DrawStretchedItem(doc, item);
        return;
    }
    case Create:
        DrawCreation();
        return;
    default:
        return;
    }
}

OverlayRect SelectionOverlay::Painted() const
{
    if (maxX < minX || maxY < minY)
        return {};
    return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}

void SelectionOverlay::DrawRubberBand()
{
    const int xa = std::min(view.downX, view.mouseX);
    const int xb = std::max(view.downX, view.mouseX);
    const int ya = std::min(view.downY, view.mouseY);
    const int yb = std::max(view.downY, view.mouseY);
    surface.SelectPen(PenDot, Red);
    Segment(xa, ya, xa, yb);
    Segment(xb, ya, xb, yb);
    Segment(xa, ya, xb, ya);
    Segment(xa, yb, xb, yb);
    Widen(xa, ya);
    Widen(xb, yb);
}

void SelectionOverlay::DrawRowGuide()
{
    if (view.selectedViewRow < 0 || view.selectedViewRow >= view.viewRowCount)
        return;
    const int top = view.rowTop[view.selectedViewRow];
    // The guide snaps to lane boundaries and never rises above the row's first lane.
    const int y = view.mouseY >= top + LaneHeight
        ? top + ((view.mouseY - top) / LaneHeight) * LaneHeight
        : top + LaneHeight;
    surface.SelectWidePen(GuideWidth, GuideColor);
    Segment(1, y, view.bufferWidth - 1, y);
    Widen(1, y - 1);
}

void SelectionOverlay::DrawSelection(int dx, int dy)
{
    surface.SelectPen(PenSolid, Red);
    const int doc = view.workspace.SelectionDoc();
    ChartItem item;
    for (int n = 0; view.workspace.GetSelectedItem(doc, n, item); ++n)
        DrawMovedItem(doc, item, dx, dy);
}

void SelectionOverlay::DrawMovedItem(int doc, const ChartItem& item, int dx, int dy)
{
    if (item.type == Line) {
        DrawConnector(doc, item, dx, dy);
        return;
    }
    int top = 0;
    if (!ItemRowTop(doc, item, top))
        return;
    top += dy;
    const int laneTop = top + item.start.lane * LaneHeight;
    const DateTriple after = DayAfter(item.end);
    int x1 = 0;
    int x2 = 0;
    view.DateToX(x1, item.start.year, item.start.month, item.start.day);
    view.DateToX(x2, after.year, after.month, after.day);
    x1 += dx;
    x2 += dx;
    switch (item.type) {
    case TaskLine:
    case TaskBand:
    case Progress:
        DrawTask(item.type, x1, x2, laneTop);
        return;
    case Event:
        DrawEventMark(item, x1 + (x2 - x1) / 2, laneTop);
        return;
    case TextBox: {
        // The box is placed by its unclamped start, as the item painter places it.
        int left = 0;
        view.DateToXUnclamped(left, item.start.year, item.start.month, item.start.day);
        left += dx;
        DrawTimelineBox(left, laneTop + BandTop, left + item.boxWidth,
                        top + item.end.lane * LaneHeight + BandBottom);
        return;
    }
    case Schedule:
        // A schedule entry's lane bytes hold the pixel offsets its painter used.
        DrawTimelineBox(x1, top + item.start.lane, x2, top + item.end.lane);
        return;
    default:
        return;
    }
}

void SelectionOverlay::DrawStretchedItem(int doc, ChartItem item)
{
    ItemPoint& moved = view.editMode == DragStart ? item.start : item.end;
    DateTriple mouseDate{moved.year, moved.month, moved.day};
    view.XToDate(view.mouseX, mouseDate.year, mouseDate.month, mouseDate.day);

    if (item.type == Line) {
        SetDate(moved, mouseDate);
        int row = 0;
        int lane = 0;
        int rowDoc = -1;
        if (view.YToRowLane(view.mouseY, row, lane) &&
            view.workspace.VisibleRowDocument(view.firstRow + row, rowDoc) && rowDoc == doc) {
            moved.rowId = view.workspace.RowIdAt(view.firstRow + row);
            moved.lane = static_cast<uint8_t>(lane);
        }
        DrawConnector(doc, item, 0, 0);
        return;
    }
    int top = 0;
    if (!ItemRowTop(doc, item, top))
        return;
    const int laneTop = top + item.start.lane * LaneHeight;

    if (item.type == TextBox) {
        int x1 = 0;
        view.DateToXUnclamped(x1, item.start.year, item.start.month, item.start.day);
        int x2 = x1 + item.boxWidth;
        if (view.editMode == DragStart) {
            SetDate(item.start, mouseDate);
            view.DateToXUnclamped(x1, item.start.year, item.start.month, item.start.day);
        } else {
            x2 = view.mouseX;
        }
        DrawTimelineBox(x1, laneTop + BandTop, x2, top + item.end.lane * LaneHeight + BandBottom);
        return;
    }
    if (item.type != TaskLine && item.type != TaskBand && item.type != Progress)
        return;
    SetDate(moved, mouseDate);
    int x1 = 0;
    int x2 = 0;
    view.DateToX(x1, item.start.year, item.start.month, item.start.day);
    view.DateToX(x2, item.end.year, item.end.month, item.end.day);
    // The later date's column belongs to the task, as its end day does after the release.
    if (x1 <= x2)
        x2 += view.DayWidth();
    else
        x1 += view.DayWidth();
    DrawTask(item.type, std::min(x1, x2), std::max(x1, x2), laneTop);
}

void SelectionOverlay::DrawCreation()
{
    surface.SelectPen(PenSolid, Red);
    switch (view.currentTool) {
    case ToolId::TaskLine:
    case ToolId::TaskBand:
    case ToolId::Progress:
        DrawCreatedTask(TaskTypeOfTool(view.currentTool));
        return;
    case ToolId::Line:
        DrawCreatedLine();
        return;
    case ToolId::TextBox:
        DrawCreatedTextBox();
        return;
    default:
        return;
    }
}

void SelectionOverlay::DrawCreatedTask(int type)
{
    int row = 0;
    int lane = 0;
    if (!view.YToRowLane(view.downY, row, lane))
        return;
    const int xa = SnappedX(std::min(view.downX, view.mouseX), 0);
    const int xb = SnappedX(std::max(view.downX, view.mouseX), 1);
    DrawTask(type, xa, xb, view.rowTop[row] + lane * LaneHeight);
}

void SelectionOverlay::DrawCreatedLine()
{
    int row1 = 0;
    int lane1 = 0;
    int row2 = 0;
    int lane2 = 0;
    if (!view.YToRowLane(view.downY, row1, lane1) || !view.YToRowLane(view.mouseY, row2, lane2))
        return;
    Segment(SnappedX(view.downX, 0), view.rowTop[row1] + lane1 * LaneHeight + LaneMiddle,
            SnappedX(view.mouseX, 0), view.rowTop[row2] + lane2 * LaneHeight + LaneMiddle);
}

void SelectionOverlay::DrawCreatedTextBox()
{
    int row = 0;
    int lane = 0;
    if (!view.YToRowLane(view.downY, row, lane))
        return;
    const int ta = view.rowTop[row] + lane * LaneHeight;
    // The box stays in the pressed row, whichever row the pointer is over.
    const int rowFirstLane = view.rowTop[row];
    const int rowLastLane = view.rowTop[row + 1] - LaneHeight;
    int mouseRow = 0;
    int mouseLane = 0;
    int tb = 0;
    if (view.YToRowLane(view.mouseY, mouseRow, mouseLane))
        tb = mouseRow < row ? rowFirstLane
            : mouseRow > row ? rowLastLane
                             : view.rowTop[row] + mouseLane * LaneHeight;
    else
        tb = view.mouseY <= view.rowTop[0] ? rowFirstLane : rowLastLane;
    const int upper = std::min(ta, tb);
    const int lower = std::max(ta, tb);
    DrawBox(view.downX, upper + BandTop, view.mouseX, lower + BandBottom);
}

void SelectionOverlay::DrawTask(int type, int x1, int x2, int laneTop)
{
    if (type == TaskBand) {
        Segment(x1, laneTop + BandTop, x2, laneTop + BandTop);
        Segment(x1, laneTop + BandBottom, x2, laneTop + BandBottom);
        return;
    }
    Segment(x1, laneTop + LaneMiddle, x2, laneTop + LaneMiddle);
}

void SelectionOverlay::DrawEventMark(const ChartItem& item, int centerX, int laneTop)
{
    const char* mark = HollowMark(item.lineStyle);
    if (!mark)
        return;
    surface.SelectFont(MarkFontHeight, 400);
    surface.SetTextColor(Red);
    surface.TextOut(centerX, laneTop + MarkBottom, QString::fromUtf8(mark), TextAlign::CenterBottom);
    Widen(centerX - MarkHalfWidth, laneTop);
    Widen(centerX + MarkHalfWidth, laneTop + LaneHeight - 1);
}

void SelectionOverlay::DrawConnector(int doc, const ChartItem& item, int dx, int dy)
{
    int xa = 0;
    int ya = 0;
    int xb = 0;
    int yb = 0;
    if (view.LineConnector(doc, item, xa, ya, xb, yb))
        Segment(xa + dx, ya + dy, xb + dx, yb + dy);
}

void SelectionOverlay::DrawTimelineBox(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    x1 = std::max(x1, TimelineLeft);
    x2 = std::min(x2, view.bufferWidth - RightClampMargin);
    if (x1 > x2)
        return;
    DrawBox(x1, y1, x2, y2);
}

void SelectionOverlay::DrawBox(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    Segment(x1, y1, x2, y1);
    Segment(x1, y2, x2, y2);
    Segment(x1, y1, x1, y2);
    // Segments leave out their end point; this one reaches down to close the corner.
    Segment(x2, y1, x2, y2 + 1);
}

void SelectionOverlay::Segment(int x1, int y1, int x2, int y2)
{
    surface.Segment(x1, y1, x2, y2);
    Widen(x1, y1);
    Widen(x2, y2);
}

void SelectionOverlay::Widen(int x, int y)
{
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
}

bool SelectionOverlay::ItemRowTop(int doc, const ChartItem& item, int& top) const
{
    const int row = view.workspace.FindVisibleRow(doc, item.start.rowId);
    const int k = row - view.firstRow;
    if (row < 0 || k < 0 || k >= view.viewRowCount)
        return false;
    top = view.rowTop[k];
    return true;
}

// Left edge of the day under x, moved on by `days`; a drag begun left of the timeline counts
// from its first day.
int SelectionOverlay::SnappedX(int x, int days) const
{
    DateTriple date;
    view.XToDate(std::max(x, TimelineFirstX), date.year, date.month, date.day);
    StepDate(date.year, date.month, date.day, nullptr, 0, days);
    int snapped = 0;
    view.DateToX(snapped, date.year, date.month, date.day);
    return snapped;
}

}  // namespace td
