#include "view/ItemShapes.h"

#include "model/AttributeValues.h"
#include "view/LineConnector.h"
#include "view/ViewBitmaps.h"

#include <QImage>

#include <algorithm>
#include <cstdint>

namespace td {

namespace {

constexpr int GlyphHalf = 8;
constexpr int GlyphRows = 15;
constexpr int FrameFontHeight = 14;
constexpr int MaxTextSlack = 8192;

// The glyph strip holds the first eight palette colours in palette order; any other colour
// gets the black head rather than none, so that the arrow stays visible.
int GlyphX(uint32_t color)
{
    const int index = ColorPalette().IndexOf(color);
    return index >= 0 && index < ColorListCount ? index * GlyphCell : 0;
}

QString MarkText(const ChartItem& item)
{
    switch (item.lineStyle) {
    case MarkCircle:
        return QStringLiteral("○");
    case MarkCircleDouble:
        return QStringLiteral("◎");
    case MarkCircleFill:
        return QStringLiteral("●");
    case MarkTriangle:
        return QStringLiteral("△");
    case MarkTriangleFill:
        return QStringLiteral("▲");
    case MarkSquare:
        return QStringLiteral("◇");
    case MarkSquareFill:
        return QStringLiteral("◆");
    case MarkDate:
        return QString::number(item.start.day);
    default:
        return {};
    }
}

}  // namespace

ItemShapes::ItemShapes(const Workspace& workspace, const ChartGeometry& geometry,
                       Surface& surface, int dx, int dy)
    : workspace(workspace)
    , geometry(geometry)
    , metrics(geometry.metrics)
    , surface(surface)
    , dx(dx)
    , dy(dy)
{
}

void ItemShapes::Draw(int doc, const ChartItem& item)
{
    const int row = workspace.FindVisibleRow(doc, item.start.rowId);
    if (row >= 0)
        DrawAtRow(doc, item, row);
}

void ItemShapes::DrawAtRow(int doc, const ChartItem& item, int row)
{
    const ProjectRow* startRow = workspace.RowAt(row);
    if (!startRow || item.start.lane >= startRow->lanes)
        return;
    // A connector may start above the first row laid out, or below the last, and still cross them.
    const bool laidOut = geometry.LaidOut(row);
    if (!laidOut && item.type != Line)
        return;
    DrawShape(doc, item, laidOut ? geometry.RowTop(row) : 0);
}

void ItemShapes::DrawShape(int doc, const ChartItem& item, int top)
{
    const int laneTop = top + item.start.lane * metrics.laneHeight;
    SelectItemPen(item);
    switch (item.type) {
    case TaskLine:
        DrawTaskLine(item, laneTop);
        break;
    case TaskBand:
        DrawTaskBand(item, laneTop);
        break;
    case Event:
        DrawEvent(item, laneTop);
        break;
    case Progress:
        DrawProgress(item, laneTop);
        break;
    case Line:
        DrawConnector(doc, item);
        break;
    case TextBox:
        DrawTextBox(item, top);
        break;
    default:
        break;
    }
    surface.SelectBlackPen();
}

void ItemShapes::SelectItemPen(const ChartItem& item)
{
    surface.SelectPen(item.lineStyle, item.lineColor);
}

DaySpan ItemShapes::Span(const ChartItem& item) const
{
    DaySpan span;
    span.startPlace =
        geometry.dates.DateToX(span.startX, item.start.year, item.start.month, item.start.day);
    // The day after the end is day + 1 of the same month; the day count runs on past its end.
    span.endPlace =
        geometry.dates.DateToX(span.endX, item.end.year, item.end.month, item.end.day + 1);
    return span;
}

Heads ItemShapes::TaskHeads(const ChartItem& item, const DaySpan& span) const
{
    Heads heads;
    heads.left = (item.arrow & ArrowLeft) != 0 && span.startPlace != -1;
    heads.right = (item.arrow & ArrowRight) != 0 && span.endPlace != 1;
    heads.length = std::min((span.endX - span.startX) >> 1, metrics.headLength);
    return heads;
}

// A head shorter than its glyph shows the glyph's outer columns, as many as the scale allows.
void ItemShapes::DrawHeads(const ChartItem& item, const DaySpan& span, const Heads& heads, int y)
{
    if (item.arrow == ArrowNone)
        return;
    const QImage& glyphs = ViewBitmap("IDB_TRIANGLE");
    const int cell = GlyphX(item.lineColor);
    const int h = heads.length;
    const int half = (span.endX - span.startX) >> 1;
    const int columns = std::min(GlyphHalf, static_cast<int>(half / metrics.scale));
    const int glyphY = y - metrics.glyphTop + dy;
    if (heads.left)
        surface.Stretch(span.startX + dx, glyphY, h, metrics.glyphHeight, glyphs, cell, 0,
                        columns, GlyphRows, BlitOp::And);
    if (heads.right)
        surface.Stretch(span.endX - h + dx, glyphY, h, metrics.glyphHeight, glyphs,
                        cell + GlyphCell - columns, 0, columns, GlyphRows, BlitOp::And);
}

void ItemShapes::DrawTaskLabel(const ChartItem& item, int x, int laneTop)
{
    if (item.start.lane == 0 || item.text[0] == '\0')
        return;
    surface.SelectFont(metrics.Scaled(item.textSize), item.textWeight);
    surface.SetTextColor(item.textColor);
    surface.TextOut(x + dx, laneTop + dy, item.text, sizeof item.text, TextAlign::CenterBottom);
    surface.SelectFont(metrics.Scaled(FrameFontHeight), WeightNormal);
    surface.SetTextColor(0);
}

void ItemShapes::DrawTaskLine(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.startPlace == 1 || span.endPlace == -1)
        return;
    const int y = laneTop + metrics.lineOffset;
    const Heads heads = TaskHeads(item, span);
    const int x1 = span.startX + (heads.left ? metrics.headLength : 0);
    const int x2 = span.endX - (heads.right ? metrics.headLength : 0);
    if (x1 < x2) {
        for (size_t i = 0; i < StrokeBits.size(); ++i)
            if (item.lineWidth & StrokeBits[i])
                Segment(x1, y + metrics.strokeOffsets[i], x2, y + metrics.strokeOffsets[i]);
    }
    DrawHeads(item, span, heads, y);
    DrawTaskLabel(item, (span.startX + span.endX) / 2, laneTop);
}

void ItemShapes::DrawTaskBand(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.startPlace == 1 || span.endPlace == -1)
        return;
    const int t = laneTop + metrics.bandTop;
    const int b = laneTop + metrics.bandBottom;
    const int m = t + (b - t) / 2;
    const int tip = metrics.tipLength;
    const int startX = span.startX;
    const int endX = span.endX;
    const bool head = (item.arrow & ArrowRight) != 0 && span.endPlace != 1;
    const bool notch = (item.arrow & ArrowLeft) != 0 && span.startPlace != -1;
    for (size_t i = 0; i < StrokeBits.size(); ++i) {
        if (!(item.lineWidth & StrokeBits[i]))
            continue;
        const int o = metrics.strokeOffsets[i];
        const int o2 = metrics.notchOffsets[i];
        if (head) {
            Segment(endX + o, m, endX - tip, t - o);
            Segment(endX + o, m, endX - tip, b + o);
        } else {
            Segment(endX + o, t - o, endX + o, b + o);
        }
        const int a = head ? endX - tip : endX + o;
        if (notch) {
            Segment(a, t - o, startX - o2, t - o);
            Segment(a, b + o, startX - o2, b + o);
            Segment(startX + tip - o, m, startX - o2, t - o);
            Segment(startX + tip - o, m, startX - o2, b + o);
        } else {
            Segment(a, t - o, startX - o, t - o);
            Segment(a, b + o, startX - o, b + o);
            Segment(startX - o, t - o, startX - o, b + o + metrics.closedEndReach);
        }
    }
    DrawTaskLabel(item, (startX + endX) / 2, laneTop);
}

void ItemShapes::DrawEvent(const ChartItem& item, int laneTop)
{
    int x = 0;
    if (geometry.dates.DateToX(x, item.start.year, item.start.month, item.start.day) != 0)
        return;
    int nextDayX = 0;
    geometry.dates.DateToXUnclamped(nextDayX, item.start.year, item.start.month,
                                    item.start.day + 1);
    surface.SelectFont(metrics.Scaled(EventFontHeight), WeightNormal);
    surface.SetTextColor(item.lineColor);
    surface.TextOut(x + (nextDayX - x) / 2 + dx, laneTop + metrics.markBaseline + dy,
                    MarkText(item), TextAlign::CenterBottom);
    surface.SetTextColor(0);
    DrawTaskLabel(item, (x + nextDayX) / 2, laneTop);
}

void ItemShapes::DrawProgress(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.startPlace == 1 || span.endPlace == -1)
        return;
    const int y = laneTop + metrics.lineOffset;
    const int half = metrics.progressHalf;
    const Heads heads = TaskHeads(item, span);
    const int x1 = span.startX + (heads.left ? metrics.headLength : 0);
    const int x2 = span.endX - (heads.right ? metrics.headLength : 0);
    if (x1 < x2) {
        Segment(x1, y - half, x2, y - half);
        Segment(x1, y + half, x2, y + half);
    }
    DrawHeads(item, span, heads, y);

    const int left = heads.left ? span.startX + heads.length : span.startX + 1;
    const int right = heads.right ? span.endX - heads.length : span.endX - 1;
    Segment(left - 1, y - half, left - 1, y + half);
    Segment(right, y - half, right, y + half);

    // The share done is measured over the whole task, wherever the view clamps it.
    int fullStartX = 0;
    int fullEndX = 0;
    geometry.dates.DateToXUnclamped(fullStartX, item.start.year, item.start.month, item.start.day);
    geometry.dates.DateToXUnclamped(fullEndX, item.end.year, item.end.month, item.end.day + 1);
    const int64_t doneX =
        fullStartX + (static_cast<int64_t>(fullEndX - fullStartX) * item.progress) / 100;
    const int64_t fillEnd = std::min<int64_t>(doneX, right);
    if (item.progress != 0 && fillEnd > left)
        surface.FillRect(left + dx, y - 1 + dy, static_cast<int>(fillEnd) + dx, y + 2 + dy,
                         item.progressColor);
    DrawTaskLabel(item, (span.startX + span.endX) / 2, laneTop);
}

void ItemShapes::DrawConnector(int doc, const ChartItem& item)
{
    int xa = 0;
    int ya = 0;
    int xb = 0;
    int yb = 0;
    if (ConnectorEnds(workspace, geometry, doc, item, xa, ya, xb, yb))
        Segment(xa, ya, xb, yb);
}

// The box is composed off the chart so that its text wraps and clips inside the frame; only
// the part between the timeline's first x and the right clamp is composed and copied.
void ItemShapes::DrawTextBox(const ChartItem& item, int top)
{
    int x1 = 0;
    geometry.dates.DateToXUnclamped(x1, item.start.year, item.start.month, item.start.day);
    const int64_t x2 = static_cast<int64_t>(x1) + metrics.Scaled(item.boxWidth);
    const int rightClamp = geometry.dates.clampX;
    if (x1 >= rightClamp || x2 < geometry.timelineFirstX || x2 < x1)
        return;
    const int bt = top + item.start.lane * metrics.laneHeight + metrics.bandTop;
    const int bb = top + item.end.lane * metrics.laneHeight + metrics.bandBottom;
    if (bb < bt)
        return;
    const int w = static_cast<int>(x2 - x1);
    const int hgt = bb - bt;

    const int left = std::max(x1, geometry.timelineFirstX);
    const int right = static_cast<int>(std::min<int64_t>(x2, rightClamp));
    const int upper = std::max(bt + dy, 0) - dy;
    const int lower = std::min(bb + dy, geometry.surfaceHeight - 1) - dy;
    if (right < left || lower < upper)
        return;
    const int ox = left - x1;
    const int oy = upper - bt;

    const QSize size(right - left + 1, lower - upper + 1);
    const DeviceScale& pixels = surface.Pixels();
    QImage box(pixels.Covering(size.width()), pixels.Covering(size.height()), QImage::Format_RGB32);
    // Frame ends far outside the composed part are pulled in to just beyond it, where they
    // draw the same pixels without straining the rasteriser.
    const auto fx = [&](int x) { return std::clamp(x, -1, size.width()); };
    const auto fy = [&](int y) { return std::clamp(y, -1, size.height()); };
    const int frameLeft = fx(-ox);
    const int frameRight = fx(w - ox);
    const int frameTop = fy(-oy);
    const int frameBottom = fy(hgt - oy);
    {
        Surface composed(box, pixels);
        composed.FillRect(0, 0, size.width(), size.height(), 0xFFFFFF);
        composed.Segment(frameLeft, frameTop, frameRight, frameTop);
        composed.Segment(frameLeft, frameBottom, frameRight, frameBottom);
        composed.Segment(frameLeft, frameTop, frameLeft, frameBottom);
        composed.Segment(frameRight, frameTop, frameRight, frameBottom);
        composed.SelectFont(metrics.Scaled(item.textSize), item.textWeight);
        composed.SetTextColor(item.textColor);
        // No line of 128 bytes runs wider than the slack: a text starting further left is out
        // of sight, and a wrap edge further right breaks no line.
        const int textLeft = 2 - ox;
        const int textRight = std::min(w - 2 - ox, size.width() + MaxTextSlack);
        if (textLeft > -MaxTextSlack)
            composed.DrawWrapped(textLeft, 2 - oy, textRight, hgt - 2 - oy, item.text,
                                 sizeof item.text);
    }
    surface.CopyAtScale(left + dx, upper + dy, box, QRect(QPoint(0, 0), size));
}

}  // namespace td
