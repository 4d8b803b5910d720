#include "ChartFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace td {
namespace {

// Month mode places 30-day months and ignores the day of the first date; day mode counts days.
// Placement clamps at both edges of the timeline (result -1 or 1), the unclamped one does not.
// Back from x, the header column is no date and the timeline starts one pixel right of it.
TEST(ChartGeometry, DateToXAndBack)
{
    const struct {
        int zoom;
        Date first, date;
        int result, x, unclamped;  // unclamped 0: beyond the buffer
    } cases[] = {
        {2, {2009, 4, 17}, {2009, 4, 1}, 0, 340, 340},          {2, {2009, 4, 17}, {2009, 5, 1}, 0, 420, 420},
        {2, {2009, 4, 17}, {2009, 3, 31}, -1, 340, 340 - 80 / 30}, {2, {2009, 4, 17}, {2009, 3, 2}, -1, 340, 340 - 80},
        {2, {2009, 4, 17}, {2020, 1, 1}, 1, 1910, 0},           {2, {2009, 1, 20}, {2009, 2, 1}, 0, 422, 422},
        {7, {2009, 4, 1}, {2009, 4, 2}, 0, 420, 420},           {7, {2009, 4, 1}, {2009, 3, 31}, -1, 340, 260},
        {7, {2009, 4, 1}, {2009, 3, 30}, -1, 340, 340 - 2 * 80}, {7, {2009, 4, 1}, {2009, 4, 21}, 1, 1910, 340 + 20 * 80},
        {7, {2009, 4, 1}, {2009, 4, 19}, 0, 1780, 1780},  // still left of the clamp column
        {7, {2009, 4, 1}, {2009, 5, 1}, 1, 1910, 340 + 30 * 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom * 100000000 + c.date.year * 10000 + c.date.month * 100 + c.date.day);
        ChartFixture f;
        f.SetZoom(c.zoom);
        f.SetFirstDate(c.first.year, c.first.month, c.first.day);
        int x = 0;
        EXPECT_EQ(f.view.DateToX(x, c.date.year, c.date.month, c.date.day), c.result);
        EXPECT_EQ(x, c.x);
        f.view.DateToXUnclamped(x, c.date.year, c.date.month, c.date.day);
        EXPECT_TRUE(c.unclamped ? x == c.unclamped : x > f.view.Layout().BufferWidth()) << x;
    }
    ChartFixture f;
    f.SetFirstDate(2009, 4, 17);
    int zoom = 0;
    Date first;
    f.view.GetView(zoom, first.year, first.month, first.day);
    EXPECT_EQ(std::pair(zoom, first), std::pair(2, Date{2009, 4, 17}));
    // At zoom 0 a day is less than a pixel.
    f.SetZoom(0);
    int a = 0, b = 0;
    f.view.DateToX(a, 2009, 1, 1);
    f.view.DateToX(b, 2009, 1, 2);
    EXPECT_EQ(a, b);

    f.SetFirstDate(2009, 4, 30);
    const struct {
        int zoom, x, result;
        Date date;
    } back[] = {{7, 340, 0, {-1, -1, -1}}, {7, 341, 1, {2009, 4, 30}}, {7, 419, 1, {2009, 4, 30}},
                {7, 420, 1, {2009, 5, 1}}, {2, 341, 1, {2009, 4, 1}},    {2, 420, 1, {2009, 5, 1}}};
    for (const auto& c : back) {
        f.SetZoom(c.zoom);
        Date d{-1, -1, -1};
        EXPECT_EQ(f.view.XToDate(c.x, d.year, d.month, d.day), c.result) << c.zoom << " " << c.x;
        EXPECT_EQ(d, c.date) << c.zoom << " " << c.x;
    }
}

// Rows stack by their lanes; damaged lane counts still give rows of their own, and a full
// workspace is laid out whole.
TEST(ChartGeometry, RowTopsAndYToRowLane)
{
    ChartFixture f;
    f.AddProject({3, 1});
    f.view.Redraw();
    ASSERT_EQ(f.view.Layout().RowCount(), 2);
    EXPECT_EQ((std::array{f.view.Layout().RowTop(1), f.view.Layout().RowTop(2)}), (std::array{125, 145}));
    for (auto [y, found, row, lane] : {std::array{65, 0, -1, -1}, {66, 1, 0, 0}, {105, 1, 0, 2}, {125, 1, 1, 0},
                                       {145, 0, -1, -1}}) {
        int r = -1, l = -1;
        EXPECT_EQ(f.view.YToRowLane(y, r, l), found) << y;
        EXPECT_TRUE(!found || std::pair(r, l) == std::pair(row, lane)) << y;
    }

    ChartFixture damaged;
    damaged.AddProject({0, 1000, 1});
    damaged.view.Redraw();
    ASSERT_EQ(damaged.view.Layout().RowCount(), 3);
    const ChartLayout& layout = damaged.view.Layout();
    EXPECT_EQ((std::array{layout.RowTop(1), layout.RowTop(2), layout.RowTop(3)}),
              (std::array{65 + 20, 85 + 256 * 20, 85 + 256 * 20 + 20}));

    ChartFixture full;
    for (int d = 0; d < MaxDocuments; ++d) {
        full.workspace.AddDocument(DocumentKind::Project);
        for (int r = 1; r < MaxVisibleRows / MaxDocuments; ++r)
            full.workspace.Doc(d)->AddRow(1);
    }
    full.workspace.RebuildVisibleRows();
    ASSERT_EQ(full.workspace.VisibleRowCount(), MaxVisibleRows);
    full.view.Redraw();
    EXPECT_EQ(full.view.Layout().RowCount(), MaxVisibleRows);
    for (int k = 0; k < MaxVisibleRows; ++k)
        ASSERT_EQ(full.view.Layout().RowTop(k + 1) - full.view.Layout().RowTop(k), 40) << k;
}

}  // namespace
}  // namespace td
