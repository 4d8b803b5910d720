#include "ChartFixture.h"

#include "model/AttributeValues.h"
#include "view/ViewBitmaps.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace td {
namespace {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Green = 0xFF00FF00;
constexpr QRgb Blue = 0xFF0000FF;

// Chart x of a day of April 2009 at zoom 7 with the view starting on 1 April.
constexpr int AprilX(int day) { return 340 + (day - 1) * 80; }

bool Inked(const QImage& image, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (image.pixel(x, y) != White)
                return true;
    return false;
}

int CountColor(const QImage& image, QRgb color, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += image.pixel(x, y) == color;
    return count;
}

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

TEST(ProjectItemPainter, TaskLineWithBothHeads)
{
    ItemChart f;
    ChartItem item = MakeItem(TaskLine, 1, 3, 10);
    item.arrow = ArrowBoth;
    f.Add(item);
    const QImage& image = f.Draw();
    const int sx = AprilX(3);
    const int ex = AprilX(11);
    EXPECT_EQ(image.pixel(sx + 8, Lane1Y), Black);
    EXPECT_EQ(image.pixel(ex - 9, Lane1Y), Black);
    EXPECT_EQ(image.pixel(700, Lane1Y - 1), White);
    EXPECT_EQ(image.pixel(700, Lane1Y + 1), White);
    EXPECT_TRUE(MatchesGlyph(image, sx, Lane1Y - 7, 0, 8));
    EXPECT_TRUE(MatchesGlyph(image, ex - 8, Lane1Y - 7, 8, 8));
    EXPECT_FALSE(Inked(image, sx - 10, 85, sx, 105));
    EXPECT_FALSE(Inked(image, ex, 85, ex + 10, 105));
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

TEST(ProjectItemPainter, OneDayTaskAtZoomFiveKeepsFullHeads)
{
    ItemChart f;
    f.view.zoomLevel = 5;
    ChartItem item = MakeItem(TaskLine, 1, 3, 3);
    item.arrow = ArrowBoth;
    f.Add(item);
    const QImage& image = f.Draw();
    const int sx = 380;
    EXPECT_TRUE(MatchesGlyph(image, sx, Lane1Y - 7, 0, 8));
    EXPECT_EQ(image.pixel(sx + 8, Lane1Y), Black);
    EXPECT_EQ(image.pixel(sx + 11, Lane1Y), Black);
    EXPECT_TRUE(MatchesGlyph(image, sx + 12, Lane1Y - 7, 8, 8));
}

TEST(ProjectItemPainter, ShortTaskHalvesItsHeadsAndDropsTheStroke)
{
    ItemChart f;
    f.view.zoomLevel = 2;  // 80 px a month: three days are 8 pixels
    ChartItem item = MakeItem(TaskLine, 1, 4, 6);
    item.arrow = ArrowBoth;
    item.lineColor = 0x0000FF;
    f.Add(item);
    const QImage& image = f.Draw();
    const int sx = 340 + (3 * 80) / 30;
    EXPECT_TRUE(MatchesGlyph(image, sx, Lane1Y - 7, 16, 4));
    EXPECT_TRUE(MatchesGlyph(image, sx + 4, Lane1Y - 7, 16 + 12, 4));
    EXPECT_FALSE(Inked(image, sx + 8, 85, sx + 20, 105));
}

TEST(ProjectItemPainter, ArrowHeadColourOutsideTheGlyphsIsBlack)
{
    ItemChart f;
    ChartItem item = MakeItem(TaskLine, 1, 3, 10);
    item.arrow = ArrowLeft;
    item.lineColor = 0xFFFFFF;
    f.Add(item);
    const QImage& image = f.Draw();
    EXPECT_TRUE(MatchesGlyph(image, AprilX(3), Lane1Y - 7, 0, 8));
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
    EXPECT_EQ(image.pixel(341, Lane1Y), Black);
    EXPECT_EQ(image.pixel(right - 1, Lane1Y), Black);
    EXPECT_EQ(image.pixel(right, Lane1Y), White);
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

TEST(ProjectItemPainter, PlainBandIsAClosedOutline)
{
    ItemChart f;
    f.Add(MakeItem(TaskBand, 1, 3, 8));
    const QImage& image = f.Draw();
    const int sx = AprilX(3);
    const int ex = AprilX(9);
    for (int y = 88; y <= 100; ++y) {
        EXPECT_EQ(image.pixel(sx, y), Black) << y;
        EXPECT_EQ(image.pixel(ex, y), Black) << y;
    }
    EXPECT_EQ(image.pixel(700, 88), Black);
    EXPECT_EQ(image.pixel(700, 100), Black);
    EXPECT_FALSE(Inked(image, sx + 1, 89, ex, 100));
    EXPECT_EQ(image.pixel(sx - 1, 94), White);
    EXPECT_EQ(image.pixel(ex + 1, 94), White);
}

TEST(ProjectItemPainter, BandStrokesSpreadOutwardsAndInwards)
{
    ItemChart f;
    ChartItem item = MakeItem(TaskBand, 1, 3, 8);
    item.lineWidth = 4 + 64;
    f.Add(item);
    const QImage& image = f.Draw();
    const int sx = AprilX(3);
    const int ex = AprilX(9);
    EXPECT_EQ(image.pixel(700, 86), Black);
    EXPECT_EQ(image.pixel(700, 88), White);
    EXPECT_EQ(image.pixel(700, 90), Black);
    EXPECT_EQ(image.pixel(700, 98), Black);
    EXPECT_EQ(image.pixel(700, 102), Black);
    EXPECT_EQ(image.pixel(sx - 2, 94), Black);
    EXPECT_EQ(image.pixel(sx, 94), White);
    EXPECT_EQ(image.pixel(sx + 2, 94), Black);
    EXPECT_EQ(image.pixel(ex - 2, 94), Black);
    EXPECT_EQ(image.pixel(ex, 94), White);
    EXPECT_EQ(image.pixel(ex + 2, 94), Black);
}

TEST(ProjectItemPainter, BandWithHeadAndNotch)
{
    ItemChart f;
    ChartItem item = MakeItem(TaskBand, 1, 3, 8);
    item.arrow = ArrowBoth;
    f.Add(item);
    const QImage& image = f.Draw();
    const int sx = AprilX(3);
    const int ex = AprilX(9);
    // Head: 45-degree edges from the tip at the middle back to the long edges.
    EXPECT_EQ(image.pixel(ex, 94), Black);
    EXPECT_EQ(image.pixel(ex - 3, 91), Black);
    EXPECT_EQ(image.pixel(ex - 3, 97), Black);
    EXPECT_EQ(image.pixel(ex, 90), White);
    EXPECT_EQ(image.pixel(ex + 1, 94), White);
    EXPECT_EQ(image.pixel(ex - 7, 88), Black);
    // Notch: its point lies 6 pixels inside the left end, which stays open.
    EXPECT_EQ(image.pixel(sx + 6, 94), Black);
    EXPECT_EQ(image.pixel(sx + 3, 91), Black);
    EXPECT_EQ(image.pixel(sx + 3, 97), Black);
    EXPECT_EQ(image.pixel(sx + 5, 94), White);
    EXPECT_EQ(image.pixel(sx, 94), White);
    EXPECT_EQ(image.pixel(sx + 1, 88), Black);
}

TEST(ProjectItemPainter, EventMarkSitsInTheMiddleOfItsDay)
{
    ItemChart f;
    ChartItem item = MakeItem(Event, 1, 3, 3);
    item.lineStyle = MarkCircleFill;
    item.lineColor = 0x0000FF;
    f.Add(item);
    const QImage& image = f.Draw();
    const int middle = AprilX(3) + 40;
    EXPECT_GT(CountColor(image, Red, middle - 10, 85, middle + 10, 102), 10);
    EXPECT_FALSE(Inked(image, AprilX(3) + 1, 66, middle - 12, 124));
    EXPECT_FALSE(Inked(image, middle + 12, 66, AprilX(4), 124));
    EXPECT_FALSE(Inked(image, middle - 12, 102, middle + 12, 124));
}

TEST(ProjectItemPainter, EveryMarkCodeDrawsAndOthersDoNot)
{
    for (int code = MarkCircle; code <= MarkDate + 1; ++code) {
        ItemChart f;
        ChartItem item = MakeItem(Event, 1, 3, 3);
        item.lineStyle = code;
        f.Add(item);
        const QImage& image = f.Draw();
        const int middle = AprilX(3) + 40;
        EXPECT_EQ(Inked(image, middle - 12, 85, middle + 12, 102), code <= MarkDate) << code;
    }
}

TEST(ProjectItemPainter, ProgressSplitsDoneFromRemaining)
{
    ItemChart f;
    ChartItem item = MakeItem(Progress, 1, 3, 12);
    item.progress = 50;
    item.progressColor = 0x00FF00;
    f.Add(item);
    const QImage& image = f.Draw();
    const int sx = AprilX(3);
    const int ex = AprilX(13);
    const int done = sx + (ex - sx) / 2;
    for (int y : {Lane1Y - 2, Lane1Y + 2}) {
        EXPECT_EQ(image.pixel(sx, y), Black);
        EXPECT_EQ(image.pixel(ex - 1, y), Black);
    }
    for (int y = Lane1Y - 1; y <= Lane1Y + 1; ++y) {
        EXPECT_EQ(image.pixel(sx, y), Black) << y;
        EXPECT_EQ(image.pixel(sx + 1, y), Green) << y;
        EXPECT_EQ(image.pixel(done - 1, y), Green) << y;
        EXPECT_EQ(image.pixel(done, y), White) << y;
        EXPECT_EQ(image.pixel(ex - 2, y), White) << y;
        EXPECT_EQ(image.pixel(ex - 1, y), Black) << y;
    }
}

TEST(ProjectItemPainter, FullProgressStopsAtTheRightCap)
{
    ItemChart f;
    ChartItem item = MakeItem(Progress, 1, 3, 12);
    item.progress = 100;
    item.progressColor = 0x00FF00;
    item.arrow = ArrowBoth;
    f.Add(item);
    const QImage& image = f.Draw();
    const int sx = AprilX(3);
    const int ex = AprilX(13);
    EXPECT_EQ(image.pixel(sx + 7, Lane1Y), Black);
    EXPECT_EQ(image.pixel(sx + 8, Lane1Y), Green);
    EXPECT_EQ(image.pixel(ex - 9, Lane1Y), Green);
    EXPECT_EQ(image.pixel(ex - 8, Lane1Y), Black);
}

ChartItem MakeLine(int startLane, int startDay, int endRowId, int endLane, int endDay)
{
    ChartItem item = MakeItem(Line, startLane, startDay, endDay);
    item.end.rowId = endRowId;
    item.end.lane = static_cast<uint8_t>(endLane);
    return item;
}

TEST(ProjectItemPainter, LineJoinsTheMiddlesOfItsLanes)
{
    ItemChart f;
    f.Add(MakeLine(0, 3, 0, 2, 5));
    const QImage& image = f.Draw();
    const int u1 = AprilX(3);
    const int u2 = AprilX(5);
    EXPECT_EQ(image.pixel(u1, 74), Black);
    EXPECT_EQ(image.pixel(u1 + 80, 94), Black);
    EXPECT_EQ(image.pixel(u2, 114), White);
    EXPECT_FALSE(Inked(image, u2 + 1, 66, u2 + 40, 124));
}

TEST(ProjectItemPainter, LineIsClippedToTheTimeline)
{
    ItemChart f;
    ChartItem item = MakeLine(0, 1, 0, 2, 3);
    item.start.month = 3;
    item.start.day = 30;
    f.Add(item);
    const QImage& image = f.Draw();
    // From x 180 at y 74 to x 500 at y 114: the visible part starts at x 340, y 94.
    EXPECT_EQ(image.pixel(341, 94), Black);
    EXPECT_FALSE(Inked(image, 221, 66, 339, 124));
}

TEST(ProjectItemPainter, LineFromARowScrolledAwayIsClippedToTheRows)
{
    ItemChart f({3, 2});
    f.view.firstRow = 1;
    f.Add(MakeLine(0, 3, 1, 0, 5));
    const QImage& image = f.Draw();
    // The start lies 60 pixels above the first row shown: y 14 clipped to 65 at x 634.
    EXPECT_EQ(image.pixel(634, 65), Black);
    EXPECT_FALSE(Inked(image, 341, 65, 630, 75));
    EXPECT_TRUE(Inked(image, 655, 70, 660, 75));
}

TEST(ProjectItemPainter, LineIsClippedAtTheBottomOfTheBuffer)
{
    ItemChart f({3, 20});
    f.Add(MakeLine(0, 3, 1, 19, 5));
    const QImage& image = f.Draw();
    const int bottom = f.view.bufferHeight;
    EXPECT_TRUE(Inked(image, AprilX(3), bottom - 2, AprilX(5), bottom - 1));
    EXPECT_FALSE(Inked(image, 341, bottom - 1, AprilX(5) + 1, bottom));
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
    EXPECT_EQ(f.Pixel(x, 74), White);
    EXPECT_EQ(f.Pixel(x, 75), Black);
    EXPECT_EQ(f.Pixel(x, 114), Black);

    f.view.firstRow = 1;
    ChartItem down = MakeLine(0, 4, 1, 1, 4);
    f.workspace.Doc(0)->DeleteItem(1);
    f.Add(down);
    f.Draw();
    const int x2 = AprilX(4);
    EXPECT_EQ(f.Pixel(x2, 64), Black);  // the header rule
    EXPECT_EQ(f.Pixel(x2, 65), Black);
    EXPECT_EQ(f.Pixel(x2, 93), Black);
    EXPECT_EQ(f.Pixel(x2, 94), White);
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
    EXPECT_EQ(image.pixel(x1 - 1, 80), White);
    EXPECT_EQ(image.pixel(x2 + 1, 80), White);
    EXPECT_EQ(image.pixel(90 + x1, 67), White);
    EXPECT_EQ(image.pixel(90 + x1, 101), White);
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
    EXPECT_EQ(image.pixel(339, 68), White);
    EXPECT_EQ(image.pixel(341, 68), Black);
    EXPECT_EQ(image.pixel(479, 80), White);
    EXPECT_EQ(image.pixel(480, 80), Black);
    EXPECT_EQ(image.pixel(481, 80), White);
    EXPECT_EQ(image.pixel(1860, 80), Black);
    EXPECT_EQ(image.pixel(clamp, 68), Black);
    EXPECT_EQ(image.pixel(clamp + 1, 68), White);
    EXPECT_EQ(image.pixel(clamp, 80), White);
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
    EXPECT_EQ(image.pixel(AprilX(3) + 10, Lane1Y + 20), Black);
    EXPECT_EQ(image.pixel(AprilX(3) + 9, Lane1Y + 20), White);
    EXPECT_EQ(image.pixel(AprilX(3) + 10, Lane1Y), White);
}

}  // namespace
}  // namespace td
