#include "model/UndoLog.h"

#include "WorkspaceTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace td {
namespace {

using namespace fixtures;

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
