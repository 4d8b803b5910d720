#include "ChartFixture.h"

#include <gtest/gtest.h>

#include <array>

namespace td {
namespace {

// Linear day number of the horizontal scroll bar, by hand.
int Position(int year, int month, int day, double scale)
{
    return static_cast<int>(((year - 2000) * 365 + (month - 1) * 30 + day) * scale);
}

// min, max, page, position of a scroll bar.
std::array<int, 4> Bar(const ScrollInfo& bar) { return {bar.min, bar.max, bar.page, bar.position}; }

// Zoom stops at both ends of its tables; a step keeps the first date and recomputes the range.
TEST(Zoom, StopsAtTheEndsAndKeepsTheFirstDate)
{
    ChartFixture f;
    for (auto [from, step, changed, to] : {std::array{9, +1, 0, 9}, {0, -1, 0, 0}, {2, +1, 1, 3}}) {
        f.SetZoom(from);
        EXPECT_EQ(f.view.ChangeZoom(step), changed) << from;
        EXPECT_EQ(f.view.Layout().Zoom(), to);
    }
    f.view.Resize(1000, 600);
    f.SetFirstDate(2009, 4, 17);
    f.SetZoom(4);
    ASSERT_EQ(f.view.ChangeZoom(+1), 1);
    EXPECT_EQ(f.First(), (Date{2009, 4, 17}));
    EXPECT_EQ(f.view.HorizontalScroll().position, Position(2009, 4, 17, 20));
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
    EXPECT_EQ(empty.view.OnVScroll(LineDown, 0), 0);
    EXPECT_EQ((std::pair {empty.view.Layout().RowCount(), empty.view.Layout().FirstRow()}), (std::pair {0, 0}));
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
        for (const auto& [command, position, firstRow] : c.steps) {
            EXPECT_EQ(f.view.OnVScroll(command, position), 1) << command << " " << position;
            EXPECT_EQ(f.view.Layout().FirstRow(), firstRow) << command << " " << position;
        }
        EXPECT_EQ(f.view.Layout().RowCount(), c.rowsShown);
        EXPECT_EQ(f.view.Layout().RowTop(0), 65);
    }
}

// Without items the range is one page; items widen it to cover them, and a view scrolled past
// them widens it to what is shown. A tracked thumb moves the date only; its release brings the
// bar to it.
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
    f.SetZoom(5);
    f.SetFirstDate(2009, 4, 1);
    f.view.Resize(1000, 600);
    EXPECT_EQ(Bar(f.view.HorizontalScroll()), (std::array{Position(2009, 3, 1, 20), Position(2009, 12, 21, 20), 630,
                                               Position(2009, 4, 1, 20)}));
    for (auto [month, day, min, max] : {std::array{2, 1, Position(2009, 2, 1, 20), Position(2009, 12, 21, 20)},
                                        {12, 10, Position(2009, 3, 1, 20), Position(2009, 12, 10, 20) + 630}}) {
        f.SetFirstDate(2009, month, day);
        f.view.UpdateHorizontalScroll();
        EXPECT_EQ((std::pair {f.view.HorizontalScroll().min, f.view.HorizontalScroll().max}), (std::pair {min, max}));
    }

    f.SetFirstDate(2009, 4, 1);
    f.view.UpdateHorizontalScroll();
    EXPECT_EQ(f.view.OnHScroll(ThumbTrack, Position(2009, 4, 1, 20) + 10 * 20 + 5), 1);
    EXPECT_EQ(f.First(), (Date{2009, 4, 11}));
    EXPECT_EQ(f.view.HorizontalScroll().position, Position(2009, 4, 1, 20));
    EXPECT_EQ(f.view.OnHScroll(ThumbPosition, 0), 1);
    EXPECT_EQ(f.First(), (Date{2009, 4, 11}));
    EXPECT_EQ(f.view.HorizontalScroll().position, Position(2009, 4, 11, 20));
}

// Steps move the first date by the zoom's units and stop at the calendar's range.
TEST(HorizontalScroll, LineAndPageSteps)
{
    const struct {
        int zoom;
        Date from;
        int command;
        Date to;
    } cases[] = {
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
        EXPECT_EQ(f.view.OnHScroll(c.command, 0), 1);
        EXPECT_EQ(f.First(), c.to) << c.zoom << " " << c.from.year << "-" << c.from.month << "-" << c.from.day;
    }
}

}  // namespace
}  // namespace td
