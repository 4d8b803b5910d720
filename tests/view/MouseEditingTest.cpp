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
        ShowApril();
        ChartItem line = AprilItem(Line, 0, 0, 2, 3);
        line.end.rowId = workspace.RowIdAt(1);
        lineIndex = workspace.AddItem(0, line);
        workspace.AddItem(1, AprilItem(TaskLine, 1, 0, 2, 3));
        Click(540, 114);
    }

    int lineIndex = 0;
};

TEST(SelectionMode, EditsThatTakeTheLastSelectedItemAwayLeaveTheChartIdle)
{
    const std::pair<const char*, std::function<void(SelectedItems&)>> cases[] = {
        {"drag below the document's last lane", [](SelectedItems& t) { t.Drag(460, 114, 460, 154); }},
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
        t.ShowApril(c.zoom);
        t.view.SelectTool(c.tool);
        t.Drag(c.fromX, 75, c.toX, c.toY);
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
    t.ShowApril();
    ChartItem event = t.AprilItem(Event, 1, 1, 3, 3);
    event.lineStyle = 101;
    t.workspace.AddItem(1, event);
    t.Drag(450, 70, 650, 145);
    EXPECT_EQ(t.workspace.SelectionCount(), 1);
}

// Of two selected tasks, the one whose handle is dragged is the one that changes.
TEST(MouseEditing, AHandleStretchesItsOwnItemOfASelection)
{
    ChartFixture t;
    t.AddProject({2});
    t.ShowApril();
    for (int lane : {0, 1})
        t.workspace.AddItem(0, t.AprilItem(TaskLine, 0, lane, 2, 3));
    t.Drag(400, 70, 600, 100);
    ASSERT_EQ(t.workspace.SelectionCount(), 2);
    t.Drag(580, 94, 750, 94);
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
    t.ShowApril();
    ChartItem box = t.AprilItem(TextBox, 0, 0, 5, 5);
    box.boxWidth = 100;
    t.workspace.AddItem(0, box);
    t.Click(700, 74);
    t.Drag(660, 68, 500, 68);
    ChartItem stretched;
    ASSERT_TRUE(t.workspace.GetSelectedItem(0, 0, stretched));
    EXPECT_EQ((std::vector<int> {stretched.start.day, stretched.end.day, stretched.end.month, stretched.boxWidth}),
              (std::vector<int> {3, 3, 4, 260}));
}

}  // namespace
}  // namespace td
