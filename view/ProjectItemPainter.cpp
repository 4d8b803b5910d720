#include "model/AttributeValues.h"
#include "view/ChartView.h"
#include "view/ViewBitmaps.h"
#include "view/VisibleRowMap.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdint>

namespace td {

namespace {

// Where the shapes sit within their lane, in pixels; the printed page scales the same figures.
struct ItemGeometry {
    int lineOffset = 9;
    int bandTop = 3;
    int bandBottom = 15;
    int tipLength = 6;
    int headLength = 8;
    int glyphTop = 7;
    int progressHalf = 2;
    int markBaseline = 17;
};

constexpr ItemGeometry Screen;
constexpr int GlyphCell = 16;
constexpr int GlyphHeight = 15;
constexpr int EventFontHeight = 14;
constexpr int FrameFontHeight = 14;
constexpr int MaxTextSlack = 8192;

struct Stroke {
    int32_t bit;
    int offset;
};

// Parallel strokes of a line-width code, in the order they are drawn.
constexpr std::array<Stroke, 5> Strokes = {{{4, -2}, {8, -1}, {16, 0}, {32, 1}, {64, 2}}};

// A task's clamped ends: x and DateToX result of the start date and of the day after the end.
struct DaySpan {
    int sx = 0;
    int sres = 0;
    int ex = 0;
    int eres = 0;
};

struct Heads {
    bool left = false;
    bool right = false;
    int length = 0;
};

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

void DrawLabel(Surface& s, const ChartItem& item, int x, int y, TextAlign align)
{
    if (item.text[0] == '\0')
        return;
    s.SelectFont(item.textSize, item.textWeight);
    s.SetTextColor(item.textColor);
    s.TextOut(x, y, item.text, sizeof item.text, align);
    s.SelectFont(FrameFontHeight, WeightNormal);
    s.SetTextColor(0);
}

// Draws one item's shape, shifted by (dx, dy) so that drag feedback can reuse it.
class ItemShapes {
public:
    ItemShapes(const ChartView& view, Surface& s, int dx, int dy)
        : view(view), s(s), dx(dx), dy(dy)
    {
    }

    void Draw(int doc, const ChartItem& item, int top);

private:
    DaySpan Span(const ChartItem& item) const;
    Heads TaskHeads(const ChartItem& item, const DaySpan& span) const;
    void DrawTaskLine(const ChartItem& item, int laneTop);
    void DrawTaskBand(const ChartItem& item, int laneTop);
    void DrawEvent(const ChartItem& item, int laneTop);
    void DrawProgress(const ChartItem& item, int laneTop);
    void DrawConnector(int doc, const ChartItem& item);
    void DrawTextBox(const ChartItem& item, int top);
    void DrawHeads(const ChartItem& item, const DaySpan& span, const Heads& heads, int y);
    void DrawTaskLabel(const ChartItem& item, int x, int laneTop);
    void Segment(int x1, int y1, int x2, int y2) { s.Segment(x1 + dx, y1 + dy, x2 + dx, y2 + dy); }

    const ChartView& view;
    Surface& s;
    const ItemGeometry& g = Screen;
    int dx;
    int dy;
};

void ItemShapes::Draw(int doc, const ChartItem& item, int top)
{
    const int laneTop = top + item.start.lane * LaneHeight;
    s.SelectPen(item.lineStyle, item.lineColor);
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
    s.SelectBlackPen();
}

DaySpan ItemShapes::Span(const ChartItem& item) const
{
    DaySpan span;
    span.sres = view.DateToX(span.sx, item.start.year, item.start.month, item.start.day);
    // The day after the end is day + 1 of the same month; the day count runs on past its end.
    span.eres = view.DateToX(span.ex, item.end.year, item.end.month, item.end.day + 1);
    return span;
}

Heads ItemShapes::TaskHeads(const ChartItem& item, const DaySpan& span) const
{
    Heads heads;
    heads.left = (item.arrow & ArrowLeft) != 0 && span.sres != -1;
    heads.right = (item.arrow & ArrowRight) != 0 && span.eres != 1;
    const int width = span.ex - span.sx;
    heads.length = width < 2 * g.headLength ? width / 2 : g.headLength;
    return heads;
}

void ItemShapes::DrawHeads(const ChartItem& item, const DaySpan& span, const Heads& heads, int y)
{
    if (item.arrow == ArrowNone)
        return;
    const QImage& glyphs = ViewBitmap("IDB_TRIANGLE");
    const int cell = GlyphX(item.lineColor);
    const int h = heads.length;
    const int glyphY = y - g.glyphTop + dy;
    if (heads.left)
        s.Blit(span.sx + dx, glyphY, h, GlyphHeight, glyphs, cell, 0, BlitOp::And);
    if (heads.right)
        s.Blit(span.ex - h + dx, glyphY, h, GlyphHeight, glyphs, cell + GlyphCell - h, 0,
               BlitOp::And);
}

void ItemShapes::DrawTaskLabel(const ChartItem& item, int x, int laneTop)
{
    if (item.start.lane != 0)
        DrawLabel(s, item, x + dx, laneTop + dy, TextAlign::CenterBottom);
}

void ItemShapes::DrawTaskLine(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.sres == 1 || span.eres == -1)
        return;
    const int y = laneTop + g.lineOffset;
    const Heads heads = TaskHeads(item, span);
    const int x1 = span.sx + (heads.left ? g.headLength : 0);
    const int x2 = span.ex - (heads.right ? g.headLength : 0);
    if (x1 < x2) {
        for (const Stroke& stroke : Strokes)
            if (item.lineWidth & stroke.bit)
                Segment(x1, y + stroke.offset, x2, y + stroke.offset);
    }
    DrawHeads(item, span, heads, y);
    DrawTaskLabel(item, (span.sx + span.ex) / 2, laneTop);
}

void ItemShapes::DrawTaskBand(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.sres == 1 || span.eres == -1)
        return;
    const int t = laneTop + g.bandTop;
    const int b = laneTop + g.bandBottom;
    const int m = t + (b - t) / 2;
    const int tip = g.tipLength;
    const int sx = span.sx;
    const int ex = span.ex;
    const bool head = (item.arrow & ArrowRight) != 0 && span.eres != 1;
    const bool notch = (item.arrow & ArrowLeft) != 0 && span.sres != -1;
    for (const Stroke& stroke : Strokes) {
        if (!(item.lineWidth & stroke.bit))
            continue;
        const int o = stroke.offset;
        if (head) {
            Segment(ex + o, m, ex - tip, t - o);
            Segment(ex + o, m, ex - tip, b + o);
        } else {
            Segment(ex + o, t - o, ex + o, b + o);
        }
        const int a = head ? ex - tip : ex + o;
        if (notch) {
            Segment(a, t - o, sx - 2 * o, t - o);
            Segment(a, b + o, sx - 2 * o, b + o);
            Segment(sx + tip - o, m, sx - 2 * o, t - o);
            Segment(sx + tip - o, m, sx - 2 * o, b + o);
        } else {
            Segment(a, t - o, sx - o, t - o);
            Segment(a, b + o, sx - o, b + o);
            Segment(sx - o, t - o, sx - o, b + o + 1);
        }
    }
    DrawTaskLabel(item, (sx + ex) / 2, laneTop);
}

void ItemShapes::DrawEvent(const ChartItem& item, int laneTop)
{
    int sx = 0;
    if (view.DateToX(sx, item.start.year, item.start.month, item.start.day) != 0)
        return;
    int ux = 0;
    view.DateToXUnclamped(ux, item.start.year, item.start.month, item.start.day + 1);
    s.SelectFont(EventFontHeight, WeightNormal);
    s.SetTextColor(item.lineColor);
    s.TextOut(sx + (ux - sx) / 2 + dx, laneTop + g.markBaseline + dy, MarkText(item),
              TextAlign::CenterBottom);
    s.SetTextColor(0);
    DrawTaskLabel(item, (sx + ux) / 2, laneTop);
}

void ItemShapes::DrawProgress(const ChartItem& item, int laneTop)
{
    const DaySpan span = Span(item);
    if (span.sres == 1 || span.eres == -1)
        return;
    const int y = laneTop + g.lineOffset;
    const int half = g.progressHalf;
    const Heads heads = TaskHeads(item, span);
    const int x1 = span.sx + (heads.left ? g.headLength : 0);
    const int x2 = span.ex - (heads.right ? g.headLength : 0);
    if (x1 < x2) {
        Segment(x1, y - half, x2, y - half);
        Segment(x1, y + half, x2, y + half);
    }
    DrawHeads(item, span, heads, y);

    const int left = heads.left ? span.sx + heads.length : span.sx + 1;
    const int right = heads.right ? span.ex - heads.length : span.ex - 1;
    Segment(left - 1, y - half, left - 1, y + half);
    Segment(right, y - half, right, y + half);

    int u1 = 0;
    int u2 = 0;
    view.DateToXUnclamped(u1, item.start.year, item.start.month, item.start.day);
    view.DateToXUnclamped(u2, item.end.year, item.end.month, item.end.day + 1);
    const int64_t done = u1 + (static_cast<int64_t>(u2 - u1) * item.progress) / 100;
    const int64_t f = std::min<int64_t>(done, right);
    if (item.progress != 0 && f > left)
        s.FillRect(left + dx, y - 1 + dy, static_cast<int>(f) + dx, y + 2 + dy,
                   item.progressColor);
    DrawTaskLabel(item, (span.sx + span.ex) / 2, laneTop);
}

void ItemShapes::DrawConnector(int doc, const ChartItem& item)
{
    int xa = 0;
    int ya = 0;
    int xb = 0;
    int yb = 0;
    if (view.LineConnector(doc, item, xa, ya, xb, yb))
        Segment(xa, ya, xb, yb);
}

// The box is composed off the chart so that its text wraps and clips inside the frame; only
// the part between the timeline's first pixel and the right clamp is composed and copied.
void ItemShapes::DrawTextBox(const ChartItem& item, int top)
{
    int x1 = 0;
    view.DateToXUnclamped(x1, item.start.year, item.start.month, item.start.day);
    const int64_t x2 = static_cast<int64_t>(x1) + item.boxWidth;
    const int rightClamp = view.bufferWidth - RightClampMargin;
    if (x1 >= rightClamp || x2 < TimelineFirstX || x2 < x1)
        return;
    const int bt = top + item.start.lane * LaneHeight + g.bandTop;
    const int bb = top + item.end.lane * LaneHeight + g.bandBottom;
    if (bb < bt)
        return;
    const int w = static_cast<int>(x2 - x1);
    const int hgt = bb - bt;

    const int left = std::max(x1, TimelineFirstX);
    const int right = static_cast<int>(std::min<int64_t>(x2, rightClamp));
    const int upper = std::max(bt + dy, 0) - dy;
    const int lower = std::min(bb + dy, view.bufferHeight - 1) - dy;
    if (right < left || lower < upper)
        return;
    const int ox = left - x1;
    const int oy = upper - bt;

    QImage box(right - left + 1, lower - upper + 1, QImage::Format_RGB32);
    // Frame ends far outside the composed part are pulled in to just beyond it, where they
    // draw the same pixels without straining the rasteriser.
    const auto fx = [&](int x) { return std::clamp(x, -1, box.width()); };
    const auto fy = [&](int y) { return std::clamp(y, -1, box.height()); };
    const int frameLeft = fx(-ox);
    const int frameRight = fx(w - ox);
    const int frameTop = fy(-oy);
    const int frameBottom = fy(hgt - oy);
    {
        Surface composed(box);
        composed.FillRect(0, 0, box.width(), box.height(), 0xFFFFFF);
        composed.Segment(frameLeft, frameTop, frameRight, frameTop);
        composed.Segment(frameLeft, frameBottom, frameRight, frameBottom);
        composed.Segment(frameLeft, frameTop, frameLeft, frameBottom);
        composed.Segment(frameRight, frameTop, frameRight, frameBottom);
        composed.SelectFont(item.textSize, item.textWeight);
        composed.SetTextColor(item.textColor);
        // No line of 128 bytes runs wider than the slack: a text starting further left is out
        // of sight, and a wrap edge further right breaks no line.
        const int textLeft = 2 - ox;
        const int textRight = std::min(w - 2 - ox, box.width() + MaxTextSlack);
        if (textLeft > -MaxTextSlack)
            composed.DrawWrapped(textLeft, 2 - oy, textRight, hgt - 2 - oy, item.text,
                                 sizeof item.text);
    }
    s.Blit(left + dx, upper + dy, box.width(), box.height(), box, 0, 0, BlitOp::Copy);
}

// Draws an item whose start row is the flattened row `row`; nothing when its lane is not shown.
void DrawAtRow(const ChartView& view, Surface& s, int doc, const ChartItem& item, int row, int dx,
               int dy)
{
    const ProjectRow* startRow = view.workspace.RowAt(row);
    if (!startRow || item.start.lane >= startRow->lanes)
        return;
    const int k = row - view.firstRow;
    // A connector may start above the first row shown, or below the last, and still cross them.
    const bool laidOut = k >= 0 && k < view.viewRowCount;
    if (!laidOut && item.type != Line)
        return;
    ItemShapes(view, s, dx, dy).Draw(doc, item, laidOut ? view.rowTop[k] : 0);
}

// How far above its lane an item can paint at most: an event's mark, or a label in the item's
// text font, whether the item shows one or not. Texts get a second line height to spare for
// glyphs that overhang their line. Labels mostly share one font, so the last one is kept.
class ReachAbove {
public:
    int Of(const ChartItem& item)
    {
        if (item.textSize != labelSize || item.textWeight != labelWeight) {
            labelSize = item.textSize;
            labelWeight = item.textWeight;
            labelReach = 2 * Surface::LineHeightOf(labelSize, labelWeight);
        }
        return std::max(markReach, labelReach);
    }

private:
    const int markReach =
        2 * Surface::LineHeightOf(EventFontHeight, WeightNormal) - Screen.markBaseline;
    int labelSize = -1;
    int labelWeight = -1;
    int labelReach = 0;
};

// The tests that the shapes make of their days, other than a connector's.
bool OnShownDays(const ChartView& view, const ChartItem& item)
{
    int sx = 0;
    switch (item.type) {
    case TaskLine:
    case TaskBand:
    case Progress: {
        int ex = 0;
        return view.DateToX(ex, item.end.year, item.end.month, item.end.day + 1) != -1
            && view.DateToX(sx, item.start.year, item.start.month, item.start.day) != 1;
    }
    case Event:
        return view.DateToX(sx, item.start.year, item.start.month, item.start.day) == 0;
    case TextBox: {
        view.DateToXUnclamped(sx, item.start.year, item.start.month, item.start.day);
        const int64_t right = static_cast<int64_t>(sx) + item.boxWidth;
        return sx < view.bufferWidth - RightClampMargin && right >= TimelineFirstX && right >= sx;
    }
    default:
        return false;
    }
}

// A connector whose ends both lie above the rows, both below the buffer, or both on one side of
// the timeline is clipped to a single point and draws nothing.
bool ConnectorMayShow(const ChartView& view, const VisibleRowMap& rows, const ChartItem& item,
                      int startRow)
{
    const int endRow = rows.Find(item.end.rowId);
    if (endRow < 0)
        return false;
    const auto belowBuffer = [&view](int row) {
        const int k = row - view.firstRow;
        return k >= 0 && k < view.viewRowCount && view.rowTop[k] >= view.bufferHeight;
    };
    if ((startRow < view.firstRow && endRow < view.firstRow)
        || (belowBuffer(startRow) && belowBuffer(endRow)))
        return false;
    int u1 = 0;
    int u2 = 0;
    view.DateToXUnclamped(u1, item.start.year, item.start.month, item.start.day);
    view.DateToXUnclamped(u2, item.end.year, item.end.month, item.end.day);
    return !(u1 <= TimelineLeft && u2 <= TimelineLeft)
        && !(u1 >= view.bufferWidth && u2 >= view.bufferWidth);
}

// Whether an item can paint anything, from the same tests its shape makes, before any drawing
// set-up: most items of a large plan lie in rows below the buffer or on days out of the view.
bool MayShow(const ChartView& view, const VisibleRowMap& rows, ReachAbove& reach,
             const ChartItem& item, int row)
{
    if (item.type == Line)
        return ConnectorMayShow(view, rows, item, row);
    const int k = row - view.firstRow;
    if (k < 0 || k >= view.viewRowCount)
        return false;
    const int laneTop = view.rowTop[k] + item.start.lane * LaneHeight;
    if (laneTop >= view.bufferHeight && laneTop - reach.Of(item) >= view.bufferHeight)
        return false;
    return OnShownDays(view, item);
}

}  // namespace

int ChartView::DrawProjectItems(int doc)
{
    int first = 0;
    int last = 0;
    if (!surface || !DocumentRowRange(doc, first, last))
        return 1;
    const VisibleRowMap rows(workspace, doc);
    ReachAbove reach;
    const Document& document = *workspace.Doc(doc);
    for (int i = 0; i < document.ItemCount(); ++i) {
        const ChartItem* stored = document.ItemPtr(i);
        if (!stored || stored->state != ItemNormal)
            continue;
        const int row = rows.Find(stored->start.rowId);
        if (row < 0 || !MayShow(*this, rows, reach, *stored, row))
            continue;
        ChartItem item;
        CopyItem(item, *stored);
        DrawAtRow(*this, *surface, doc, item, row, 0, 0);
    }
    return 1;
}

void ChartView::DrawProjectItem(Surface& s, int doc, const ChartItem& item, int dx, int dy)
{
    const int row = workspace.FindVisibleRow(doc, item.start.rowId);
    if (row >= 0)
        DrawAtRow(*this, s, doc, item, row, dx, dy);
}

void ChartView::DrawItemText(const ChartItem& item, int x, int y, TextAlign align)
{
    if (surface)
        DrawLabel(*surface, item, x, y, align);
}

}  // namespace td
