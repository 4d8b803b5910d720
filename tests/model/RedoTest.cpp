#include "model/Workspace.h"
#include "tests/model/WorkspaceTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace td {
namespace {

using fixtures::AddProject;
using fixtures::Task;

// Rows in order with their levels and lanes, then the place of every live item, of every document.
std::vector<int> Snapshot(const Workspace& ws)
{
    std::vector<int> values;
    for (int doc = 0; doc < ws.DocumentCount(); ++doc) {
        const Document& document = *ws.Doc(doc);
        for (int position = 0; position < document.OrderCount(); ++position) {
            const ProjectRow& row = *document.RowAtPosition(position);
            values.insert(values.end(), {row.id, row.level, row.lanes});
        }
        for (int index = 0; index < document.ItemCount(); ++index) {
            const ChartItem& item = *document.ItemPtr(index);
            if (document.ItemState(index) != ItemDeleted)
                values.insert(values.end(), {index, item.start.day, item.start.lane, item.start.rowId});
        }
    }
    return values;
}

// A project with rows of levels 0, 1, 1, 2 and an item on the first sub-project.
struct Plan {
    Plan()
    {
        doc = AddProject(ws, {0, 1, 1, 2});
        ws.AddItem(1, Task(ws.RowIdAt(1), 0, 10, 12));
        ws.Undo().ClearUndo();
    }
    Workspace ws;
    int doc = 0;
};

TEST(Redo, RedoAppliesAgainWhatUndoTookBackForEveryKindOfChange)
{
    const std::vector<std::pair<const char*, std::function<void(Workspace&)>>> changes {
        {"add sub-project", [](Workspace& ws) { ws.AddSubProject(1); }},
        {"delete sub-project with its item", [](Workspace& ws) { ws.DeleteSubProject(1); }},
        {"replace row", [](Workspace& ws) {
             ProjectRow row;
             ws.SelectRow(2);
             ws.GetSelectedRow(row);
             row.lanes = 3;
             ws.ReplaceSelectedRow(row);
         }},
        {"row up", [](Workspace& ws) { int delta = 0; ws.MoveRow(2, RowUp, delta); }},
        {"row down", [](Workspace& ws) { int delta = 0; ws.MoveRow(1, RowDown, delta); }},
        {"row indent", [](Workspace& ws) { int delta = 0; ws.MoveRow(2, RowIndent, delta); }},
        {"row outdent", [](Workspace& ws) { int delta = 0; ws.MoveRow(3, RowOutdent, delta); }},
        {"add item", [](Workspace& ws) { ws.AddItem(2, Task(ws.RowIdAt(2), 1, 3, 5)); }},
        {"move item", [](Workspace& ws) {
             ws.SelectItem(1, 0);
             ws.MoveSelectedItems(4, 1);
         }},
        {"delete item", [](Workspace& ws) {
             ws.SelectItem(1, 0);
             ws.DeleteSelectedItems(true, true);
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        Plan plan;
        const std::vector<int> before = Snapshot(plan.ws);
        change(plan.ws);
        const std::vector<int> changed = Snapshot(plan.ws);
        ASSERT_NE(changed, before);
        ASSERT_EQ(plan.ws.UndoLast(), 1);
        EXPECT_EQ(Snapshot(plan.ws), before);
        ASSERT_EQ(plan.ws.RedoLast(), 1);
        EXPECT_EQ(Snapshot(plan.ws), changed);
        EXPECT_EQ(plan.ws.RedoLast(), 0);
        ASSERT_EQ(plan.ws.UndoLast(), 1);
        EXPECT_EQ(Snapshot(plan.ws), before);
    }
}

TEST(Redo, ANewChangeOrASaveEndsRedoAndClosingADocumentKeepsTheOthers)
{
    const std::vector<std::pair<const char*, std::function<void(Workspace&)>>> endings {
        {"new change", [](Workspace& ws) { ws.AddItem(3, Task(ws.RowIdAt(3), 0, 1, 2)); }},
        {"paste", [](Workspace& ws) {
             ws.SelectItem(1, 0);
             ws.CopySelection();
             ws.PasteClipboard(2);
         }},
        {"save", [](Workspace& ws) { ws.Undo().ClearUndo(); }},
    };
    for (const auto& [name, ending] : endings) {
        SCOPED_TRACE(name);
        Plan plan;
        plan.ws.AddSubProject(1);
        plan.ws.UndoLast();
        ending(plan.ws);
        EXPECT_EQ(plan.ws.RedoLast(), 0);
    }
    // A drag that ends where it began records and drops an open group: redo is kept.
    Plan plan;
    plan.ws.AddSubProject(1);
    plan.ws.UndoLast();
    plan.ws.SelectItem(1, 0);
    plan.ws.DeleteSelectedItems(false, false);
    plan.ws.RestoreSelectedItems();
    EXPECT_EQ(plan.ws.Undo().RedoGroup(), 1);

    AddProject(plan.ws, {0, 1});
    const int second = plan.ws.VisibleRowCount() - 1;
    plan.ws.AddSubProject(second);
    plan.ws.UndoLast();
    const int rowsBefore = plan.ws.Doc(1)->OrderCount();
    plan.ws.RemoveDocument(0);
    ASSERT_EQ(plan.ws.RedoLast(), 1);
    EXPECT_EQ(plan.ws.Doc(0)->OrderCount(), rowsBefore + 1);
    EXPECT_EQ(plan.ws.RedoLast(), 0);
}

}  // namespace
}  // namespace td
