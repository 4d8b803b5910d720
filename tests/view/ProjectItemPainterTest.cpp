#include "ChartFixture.h"

#include "view/PageItemShapes.h"

#include "model/AttributeValues.h"
#include "view/ViewBitmaps.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace td {
namespace {

constexpr QRgb Green = 0xFF00FF00;

// Chart x of a day of April 2009 at zoom 7 with the view starting on 1 April.
constexpr int AprilX(int day) { return 340 + (day - 1) * 80; }

// An item of April 2009 from `startDay` to `endDay` in `lane`, adjusted by chained setters.
struct It : ChartItem {
    It(int itemType, int lane, int startDay, int endDay)
    {
        type = itemType;
        state = ItemNormal;
        start = {0, static_cast<uint8_t>(lane), 2009, 4, startDay, 0, 0};
        end = {0, static_cast<uint8_t>(lane), 2009, 4, endDay, 0, 0};
        lineWidth = PlainLineWidth;
        textSize = 14;
        textWeight = WeightNormal;
    }
    It& Months(int startMonth, int endMonth) { start.month = startMonth, end.month = endMonth; return *this; }
    It& Lanes(int first, int last) { start.lane = first, end.lane = last; return *this; }
    It& Rows(int startRowId, int endRowId) { start.rowId = startRowId, end.rowId = endRowId; return *this; }
    It& Arrow(int heads) { arrow = heads; return *this; }
    It& Width(int32_t bits) { lineWidth = bits; return *this; }
    It& Text(const char* label) { std::snprintf(text, sizeof text, "%s", label); return *this; }
    It& State(int itemState) { state = itemState; return *this; }
    It& LineColor(Color color) { lineColor = color; return *this; }
    It& Style(int style) { lineStyle = style; return *this; }
    It& Done(int percent) { progress = percent, progressColor = 0x00FF00; return *this; }
    It& Box(int width) { boxWidth = width; return Lanes(0, 1); }
};

ChartItem MakeLine(int startLane, int startDay, int endRowId, int endLane, int endDay)
{
    return It(Line, startLane, startDay, endDay).Lanes(startLane, endLane).Rows(0, endRowId);
}

// One project row of three lanes (y 65..124) at zoom 7 from 1 April 2009; buffer 1920 x 400.
struct ItemChart : ChartFixture {
    explicit ItemChart(std::initializer_list<int> lanes = {3}) { AddProject(lanes), view.SetView(7, {2009, 4, 1}); }

    int Add(const ChartItem& item) { return workspace.AddItem(0, item); }
    const QImage& Draw() { return view.Redraw(), view.BackBuffer(); }
};

// The lane-1 stroke of a task sits at y 65 + 20 + 9.
constexpr int Lane1Y = 94;

// Heads are glyphs of the triangle strip, with nothing beyond them; a task too short for two
// whole heads gets halves and no stroke, and the glyphs keep their own colours whatever the line
// colour.
TEST(ProjectItemPainter, ArrowHeadsAreGlyphsBesideTheStroke)
{
    // Each head's chart x, glyph x and width (width 0: none); the stroke black at both its ends
    // unless they are equal.
    const struct {
        int zoom, startDay, endDay, arrow; Color color; std::array<int, 3> heads[2]; int strokeFrom, strokeTo;
    } cases[] = {
        {7, 3, 10, ArrowBoth, 0, {{AprilX(3), 0, 8}, {AprilX(11) - 8, 8, 8}}, AprilX(3) + 8, AprilX(11) - 9},
        {5, 3, 3, ArrowBoth, 0, {{380, 0, 8}, {392, 8, 8}}, 388, 391},
        {2, 4, 6, ArrowBoth, 0x0000FF, {{348, 16, 4}, {352, 28, 4}}, 0, 0},
        {7, 3, 10, ArrowLeft, 0xFFFFFF, {{AprilX(3), 0, 8}, {0, 0, 0}}, 0, 0},
    };
    const QImage glyphs = ViewBitmap("IDB_TRIANGLE").convertToFormat(QImage::Format_RGB32);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        ItemChart f;
        f.SetZoom(c.zoom);
        f.Add(It(TaskLine, 1, c.startDay, c.endDay).Arrow(c.arrow).LineColor(c.color));
        const QImage& image = f.Draw();
        for (const auto& [x, glyphX, width] : c.heads)
            EXPECT_TRUE(width == 0 || image.copy(x, Lane1Y - 7, width, 15) == glyphs.copy(glyphX, 0, width, 15)) << x;
        if (c.strokeFrom != c.strokeTo)
            ExpectPixels(image, {{c.strokeFrom, Lane1Y, Black}, {c.strokeTo, Lane1Y, Black}});
        // Nothing beyond the heads.
        EXPECT_FALSE(Inked(image, std::max(341, c.heads[0][0] - 10), 85, c.heads[0][0], 105));
        const int right = c.heads[1][0] + c.heads[1][2];
        EXPECT_FALSE(c.heads[1][2] && Inked(image, right, 85, right + 12, 105));
    }
}

// Each width bit strokes its own offset from the lane's line: 4 at -2, 8 at -1, 16 on it, 32 at
// +1, 64 at +2; bits combine.
TEST(ProjectItemPainter, StrokeBitsAtTheirOffsets)
{
    for (int32_t width : {4, 8, 16, 32, 64, 4 + 64, 8 + 16 + 32, 100, 76}) {
        ItemChart f;
        f.Add(It(TaskLine, 1, 3, 10).Width(width));
        const QImage& image = f.Draw();
        for (int o = -3; o <= 3; ++o)
            EXPECT_EQ(image.pixel(700, Lane1Y + o) == Black, o >= -2 && o <= 2 && (width & (4 << (o + 2))) != 0)
                << "width " << width << " offset " << o;
    }
}

// Every mark code draws in the middle of its day, in the item's colour; other codes draw nothing.
TEST(ProjectItemPainter, EventMarksSitInTheMiddleOfTheirDay)
{
    const int middle = AprilX(3) + 40;
    for (int code = MarkCircle; code <= MarkDate + 1; ++code) {
        ItemChart f;
        f.Add(It(Event, 1, 3, 3).Style(code).LineColor(0x0000FF));
        const QImage& image = f.Draw();
        EXPECT_EQ(Inked(image, middle - 12, 85, middle + 12, 102), code <= MarkDate) << code;
        EXPECT_FALSE(Inked(image, AprilX(3) + 1, 66, middle - 12, 124) || Inked(image, middle + 12, 66, AprilX(4), 124)
                     || Inked(image, middle - 12, 102, middle + 12, 124));
        EXPECT_EQ(CountColor(image, Red, middle - 10, 85, middle + 10, 102) > 10, code <= MarkDate);
    }
}

// Each scene draws its items on a chart of the given lanes scrolled to `firstRow`, then checks
// pixels and regions (0: blank, 1: inked somewhere, 2: black throughout).
TEST(ProjectItemPainter, ItemsDrawnAndClipped)
{
    // Items from 3 April start at sx; those to 8 April end at ex, progress bars to 12 April at px.
    const int sx = AprilX(3), ex = AprilX(9), px = AprilX(13), clamp = 1910;
    const struct {
        const char* behaviour; std::initializer_list<int> lanes; int firstRow; std::initializer_list<ChartItem> items;
        std::initializer_list<Px> pixels; std::initializer_list<std::array<int, 5>> regions;  // x0, y0, x1, y1, expected
    } scenes[] = {
        {"a line from before the first date starts at the timeline", {3}, 0, {It(Line, 0, 30, 3).Months(3, 4).Lanes(0, 2)},
         {{341, 94, Black}}, {{221, 66, 339, 124, 0}}},
        // The start lies 60 pixels above the first row shown: y 14 clipped to 65 at x 634.
        {"a line is clipped at the first row shown", {3, 2}, 1, {MakeLine(0, 3, 1, 0, 5)}, {{634, 65, Black}},
         {{341, 65, 630, 75, 0}, {655, 70, 660, 75, 1}}},
        {"a line is clipped at the buffer's bottom", {3, 20}, 0, {MakeLine(0, 3, 1, 19, 5)}, {},
         {{500, 398, 660, 399, 1}, {341, 399, 661, 400, 0}}},
        {"a vertical line is a segment clipped to its lanes", {3, 2}, 0, {MakeLine(0, 3, 0, 2, 3)},
         {{sx, 73, White}, {sx, 114, White}}, {{sx, 74, sx + 1, 114, 2}}},
        {"drawn upwards, it keeps its start and leaves out its end", {3, 2}, 0, {MakeLine(2, 3, 0, 0, 3)},
         {{sx, 74, White}, {sx, 75, Black}, {sx, 114, Black}}, {}},
        {"a vertical line from a row scrolled away starts at the rows", {3, 2}, 1, {MakeLine(0, 4, 1, 1, 4)},
         {{580, 64, Black}, {580, 65, Black}, {580, 93, Black}, {580, 94, White}}, {}},
        {"a task cut at both edges loses its heads", {3}, 0, {It(TaskLine, 1, 20, 31).Months(3, 12).Arrow(ArrowBoth)},
         {{341, 94, Black}, {clamp - 1, 94, Black}, {clamp, 94, White}},
         {{341, 87, 360, 94, 0}, {clamp - 20, 87, clamp + 5, 94, 0}}},
        {"items before the first date or after the right clamp draw nothing", {3}, 0,
         {It(TaskLine, 1, 10, 20).Months(3, 3).Lanes(1, 2), It(TaskBand, 1, 1, 1).Months(11, 11).Lanes(1, 2),
          It(Event, 1, 31, 31).Months(3, 3).Lanes(1, 2), It(Event, 1, 1, 1).Months(9, 9).Lanes(1, 2),
          It(Line, 1, 10, 20).Months(3, 3).Lanes(1, 2)}, {}, {{221, 66, 339, 124, 0}, {341, 66, 1920, 124, 0}}},
        // Bands from 3 to 8 April in lane 1 span x 500..980, y 88..100.
        {"a band's stroke bits spread outwards and inwards", {3}, 0, {It(TaskBand, 1, 3, 8).Width(4 + 64)},
         {{700, 86, Black}, {700, 88, White}, {700, 90, Black}, {700, 98, Black}, {700, 102, Black}, {sx - 2, 94, Black},
          {sx, 94, White}, {sx + 2, 94, Black}, {ex - 2, 94, Black}, {ex, 94, White}, {ex + 2, 94, Black}}, {}},
        // Head: 45-degree edges from the tip back to the long edges. Notch: its point lies 6 pixels
        // inside the left end, which stays open.
        {"a band's head and notch", {3}, 0, {It(TaskBand, 1, 3, 8).Arrow(ArrowBoth)},
         {{ex, 94, Black}, {ex - 3, 91, Black}, {ex - 3, 97, Black}, {ex, 90, White}, {ex + 1, 94, White},
          {ex - 7, 88, Black}, {sx + 6, 94, Black}, {sx + 3, 91, Black}, {sx + 3, 97, Black}, {sx + 5, 94, White},
          {sx, 94, White}, {sx + 1, 88, Black}}, {}},
        {"an empty progress bar has no done part", {3}, 0, {It(Progress, 1, 3, 12).Done(0)},
         {{sx, 94, Black}, {sx + 1, 93, White}, {sx + 1, 95, White}, {px - 2, 94, White}}, {}},
        {"with heads, the done part stops at the right cap", {3}, 0, {It(Progress, 1, 3, 12).Done(100).Arrow(ArrowBoth)},
         {{sx + 7, 94, Black}, {sx + 8, 94, Green}, {px - 9, 94, Green}, {px - 8, 94, Black}}, {}},
        // The box spans y 68 (lane 0 + 3) to y 100 (lane 1 + 15), x 500 to 600.
        {"a text box frames its wrapped text", {3}, 0, {It(TextBox, 0, 3, 3).Box(100).Text("Wrapped text box words wrap")},
         {{499, 80, White}, {601, 80, White}, {590, 67, White}, {590, 101, White}},
         {{500, 68, 600, 69, 2}, {500, 100, 600, 101, 2}, {500, 68, 501, 100, 2}, {600, 68, 601, 100, 2},
          {502, 70, 598, 84, 1}, {502, 84, 598, 98, 1}, {501, 69, 502, 100, 0}, {599, 69, 600, 100, 0}}},
        // From x 180 to 480, from x 1860, and from x 180 to the timeline's first column.
        {"text boxes are cut at both edges of the timeline", {3}, 0,
         {It(TextBox, 0, 30, 30).Months(3, 3).Box(300), It(TextBox, 0, 20, 20).Box(200)},
         {{339, 68, White}, {341, 68, Black}, {479, 80, White}, {480, 80, Black}, {481, 80, White}, {1860, 80, Black},
          {clamp, 68, Black}, {clamp + 1, 68, White}, {clamp, 80, White}}, {}},
        {"a text box ending on the timeline's first column shows that edge", {3}, 0,
         {It(TextBox, 0, 30, 30).Months(3, 3).Box(161)}, {{341, 80, Black}, {342, 80, White}}, {}},
        {"damaged text boxes are skipped", {3}, 0, {It(TextBox, 0, 3, 3).Box(-50).Text("x"),
          It(TextBox, 0, 5, 5).Box(100).Lanes(2, 0).Text("x"), It(TextBox, 0, 8, 8).Box(0x7FFFFFFF).Text("x")},
         {{clamp, 68, Black}}, {{341, 66, AprilX(8), 124, 0}}},
        // Lane 0 has no lane above: no text.
        {"item text sits in the lane above", {3}, 0, {It(TaskLine, 1, 3, 4).Text("Label"), It(TaskLine, 0, 10, 11).Text("Label")},
         {}, {{560, 66, 600, 85, 1}, {sx, 86, AprilX(5), 94, 0}, {AprilX(10), 66, AprilX(12), 74, 0}}},
        {"selected, deleted and misplaced items are not drawn", {3, 2}, 0,
         {It(TaskBand, 1, 3, 5).State(ItemSelected), It(TaskBand, 1, 3, 5).State(ItemDeleted),
          It(TaskBand, 1, 3, 5).Lanes(3, 1), It(TaskBand, 1, 3, 5).Rows(7, 0)},
         {}, {{341, 66, 1920, 124, 0}, {341, 125, 1920, 164, 0}}},
    };
    for (const auto& c : scenes) {
        SCOPED_TRACE(c.behaviour);
        ItemChart f(c.lanes);
        f.view.ScrollToRow(c.firstRow);
        for (const ChartItem& item : c.items)
            f.Add(item);
        ExpectPixels(f.Draw(), c.pixels);
        for (const auto& [x0, y0, x1, y1, expected] : c.regions) {
            const bool black = CountColor(f.view.BackBuffer(), Black, x0, y0, x1, y1) == (x1 - x0) * (y1 - y0);
            EXPECT_EQ(expected == 2 ? black : f.Inked(x0, y0, x1, y1), expected != 0) << x0 << "," << y0;
        }
    }
}

TEST(ProjectItemPainter, ItemsOfFoldedOrScrolledAwayRowsAreNotDrawn)
{
    ItemChart f({1});
    f.workspace.Doc(0)->AddRow(1);
    f.workspace.Doc(0)->AddRow(0);
    f.workspace.RebuildVisibleRows();
    f.Add(It(TaskLine, 1, 3, 5).Rows(1, 0));  // folded away
    f.Add(It(TaskLine, 1, 3, 5));  // scrolled away
    f.workspace.ShowSubtree(0, false);
    ASSERT_EQ(f.workspace.FindVisibleRow(0, 1), -1);
    f.view.ScrollToRow(1);
    f.view.Redraw();
    EXPECT_FALSE(Inked(f.view.BackBuffer(), 341, 65, f.view.Layout().BufferWidth(), 104));
}

// Shapes drawn on a surface of their own, shifted by (10, 20), as the page draws them: an item
// draws whatever its state, and on paper the done part of a progress bar is its share of the
// whole bar.
TEST(ProjectItemPainter, ShapesDrawnOnTheirOwnSurfaceAreShifted)
{
    ItemChart f;
    f.Add(It(TaskLine, 0, 20, 25));
    f.Draw();
    QImage image(f.view.Layout().BufferWidth(), f.view.Layout().BufferHeight(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        Surface s(image);
        const ChartGeometry geometry = f.view.Geometry();
        ItemShapes(f.workspace, geometry, s, 10, 20).Draw(0, It(TaskLine, 1, 3, 5).State(ItemSelected));
        PageItemShapes(f.workspace, geometry, s, 10, 20).Draw(0, It(Progress, 2, 3, 12).Done(50));
    }
    // The progress bar's lane-2 line lies at y 114 + 20; its done half ends at 900 + 10.
    ExpectPixels(image, {{AprilX(3) + 10, Lane1Y + 20, Black}, {AprilX(3) + 9, Lane1Y + 20, White},
                         {AprilX(3) + 10, Lane1Y, White}, {909, 134, Green}, {910, 134, White}});
}

}  // namespace
}  // namespace td
