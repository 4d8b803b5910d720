#include "ChartFixture.h"

#include "model/AttributeValues.h"
#include "view/ViewBitmaps.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace td {
namespace {

constexpr QRgb Green = 0xFF00FF00;
constexpr QRgb Blue = 0xFF0000FF;

// Chart x of a day of April 2009 at zoom 7 with the view starting on 1 April.
constexpr int AprilX(int day) { return 340 + (day - 1) * 80; }

ChartItem MakeItem(int type, int lane, int startDay, int endDay)
{
    ChartItem item;
    item.type = type;
    item.state = ItemNormal;
    item.start = {0, static_cast<uint8_t>(lane), 2009, 4, startDay, 0, 0};
    item.end = {0, static_cast<uint8_t>(lane), 2009, 4, endDay, 0, 0};
    item.lineWidth = PlainLineWidth;
    item.textSize = 14;
    item.textWeight = WeightNormal;
    return item;
}

void SetText(ChartItem& item, const char* text)
{
    std::strncpy(item.text, text, sizeof item.text);
}

// One project row of three lanes (y 65..124) at zoom 7 from 1 April 2009; buffer 1920 x 400.
struct ItemChart : ChartFixture {
    explicit ItemChart(std::initializer_list<int> lanes = {3})
    {
        AddProject(lanes);
        SetFirstDate(2009, 4, 1);
        view.zoomLevel = 7;
    }

    int Add(const ChartItem& item) { return workspace.AddItem(0, item); }

    const QImage& Draw()
    {
        view.Redraw();
        return view.BackBuffer();
    }
};

// The lane-1 stroke of a task sits at y 65 + 20 + 9.
constexpr int Lane1Y = 94;

bool MatchesGlyph(const QImage& chart, int x, int y, int glyphX, int width)
{
    const QImage& glyphs = ViewBitmap("IDB_TRIANGLE");
    for (int row = 0; row < 15; ++row)
        for (int col = 0; col < width; ++col)
            if (chart.pixel(x + col, y + row) != glyphs.pixel(glyphX + col, row))
                return false;
    return true;
}

// Heads are glyphs of the triangle strip, with nothing beyond them; a task too short for two
// whole heads gets halves and no stroke, and the glyphs keep their own colours whatever the line
// colour.
TEST(ProjectItemPainter, ArrowHeadsAreGlyphsBesideTheStroke)
{
    const struct {
        int zoom, startDay, endDay, arrow;
        Color color;
        std::array<int, 3> heads[2];  // chart x, glyph x, width; width 0: no head
        int strokeFrom, strokeTo;     // black along the lane at both; equal: no stroke
    } cases[] = {
        {7, 3, 10, ArrowBoth, 0, {{AprilX(3), 0, 8}, {AprilX(11) - 8, 8, 8}}, AprilX(3) + 8, AprilX(11) - 9},
        {5, 3, 3, ArrowBoth, 0, {{380, 0, 8}, {392, 8, 8}}, 388, 391},
        {2, 4, 6, ArrowBoth, 0x0000FF, {{348, 16, 4}, {352, 28, 4}}, 0, 0},
        {7, 3, 10, ArrowLeft, 0xFFFFFF, {{AprilX(3), 0, 8}, {0, 0, 0}}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        ItemChart f;
        f.view.zoomLevel = c.zoom;
        ChartItem item = MakeItem(TaskLine, 1, c.startDay, c.endDay);
        item.arrow = c.arrow;
        item.lineColor = c.color;
        f.Add(item);
        const QImage& image = f.Draw();
        for (const auto& [x, glyphX, width] : c.heads)
            EXPECT_TRUE(width == 0 || MatchesGlyph(image, x, Lane1Y - 7, glyphX, width)) << x;
        if (c.strokeFrom != c.strokeTo) {
            ExpectPixels(image, {{c.strokeFrom, Lane1Y, Black}, {c.strokeTo, Lane1Y, Black}});
        }
        // Nothing beyond the heads.
        EXPECT_FALSE(Inked(image, std::max(341, c.heads[0][0] - 10), 85, c.heads[0][0], 105));
        const int right = c.heads[1][0] + c.heads[1][2];
        if (c.heads[1][2]) {
            EXPECT_FALSE(Inked(image, right, 85, right + 12, 105));
        }
    }
}

TEST(ProjectItemPainter, StrokeBitsAtTheirOffsets)
{
    const struct {
        int32_t width;
        std::initializer_list<int> inked;
    } cases[] = {
        {4, {-2}}, {8, {-1}}, {16, {0}}, {32, {1}}, {64, {2}},
        {4 + 64, {-2, 2}}, {8 + 16 + 32, {-1, 0, 1}}, {100, {-2, 1, 2}}, {76, {-2, -1, 2}},
    };
    for (const auto& c : cases) {
        ItemChart f;
        ChartItem item = MakeItem(TaskLine, 1, 3, 10);
        item.lineWidth = c.width;
        f.Add(item);
        const QImage& image = f.Draw();
        for (int o = -3; o <= 3; ++o) {
            bool expected = std::find(c.inked.begin(), c.inked.end(), o) != c.inked.end();
            EXPECT_EQ(image.pixel(700, Lane1Y + o) == Black, expected)
                << "width " << c.width << " offset " << o;
        }
    }
}

TEST(ProjectItemPainter, TaskClampedAtBothEdgesLosesItsHeads)
{
    ItemChart f;
    ChartItem item = MakeItem(TaskLine, 1, 1, 1);
    item.start.month = 3;
    item.start.day = 20;
    item.end.month = 12;
    item.end.day = 31;
    item.arrow = ArrowBoth;
    f.Add(item);
    const QImage& image = f.Draw();
    const int right = f.view.bufferWidth - 10;
    ExpectPixels(image, {{341, Lane1Y, Black}, {right - 1, Lane1Y, Black}, {right, Lane1Y, White}});
    EXPECT_FALSE(Inked(image, 341, Lane1Y - 7, 360, Lane1Y));
    EXPECT_FALSE(Inked(image, right - 20, Lane1Y - 7, right + 5, Lane1Y));
}

// Items before the first date or after the right clamp leave the timeline blank; an empty
// progress bar has no done part.
TEST(ProjectItemPainter, ItemsOutsideTheViewDrawNothing)
{
    ItemChart f;
    const struct {
        int type, startMonth, startDay, endMonth, endDay;
    } outside[] = {{TaskLine, 3, 10, 3, 20}, {TaskBand, 11, 1, 11, 1}, {Event, 3, 31, 3, 31},
                   {Event, 9, 1, 9, 1}, {Line, 3, 10, 3, 20}};
    for (const auto& [type, startMonth, startDay, endMonth, endDay] : outside) {
        ChartItem item = MakeItem(type, 1, startDay, endDay);
        item.start.month = startMonth;
        item.end.month = endMonth;
        item.end.lane = 2;
        f.Add(item);
    }
    const QImage& image = f.Draw();
    EXPECT_FALSE(Inked(image, 221, 66, 339, 124));
    EXPECT_FALSE(Inked(image, 341, 66, f.view.bufferWidth, 124));

    ChartItem empty = MakeItem(Progress, 1, 3, 12);
    empty.progressColor = 0x00FF00;
    f.Add(empty);
    EXPECT_EQ(CountColor(f.Draw(), Green, 341, 66, f.view.bufferWidth, 124), 0);
}

// Bands from 3 to 8 April in lane 1 (x 500..980, y 88..100).
TEST(ProjectItemPainter, BandOutlinesStrokesHeadAndNotch)
{
    const int sx = AprilX(3);
    const int ex = AprilX(9);
    const struct {
        int32_t width;
        int arrow;
        std::initializer_list<Px> pixels;
    } cases[] = {
        // A closed outline with an empty inside.
        {PlainLineWidth, 0, {{700, 88, Black}, {700, 100, Black}, {sx - 1, 94, White}, {ex + 1, 94, White}}},
        // Stroke bits spread outwards and inwards from the outline.
        {4 + 64, 0, {{700, 86, Black}, {700, 88, White}, {700, 90, Black}, {700, 98, Black}, {700, 102, Black},
                     {sx - 2, 94, Black}, {sx, 94, White}, {sx + 2, 94, Black},
                     {ex - 2, 94, Black}, {ex, 94, White}, {ex + 2, 94, Black}}},
        // Head: 45-degree edges from the tip at the middle back to the long edges. Notch: its
        // point lies 6 pixels inside the left end, which stays open.
        {PlainLineWidth, ArrowBoth, {{ex, 94, Black}, {ex - 3, 91, Black}, {ex - 3, 97, Black}, {ex, 90, White},
                                     {ex + 1, 94, White}, {ex - 7, 88, Black}, {sx + 6, 94, Black},
                                     {sx + 3, 91, Black}, {sx + 3, 97, Black}, {sx + 5, 94, White},
                                     {sx, 94, White}, {sx + 1, 88, Black}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width * 10 + c.arrow);
        ItemChart f;
        ChartItem item = MakeItem(TaskBand, 1, 3, 8);
        item.lineWidth = c.width;
        item.arrow = c.arrow;
        f.Add(item);
        ExpectPixels(f.Draw(), c.pixels);
        if (c.width == PlainLineWidth && !c.arrow) {
            EXPECT_FALSE(f.Inked(sx + 1, 89, ex, 100));
            for (int y = 88; y <= 100; ++y)
                EXPECT_TRUE(f.Pixel(sx, y) == Black && f.Pixel(ex, y) == Black) << y;
        }
    }
}

// Every mark code draws in the middle of its day, in the item's colour; other codes draw nothing.
TEST(ProjectItemPainter, EventMarksSitInTheMiddleOfTheirDay)
{
    const int middle = AprilX(3) + 40;
    for (int code = MarkCircle; code <= MarkDate + 1; ++code) {
        ItemChart f;
        ChartItem item = MakeItem(Event, 1, 3, 3);
        item.lineStyle = code;
        item.lineColor = 0x0000FF;
        f.Add(item);
        const QImage& image = f.Draw();
        EXPECT_EQ(Inked(image, middle - 12, 85, middle + 12, 102), code <= MarkDate) << code;
        EXPECT_FALSE(Inked(image, AprilX(3) + 1, 66, middle - 12, 124));
        EXPECT_FALSE(Inked(image, middle + 12, 66, AprilX(4), 124));
        EXPECT_FALSE(Inked(image, middle - 12, 102, middle + 12, 124));
        EXPECT_EQ(CountColor(image, Red, middle - 10, 85, middle + 10, 102) > 10, code <= MarkDate);
    }
}

TEST(ProjectItemPainter, ProgressSplitsDoneFromRemaining)
{
    const int sx = AprilX(3);
    const int ex = AprilX(13);
    const int done = sx + (ex - sx) / 2;
    ItemChart f;
    ChartItem item = MakeItem(Progress, 1, 3, 12);
    item.progress = 50;
    item.progressColor = 0x00FF00;
    f.Add(item);
    const QImage& image = f.Draw();
    for (int y = Lane1Y - 2; y <= Lane1Y + 2; ++y) {
        SCOPED_TRACE(y);
        ExpectPixels(image, {{sx, y, Black}, {ex - 1, y, Black}});
        if (y != Lane1Y - 2 && y != Lane1Y + 2)
            ExpectPixels(image, {{sx + 1, y, Green}, {done - 1, y, Green}, {done, y, White}, {ex - 2, y, White}});
    }

    // Full, with heads: the done part stops at the right cap.
    f.workspace.Doc(0)->DeleteItem(0);
    item.progress = 100;
    item.arrow = ArrowBoth;
    f.Add(item);
    ExpectPixels(f.Draw(), {{sx + 7, Lane1Y, Black}, {sx + 8, Lane1Y, Green}, {ex - 9, Lane1Y, Green},
                            {ex - 8, Lane1Y, Black}});
}

ChartItem MakeLine(int startLane, int startDay, int endRowId, int endLane, int endDay)
{
    ChartItem item = MakeItem(Line, startLane, startDay, endDay);
    item.end.rowId = endRowId;
    item.end.lane = static_cast<uint8_t>(endLane);
    return item;
}

// A line joins the middles of its lanes and is clipped to the timeline, the rows shown and the
// buffer.
TEST(ProjectItemPainter, LinesAreClippedToTheTimelineAndTheRows)
{
    ChartItem early = MakeLine(0, 1, 0, 2, 3);  // from x 180 at y 74 to x 500 at y 114
    early.start.month = 3;
    early.start.day = 30;
    const struct {
        std::initializer_list<int> lanes;
        int firstRow;
        ChartItem line;
        std::initializer_list<Px> pixels;
        std::initializer_list<std::array<int, 5>> regions;  // x0, y0, x1, y1, inked
    } cases[] = {
        {{3}, 0, MakeLine(0, 3, 0, 2, 5), {{500, 74, Black}, {580, 94, Black}, {660, 114, White}},
         {{661, 66, 700, 124, 0}}},
        {{3}, 0, early, {{341, 94, Black}}, {{221, 66, 339, 124, 0}}},
        // The start lies 60 pixels above the first row shown: y 14 clipped to 65 at x 634.
        {{3, 2}, 1, MakeLine(0, 3, 1, 0, 5), {{634, 65, Black}}, {{341, 65, 630, 75, 0}, {655, 70, 660, 75, 1}}},
        {{3, 20}, 0, MakeLine(0, 3, 1, 19, 5), {}, {{500, 398, 660, 399, 1}, {341, 399, 661, 400, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.end.rowId * 100 + c.line.end.lane);
        ItemChart f(c.lanes);
        f.view.firstRow = c.firstRow;
        f.Add(c.line);
        ExpectPixels(f.Draw(), c.pixels);
        for (const auto& [x0, y0, x1, y1, inked] : c.regions)
            EXPECT_EQ(f.Inked(x0, y0, x1, y1), inked != 0) << x0 << "," << y0;
    }
}

TEST(ProjectItemPainter, VerticalLineIsASegmentClippedToTheRows)
{
    ItemChart f({3, 2});
    f.Add(MakeLine(0, 3, 0, 2, 3));
    f.Draw();
    const QImage& image = f.view.BackBuffer();
    const int x = AprilX(3);
    EXPECT_EQ(image.pixel(x, 73), White);
    for (int y = 74; y < 114; ++y)
        EXPECT_EQ(image.pixel(x, y), Black) << y;
    EXPECT_EQ(image.pixel(x, 114), White);

    // Drawn upwards, the line keeps its start and leaves out its end.
    f.workspace.Doc(0)->DeleteItem(0);
    ChartItem up = MakeLine(2, 3, 0, 0, 3);
    f.Add(up);
    f.Draw();
    ExpectPixels(f.view.BackBuffer(), {{x, 74, White}, {x, 75, Black}, {x, 114, Black}});

    f.view.firstRow = 1;
    ChartItem down = MakeLine(0, 4, 1, 1, 4);
    f.workspace.Doc(0)->DeleteItem(1);
    f.Add(down);
    f.Draw();
    const int x2 = AprilX(4);
    EXPECT_EQ(f.Pixel(x2, 64), Black);  // the header rule
    ExpectPixels(f.view.BackBuffer(), {{x2, 65, Black}, {x2, 93, Black}, {x2, 94, White}});
}

ChartItem MakeBox(int startDay, int width, const char* text)
{
    ChartItem item = MakeItem(TextBox, 0, startDay, startDay);
    item.end.lane = 1;
    item.boxWidth = width;
    SetText(item, text);
    return item;
}

TEST(ProjectItemPainter, TextBoxFrameAndWrappedText)
{
    ItemChart f;
    f.Add(MakeBox(3, 100, "Wrapped text box words wrap"));
    const QImage& image = f.Draw();
    const int x1 = AprilX(3);
    const int x2 = x1 + 100;
    // The box spans y 68 (lane 0 + 3) to y 100 (lane 1 + 15).
    for (int x = x1; x < x2; ++x) {
        EXPECT_EQ(image.pixel(x, 68), Black) << x;
        EXPECT_EQ(image.pixel(x, 100), Black) << x;
    }
    for (int y = 68; y < 100; ++y) {
        EXPECT_EQ(image.pixel(x1, y), Black) << y;
        EXPECT_EQ(image.pixel(x2, y), Black) << y;
    }
    ExpectPixels(image, {{x1 - 1, 80, White}, {x2 + 1, 80, White}, {90 + x1, 67, White},
                         {90 + x1, 101, White}});
    // Two lines of text inside the frame's inner rectangle, none outside it.
    EXPECT_TRUE(Inked(image, x1 + 2, 70, x2 - 2, 84));
    EXPECT_TRUE(Inked(image, x1 + 2, 84, x2 - 2, 98));
    EXPECT_FALSE(Inked(image, x1 + 1, 69, x1 + 2, 100));
    EXPECT_FALSE(Inked(image, x2 - 1, 69, x2, 100));
}

TEST(ProjectItemPainter, TextBoxIsCutAtBothEdgesOfTheTimeline)
{
    ItemChart f;
    ChartItem left = MakeBox(1, 300, "");
    left.start.month = left.end.month = 3;
    left.start.day = left.end.day = 30;  // x 180, right edge 480
    f.Add(left);
    const int clamp = f.view.bufferWidth - 10;
    ChartItem right = MakeBox(1, 200, "");
    right.start.day = right.end.day = 20;  // x 1860
    f.Add(right);
    const QImage& image = f.Draw();
    ExpectPixels(image, {{339, 68, White}, {341, 68, Black}, {479, 80, White}, {480, 80, Black},
                         {481, 80, White}, {1860, 80, Black}, {clamp, 68, Black},
                         {clamp + 1, 68, White}, {clamp, 80, White}});
}

TEST(ProjectItemPainter, DamagedTextBoxesAreSkipped)
{
    ItemChart f;
    f.Add(MakeBox(3, -50, "x"));
    ChartItem upsideDown = MakeBox(5, 100, "x");
    upsideDown.start.lane = 2;
    upsideDown.end.lane = 0;
    f.Add(upsideDown);
    ChartItem huge = MakeBox(8, 0x7FFFFFFF, "x");
    f.Add(huge);
    const QImage& image = f.Draw();
    EXPECT_FALSE(Inked(image, 341, 66, AprilX(8), 124));
    EXPECT_EQ(image.pixel(f.view.bufferWidth - 10, 68), Black);
}

TEST(ProjectItemPainter, ItemTextSitsInTheLaneAbove)
{
    ItemChart f;
    ChartItem upper = MakeItem(TaskLine, 1, 3, 4);
    SetText(upper, "Label");
    f.Add(upper);
    ChartItem top = MakeItem(TaskLine, 0, 10, 11);
    SetText(top, "Label");
    f.Add(top);
    const QImage& image = f.Draw();
    const int middle = AprilX(3) + 80;
    EXPECT_TRUE(Inked(image, middle - 20, 66, middle + 20, 85));
    EXPECT_FALSE(Inked(image, AprilX(3), 86, AprilX(5), Lane1Y));
    // Lane 0 has no lane above: no text.
    EXPECT_FALSE(Inked(image, AprilX(10), 66, AprilX(12), 74));
}

TEST(ProjectItemPainter, SelectedDeletedAndMisplacedItemsAreNotDrawn)
{
    ItemChart f({3, 2});
    ChartItem item = MakeItem(TaskBand, 1, 3, 5);
    item.lineColor = 0xFF0000;
    f.workspace.SelectItem(0, f.Add(item));
    ChartItem deleted = item;
    deleted.state = ItemDeleted;
    f.Add(deleted);
    ChartItem badLane = item;
    badLane.start.lane = 3;
    f.Add(badLane);
    ChartItem noRow = item;
    noRow.start.rowId = 7;
    f.Add(noRow);
    const QImage& image = f.Draw();
    EXPECT_EQ(CountColor(image, Blue, 341, 65, f.view.bufferWidth, f.view.bufferHeight), 0);
}

TEST(ProjectItemPainter, ItemsOfFoldedOrScrolledAwayRowsAreNotDrawn)
{
    ChartFixture f;
    f.SetFirstDate(2009, 4, 1);
    f.view.zoomLevel = 7;
    f.workspace.AddDocument(DocumentKind::Project);
    Document* doc = f.workspace.Doc(0);
    doc->AddRow(1);
    doc->AddRow(0);
    f.workspace.RebuildVisibleRows();
    ChartItem folded = MakeItem(TaskLine, 1, 3, 5);
    folded.start.rowId = 1;
    f.workspace.AddItem(0, folded);
    ChartItem scrolled = MakeItem(TaskLine, 1, 3, 5);
    f.workspace.AddItem(0, scrolled);
    f.workspace.ShowSubtree(0, false);
    ASSERT_EQ(f.workspace.FindVisibleRow(0, 1), -1);
    f.view.firstRow = 1;
    f.view.Redraw();
    EXPECT_FALSE(Inked(f.view.BackBuffer(), 341, 65, f.view.bufferWidth, 104));
}

TEST(ProjectItemPainter, OneItemDrawsShiftedWhateverItsState)
{
    ItemChart f;
    f.Add(MakeItem(TaskLine, 0, 20, 25));
    f.Draw();
    ChartItem item = MakeItem(TaskLine, 1, 3, 5);
    item.state = ItemSelected;
    QImage image(f.view.bufferWidth, f.view.bufferHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        Surface s(image);
        f.view.DrawProjectItem(s, 0, item, 10, 20);
    }
    ExpectPixels(image, {{AprilX(3) + 10, Lane1Y + 20, Black}, {AprilX(3) + 9, Lane1Y + 20, White},
                         {AprilX(3) + 10, Lane1Y, White}});
}

}  // namespace
}  // namespace td
