#include "ChartFixture.h"

#include "view/EditMode.h"
#include "view/ToolId.h"

#include <functional>
#include <vector>

namespace td {
namespace {

// Two rows of two lanes (A at y 65..105, B at 105..145) at zoom 7 from 1 April 2009, where a day
// is 80 pixels; on B a task over 2..3 April (x 420..580) and a line from A to B.
struct SelectedItems : ChartFixture {
    SelectedItems()
    {
        AddProject({2, 2});
        view.Resize(800, 300);
        view.SetView(7, {2009, 4, 1});
        ChartItem task;
        task.type = TaskLine;
        task.state = ItemNormal;
        task.start = {workspace.RowIdAt(1), 0, 2009, 4, 2, 0, 0};
        task.end = {0, 0, 2009, 4, 3, 0, 0};
        task.textWeight = 400;
        ChartItem line = task;
        line.type = Line;
        line.start.rowId = workspace.RowIdAt(0);
        line.end.rowId = workspace.RowIdAt(1);
        lineIndex = workspace.AddItem(0, line);
        workspace.AddItem(1, task);
        Click(540, 114);
    }

    int lineIndex = 0;
};

TEST(SelectionMode, EditsThatTakeTheLastSelectedItemAwayLeaveTheChartIdle)
{
    const std::pair<const char*, std::function<void(SelectedItems&)>> cases[] = {
        {"drag below the document's last lane",
         [](SelectedItems& t) {
             t.view.OnButtonDown(460, 114);
             t.view.OnMouseMove(true, 460, 154);
             t.view.OnButtonUp(460, 154);
         }},
        {"deletion of the sub-project it is on", [](SelectedItems& t) { t.view.DeleteSubProject(); }},
        {"paste that places nothing: the line's end would lie below the last row",
         [](SelectedItems& t) {
             t.workspace.ClearSelection();
             t.workspace.SelectItem(0, t.lineIndex);
             t.view.Copy();
             t.view.Paste();
         }},
    };
    for (const auto& [name, edit] : cases) {
        SelectedItems t;
        edit(t);
        EXPECT_EQ((std::pair {t.workspace.SelectionCount(), t.view.Mode()}), (std::pair {0, Idle})) << name;
    }
}

// A creation needs a date under both ends of its drag; schedule entries need days of 80 pixels;
// a text box dragged past its row's last lane ends on that lane.
TEST(MouseEditing, CreationNeedsDatesAndWideEnoughDays)
{
    const struct {
        int tool, kind, zoom, fromX, toX, toY, items, endLane;
    } cases[] = {
        {ToolId::Schedule, DocumentKind::Schedule, 7, 500, 500, 75, 1, -1},
        {ToolId::Schedule, DocumentKind::Schedule, 6, 500, 500, 75, 0, -1},
        {ToolId::TaskLine, DocumentKind::Project, 7, TimelineFirstX, 500, 75, 1, -1},
        {ToolId::TaskLine, DocumentKind::Project, 7, TimelineLeft, 500, 75, 0, -1},
        {ToolId::TextBox, DocumentKind::Project, 7, 450, 600, 140, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool * 10 + c.zoom);
        ChartFixture t;
        if (c.kind == DocumentKind::Project) {
            t.AddProject({2, 2});
        } else {
            t.workspace.AddDocument(DocumentKind::Schedule);
            t.workspace.RebuildVisibleRows();
        }
        t.view.Resize(800, 300);
        t.view.SetView(c.zoom, {2009, 4, 1});
        t.view.SelectTool(c.tool);
        t.view.OnButtonDown(c.fromX, 75);
        t.view.OnMouseMove(true, c.toX, c.toY);
        t.view.OnButtonUp(c.toX, c.toY);
        ASSERT_EQ(t.workspace.ItemCount(0), c.items);
        if (c.endLane >= 0) {
            EXPECT_EQ(t.workspace.ItemPtr(0, 0)->end.lane, c.endLane);
        }
    }
}

// A band released on the rows' bottom edge still reaches the last lane.
TEST(MouseEditing, ARubberBandEndingOnTheRowsBottomSelectsTheLastLane)
{
    ChartFixture t;
    t.AddProject({2, 2});
    t.view.Resize(800, 300);
    t.view.SetView(7, {2009, 4, 1});
    ChartItem event;
    event.type = Event;
    event.state = ItemNormal;
    event.lineStyle = 101;
    event.start = {t.workspace.RowIdAt(1), 1, 2009, 4, 3, 0, 0};
    event.end = {0, 0, 2009, 4, 3, 0, 0};
    t.workspace.AddItem(1, event);
    t.view.OnButtonDown(450, 70);
    t.view.OnMouseMove(true, 650, 145);
    t.view.OnButtonUp(650, 145);
    EXPECT_EQ(t.workspace.SelectionCount(), 1);
}

// Of two selected tasks, the one whose handle is dragged is the one that changes.
TEST(MouseEditing, AHandleStretchesItsOwnItemOfASelection)
{
    ChartFixture t;
    t.AddProject({2});
    t.view.Resize(800, 300);
    t.view.SetView(7, {2009, 4, 1});
    for (uint8_t lane : {0, 1}) {
        ChartItem task;
        task.type = TaskLine;
        task.state = ItemNormal;
        task.start = {t.workspace.RowIdAt(0), lane, 2009, 4, 2, 0, 0};
        task.end = {0, 0, 2009, 4, 3, 0, 0};
        t.workspace.AddItem(0, task);
    }
    t.view.OnButtonDown(400, 70);
    t.view.OnMouseMove(true, 600, 100);
    t.view.OnButtonUp(600, 100);
    ASSERT_EQ(t.workspace.SelectionCount(), 2);
    t.view.OnButtonDown(580, 94);
    t.view.OnMouseMove(true, 750, 94);
    t.view.OnButtonUp(750, 94);
    ChartItem first;
    ChartItem second;
    ASSERT_TRUE(t.workspace.GetSelectedItem(0, 0, first) && t.workspace.GetSelectedItem(0, 1, second));
    EXPECT_EQ((std::pair {first.end.day, second.end.day}), (std::pair {3, 6}));
}

// The box ends on the day it starts, wherever its left handle takes it.
TEST(MouseEditing, ATextBoxStretchedByItsLeftHandleEndsOnItsNewStartDay)
{
    ChartFixture t;
    t.AddProject({2});
    t.view.Resize(800, 300);
    t.view.SetView(7, {2009, 4, 1});
    ChartItem box;
    box.type = TextBox;
    box.state = ItemNormal;
    box.start = {t.workspace.RowIdAt(0), 0, 2009, 4, 5, 0, 0};
    box.end = {0, 0, 2009, 4, 5, 0, 0};
    box.boxWidth = 100;
    box.textWeight = 400;
    t.workspace.AddItem(0, box);
    t.Click(700, 74);
    t.view.OnButtonDown(660, 68);
    t.view.OnMouseMove(true, 500, 68);
    t.view.OnButtonUp(500, 68);
    ChartItem stretched;
    ASSERT_TRUE(t.workspace.GetSelectedItem(0, 0, stretched));
    EXPECT_EQ((std::vector<int> {stretched.start.day, stretched.end.day, stretched.end.month, stretched.boxWidth}),
              (std::vector<int> {3, 3, 4, 260}));
}

}  // namespace
}  // namespace td
