#include "ChartFixture.h"

#include "view/ItemCulling.h"
#include "view/VisibleRowMap.h"

#include <gtest/gtest.h>

namespace td {
namespace {

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
                        item.type = type;
                        item.boxWidth = 300;
                        item.start = {rowIds[0], 0, 2003 + month / 13, month % 13 + 1, day};
                        item.end = {rowIds[1], 1, item.start.year + span / 365,
                                    (item.start.month + span / 30) % 14, day};
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
