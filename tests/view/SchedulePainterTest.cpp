#include "ChartFixture.h"

#include "view/SchedulePainter.h"

#include "view/EditMode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

namespace td {
namespace {

constexpr int CellTop = 67;  // first row top 65 + 2

// A schedule document (one row of six lanes) viewed at 80 pixels a day from 1 April 2009.
struct ScheduleChart : ChartFixture {
    explicit ScheduleChart(int screenWidth = 1600) : ChartFixture(screenWidth)
    {
        workspace.AddDocument(DocumentKind::Schedule);
        view.SetView(7, {2009, 4, 1});
    }

    int Add(int day, int startHour, int startMinute, int endHour, int endMinute, const char* text, int doc = 0)
    {
        ChartItem item;
        item.type = Schedule, item.state = ItemNormal, item.textSize = 14, item.textWeight = 400;
        item.start = {0, 0, 2009, 4, day, startHour, startMinute};
        item.end = {0, 0, 2009, 4, day, endHour, endMinute};
        std::snprintf(item.text, sizeof item.text, "%s", text);
        return workspace.Doc(doc)->AddItem(item);
    }

    ChartItem& Item(int index, int doc = 0) { return *workspace.ItemPtr(doc, index); }
    // The block an entry was laid out in: its offsets from the cell top, kept in the lane bytes.
    std::pair<int, int> Lanes(int i, int doc = 0) { return {Item(i, doc).start.lane, Item(i, doc).end.lane}; }
};

// Height of a block as the painter lays it out in a day cell of 80 pixels.
int BlockHeight(const QString& time, const QString& text)
{
    QImage scratch(200, 200, QImage::Format_RGB32);
    Surface s(scratch);
    s.SelectFont(11, 600);
    int height = s.DrawWrapped(0, 0, 76, 200, time);
    s.SelectFont(14, 400);
    return height + s.DrawWrapped(0, 0, 76, 200, text) + 4;
}

// The hour and two minute digits, up to 36:60; no text outside that range.
TEST(SchedulePainter, FormatTime)
{
    const struct { int hour, minute, length; const char* text; } cases[] = {
        {9, 5, 4, "9:05"}, {17, 30, 5, "17:30"}, {0, 0, 4, "0:00"}, {36, 60, 5, "36:60"}, {37, 0, 0, ""},
        {0, 61, 0, ""}, {-1, 0, 0, ""}, {0, -1, 0, ""}, {1000, 1000, 0, ""},
    };
    for (const auto& c : cases) {
        char text[TimeTextSize] = "x";
        EXPECT_EQ(FormatTime(c.hour, c.minute, text), c.length) << c.hour << ":" << c.minute;
        EXPECT_STREQ(text, c.text);
    }
}

// Entries stack from their day's cell top, two pixels inside it, in table order: a deleted entry
// takes no room and keeps its bytes, a selected one is drawn. Cells start at their document's
// first row even when the document above is scrolled away, whose entries keep their bytes.
// Clicked, an entry is outlined; pressed and dragged, it leaves the chart while its outline
// follows the pointer.
TEST(SchedulePainter, EntriesStackFromTheirCellTop)
{
    ScheduleChart f;
    f.workspace.AddDocument(DocumentKind::Schedule);
    f.Add(2, 9, 0, 10, 0, "Above", 0);
    f.Item(0, 0).start.lane = 5;
    f.Add(2, 14, 0, 15, 0, "Late", 1);
    f.Add(2, 8, 0, 9, 0, "Gone", 1);
    f.Add(2, 9, 0, 10, 0, "Chosen", 1);
    f.Add(2, 10, 0, 12, 0, "Last", 1);
    f.Add(1, 9, 5, 17, 30, "", 1);
    f.Add(3, 9, 0, 10, 0, "Third", 1);
    f.Item(1, 1).state = ItemDeleted;
    f.Item(1, 1).start.lane = f.Item(1, 1).end.lane = 99;
    f.Item(2, 1).state = ItemSelected;
    f.view.ScrollToRow(1);
    f.view.Redraw();

    const int late = BlockHeight("14:00-15:00", "Late"), chosen = BlockHeight("9:00-10:00", "Chosen");
    const int last = BlockHeight("10:00-12:00", "Last");
    EXPECT_EQ(f.Item(0, 0).start.lane, 5);
    EXPECT_EQ(f.Lanes(0, 1), std::pair(0, late));
    EXPECT_EQ(f.Lanes(1, 1), std::pair(99, 99));
    EXPECT_EQ(f.Lanes(2, 1), std::pair(late, late + chosen));
    EXPECT_EQ(f.Lanes(3, 1), std::pair(late + chosen, late + chosen + last));
    EXPECT_EQ(f.Lanes(4, 1), std::pair(0, BlockHeight("9:05-17:30", "")));
    EXPECT_EQ(f.Lanes(5, 1), std::pair(0, BlockHeight("9:00-10:00", "Third")));
    for (int i : {0, 2, 3})
        EXPECT_TRUE(f.Inked(422, CellTop + f.Item(i, 1).start.lane, 498, CellTop + f.Item(i, 1).end.lane - 4)) << i;
    EXPECT_TRUE(f.Inked(342, CellTop, 418, CellTop + 12) && f.Inked(502, CellTop, 578, CellTop + 12));
    EXPECT_FALSE(f.Inked(341, 66, 342, 184) || f.Inked(420, 66, 422, 184) || f.Inked(500, 66, 502, 184));
    EXPECT_FALSE(f.Inked(421, CellTop + f.Item(3, 1).end.lane, 500, 184));

    const int y1 = 65 + f.Item(3, 1).start.lane, y2 = 65 + f.Item(3, 1).end.lane;
    f.Click(460, (y1 + y2) / 2);
    ASSERT_EQ(f.workspace.SelectionCount(), 1);
    for (auto [x, y] : {std::pair{420, y1}, {500, y1}, {420, y2}, {500, y2}})
        EXPECT_EQ(f.Pixel(x, y), Red) << x << "," << y;
    QImage copy = f.view.BackBuffer().copy();
    Surface s(copy);
    Feedback feedback(f.workspace, f.view.Layout(), s);
    feedback.DrawSelection(0, 0);
    const OverlayRect r = feedback.Painted();
    EXPECT_EQ(QRect(r.x, r.y, r.width, r.height), QRect(420, y1, 81, y2 - y1 + 2));

    f.Click(700, 100);
    ASSERT_EQ(f.workspace.SelectionCount(), 0);
    f.view.OnButtonDown(460, (y1 + y2) / 2);
    f.view.OnMouseMove(true, 620, (y1 + y2) / 2);
    EXPECT_FALSE(f.Inked(420, y1, 501, y2 + 2));
    EXPECT_EQ(f.Pixel(580, y1), Red);
}

// Below zoom seven no entry is drawn; at seven, none before the days shown, beyond the right edge,
// nor on the 129th day, which has no column even where the screen is wide enough to show it.
// Their lane bytes stay as they were.
TEST(SchedulePainter, EntriesNotDrawnKeepTheirLaneBytes)
{
    for (auto [zoom, width] : {std::pair{6, 1600}, {7, 1600}, {7, 10300}}) {
        ScheduleChart f(width);
        f.SetZoom(zoom);
        f.SetFirstDate(2009, 4, 2);
        f.Add(1, 9, 0, 10, 0, "Before");
        f.Add(8, 9, 0, 10, 0, "Day 129");
        f.Item(1).start.month = f.Item(1).end.month = 8;
        for (int i : {0, 1})
            f.Item(i).start.lane = 11, f.Item(i).end.lane = 22;
        f.view.Redraw();
        for (int i : {0, 1})
            EXPECT_EQ(f.Lanes(i), std::pair(11, 22)) << zoom << " " << width << " " << i;
        EXPECT_FALSE(f.Inked(341, 66, f.view.Layout().BufferWidth(), 184)) << zoom << " " << width;
    }
}

TEST(SchedulePainter, AFullCellDrawsNoMoreButStillCountsTheGap)
{
    ScheduleChart f;
    f.workspace.RowAt(0)->lanes = 1;  // row 65..85, text down to 83
    f.Add(2, 9, 0, 10, 0, "Meeting");
    f.Add(2, 11, 0, 12, 0, "Hidden");
    f.view.Redraw();
    const int first = BlockHeight("9:00-10:00", "Meeting");
    EXPECT_EQ(f.Lanes(1), std::pair(first, first + 4));
    EXPECT_TRUE(f.Inked(422, CellTop, 498, 84));
    EXPECT_EQ(f.Pixel(450, 84), Black);
    EXPECT_FALSE(f.Inked(341, 85, f.view.Layout().BufferWidth(), 300));
}

}  // namespace
}  // namespace td
