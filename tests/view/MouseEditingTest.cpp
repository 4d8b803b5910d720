#include "ChartFixture.h"

#include "view/EditMode.h"
#include "view/HitTest.h"
#include "view/ToolId.h"

#include <array>
#include <functional>

namespace td {
namespace {

// One project row of two lanes (65..85, 85..105) in the April window: the items span 2..3 April
// (x 420..580), an event lies on 3 April (x 500..580, middle 540), a text box of one lane starts
// on 2 April and is 100 pixels wide.
TEST(HitTest, EachShapeIsHitWithinItsBandAndHandlesAtItsEnds)
{
    ChartFixture f;
    f.AddProject({2});
    f.ShowApril();
    const struct {
        int type, startDay, x, y, lane, part;
    } cases[] = {
        {TaskBand, 2, 500, 69, 0, HitBody},        {TaskBand, 2, 500, 79, 0, HitBody},
        {TaskBand, 2, 500, 68, 0, HitNone},        {TaskBand, 2, 500, 80, 0, HitNone},
        {TaskBand, 2, 421, 74, 0, HitStartHandle}, {TaskBand, 2, 578, 74, 0, HitEndHandle},
        {TaskBand, 2, 583, 74, 0, HitNone},        {TaskBand, 2, 500, 94, 1, HitNone},
        {TaskLine, 2, 500, 72, 0, HitBody},        {TaskLine, 2, 500, 76, 0, HitBody},
        {TaskLine, 2, 500, 71, 0, HitNone},        {TaskLine, 2, 500, 77, 0, HitNone},
        {Progress, 2, 417, 74, 0, HitNone},        {Progress, 2, 418, 74, 0, HitStartHandle},
        {Event, 3, 533, 69, 0, HitBody},           {Event, 3, 547, 81, 0, HitBody},
        {Event, 3, 532, 74, 0, HitNone},           {Event, 3, 548, 74, 0, HitNone},
        {Event, 3, 540, 68, 0, HitNone},           {Event, 3, 540, 82, 0, HitNone},
        {TextBox, 2, 470, 80, 0, HitBody},         {TextBox, 2, 470, 81, 0, HitNone},
    };
    for (const auto& c : cases) {
        ChartItem item = f.AprilItem(c.type, 0, 0, c.startDay, c.type == TextBox ? c.startDay : 3);
        item.boxWidth = 100;
        EXPECT_EQ(HitTestItem(f.workspace, f.view.Layout(), 0, 0, c.lane, c.x, c.y, item), c.part)
            << c.type << " at " << c.x << "," << c.y;
    }
}

// Two rows of two lanes (A at y 65..105, B at 105..145) in the April window; on B a task over
// 2..3 April (x 420..580) and a line from A to B.
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
        EXPECT_TRUE(c.endLane < 0 || t.workspace.ItemPtr(0, 0)->end.lane == c.endLane);
    }
}

// A band only a pixel or two high still selects what it crosses, and one released on the rows'
// bottom edge still reaches the last lane.
TEST(MouseEditing, RubberBandsThinOrEndingOnTheRowsBottomSelect)
{
    for (auto [y0, y1] : {std::pair{134, 134}, {70, 145}}) {
        ChartFixture t;
        t.AddProject({2, 2});
        t.ShowApril();
        ChartItem event = t.AprilItem(Event, 1, 1, 3, 3);
        event.lineStyle = 101;
        t.workspace.AddItem(1, event);
        t.Drag(450, y0, 650, y1);
        EXPECT_EQ(t.workspace.SelectionCount(), 1) << y0 << " to " << y1;
    }
}

// Of two selected tasks, the one whose handle is dragged is the one that changes; a text box
// stretched by its left handle ends on the day it starts, wherever the handle takes it.
TEST(MouseEditing, HandlesStretchTheirOwnItem)
{
    ChartFixture t;
    t.AddProject({2});
    t.ShowApril();
    for (int lane : {0, 1})
        t.workspace.AddItem(0, t.AprilItem(TaskLine, 0, lane, 2, 3));
    ChartItem box = t.AprilItem(TextBox, 0, 0, 5, 5);
    box.boxWidth = 100;
    t.workspace.AddItem(0, box);
    t.Drag(400, 70, 600, 100);
    ASSERT_EQ(t.workspace.SelectionCount(), 2);
    t.Drag(580, 94, 750, 94);
    ChartItem first, second;
    ASSERT_TRUE(t.workspace.GetSelectedItem(0, 0, first) && t.workspace.GetSelectedItem(0, 1, second));
    EXPECT_EQ((std::pair {first.end.day, second.end.day}), (std::pair {3, 6}));

    t.Click(700, 74);
    t.Drag(660, 68, 500, 68);
    ASSERT_TRUE(t.workspace.GetSelectedItem(0, 0, box));
    EXPECT_EQ((std::array {box.start.day, box.end.day, box.end.month, box.boxWidth}), (std::array {3, 3, 4, 260}));
}

}  // namespace
}  // namespace td
