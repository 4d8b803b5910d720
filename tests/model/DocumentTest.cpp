#include "model/Document.h"

#include <gtest/gtest.h>

#include <cstring>

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

ChartItem Task(int rowId)
{
    ChartItem item;
    item.type = TaskLine;
    item.state = ItemNormal;
    item.start.rowId = rowId;
    return item;
}

TEST(Document, StartsEmptyAndItsKindIsFixedBeforeTheFirstRow)
{
    Document doc;
    EXPECT_EQ(doc.Kind(), 0);
    EXPECT_EQ(doc.ItemCapacity(), 0);
    EXPECT_EQ(doc.Path()[0], '\0');
    EXPECT_EQ(doc.RowAtPosition(0), nullptr);
    EXPECT_EQ(doc.FoldState(0), 0);
    doc.SetKind(DocumentKind::Schedule);
    EXPECT_EQ(doc.RowCapacity(), 16);
    doc.AddRow(0);
    doc.SetKind(DocumentKind::Project);
    EXPECT_EQ(doc.Kind(), DocumentKind::Schedule);
    EXPECT_EQ(doc.RowAtPosition(0)->lanes, 6);
    EXPECT_EQ(doc.ModState(), Clean);
}

TEST(Document, NewRowsGetIdsColoursAndLanes)
{
    Document doc = ProjectWithLevels({0, 1});
    const ProjectRow* row = doc.RowAtPosition(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->id, 1);
    EXPECT_EQ(row->state, RowShown);
    EXPECT_EQ(row->lanes, 2);
    EXPECT_EQ(row->backColor, 0xFFFFFFu);
    EXPECT_EQ(doc.RowAtPosition(0)->hasChildren, 1);
    EXPECT_EQ(doc.RowAtPosition(1)->hasChildren, 0);
    EXPECT_EQ(doc.NextRowId(), 2);
}

TEST(Document, AppendRowKeepsIdsAndRaisesTheCounter)
{
    Document doc;
    doc.SetKind(DocumentKind::Project);
    for (int id : {0, 7, 3}) {
        ProjectRow row;
        row.id = id;
        row.state = RowShown;
        row.lanes = 1;
        ASSERT_EQ(doc.AppendRow(row), 1);
    }
    EXPECT_EQ(doc.NextRowId(), 8);
    EXPECT_EQ(doc.RowIdAtPosition(2), 3);
    EXPECT_EQ(doc.RowIdAtPosition(3), 0);
    EXPECT_EQ(doc.ModState(), Clean);
}

TEST(Document, InsertChildRowGoesAfterTheWholeSubtree)
{
    Document doc = ProjectWithLevels({0, 1, 2, 1});
    doc.RowAtPosition(3)->lanes = 5;
    const int32_t packed = doc.InsertChildRow(1);
    EXPECT_EQ(PackedPosition(packed), 3);
    const ProjectRow* child = doc.RowAtPosition(3);
    EXPECT_EQ(child->level, 2);
    EXPECT_EQ(child->id, 4);
    EXPECT_EQ(child->lanes, 5);  // copied from the record appended last
    EXPECT_EQ(doc.ModState(), Modified);

    Document last = ProjectWithLevels({0, 3});
    EXPECT_EQ(PackedPosition(last.InsertChildRow(1)), 2);
    EXPECT_EQ(last.RowAtPosition(2)->level, 3);
}

TEST(Document, TheOrderHolds256RowsAndRefusesMore)
{
    Document doc;
    doc.SetKind(DocumentKind::Project);
    for (int i = 0; i < MaxOrder; ++i)
        ASSERT_EQ(doc.AddRow(i == 0 ? 0 : 1), 1);
    const int rowCount = doc.RowCount();
    EXPECT_EQ(doc.AddRow(1), 0);
    EXPECT_EQ(doc.InsertChildRow(0), -1);
    ProjectRow row;
    row.id = 999;
    EXPECT_EQ(doc.AppendRow(row), 0);
    EXPECT_EQ(doc.OrderCount(), MaxOrder);
    EXPECT_EQ(doc.RowCount(), rowCount);
    EXPECT_EQ(doc.NextRowId(), MaxOrder);
    EXPECT_EQ(doc.ModState(), Clean);
}

TEST(Document, RemoveAndRestoreRowAreInverses)
{
    Document only = ProjectWithLevels({0});
    EXPECT_EQ(only.RemoveRowAt(0), -1);
    EXPECT_EQ(only.OrderCount(), 1);
    EXPECT_EQ(only.ModState(), Clean);
    Document doc = ProjectWithLevels({0, 1, 2});
    EXPECT_EQ(doc.RemoveRowAt(3), -1);
    const int32_t packed = doc.RemoveRowAt(1);
    EXPECT_EQ(packed, PackPosition(1, 1));
    EXPECT_EQ(doc.OrderCount(), 2);
    EXPECT_EQ(doc.RowAtPosition(1)->level, 2);  // the child stays, with its level
    EXPECT_EQ(doc.RowRecord(1).state, RowDeleted);
    EXPECT_EQ(doc.RestoreRowAt(0, 1), -1);  // not deleted
    EXPECT_EQ(doc.RestoreRowAt(1, 3), -1);  // beyond the order
    EXPECT_EQ(doc.RestoreRowAt(PackedIndex(packed), PackedPosition(packed)), packed);
    EXPECT_EQ(doc.RowIdAtPosition(1), 1);
    EXPECT_EQ(doc.RowAtPosition(1)->state, RowShown);
}

TEST(Document, ReplaceThenPutBringsTheFirstRecordBack)
{
    Document doc = ProjectWithLevels({0, 1});
    ProjectRow changed;
    ASSERT_EQ(doc.GetRowAt(1, changed), 1);
    changed.lanes = 4;
    std::strcpy(changed.name, "x");
    EXPECT_EQ(doc.ReplaceRowAt(2, changed), -1);
    const int32_t packed = doc.ReplaceRowAt(1, changed);
    EXPECT_EQ(packed, PackPosition(1, 1));
    EXPECT_EQ(doc.RowAtPosition(1)->lanes, 4);
    EXPECT_EQ(doc.RowAtPosition(1)->id, 1);
    ASSERT_EQ(doc.PutRowAt(PackedPosition(packed), PackedIndex(packed)), 1);
    EXPECT_EQ(doc.RowAtPosition(1)->lanes, 2);
    EXPECT_EQ(doc.RowAtPosition(1)->state, RowShown);
    EXPECT_EQ(doc.RowRecord(2).state, RowDeleted);
    EXPECT_EQ(doc.PutRowAt(1, 3), 0);
    EXPECT_EQ(doc.PutRowAt(2, 0), 0);
}

TEST(Document, MoveRowAtRefusesAtTheEdgesAndKeepsLevelsInRange)
{
    Document doc = ProjectWithLevels({0, 3, 1});
    int delta = 0;
    EXPECT_EQ(doc.MoveRowAt(0, RowUp, delta), 0);
    EXPECT_EQ(doc.MoveRowAt(2, RowDown, delta), 0);
    EXPECT_EQ(doc.ModState(), Clean);
    EXPECT_EQ(delta, 0);

    EXPECT_EQ(doc.MoveRowAt(0, RowOutdent, delta), 1);
    EXPECT_EQ(doc.RowAtPosition(0)->level, 0);
    EXPECT_EQ(doc.ModState(), Modified);
    EXPECT_EQ(doc.MoveRowAt(1, RowIndent, delta), 1);
    EXPECT_EQ(doc.RowAtPosition(1)->level, 3);

    EXPECT_EQ(doc.MoveRowAt(2, RowUp, delta), 1);
    EXPECT_EQ(delta, -1);
    EXPECT_EQ(doc.RowIdAtPosition(1), 2);
    EXPECT_EQ(doc.RowAtPosition(1)->hasChildren, 1);
    EXPECT_EQ(doc.MoveRowAt(1, RowDown, delta), 1);
    EXPECT_EQ(delta, 1);
    EXPECT_EQ(doc.RowIdAtPosition(1), 1);
    EXPECT_EQ(doc.RowAtPosition(2)->hasChildren, 0);
}

TEST(Document, FoldingHidesEveryDescendant)
{
    Document doc = ProjectWithLevels({0, 1, 2, 1, 0});
    EXPECT_EQ(doc.FoldState(0), -1);
    EXPECT_EQ(doc.FoldState(2), 0);
    ASSERT_EQ(doc.SetSubtreeShown(1, false), 1);
    EXPECT_EQ(doc.IsShownAt(2), 0);
    EXPECT_EQ(doc.FoldState(1), 1);
    ASSERT_EQ(doc.SetSubtreeShown(0, false), 1);
    EXPECT_EQ(doc.IsShownAt(3), 0);
    EXPECT_EQ(doc.IsShownAt(4), 1);
    ASSERT_EQ(doc.SetSubtreeShown(0, true), 1);
    EXPECT_EQ(doc.IsShownAt(2), 1);  // also the rows under the folded child
    EXPECT_EQ(doc.FoldState(1), -1);
    EXPECT_EQ(doc.SetSubtreeShown(4, true), 0);
    EXPECT_EQ(doc.ModState(), Clean);
}

TEST(Document, ItemsAreAppendedAndMarked)
{
    Document doc = ProjectWithLevels({0});
    EXPECT_EQ(doc.AddItem(Task(0)), 0);
    EXPECT_EQ(doc.AddItem(Task(0)), 1);
    EXPECT_EQ(doc.ItemCapacity(), 16);
    EXPECT_EQ(doc.ModState(), Modified);
    doc.SetModState(Clean);
    EXPECT_EQ(doc.SetItemState(1, ItemSelected), 1);
    EXPECT_EQ(doc.ModState(), Modified);
    EXPECT_EQ(doc.SetItemState(2, ItemSelected), 0);
    EXPECT_EQ(doc.DeleteItem(0), 0);
    EXPECT_EQ(doc.ItemState(0), ItemDeleted);
    EXPECT_EQ(doc.ItemState(5), 0);
    ChartItem out;
    EXPECT_EQ(doc.GetItem(2, out), 0);
    EXPECT_EQ(doc.ItemPtr(-1), nullptr);
    for (int i = 0; i < 15; ++i)
        doc.AddItem(Task(0));
    EXPECT_EQ(doc.ItemCapacity(), 32);
    EXPECT_EQ(doc.ItemCount(), 17);
}

TEST(Document, CompactDropsDeletedRecordsAndRenumbersTheOrder)
{
    Document doc = ProjectWithLevels({0, 0, 0});  // R1, R2, R3 with ids 0, 1, 2
    ASSERT_NE(doc.RemoveRowAt(1), -1);
    int delta = 0;
    ASSERT_EQ(doc.MoveRowAt(1, RowUp, delta), 1);  // order R3, R1
    for (int i = 0; i < 4; ++i) {
        ChartItem item = Task(i);
        doc.AddItem(item);
    }
    doc.DeleteItem(1);
    doc.SetItemState(2, ItemSelected);
    doc.SetModState(Clean);
    std::vector<int> map;
    doc.Compact(&map);
    EXPECT_EQ(doc.RowCount(), 2);
    EXPECT_EQ(doc.RowIndexAtPosition(0), 0);
    EXPECT_EQ(doc.RowIndexAtPosition(1), 1);
    EXPECT_EQ(doc.RowRecord(0).id, 2);
    EXPECT_EQ(doc.RowRecord(1).id, 0);
    ASSERT_EQ(doc.ItemCount(), 3);
    EXPECT_EQ(doc.ItemPtr(0)->start.rowId, 0);
    EXPECT_EQ(doc.ItemPtr(1)->start.rowId, 2);
    EXPECT_EQ(doc.ItemPtr(1)->state, ItemSelected);
    EXPECT_EQ(doc.ItemPtr(2)->start.rowId, 3);
    EXPECT_EQ(map, (std::vector<int>{0, -1, 1, 2}));
    EXPECT_EQ(doc.ModState(), Clean);
}

}  // namespace
}  // namespace td
