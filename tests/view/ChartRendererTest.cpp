#include "ChartFixture.h"

#include "calendar/Dates.h"
#include "persistence/HolidayFile.h"
#include "view/ItemCulling.h"
#include "view/ViewBitmaps.h"
#include "view/VisibleRowMap.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace td {
namespace {

constexpr QRgb Tint = 0xFFFF7FFF;

// Rightmost inked column of a band, or -1.
int InkRight(const QImage& image, int x0, int y0, int x1, int y1)
{
    for (int x = x1 - 1; x >= x0; --x)
        if (Inked(image, x, y0, x + 1, y1))
            return x;
    return -1;
}

// A row with children shows its fold state in the tree column; a row without children has no
// glyph.
TEST(ChartRenderer, TreeGlyphShowsTheFoldState)
{
    ChartFixture f;
    f.AddProject({1});
    ASSERT_EQ(f.workspace.AddSubProject(0), 1);
    f.workspace.RebuildVisibleRows();
    const QImage glyphs = ViewBitmap("IDB_PLUS_MINUS").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(glyphs.size(), QSize(18, 9));
    for (auto [fold, glyphX] : {std::pair{-1, 9}, {1, 0}}) {
        ASSERT_TRUE(fold < 0 || f.workspace.ShowSubtree(0, false) == 1);
        f.view.Redraw();
        ASSERT_EQ(f.workspace.FoldState(0), fold);
        EXPECT_EQ(f.view.BackBuffer().copy(23, 70, 9, 9), glyphs.copy(glyphX, 0, 9, 9)) << fold;
        EXPECT_TRUE(fold > 0 || !f.Inked(32, 90, 41, 99));
    }
}

// The selected row's name is bolder. A full-width name draws all its bytes, an empty one "no
// name"; a full person field runs straight into the comment field in memory, and only its own
// bytes show.
TEST(ChartRenderer, RowNamesAndPersons)
{
    ChartFixture f;
    f.AddProject({1, 1});
    for (int row : {0, 1})
        std::memcpy(f.workspace.RowAt(row)->name, "Alpha", 5), std::memcpy(f.workspace.RowAt(row)->person, "Bob", 3);
    f.view.Resize(800, 300);
    f.Click(100, 95);
    const QImage& image = f.view.BackBuffer();
    EXPECT_GT(InkRight(image, 36, 86, 138, 104), InkRight(image, 36, 66, 138, 84));
    EXPECT_EQ(InkRight(image, 142, 86, 218, 104), InkRight(image, 142, 66, 218, 84));

    ChartFixture full;
    full.AddProject({3, 3, 1});
    std::memset(full.workspace.RowAt(0)->name, 'i', sizeof(ProjectRow::name));
    std::memset(full.workspace.RowAt(1)->name, 'i', sizeof(ProjectRow::name) - 1);
    std::memset(full.workspace.RowAt(0)->person, 'i', sizeof(ProjectRow::person));
    full.view.Redraw();
    const QImage& names = full.view.BackBuffer();
    EXPECT_GT(CountColor(names, White, 36, 66, 138, 124, true), CountColor(names, White, 36, 126, 138, 184, true));
    EXPECT_FALSE(Inked(names, 222, 66, 338, 124));
    EXPECT_TRUE(Inked(names, 36, 187, 138, 204));
}

// 1 May 2009 is a holiday: from 30 April at zoom 7 its column is 420..500. The tint covers the day
// band and the rows (down to the first row's top when there are none), not filled rows, and is
// not drawn in month mode.
TEST(ChartRenderer, HolidayTint)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetHolidayDirectory(QDir(dir.path()).absolutePath().toStdString() + "/");
    int table[HolidayTableSize] = {};
    table[DayIndex(5, 1)] = 1;
    ASSERT_EQ(SaveHolidayFile(2009, table), 1);
    const struct { std::initializer_list<int> lanes; Color fill; int zoom; std::initializer_list<Px> pixels; } cases[] = {
        {{2}, 0xFFFFFF, 7, {{421, 45, White}, {421, 47, Tint}, {499, 90, Tint}, {421, 104, Black},
                            {421, 105, White}, {500, 90, White}, {419, 90, White}, {420, 50, Black}}},
        {{}, 0, 7, {{450, 63, Tint}, {450, 64, Black}, {450, 65, White}}},
        {{}, 0, 4, {{450, 63, White}}},
        {{1}, 0xC0C0C0, 7, {{450, 70, 0xFFC0C0C0}, {450, 50, Tint}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom * 100 + static_cast<int>(c.lanes.size()));
        ChartFixture f;
        if (c.lanes.size())
            f.AddProject(c.lanes), f.workspace.RowAt(0)->backColor = c.fill;
        f.SetZoom(c.zoom);
        f.SetFirstDate(2009, 4, 30);
        f.view.Redraw();
        ExpectPixels(f.view.BackBuffer(), c.pixels);
    }
}

// The month test skips items before their rows are looked up; it must never skip one that the
// exact tests would keep, whatever the zoom, the item's type or a month or day out of range.
TEST(ItemCulling, MonthsAwayNeverSkipsAnItemTheExactTestsKeep)
{
    ChartFixture f;
    f.AddProject({2, 2});
    const int32_t rowIds[] = {f.workspace.RowAt(0)->id, f.workspace.RowAt(1)->id};
    // 1 March: 31 February lies past it.
    for (const auto& [zoom, firstDay] : {std::pair {0, 15}, {2, 1}, {5, 1}, {9, 15}}) {
        f.SetZoom(zoom);
        f.SetFirstDate(2009, firstDay == 1 ? 3 : 6, firstDay);
        f.view.Redraw();
        const ChartGeometry geometry = f.view.Geometry();
        const VisibleRowMap rows(f.workspace, 0);
        ItemCulling culling(geometry, rows);
        int skipped = 0, kept = 0;
        for (const int type : {TaskLine, TaskBand, Event, Progress, Line, TextBox})
            for (int month = 0; month <= 13 * 12; ++month)
                for (const int day : {0, 1, 31, 32})
                    for (const int span : {0, 40, 400}) {
                        ChartItem item;
                        item.type = type, item.boxWidth = 300;
                        item.start = {rowIds[0], 0, 2003 + month / 13, month % 13 + 1, day};
                        item.end = {rowIds[1], 1, item.start.year + span / 365, (item.start.month + span / 30) % 14, day};
                        const bool away = culling.MonthsAway(ItemMonthIndex::SpanOf(item)), shown = culling.MayShow(item, 0);
                        skipped += away, kept += shown;
                        EXPECT_FALSE(away && shown) << zoom << " " << type << " " << month << " " << day << " " << span;
                    }
        EXPECT_TRUE(skipped > 0 && kept > 0) << zoom;
    }
}

// The month index is kept between redraws; a record written in place, an added item and a
// compaction must each be seen by the next redraw.
TEST(ItemMonthIndex, FollowsEveryChangeOfTheItems)
{
    Document doc;
    ChartItem item;
    item.type = TaskLine;
    item.start = item.end = {0, 0, 2009, 4, 1};
    doc.AddItem(item);
    ItemMonthIndex index;
    EXPECT_EQ(index.For(0, doc).at(0).first, 2009 * 12 + 3);
    doc.ItemPtr(0)->start.year = doc.ItemPtr(0)->end.year = 2010;
    EXPECT_EQ(index.For(0, doc).at(0).first, 2010 * 12 + 3);
    doc.AddItem(item);
    doc.DeleteItem(0);
    doc.Compact();
    ASSERT_EQ(index.For(0, doc).size(), 1u);
    EXPECT_EQ(index.For(0, doc)[0].first, 2009 * 12 + 3);
}

// The painters look rows up through the map instead of the workspace's scan; every answer must
// be the scan's, for hidden rows, repeated ids, the far-apart ids of a damaged file and an id
// just past the table's reach.
TEST(VisibleRowMap, AnswersAsTheWorkspaceFindsRows)
{
    ChartFixture f;
    f.AddProject({1, 1, 1, 1, 1, 1, 1});
    f.AddProject({1, 1, 1, 1});
    Workspace& workspace = f.workspace;
    workspace.RowAt(2)->state = RowHidden;
    workspace.RowAt(3)->id = 1 << 30;
    workspace.RowAt(4)->id = -7;
    workspace.RowAt(5)->id = workspace.RowAt(1)->id;
    workspace.RowAt(6)->id = -7 + (1 << 16);
    workspace.RowAt(9)->id = 1 << 30;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const VisibleRowMap rows(workspace, doc);
        for (int32_t id : {-7, 0, 1, 2, 3, 4, 5, 6, 1 << 30, (1 << 30) - 1, -7 + (1 << 16), 99})
            EXPECT_EQ(rows.Find(id), workspace.FindVisibleRow(doc, id)) << "document " << doc << " row id " << id;
    }
}

}  // namespace
}  // namespace td
