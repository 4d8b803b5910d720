#include "model/Workspace.h"
#include "model/UndoLog.h"

#include "WorkspaceTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace td {
namespace {

using namespace fixtures;

int Level(const Workspace& ws, int visibleRow)
{
    return ws.RowAt(visibleRow)->level;
}

// Visible rows as id * 10 + level, to see what an edit changed.
std::vector<int> Shape(const Workspace& ws)
{
    std::vector<int> shape;
    for (int row = 0; row < ws.VisibleRowCount(); ++row)
        shape.push_back(ws.RowIdAt(row) * 10 + Level(ws, row));
    return shape;
}

TEST(Workspace, OpensAtMostSixteenDocuments)
{
    Workspace ws;
    EXPECT_EQ(ws.AddDocument(DocumentKind::Project), 1);
    EXPECT_EQ(ws.AddDocument(DocumentKind::Schedule), 1);
    EXPECT_EQ(ws.AddDocument(0), 1);
    EXPECT_EQ(ws.AddDocument(7), 0);
    for (int n = 3; n < MaxDocuments; ++n)
        ASSERT_EQ(ws.AddDocument(DocumentKind::Project), 1);
    EXPECT_EQ(ws.AddDocument(DocumentKind::Project), 0);
    EXPECT_EQ(ws.DocumentCount(), 16);

    EXPECT_EQ((std::vector<int> {ws.Doc(2)->OrderCount(), ws.Doc(0)->ModState(), ws.Undo().Count(), ws.VisibleRowCount()}),
              (std::vector<int> {0, Clean, 0, 15}));
    EXPECT_EQ(ws.Doc(16), nullptr);
}

TEST(Workspace, FlattensDocumentsInSlotOrderAndHidesFoldedRows)
{
    Workspace ws;
    AddProject(ws, {0, 1, 1});
    AddProject(ws, {0, 1, 2});
    ASSERT_EQ(ws.VisibleRowCount(), 6);
    int doc = -1;
    EXPECT_EQ((std::pair {ws.VisibleRowDocument(2, doc), doc}), (std::pair {1, 0}));
    EXPECT_EQ(ws.VisibleRowPosition(5), 2);
    EXPECT_EQ(ws.VisibleRowDocument(6, doc) + ws.RowIdAt(6), -1);

    EXPECT_EQ(ws.FoldState(0), -1);
    EXPECT_EQ(ws.ShowSubtree(0, false), 1);
    EXPECT_EQ(ws.VisibleRowCount(), 4);
    EXPECT_EQ(ws.FoldState(0), 1);
    EXPECT_EQ((std::pair {ws.FindVisibleRow(1, 2), ws.FindVisibleRow(0, 1)}), (std::pair {3, -1}));
    EXPECT_EQ((std::pair {ws.Undo().Count(), ws.Doc(0)->ModState()}), (std::pair {0, int(Clean)}));
}

TEST(Workspace, FlattenedListStopsAt256Rows)
{
    Workspace ws;
    const int first = AddProject(ws, {0});
    for (int n = 1; n < 200; ++n)
        ws.Doc(first)->AddRow(1);
    const int second = AddProject(ws, {0});
    for (int n = 1; n < 100; ++n)
        ws.Doc(second)->AddRow(1);
    const int third = AddProject(ws, {0});
    ws.RebuildVisibleRows();

    EXPECT_EQ(ws.VisibleRowCount(), MaxVisibleRows);
    int doc = -1;
    ws.VisibleRowDocument(255, doc);
    EXPECT_EQ((std::pair {doc, ws.VisibleRowPosition(255)}), (std::pair {second, 55}));
    EXPECT_EQ((std::pair {ws.FindVisibleRow(second, 56), ws.FindVisibleRow(third, 0)}), (std::pair {-1, -1}));
}

TEST(Workspace, DeleteSubProjectTakesItsItemsAndEndingLinesAndUndoBringsThemBack)
{
    Workspace ws;
    const int doc = AddProject(ws, {0, 1, 2});
    const int onRow = ws.AddItem(1, Task(1, 0, 2, 4));
    const int alsoOnRow = ws.AddItem(1, Task(1, 1, 5, 6));
    const int lineEnding = ws.AddItem(0, LineItem(0, 0, 1, 1));
    const int elsewhere = ws.AddItem(0, Task(0, 0, 2, 4));
    const int onChild = ws.AddItem(2, Task(2, 0, 2, 4));
    ASSERT_EQ(ws.SelectItem(1, onRow), 1);

    ASSERT_EQ(ws.DeleteSubProject(1), 1);
    EXPECT_EQ(States(ws, doc, {onRow, alsoOnRow, lineEnding, elsewhere, onChild}),
              (std::vector<int> {ItemDeleted, ItemDeleted, ItemDeleted, ItemNormal, ItemNormal}));
    // The deleted item is no longer selected, so deselecting cannot revive it.
    EXPECT_EQ(ws.SelectionCount(), 0);
    EXPECT_EQ(Shape(ws), (std::vector<int> {0, 22}));

    ASSERT_EQ(ws.UndoLast(), 1);
    EXPECT_EQ(Shape(ws), (std::vector<int> {0, 11, 22}));
    EXPECT_EQ(States(ws, doc, {onRow, alsoOnRow, lineEnding}), (std::vector<int> {ItemNormal, ItemNormal, ItemNormal}));

    Workspace single;
    AddProject(single, {0});
    EXPECT_EQ(single.DeleteSubProject(0), 0);
    EXPECT_EQ(single.Undo().Count(), 0);
}

TEST(Workspace, EveryRowEditIsTakenBackByOneUndo)
{
    Workspace ws;
    const int doc = AddProject(ws, {0, 1, 1});
    const std::pair<int, int> moves[] = {{1, RowDown}, {2, RowUp}, {2, RowIndent}, {1, RowOutdent}};
    for (auto [row, command] : moves) {
        const std::vector<int> before = Shape(ws);
        int delta = 0;
        ASSERT_EQ(ws.MoveRow(row, command, delta), 1);
        EXPECT_EQ(delta, command == RowDown ? 1 : command == RowUp ? -1 : 0);
        EXPECT_NE(Shape(ws), before) << command;
        ws.UndoLast();
        EXPECT_EQ(Shape(ws), before) << command;
    }
    ws.SelectRow(1);
    ProjectRow row;
    ASSERT_EQ(ws.GetSelectedRow(row), 1);
    row.lanes = 5;
    ASSERT_EQ(ws.ReplaceSelectedRow(row), 1);
    EXPECT_EQ(ws.RowAt(1)->lanes, 5);
    ws.UndoLast();
    EXPECT_EQ((std::vector<int> {ws.RowAt(1)->lanes, ws.Undo().Group(), ws.Doc(doc)->ModState()}), (std::vector<int> {2, 0, Modified}));

    // After the log is cleared, nothing is undone: not an item, not a row.
    const int item = ws.AddItem(0, Task(0, 0, 1, 2));
    ws.AddSubProject(0);
    ws.Undo().ClearUndo();
    EXPECT_EQ(ws.UndoLast(), 0);
    EXPECT_EQ((std::pair {ws.VisibleRowCount(), ws.ItemState(doc, item)}), (std::pair {4, int(ItemNormal)}));
}

TEST(Workspace, RowEditsThatChangeNothingRecordNothing)
{
    Workspace ws;
    const int doc = AddProject(ws, {0, 1});
    int delta = 0;
    EXPECT_EQ((std::vector<int> {ws.MoveRow(0, RowUp, delta), ws.MoveRow(1, RowDown, delta), ws.MoveRow(5, RowIndent, delta), delta}),
              (std::vector<int>(4, 0)));
    EXPECT_EQ(ws.MoveRow(0, RowOutdent, delta), 1);
    EXPECT_EQ(Level(ws, 0), 0);
    for (int n = 2; n < MaxOrder; ++n)
        ws.Doc(doc)->AddRow(1);
    ws.RebuildVisibleRows();
    EXPECT_EQ(ws.AddSubProject(0), 0);
    EXPECT_EQ(ws.Doc(doc)->OrderCount(), MaxOrder);
    EXPECT_EQ((std::vector<int> {ws.Undo().Count(), ws.Undo().Group(), ws.UndoLast()}), std::vector<int>(3, 0));
}

TEST(Workspace, DateRangeCoversEveryItemAndStartsEmpty)
{
    Workspace ws;
    const auto range = [&ws] {
        int year = -1, month = -1, day = -1, endYear = -1, endMonth = -1, endDay = -1;
        ws.GetDateRange(year, month, day, false);
        ws.GetDateRange(endYear, endMonth, endDay, true);
        return std::pair {year * 10000 + month * 100 + day, endYear * 10000 + endMonth * 100 + endDay};
    };
    ws.UpdateDateRange(nullptr);
    EXPECT_EQ(range(), (std::pair {0, 0}));

    const int doc = AddProject(ws, {0});
    ws.AddItem(0, Task(0, 0, 10, 12));
    const int early = ws.AddItem(0, Task(0, 0, 3, 5));
    AddProject(ws, {0});
    ws.AddItem(1, Task(0, 0, 1, 20, 6));
    EXPECT_EQ(range(), (std::pair {20090503, 20090620}));
    // Deleted items still count when the range is recomputed.
    ws.Doc(doc)->DeleteItem(early);
    ws.UpdateDateRange(nullptr);
    EXPECT_EQ(range(), (std::pair {20090503, 20090620}));
}

TEST(Workspace, CloseDocumentAsksFirstThenDropsItsEntriesAndRenumbersTheLaterOnes)
{
    Workspace ws;
    FakeSavePrompt no(0), yes(1);
    EXPECT_EQ((std::pair {ws.CloseDocument(0, no), no.calls}), (std::pair {0, 0}));

    AddProject(ws, {0});
    AddProject(ws, {0, 1});
    ws.AddItem(0, Task(0, 0, 1, 2));
    const int later = ws.AddItem(1, Task(0, 0, 1, 2));
    ws.AddItem(0, Task(0, 0, 3, 4));
    ws.SelectItem(1, later);
    ws.CopySelection();
    EXPECT_EQ(ws.CloseDocument(1, no), 0);
    EXPECT_EQ((std::pair {no.asked, ws.DocumentCount()}), (std::pair {ws.Doc(1), 2}));

    ASSERT_EQ(ws.CloseDocument(0, yes), 1);
    EXPECT_EQ(Shape(ws), (std::vector<int> {0, 11}));
    EXPECT_EQ((std::vector<int> {ws.Undo().Count(), ws.Undo().Group(), ws.Undo().Record(0).doc, ws.SelectionDoc(), ws.SelectionCount()}),
              (std::vector<int> {1, 1, 0, 0, 1}));

    ASSERT_EQ(ws.UndoLast(), 1);
    EXPECT_EQ(ws.ItemState(0, later), ItemDeleted);
    EXPECT_EQ(ws.UndoLast(), 0);

    // The selection goes with its document; the clipboard's copies still paste elsewhere.
    ws.SelectItem(0, ws.AddItem(0, Task(0, 0, 1, 2)));
    ws.CopySelection();
    AddProject(ws, {0});
    ASSERT_EQ(ws.RemoveDocument(0), 1);
    EXPECT_EQ(ws.SelectionCount() + ws.Undo().Group(), 0);
    ASSERT_EQ(ws.PasteClipboard(0), 1);
    EXPECT_EQ(ws.ItemCount(0), 1);
}

TEST(UndoLog, SkipsUnknownCodesAndEntriesThatNoLongerFit)
{
    Workspace ws;
    const int doc = AddProject(ws, {0, 1});
    const int item = ws.AddItem(0, Task(0, 0, 1, 2));
    ws.Doc(doc)->DeleteItem(item);
    UndoLog& log = ws.Undo();
    log.RecordUndo(doc, UndoItemDeleted, item);
    log.RecordUndo(doc, 36, 0);
    log.RecordUndo(doc, UndoItemDeleted, 500);
    log.RecordUndo(doc, UndoDeleteSubProject, PackPosition(9, 9));
    log.RecordUndo(7, UndoItemAdded, item);
    log.EndUndoGroup();

    ASSERT_EQ(ws.UndoLast(), 1);
    EXPECT_EQ((std::vector<int> {ws.ItemState(doc, item), ws.VisibleRowCount(), log.Count()}), (std::vector<int> {ItemNormal, 2, 1}));
}

TEST(UndoLog, EmptyLogHasNothingToUndoAndDroppingADocumentRenumbersSlotsAndGroups)
{
    Workspace ws;
    UndoLog log;
    EXPECT_EQ(log.Undo(ws), 0);
    log.EndUndoGroup();
    EXPECT_EQ((std::pair {log.Group(), log.Record(0).code}), (std::pair {0, 0}));

    log.RecordUndo(1, UndoItemAdded, 10);
    log.EndUndoGroup();
    log.RecordUndo(0, UndoItemAdded, 11);
    log.EndUndoGroup();
    log.RecordUndo(2, UndoItemAdded, 12);
    log.RecordUndo(0, UndoItemAdded, 13);
    log.EndUndoGroup();
    // An open group, as a drag leaves it between its start and its drop.
    log.RecordUndo(2, UndoItemDeleted, 14);

    log.DropDocument(0);
    ASSERT_EQ(log.Count(), 3);
    EXPECT_EQ((std::vector<int> {log.Group(), log.Record(0).doc, log.Record(0).group, log.Record(1).doc, log.Record(1).value,
                                 log.Record(1).group, log.Record(2).group}),
              (std::vector<int> {2, 0, 0, 1, 12, 1, 2}));
    log.EndUndoGroup();
    EXPECT_EQ(log.Group(), 3);
    log.DropDocument(1);
    EXPECT_EQ((std::pair {log.Count(), log.Group()}), (std::pair {1, 1}));
    log.DropDocument(0);
    EXPECT_EQ((std::pair {log.Count(), log.Group()}), (std::pair {0, 0}));
}

}  // namespace
}  // namespace td
