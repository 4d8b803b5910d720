#include "ChartFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

namespace td {
namespace {

// Linear day number of the horizontal scroll bar, by hand.
int Position(int year, int month, int day, double scale)
{
    return static_cast<int>(((year - 2000) * 365 + (month - 1) * 30 + day) * scale);
}

// min, max, page, position of a scroll bar.
std::array<int, 4> Bar(const ScrollInfo& bar) { return {bar.min, bar.max, bar.page, bar.position}; }

// Month mode places 30-day months and ignores the day of the first date; day mode counts days.
// Placement clamps at both edges of the timeline (result -1 or 1), the unclamped one does not.
// Back from x, the header column is no date and the timeline starts one pixel right of it.
TEST(ChartGeometry, DateToXAndBack)
{
    const struct { int zoom; Date first, date; int result, x, unclamped; } cases[] = {  // unclamped 0: off the buffer
        {2, {2009, 4, 17}, {2009, 4, 1}, 0, 340, 340},          {2, {2009, 4, 17}, {2009, 5, 1}, 0, 420, 420},
        {2, {2009, 4, 17}, {2009, 3, 31}, -1, 340, 340 - 80 / 30}, {2, {2009, 4, 17}, {2009, 3, 2}, -1, 340, 340 - 80},
        {2, {2009, 4, 17}, {2020, 1, 1}, 1, 1910, 0},           {2, {2009, 1, 20}, {2009, 2, 1}, 0, 422, 422},
        {7, {2009, 4, 1}, {2009, 4, 2}, 0, 420, 420},           {7, {2009, 4, 1}, {2009, 3, 31}, -1, 340, 260},
        {7, {2009, 4, 1}, {2009, 3, 30}, -1, 340, 340 - 2 * 80}, {7, {2009, 4, 1}, {2009, 4, 21}, 1, 1910, 340 + 20 * 80},
        {7, {2009, 4, 1}, {2009, 4, 19}, 0, 1780, 1780},  // still left of the clamp column
        {7, {2009, 4, 1}, {2009, 5, 1}, 1, 1910, 340 + 30 * 80},
        {0, {2009, 1, 1}, {2009, 1, 2}, 0, 340, 340},  {0, {2009, 1, 1}, {2009, 1, 3}, 0, 341, 341},  // a day < a pixel
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom * 100000000 + c.date.year * 10000 + c.date.month * 100 + c.date.day);
        ChartFixture f;
        f.SetZoom(c.zoom);
        f.SetFirstDate(c.first.year, c.first.month, c.first.day);
        int x = 0, unclamped = 0;
        EXPECT_EQ((std::pair{f.view.DateToX(x, c.date.year, c.date.month, c.date.day), x}), std::pair(c.result, c.x));
        f.view.DateToXUnclamped(unclamped, c.date.year, c.date.month, c.date.day);
        EXPECT_TRUE(c.unclamped ? unclamped == c.unclamped : unclamped > f.view.Layout().BufferWidth()) << unclamped;
    }
    ChartFixture f;
    f.SetFirstDate(2009, 4, 17);
    int zoom = 0;
    Date first;
    f.view.GetView(zoom, first.year, first.month, first.day);
    EXPECT_EQ(std::pair(zoom, first), std::pair(2, Date{2009, 4, 17}));
    f.SetFirstDate(2009, 4, 30);
    const struct { int zoom, x, result; Date date; } back[] = {
        {7, 340, 0, {-1, -1, -1}}, {7, 341, 1, {2009, 4, 30}}, {7, 419, 1, {2009, 4, 30}}, {7, 420, 1, {2009, 5, 1}},
        {2, 341, 1, {2009, 4, 1}}, {2, 420, 1, {2009, 5, 1}}};
    for (const auto& c : back) {
        f.SetZoom(c.zoom);
        Date d{-1, -1, -1};
        EXPECT_EQ((std::pair{f.view.XToDate(c.x, d.year, d.month, d.day), d}), std::pair(c.result, c.date)) << c.x;
    }
}

// Rows stack by their lanes; damaged lane counts still give rows of their own, and a full
// workspace is laid out whole.
TEST(ChartGeometry, RowTopsAndYToRowLane)
{
    ChartFixture f;
    f.AddProject({3, 1});
    f.view.Redraw();
    const ChartLayout& layout = f.view.Layout();
    EXPECT_EQ((std::array{layout.RowCount(), layout.RowTop(1), layout.RowTop(2)}), (std::array{2, 125, 145}));
    for (auto [y, found, row, lane] : {std::array{65, 0, -1, -1}, {66, 1, 0, 0}, {105, 1, 0, 2}, {125, 1, 1, 0},
                                       {145, 0, -1, -1}}) {
        int r = -1, l = -1;
        EXPECT_EQ(f.view.YToRowLane(y, r, l), found) << y;
        EXPECT_TRUE(!found || std::pair(r, l) == std::pair(row, lane)) << y;
    }

    ChartFixture damaged;
    damaged.AddProject({0, 1000, 1});
    damaged.view.Redraw();
    const ChartLayout& rows = damaged.view.Layout();
    EXPECT_EQ((std::array{rows.RowCount(), rows.RowTop(1), rows.RowTop(2), rows.RowTop(3)}),
              (std::array{3, 65 + 20, 85 + 256 * 20, 85 + 256 * 20 + 20}));

    ChartFixture full;
    for (int d = 0; d < MaxDocuments; ++d) {
        full.workspace.AddDocument(DocumentKind::Project);
        for (int r = 1; r < MaxVisibleRows / MaxDocuments; ++r)
            full.workspace.Doc(d)->AddRow(1);
    }
    full.workspace.RebuildVisibleRows();
    ASSERT_EQ(full.workspace.VisibleRowCount(), MaxVisibleRows);
    full.view.Redraw();
    EXPECT_EQ(std::pair(full.view.Layout().RowCount(), full.view.Layout().RowTop(MaxVisibleRows)),
              std::pair(MaxVisibleRows, 65 + 40 * MaxVisibleRows));
}

// The range reaches one page past the position when less than a page is left. An empty
// workspace has nothing to scroll, and a client area shorter than the header no negative page.
TEST(VerticalScroll, PositionAndMaximumFollowTheRowHeights)
{
    ChartFixture f;
    f.AddProject({2, 3, 1});
    f.view.Resize(1000, 64 + 80);
    for (auto [row, bar] : {std::pair{1, std::array{0, 120, 80, 40}}, {2, {0, 180, 80, 100}}}) {
        f.view.ScrollToRow(row);
        f.view.UpdateVerticalScroll();
        EXPECT_EQ(Bar(f.view.VerticalScroll()), bar) << row;
    }
    f.view.ScrollToRow(0);
    f.view.Resize(1000, 64 + 200);
    EXPECT_EQ(f.view.VerticalScroll().max, 200);

    ChartFixture empty;
    empty.view.Resize(1000, 300);
    EXPECT_EQ(Bar(empty.view.VerticalScroll()), (std::array{0, 236, 236, 0}));
    EXPECT_EQ((std::tuple{empty.view.OnVScroll(LineDown, 0), empty.view.Layout().RowCount(), empty.view.Layout().FirstRow()}),
              std::tuple(0, 0, 0));
    empty.view.Resize(1000, 30);
    EXPECT_EQ(empty.view.VerticalScroll().page, 0);
}

// Lines and pages step by rows and clamp; a released thumb takes the row under its position
// (past the end, the last row), a tracked one does nothing.
TEST(VerticalScroll, StepsByRowsAndClamps)
{
    const struct {
        std::initializer_list<int> lanes;
        std::initializer_list<std::array<int, 3>> steps;  // command, position, first row after it
        int rowsShown;
    } cases[] = {
        {{1, 1, 1, 1, 1}, {{PageDown, 0, 2}, {LineDown, 0, 3}, {PageDown, 0, 4}, {PageUp, 0, 2}, {LineUp, 0, 1},
                           {PageUp, 0, 0}, {ThumbTrack, 60, 0}}, 5},
        {{2, 3, 1}, {{ThumbPosition, 45, 1}, {ThumbPosition, 39, 0}, {ThumbPosition, 100, 2}, {ThumbPosition, 5000, 2}}, 1},
    };
    for (const auto& c : cases) {
        ChartFixture f;
        f.AddProject(c.lanes);
        f.view.Resize(1000, 600);
        for (const auto& [command, position, firstRow] : c.steps)
            EXPECT_EQ((std::pair{f.view.OnVScroll(command, position), f.view.Layout().FirstRow()}), std::pair(1, firstRow))
                << command << " " << position;
        EXPECT_EQ(std::pair(f.view.Layout().RowCount(), f.view.Layout().RowTop(0)), std::pair(c.rowsShown, 65));
    }
}

// Without items the range is one page; items widen it to cover them, and a view scrolled past
// them widens it to what is shown. Zoom stops at the end of its table; a step keeps the first
// date and recomputes the range. A tracked thumb moves the date only; its release brings the bar
// to it.
TEST(HorizontalScroll, RangeCoversTheItems)
{
    ChartFixture f;
    f.SetFirstDate(2009, 4, 17);
    f.view.Resize(1370, 600);
    const int position = static_cast<int>(((9 * 365) + 3 * 30) * (80 / 30.0));
    EXPECT_EQ(Bar(f.view.HorizontalScroll()), (std::array{position, position + 1000, 1000, position}));
    f.view.Resize(300, 600);
    EXPECT_EQ(Bar(f.view.HorizontalScroll()), (std::array{position, position, 0, position}));

    f.AddProject({1});
    ChartItem item = f.AprilItem(TaskLine, 0, 0, 1, 20);
    item.start.month = 3;
    item.end.month = 12;
    ASSERT_EQ(f.workspace.AddItem(0, item), 0);
    f.SetZoom(9);
    EXPECT_EQ((std::pair{f.view.ChangeZoom(+1), f.view.Layout().Zoom()}), std::pair(0, 9));
    f.SetZoom(4);
    f.view.Resize(1000, 600);
    EXPECT_EQ((std::tuple{f.view.ChangeZoom(+1), f.view.Layout().Zoom(), f.First()}), std::tuple(1, 5, Date{2009, 4, 17}));
    EXPECT_EQ(Bar(f.view.HorizontalScroll()),
              (std::array{Position(2009, 3, 1, 20), Position(2009, 12, 21, 20), 630, Position(2009, 4, 17, 20)}));
    for (auto [month, day, min, max] : {std::array{2, 1, Position(2009, 2, 1, 20), Position(2009, 12, 21, 20)},
                                        {12, 10, Position(2009, 3, 1, 20), Position(2009, 12, 10, 20) + 630}}) {
        f.SetFirstDate(2009, month, day);
        f.view.UpdateHorizontalScroll();
        EXPECT_EQ(Bar(f.view.HorizontalScroll()), (std::array{min, max, 630, Position(2009, month, day, 20)})) << month;
    }

    f.SetFirstDate(2009, 4, 1);
    f.view.UpdateHorizontalScroll();
    const int april1 = Position(2009, 4, 1, 20);
    for (auto [command, bar, shownBar] : {std::array<int, 3>{ThumbTrack, april1 + 10 * 20 + 5, april1},
                                          {ThumbPosition, 0, Position(2009, 4, 11, 20)}})
        EXPECT_EQ((std::tuple{f.view.OnHScroll(command, bar), f.First(), f.view.HorizontalScroll().position}),
                  std::tuple(1, Date{2009, 4, 11}, shownBar));
}

// Steps move the first date by the zoom's units and stop at the calendar's range.
TEST(HorizontalScroll, LineAndPageSteps)
{
    const struct { int zoom; Date from; int command; Date to; } cases[] = {
        {9, {2009, 4, 17}, PageRight, {2009, 4, 19}}, {9, {2009, 4, 19}, LineLeft, {2009, 4, 18}},
        {0, {2009, 4, 18}, PageLeft, {2006, 6, 29}}, {2, {2009, 1, 31}, LineRight, {2009, 3, 3}},
        {2, {2008, 1, 31}, LineRight, {2008, 3, 2}}, {7, {2000, 1, 1}, LineLeft, {2000, 1, 1}},
        {7, {2099, 12, 31}, PageRight, {2099, 12, 31}},
    };
    for (const auto& c : cases) {
        ChartFixture f;
        f.view.Resize(1000, 600);
        f.SetZoom(c.zoom);
        f.SetFirstDate(c.from.year, c.from.month, c.from.day);
        EXPECT_EQ((std::pair{f.view.OnHScroll(c.command, 0), f.First()}), std::pair(1, c.to)) << c.zoom << " " << c.from.month;
    }
}

}  // namespace
}  // namespace td
