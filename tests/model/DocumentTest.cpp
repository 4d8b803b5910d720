#include "model/Document.h"

#include "WorkspaceTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace td {
namespace {

Document ProjectWithLevels(std::initializer_list<int> levels)
{
    Document doc;
    doc.SetKind(DocumentKind::Project);
    for (int level : levels)
        doc.AddRow(level);
    return doc;
}

ChartItem Task(int rowId) { return fixtures::Task(rowId, 0, 1, 2); }

TEST(Document, StartsEmptyItsKindIsFixedByTheFirstRowAndNewRowsGetIdsColoursAndLanes)
{
    Document doc;
    EXPECT_EQ((std::vector<int> {doc.Kind(), doc.ItemCapacity(), doc.Path()[0], doc.FoldState(0)}), std::vector<int>(4, 0));
    EXPECT_EQ(doc.RowAtPosition(0), nullptr);
    doc.SetKind(DocumentKind::Schedule);
    EXPECT_EQ(doc.RowCapacity(), 16);
    doc.AddRow(0);
    doc.SetKind(DocumentKind::Project);
    EXPECT_EQ((std::vector<int> {doc.Kind(), doc.RowAtPosition(0)->lanes, doc.ModState()}),
              (std::vector<int> {DocumentKind::Schedule, 6, Clean}));

    Document project = ProjectWithLevels({0, 1});
    const ProjectRow* row = project.RowAtPosition(1);
    EXPECT_EQ((std::vector<int> {row->id, row->state, row->lanes, project.RowAtPosition(0)->hasChildren, row->hasChildren,
                                 project.NextRowId()}),
              (std::vector<int> {1, RowShown, 2, 1, 0, 2}));
    EXPECT_EQ(row->backColor, 0xFFFFFFu);
}

TEST(Document, AppendRowKeepsIdsAndTheOrderHolds256RowsAndRefusesMore)
{
    Document doc;
    doc.SetKind(DocumentKind::Project);
    ProjectRow row;
    row.state = RowShown;
    row.lanes = 1;
    for (int id : {0, 7, 3}) {
        row.id = id;
        ASSERT_EQ(doc.AppendRow(row), 1);
    }
    EXPECT_EQ((std::vector<int> {doc.NextRowId(), doc.RowIdAtPosition(2), doc.RowIdAtPosition(3), doc.ModState()}),
              (std::vector<int> {8, 3, 0, Clean}));
    while (doc.OrderCount() < MaxOrder)
        ASSERT_EQ(doc.AddRow(1), 1);
    const int rowCount = doc.RowCount();
    row.id = 999;
    EXPECT_EQ((std::vector<int> {doc.AddRow(1), doc.InsertChildRow(0), doc.AppendRow(row)}), (std::vector<int> {0, -1, 0}));
    EXPECT_EQ((std::vector<int> {doc.OrderCount(), doc.RowCount(), doc.NextRowId(), doc.ModState()}),
              (std::vector<int> {MaxOrder, rowCount, MaxOrder + 5, Clean}));
}

TEST(Document, InsertChildRowGoesAfterTheWholeSubtree)
{
    Document doc = ProjectWithLevels({0, 1, 2, 1});
    doc.RowAtPosition(3)->lanes = 5;
    EXPECT_EQ(PackedPosition(doc.InsertChildRow(1)), 3);
    const ProjectRow* child = doc.RowAtPosition(3);
    // The lanes are copied from the record appended last.
    EXPECT_EQ((std::vector<int> {child->level, child->id, child->lanes, doc.ModState()}), (std::vector<int> {2, 4, 5, Modified}));

    Document last = ProjectWithLevels({0, 3});
    EXPECT_EQ(PackedPosition(last.InsertChildRow(1)), 2);
    EXPECT_EQ(last.RowAtPosition(2)->level, 3);
}

TEST(Document, RemoveRestoreReplaceAndPutAreInverses)
{
    Document only = ProjectWithLevels({0});
    EXPECT_EQ((std::vector<int> {only.RemoveRowAt(0), only.OrderCount(), only.ModState()}), (std::vector<int> {-1, 1, Clean}));
    Document doc = ProjectWithLevels({0, 1, 2});
    EXPECT_EQ(doc.RemoveRowAt(3), -1);
    const int32_t packed = doc.RemoveRowAt(1);
    EXPECT_EQ(packed, PackPosition(1, 1));
    // The child stays, with its level.
    EXPECT_EQ((std::vector<int> {doc.OrderCount(), doc.RowAtPosition(1)->level, doc.RowRecord(1).state}),
              (std::vector<int> {2, 2, RowDeleted}));
    // Not deleted, and beyond the order.
    EXPECT_EQ(doc.RestoreRowAt(0, 1) + doc.RestoreRowAt(1, 3), -2);
    EXPECT_EQ(doc.RestoreRowAt(PackedIndex(packed), PackedPosition(packed)), packed);
    EXPECT_EQ((std::pair {doc.RowIdAtPosition(1), doc.RowAtPosition(1)->state}), (std::pair {1, int(RowShown)}));

    ProjectRow changed = *doc.RowAtPosition(1);
    changed.lanes = 4;
    std::strcpy(changed.name, "x");
    EXPECT_EQ(doc.ReplaceRowAt(3, changed), -1);
    const int32_t replaced = doc.ReplaceRowAt(1, changed);
    EXPECT_EQ(replaced, PackPosition(1, 1));
    EXPECT_EQ(doc.RowAtPosition(1)->lanes * 10 + doc.RowAtPosition(1)->id, 41);
    ASSERT_EQ(doc.PutRowAt(PackedPosition(replaced), PackedIndex(replaced)), 1);
    EXPECT_EQ((std::vector<int> {doc.RowAtPosition(1)->lanes, doc.RowAtPosition(1)->state, doc.RowRecord(3).state}),
              (std::vector<int> {2, RowShown, RowDeleted}));
    EXPECT_EQ(doc.PutRowAt(1, 4) + doc.PutRowAt(3, 0), 0);
}

TEST(Document, MoveRowAtRefusesAtTheEdgesAndKeepsLevelsInRange)
{
    Document doc = ProjectWithLevels({0, 3, 1});
    int delta = 0;
    EXPECT_EQ((std::vector<int> {doc.MoveRowAt(0, RowUp, delta), doc.MoveRowAt(2, RowDown, delta), delta, doc.ModState()}),
              (std::vector<int> {0, 0, 0, Clean}));
    EXPECT_EQ((std::vector<int> {doc.MoveRowAt(0, RowOutdent, delta), doc.RowAtPosition(0)->level, doc.ModState()}),
              (std::vector<int> {1, 0, Modified}));
    EXPECT_EQ((std::pair {doc.MoveRowAt(1, RowIndent, delta), doc.RowAtPosition(1)->level}), (std::pair {1, 3}));
    EXPECT_EQ((std::vector<int> {doc.MoveRowAt(2, RowUp, delta), delta, doc.RowIdAtPosition(1), doc.RowAtPosition(1)->hasChildren}),
              (std::vector<int> {1, -1, 2, 1}));
    EXPECT_EQ((std::vector<int> {doc.MoveRowAt(1, RowDown, delta), delta, doc.RowIdAtPosition(1), doc.RowAtPosition(2)->hasChildren}),
              (std::vector<int> {1, 1, 1, 0}));
}

TEST(Document, FoldingHidesEveryDescendant)
{
    Document doc = ProjectWithLevels({0, 1, 2, 1, 0});
    EXPECT_EQ((std::pair {doc.FoldState(0), doc.FoldState(2)}), (std::pair {-1, 0}));
    ASSERT_EQ(doc.SetSubtreeShown(1, false), 1);
    EXPECT_EQ((std::pair {doc.IsShownAt(2), doc.FoldState(1)}), (std::pair {0, 1}));
    ASSERT_EQ(doc.SetSubtreeShown(0, false), 1);
    EXPECT_EQ((std::pair {doc.IsShownAt(3), doc.IsShownAt(4)}), (std::pair {0, 1}));
    // Unfolding also shows the rows under the folded child.
    ASSERT_EQ(doc.SetSubtreeShown(0, true), 1);
    EXPECT_EQ((std::pair {doc.IsShownAt(2), doc.FoldState(1)}), (std::pair {1, -1}));
    EXPECT_EQ((std::pair {doc.SetSubtreeShown(4, true), doc.ModState()}), (std::pair {0, int(Clean)}));
}

TEST(Document, ItemsAreAppendedAndMarked)
{
    Document doc = ProjectWithLevels({0});
    EXPECT_EQ((std::vector<int> {doc.AddItem(Task(0)), doc.AddItem(Task(0)), doc.ItemCapacity(), doc.ModState()}),
              (std::vector<int> {0, 1, 16, Modified}));
    doc.SetModState(Clean);
    EXPECT_EQ((std::pair {doc.SetItemState(1, ItemSelected), doc.ModState()}), (std::pair {1, int(Modified)}));
    ChartItem out;
    EXPECT_EQ((std::vector<int> {doc.SetItemState(2, ItemSelected), doc.DeleteItem(0), doc.ItemState(0), doc.ItemState(5), doc.GetItem(2, out)}),
              (std::vector<int> {0, 0, ItemDeleted, 0, 0}));
    EXPECT_EQ(doc.ItemPtr(-1), nullptr);
    for (int i = 0; i < 15; ++i)
        doc.AddItem(Task(0));
    EXPECT_EQ((std::pair {doc.ItemCapacity(), doc.ItemCount()}), (std::pair {32, 17}));
}

TEST(Document, CompactDropsDeletedRecordsAndRenumbersTheOrder)
{
    Document doc = ProjectWithLevels({0, 0, 0});  // R1, R2, R3 with ids 0, 1, 2
    ASSERT_NE(doc.RemoveRowAt(1), -1);
    int delta = 0;
    ASSERT_EQ(doc.MoveRowAt(1, RowUp, delta), 1);  // order R3, R1
    for (int i = 0; i < 4; ++i)
        doc.AddItem(Task(i));
    doc.DeleteItem(1);
    doc.SetItemState(2, ItemSelected);
    doc.SetModState(Clean);
    std::vector<int> map;
    doc.Compact(&map);
    EXPECT_EQ((std::vector<int> {doc.RowCount(), doc.RowIndexAtPosition(0), doc.RowIndexAtPosition(1), doc.RowRecord(0).id, doc.RowRecord(1).id}),
              (std::vector<int> {2, 0, 1, 2, 0}));
    ASSERT_EQ(doc.ItemCount(), 3);
    EXPECT_EQ((std::vector<int> {doc.ItemPtr(0)->start.rowId, doc.ItemPtr(1)->start.rowId, doc.ItemPtr(1)->state,
                                 doc.ItemPtr(2)->start.rowId, doc.ModState()}),
              (std::vector<int> {0, 2, ItemSelected, 3, Clean}));
    EXPECT_EQ(map, (std::vector<int>{0, -1, 1, 2}));
}

}  // namespace
}  // namespace td
