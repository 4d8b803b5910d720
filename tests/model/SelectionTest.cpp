#include "model/Workspace.h"

#include "WorkspaceTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace td {
namespace {

using namespace fixtures;

ChartItem EntryOn(int day)
{
    ChartItem item = Task(0, 0, day, day);
    item.type = Schedule;
    return item;
}

ChartItem Box(int rowId, int topLane, int bottomLane)
{
    ChartItem item = Task(rowId, topLane, 10, 10);
    item.type = TextBox;
    item.end.lane = static_cast<uint8_t>(bottomLane);
    return item;
}

// A project of four 2-lane rows (ids 0..3) holding one selected item.
struct MovingOne {
    MovingOne(const ChartItem& item)
    {
        doc = AddProject(ws, {0, 1, 1, 1});
        index = ws.AddItem(0, item);
        ws.SelectItem(0, index);
    }
    ChartItem Moved() const { return SelectedItem(ws, doc, 0); }

    Workspace ws;
    int doc = 0;
    int index = 0;
};

TEST(Selection, SelectsOnlyNormalItemsOnceEachAndOfOneDocument)
{
    Workspace ws;
    const int doc = AddProject(ws, {0});
    AddProject(ws, {0});
    const int a = ws.AddItem(0, Task(0, 0, 1, 2));
    const int b = ws.AddItem(0, Task(0, 0, 1, 2));
    const int other = ws.AddItem(1, Task(0, 0, 1, 2));
    ws.Doc(doc)->DeleteItem(b);
    ws.Doc(doc)->SetModState(Clean);

    EXPECT_EQ(ws.SelectItem(0, a), 1);
    EXPECT_EQ(ws.ItemState(doc, a), ItemSelected);
    EXPECT_EQ(ws.SelectItem(0, a) + ws.SelectItem(0, b) + ws.SelectItem(0, 99), 0);
    EXPECT_EQ(ws.SelectionCount(), 1);
    EXPECT_EQ(ws.Doc(doc)->ModState(), Modified);
    EXPECT_EQ((std::vector<int> {ws.SelectItem(1, other), ws.SelectionDoc(), ws.ItemState(1, other)}), (std::vector<int> {0, 0, ItemNormal}));
    ChartItem item;
    EXPECT_EQ(ws.GetSelectedItem(1, 0, item), 0);

    EXPECT_EQ(ws.ClearSelection(), 1);
    EXPECT_EQ(ws.ItemState(doc, a), ItemNormal);
    EXPECT_EQ(ws.ClearSelection(), 0);
}

TEST(Selection, RefusesThe257thItem)
{
    Workspace ws;
    AddProject(ws, {0});
    for (int n = 0; n <= MaxSelection; ++n)
        ws.Doc(0)->AddItem(Task(0, 0, 1, 2));
    for (int n = 0; n < MaxSelection; ++n)
        ASSERT_EQ(ws.SelectItem(0, n), 1);
    EXPECT_EQ((std::vector<int> {ws.SelectItem(0, MaxSelection), ws.SelectionCount(), ws.ItemState(0, MaxSelection)}),
              (std::vector<int> {0, MaxSelection, ItemNormal}));
}

TEST(Selection, RubberBandComparesDatesStrictlyAndEndsWithTheTopRowsDocument)
{
    Workspace ws;
    AddProject(ws, {0, 1});
    AddProject(ws, {0});
    const int onCorner = ws.AddItem(0, Task(0, 0, 10, 12));
    const int endOnCorner = ws.AddItem(0, Task(0, 0, 11, 20));
    const int inside = ws.AddItem(1, Task(1, 1, 11, 19));
    ws.AddItem(2, Task(0, 0, 11, 12));
    EXPECT_EQ(ws.SelectItemsInRectangle(0, 1, Corner(0, 10), Corner(1, 20)), 1);
    EXPECT_EQ(States(ws, 0, {onCorner, endOnCorner, inside}), (std::vector<int> {ItemNormal, ItemNormal, ItemSelected}));

    // Spanning both documents, the band keeps to the top row's one.
    ws.ClearSelection();
    EXPECT_EQ(ws.SelectItemsInRectangle(0, 2, Corner(0, 1), Corner(0, 28)), 1);
    EXPECT_EQ((std::pair {ws.SelectionDoc(), ws.SelectionCount()}), (std::pair {0, 3}));
}

TEST(Selection, RubberBandTestsLanesOfTheCornerRows)
{
    Workspace ws;
    AddProject(ws, {0, 1, 1});
    const int aboveTopLane = ws.AddItem(0, Task(0, 0, 11, 12));
    const int onTopLane = ws.AddItem(0, Task(0, 1, 11, 12));
    const int middle = ws.AddItem(1, Task(1, 0, 11, 12));
    const int onBottomLane = ws.AddItem(2, Task(2, 0, 11, 12));
    const int belowBottomLane = ws.AddItem(2, Task(2, 1, 11, 12));
    const int lineEndingBelow = ws.AddItem(0, LineItem(0, 1, 2, 1));
    EXPECT_EQ(ws.SelectItemsInRectangle(0, 2, Corner(1, 1), Corner(0, 28)), 1);
    EXPECT_EQ(ws.IsItemSelected(0, onTopLane) + ws.IsItemSelected(0, middle) + ws.IsItemSelected(0, onBottomLane), 3);
    EXPECT_EQ(ws.IsItemSelected(0, aboveTopLane) + ws.IsItemSelected(0, belowBottomLane) + ws.IsItemSelected(0, lineEndingBelow), 0);

    ws.ClearSelection();
    EXPECT_EQ(ws.SelectItemsInRectangle(1, 1, Corner(0, 1), Corner(1, 28)), 1);
    EXPECT_EQ(ws.SelectItemsInRectangle(1, 1, Corner(1, 1), Corner(1, 28)), 0);
}

// Four 2-lane rows with ids 0..3; a point walks through the lanes of the visible rows.
TEST(Selection, MovingWalksThroughTheLanesOfTheDocumentsRows)
{
    const struct {
        ChartItem item;
        int lanes;
        int startRow, startLane, endRow, endLane;
    } cases[] = {
        {Task(0, 1, 10, 12), 3, 2, 0, 0, 0},
        {Task(2, 0, 10, 12), -3, 0, 1, 0, 0},
        {LineItem(0, 0, 2, 1), 1, 0, 1, 3, 0},
        {Box(0, 0, 1), 2, 1, 0, 0, 1},
        {Box(1, 0, 1), 1, 1, 1, 0, 1},
        {EntryOn(10), 5, 0, 0, 0, 0},
    };
    for (const auto& [item, lanes, startRow, startLane, endRow, endLane] : cases) {
        MovingOne t(item);
        ASSERT_EQ(t.ws.MoveSelectedItems(2, lanes), 1);
        const ChartItem moved = t.Moved();
        EXPECT_EQ((std::vector<int> {moved.start.rowId, moved.start.lane, moved.end.rowId, moved.end.lane}),
                  (std::vector<int> {startRow, startLane, endRow, endLane})) << item.type << " " << lanes;
        EXPECT_EQ((std::vector<int> {moved.start.day, moved.state, t.ws.ItemState(t.doc, t.index)}),
                  (std::vector<int> {12, ItemSelected, ItemDeleted}));
    }
}

TEST(Selection, MovingPastTheDocumentsRowsDeletesTheItemUndoably)
{
    const std::pair<ChartItem, int> cases[] = {
        {Task(0, 1, 10, 12), 7}, {Task(0, 1, 10, 12), -2}, {LineItem(0, 0, 3, 0), 2}};
    for (const auto& [item, lanes] : cases) {
        MovingOne t(item);
        AddProject(t.ws, {0});
        ASSERT_EQ(t.ws.MoveSelectedItems(0, lanes), 1);
        EXPECT_EQ((std::pair {t.ws.SelectionCount(), t.ws.ItemCount(t.doc)}), (std::pair {0, 1}));
        ASSERT_EQ(t.ws.UndoLast(), 1);
        EXPECT_EQ(t.ws.ItemState(t.doc, t.index), ItemNormal) << lanes;
    }
}

TEST(Selection, ItemsInFoldedRowsKeepTheirRowsWhenMoved)
{
    MovingOne t(Task(2, 1, 10, 12));
    t.ws.AddItem(0, Task(0, 0, 1, 2));
    t.ws.SelectItem(0, 1);
    t.ws.ShowSubtree(0, false);
    t.ws.MoveSelectedItems(1, 1);
    ASSERT_EQ(t.ws.SelectionCount(), 2);
    const ItemPoint start = t.Moved().start;
    EXPECT_EQ((std::vector<int> {start.rowId, start.lane, start.day}), (std::vector<int> {2, 1, 11}));
}

// The drag: held items leave the drawing, the drop moves them, the release deselects. The add
// and the drag are one undo group each, the drag's entries undone newest first.
TEST(Selection, AddThenDragThenUndoTwice)
{
    MovingOne t(Task(0, 0, 10, 12));
    t.ws.DeleteSelectedItems(false, false);
    EXPECT_EQ(t.ws.ItemState(t.doc, t.index), ItemDeleted);
    t.ws.MoveSelectedItems(3, 2);
    const int copy = t.ws.SelectionIndex(0);
    EXPECT_EQ(t.ws.ItemState(t.doc, copy), ItemSelected);
    t.ws.ClearSelection();
    EXPECT_EQ((std::vector<int> {t.ws.ItemState(t.doc, copy), t.ws.ItemPtr(t.doc, copy)->start.rowId, t.ws.Undo().Group(), t.ws.Undo().Count()}),
              (std::vector<int> {ItemNormal, 1, 2, 4}));

    ASSERT_EQ(t.ws.UndoLast(), 1);
    EXPECT_EQ(States(t.ws, t.doc, {copy, t.index}), (std::vector<int> {ItemDeleted, ItemNormal}));
    EXPECT_EQ(t.ws.Undo().Count(), 1);
    ASSERT_EQ(t.ws.UndoLast(), 1);
    EXPECT_EQ(t.ws.ItemState(t.doc, t.index), ItemDeleted);
    EXPECT_EQ(t.ws.UndoLast(), 0);
}

TEST(Selection, PasteFindsRowsByIdInTheTargetDocumentAndRefusesTheOtherKind)
{
    Workspace ws;
    AddProject(ws, {0, 1});
    ws.AddDocument(DocumentKind::Schedule);
    AddProject(ws, {0});
    const int task = ws.AddItem(1, Task(1, 0, 5, 6));
    const int entry = ws.AddItem(2, EntryOn(3));
    EXPECT_EQ(ws.PasteClipboard(0), 0);

    ws.SelectItem(1, task);
    ws.CopySelection();
    // The schedule takes no task, and document 2 has no row with id 1.
    EXPECT_EQ(ws.PasteClipboard(2) + ws.PasteClipboard(3), 0);
    EXPECT_EQ((std::vector<int> {ws.SelectionCount(), ws.ItemState(0, task), ws.ClipboardCount(), ws.ItemCount(1), ws.ItemCount(2)}),
              (std::vector<int> {1, ItemSelected, 1, 1, 0}));
    ws.Doc(2)->AddRow(1);
    ws.RebuildVisibleRows();
    ASSERT_EQ(ws.PasteClipboard(4), 1);
    EXPECT_EQ((std::pair {ws.SelectionDoc(), ws.ItemCount(2)}), (std::pair {2, 1}));

    ws.ClearSelection();
    ws.SelectItem(2, entry);
    ws.CopySelection();
    EXPECT_EQ(ws.PasteClipboard(0), 0);
    EXPECT_EQ(ws.ItemCount(0), 1);
}

TEST(Selection, CutThenPasteOnAnotherRowPlacesCopies)
{
    Workspace ws;
    const int doc = AddProject(ws, {0, 1, 1, 1});
    const int upper = ws.AddItem(1, Task(1, 1, 5, 6));
    const int lower = ws.AddItem(2, Task(2, 0, 7, 8));
    const int line = ws.AddItem(1, LineItem(1, 0, 2, 1));
    const int offEnd = ws.AddItem(1, LineItem(1, 0, 3, 1));
    for (int index : {upper, lower, line, offEnd})
        ws.SelectItem(1, index);
    ws.CopySelection();
    ws.DeleteSelectedItems(true, true);
    const int undoCount = ws.Undo().Count();

    ASSERT_EQ(ws.PasteClipboard(2), 1);
    EXPECT_EQ((std::pair {ws.ClipboardCount(), ws.Undo().Count()}), (std::pair {4, undoCount}));
    ASSERT_EQ(ws.SelectionCount(), 3);
    const ChartItem a = SelectedItem(ws, doc, 0), b = SelectedItem(ws, doc, 1), c = SelectedItem(ws, doc, 2);
    EXPECT_EQ((std::vector<int> {a.start.rowId, a.start.lane, a.start.day, a.state, b.start.rowId, c.type, c.start.rowId, c.end.rowId}),
              (std::vector<int> {2, 1, 5, ItemSelected, 3, Line, 2, 3}));
    EXPECT_EQ(ws.ItemState(doc, upper), ItemDeleted);

    // The clipboard stays, so it pastes again.
    EXPECT_EQ((std::pair {ws.PasteClipboard(0), ws.SelectionCount()}), (std::pair {1, 4}));
}

TEST(Selection, PasteAfterCompactingPastesTheSameItems)
{
    Workspace ws;
    const int doc = AddProject(ws, {0, 1});
    const int gone = ws.AddItem(0, Task(0, 0, 1, 2));
    const int kept = ws.AddItem(1, Task(1, 1, 20, 21));
    ws.Doc(doc)->DeleteItem(gone);
    ws.SelectItem(1, kept);
    ws.CopySelection();
    ws.CompactDocument(doc);
    EXPECT_EQ((std::pair {ws.SelectionIndex(0), ws.ItemState(doc, 0)}), (std::pair {0, int(ItemSelected)}));

    ws.ClearSelection();
    ASSERT_EQ(ws.PasteClipboard(0), 1);
    const ChartItem pasted = SelectedItem(ws, doc, 0);
    EXPECT_EQ(pasted.start.rowId * 100 + pasted.start.day, 20);
}

}  // namespace
}  // namespace td
