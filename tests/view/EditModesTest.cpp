#include "ChartFixture.h"

#include "view/HitTest.h"
#include "view/LineConnector.h"
#include "view/ToolId.h"
#include "view/modes/CreateMode.h"
#include "view/modes/Feedback.h"
#include "view/modes/LineEndMode.h"
#include "view/modes/MoveMode.h"
#include "view/modes/RowResizeMode.h"
#include "view/modes/StretchMode.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

namespace td {
namespace {

constexpr QRgb Guide = 0xFFFF3F3F;

QRect Rect(const OverlayRect& r) { return QRect(r.x, r.y, r.width, r.height); }

// `image` is `chart` everywhere outside `area`.
bool SameOutside(const QImage& image, const QImage& chart, const QRect& area)
{
    for (int y = 0; y < chart.height(); ++y)
        for (int x = 0; x < chart.width(); ++x)
            if (!area.contains(x, y) && image.pixel(x, y) != chart.pixel(x, y))
                return false;
    return true;
}

// Two project rows of two lanes (65..105, 105..145) in the April window, where day n starts at
// x 340 + 80 (n - 1).
struct ModeChart : ChartFixture {
    ModeChart() : ChartFixture({2, 2}) { view.Redraw(); }

    ChartItem& AddSelected(int type, int startDay, int endDay, int lane = 0)
    {
        ChartItem item = AprilItem(type, 0, lane, startDay, endDay);
        item.end.rowId = workspace.RowIdAt(0);
        item.lineWidth = 16;
        const int index = workspace.Doc(0)->AddItem(item);
        workspace.SelectItem(0, index);
        return *workspace.ItemPtr(0, index);
    }
    EditContext Context() { return {workspace, view.Layout()}; }

    // The feedback of `mode`, or of the selection at rest, drawn on a copy of the finished chart.
    QImage Draw(const EditState* mode, QRect& painted)
    {
        QImage image = view.BackBuffer().copy();
        Surface s(image);
        Feedback feedback(workspace, view.Layout(), s);
        if (mode)
            mode->Draw(feedback);
        else
            feedback.DrawSelection(0, 0);
        painted = Rect(feedback.Painted());
        return image;
    }
};

// The view draws a rubber band as a hollow outline, each edge dotted: about half of it red. It
// erases each feedback before it draws the next, and a drag that ends without a change leaves
// the chart exactly as it was.
TEST(ChartOverlay, EachFeedbackErasesTheLastOne)
{
    ModeChart f;
    const QImage chart = f.view.BackBuffer().copy();
    f.view.TakeRepaintArea();
    f.view.OnButtonDown(700, 100);
    f.view.OnMouseMove(true, 500, 70);
    EXPECT_EQ(Rect(f.view.TakeRepaintArea()), QRect(500, 70, 201, 31));
    const QImage& band = f.view.BackBuffer();
    EXPECT_TRUE(SameOutside(band, chart, {500, 70, 201, 31}) && band.pixel(500, 70) == Red);
    EXPECT_EQ(band.copy(501, 71, 199, 29), chart.copy(501, 71, 199, 29)) << "hollow";
    for (auto [x0, y0, x1, y1] : {std::array{500, 70, 700, 71}, {500, 100, 700, 101}, {500, 70, 501, 100},
                                  {700, 70, 701, 100}}) {
        const int red = CountColor(band, Red, x0, y0, x1, y1), length = (x1 - x0) * (y1 - y0);
        EXPECT_TRUE(red > length / 4 && red < length * 3 / 4) << x0 << "," << y0 << ": " << red;
    }
    f.view.OnMouseMove(true, 600, 90);
    EXPECT_EQ(Rect(f.view.TakeRepaintArea()), QRect(500, 70, 201, 31)) << "the old band erased";
    EXPECT_TRUE(SameOutside(f.view.BackBuffer(), chart, {600, 90, 101, 11}));
    f.view.OnButtonUp(600, 90);
    EXPECT_TRUE(SameOutside(f.view.BackBuffer(), chart, {}));
}

// At a device pixel ratio of 1.5 the overlay erases its feedback to the last device pixel, and
// going back to a ratio of 1 draws the chart exactly as before.
TEST(ChartOverlay, AFractionalRatioLeavesNoTraceAndRatioOneIsAsBefore)
{
    ModeChart f;
    const QImage unscaled = f.view.BackBuffer().copy();
    f.view.SetDeviceScale(1.5);
    const QImage chart = f.view.BackBuffer().copy();
    ASSERT_EQ(chart.size(), QSize(unscaled.width() * 3 / 2, unscaled.height() * 3 / 2));
    f.view.OnButtonDown(700, 100);
    f.view.OnMouseMove(true, 500, 70);
    EXPECT_NE(f.view.BackBuffer(), chart);
    f.view.OnMouseMove(true, 600, 91);
    f.view.OnButtonUp(600, 91);
    EXPECT_EQ(f.view.BackBuffer(), chart);
    f.view.SetDeviceScale(1);
    EXPECT_EQ(f.view.BackBuffer(), unscaled);
}

// Each mode's outline, from `down` moved to `to`, over the selection it works on: creating snaps
// to whole days (a task or progress bar one stroke, a band its two edges, a line joining the two
// days, a text box staying in the pressed row); the selection's outlines follow a move by whole
// lanes, even while the items are marked deleted; stretching moves one end of a task, a text
// box's width or a line's end; the row guide snaps to lane boundaries.
TEST(EditModes, OutlinesFollowThePointer)
{
    enum Selected { NoItem, ATask, ADeletedBand, ABoxAndALine, ABox, ALine };
    enum Kind { Rest, Create, Move, StretchStart, StretchEnd, LineEnd, Resize };
    // Runs x0..x1-1 at y in the outline's colour; clean points inside `painted` yet as the chart was.
    const struct {
        Selected selection; Kind kind; int tool; QPoint down, to; QRect painted;
        std::initializer_list<std::array<int, 3>> runs; std::initializer_list<QPoint> clean; QRgb color = Red;
    } cases[] = {
        {NoItem, Create, ToolId::TaskLine, {500, 90}, {430, 90}, {420, 94, 161, 1}, {{420, 580, 94}}, {{580, 94}}},
        {NoItem, Create, ToolId::Progress, {500, 90}, {430, 90}, {420, 94, 161, 1}, {{420, 580, 94}}, {{580, 94}}},
        {NoItem, Create, ToolId::TaskBand, {430, 90}, {500, 90}, {420, 88, 161, 13}, {{420, 580, 88}, {420, 580, 100}},
         {{450, 94}}},
        {NoItem, Create, ToolId::Line, {505, 70}, {665, 110}, {500, 74, 161, 41}, {{500, 501, 74}, {659, 660, 113}}, {}},
        {NoItem, Create, ToolId::TextBox, {450, 70}, {600, 95}, {450, 68, 151, 34},
         {{450, 601, 68}, {450, 451, 100}, {600, 601, 100}}, {{525, 80}}},
        {NoItem, Create, ToolId::TextBox, {450, 70}, {600, 130}, {450, 68, 151, 34}, {{600, 601, 100}}, {}},
        {NoItem, Create, ToolId::TextBox, {450, 110}, {600, 70}, {450, 108, 151, 14}, {}, {}},  // from its top lane
        {ATask, Rest, 0, {}, {}, {420, 74, 161, 1}, {{420, 580, 74}}, {{580, 74}}},
        {ATask, Move, 0, {450, 80}, {485, 110}, {455, 94, 161, 1}, {{455, 615, 94}}, {}},  // 30 down: one lane
        {ATask, Move, 0, {450, 80}, {485, 99}, {455, 74, 161, 1}, {{455, 615, 74}}, {}},   // 19 down: none yet
        {ADeletedBand, Move, 0, {450, 80}, {450, 80}, {420, 68, 161, 13}, {{420, 580, 68}, {420, 580, 80}}, {}},
        {ABoxAndALine, Rest, 0, {}, {}, {420, 68, 161, 47}, {{420, 521, 68}, {420, 521, 100}, {420, 421, 74}},
         {{470, 90}}},
        {ABoxAndALine, Move, 0, {400, 80}, {410, 100}, {430, 88, 161, 47}, {{430, 431, 94}}, {}},
        {ATask, StretchEnd, 0, {580, 74}, {750, 80}, {420, 74, 401, 1}, {{420, 820, 74}}, {{820, 74}}},  // to 6 April
        // A start dragged past the end: the later day's column still belongs to the task.
        {ATask, StretchStart, 0, {420, 74}, {700, 80}, {500, 74, 241, 1}, {{500, 740, 74}}, {{740, 74}}},
        {ABox, StretchEnd, 0, {520, 74}, {600, 80}, {420, 68, 181, 14}, {{600, 601, 80}}, {}},
        {ALine, LineEnd, 0, {580, 114}, {760, 90}, {420, 74, 321, 21}, {{420, 421, 74}}, {}},  // lane 1 of row 0
        {NoItem, Resize, 0, {0, 84}, {300, 72}, {1, 84, 1919, 2}, {{1, 1919, 84}, {1, 1919, 85}}, {}, Guide},
        {NoItem, Resize, 0, {0, 84}, {300, 110}, {1, 104, 1919, 2}, {{1, 1919, 104}, {1, 1919, 105}}, {}, Guide},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selection << " " << c.kind << " " << c.down.x() << " to " << c.to.x());
        ModeChart f;
        if (c.selection == ATask)
            f.AddSelected(TaskLine, 2, 3);
        if (c.selection == ADeletedBand) {
            f.AddSelected(TaskBand, 2, 3);
            f.workspace.DeleteSelectedItems(false, false);
        }
        if (c.selection == ABox || c.selection == ABoxAndALine) {
            ChartItem& box = f.AddSelected(TextBox, 2, 2);
            box.boxWidth = 100, box.end.lane = c.selection == ABoxAndALine;
        }
        if (c.selection == ALine || c.selection == ABoxAndALine)
            f.AddSelected(Line, 2, 4).end.rowId = f.workspace.RowIdAt(1);
        int row = 0, lane = 0;
        f.view.YToRowLane(c.down.y(), row, lane);
        const std::function<std::unique_ptr<EditState>()> make[] = {
            [] { return nullptr; },
            [&] { return std::make_unique<CreateMode>(f.Context(), c.tool, row, c.down.x(), c.down.y()); },
            [&] { return std::make_unique<MoveMode>(f.Context(), c.down.x(), c.down.y()); },
            [&] { return std::make_unique<StretchMode>(f.Context(), DragStart, 0, 0, c.down.x(), c.down.y()); },
            [&] { return std::make_unique<StretchMode>(f.Context(), DragEnd, 0, 0, c.down.x(), c.down.y()); },
            [&] { return std::make_unique<LineEndMode>(f.Context(), DragEnd, 0, 0, c.down.x(), c.down.y()); },
            [&] { return std::make_unique<RowResizeMode>(f.Context(), 0, c.down.y()); },
        };
        const std::unique_ptr<EditState> mode = make[c.kind]();
        if (mode)
            mode->Move(c.to.x(), c.to.y());
        QRect painted;
        const QImage image = f.Draw(mode.get(), painted);
        EXPECT_EQ(painted, c.painted);
        for (const auto& [x0, x1, y] : c.runs)
            EXPECT_EQ(CountColor(image, c.color, x0, y, x1, y + 1), x1 - x0) << x0 << "," << y;
        for (const QPoint& p : c.clean)
            EXPECT_EQ(image.pixel(p), f.view.BackBuffer().pixel(p)) << p.x() << "," << p.y();
        EXPECT_TRUE(SameOutside(image, f.view.BackBuffer(), painted));
    }
}

TEST(EditModes, SelectedEventsShowTheHollowMark)
{
    for (auto [code, hollow] : {std::pair{102, "○"}, {103, "○"}, {105, "△"}, {107, "◇"}, {108, "□"}}) {
        ModeChart f;
        f.AddSelected(Event, 3, 3, 1).lineStyle = code;
        QRect painted;
        const QImage image = f.Draw(nullptr, painted);
        QImage expected = f.view.BackBuffer().copy();
        {
            Surface s(expected);
            s.SelectFont(14, 400);
            s.SetTextColor(0x0000FF);
            s.TextOut(540, 102, QString::fromUtf8(hollow), TextAlign::CenterBottom);
        }
        EXPECT_EQ(image.copy(500, 85, 80, 20), expected.copy(500, 85, 80, 20)) << code;
        EXPECT_EQ(painted, QRect(530, 85, 21, 20)) << code;
    }
}

// From (420, 34) above the rows to (740, 114) a line enters the rows at y 65, x 544; the same x
// at both ends is a vertical segment clipped to the rows; level and wholly above the rows, or
// ending on a lane beyond its row, it is not shown.
TEST(LineConnector, ToAScrolledAwayRowIsClippedAtTheFirstRow)
{
    ChartFixture f({2, 2, 2});
    f.view.ScrollToRow(1);
    f.view.Redraw();
    ChartItem line = f.AprilItem(Line, 0, 0, 2, 2);
    const struct { int endRow, endLane, endDay; QLine segment; } cases[] = {  // a null segment: not shown
        {2, 0, 6, {544, 65, 740, 114}}, {2, 0, 2, {420, 65, 420, 114}}, {0, 0, 6, {}}, {2, 2, 6, {}}};
    for (const auto& c : cases) {
        line.end = {f.workspace.RowIdAt(c.endRow), static_cast<uint8_t>(c.endLane), 2009, 4, c.endDay, 0, 0};
        int xa = 0, ya = 0, xb = 0, yb = 0;
        const bool shown = ConnectorEnds(f.workspace, f.view.Geometry(), 0, line, xa, ya, xb, yb);
        EXPECT_EQ(shown ? QLine(xa, ya, xb, yb) : QLine(), c.segment) << c.endRow << " " << c.endDay;
    }
}

// One project row of two lanes (65..85, 85..105) in the April window: the items span 2..3 April
// (x 420..580), an event lies on 3 April (x 500..580, middle 540), a text box of one lane starts
// on 2 April and is 100 pixels wide.
TEST(HitTest, EachShapeIsHitWithinItsBandAndHandlesAtItsEnds)
{
    ChartFixture f({2});
    const struct { int type, startDay, x, y, lane, part; } cases[] = {
        {TaskBand, 2, 500, 69, 0, HitBody}, {TaskBand, 2, 500, 79, 0, HitBody}, {TaskBand, 2, 500, 68, 0, HitNone},
        {TaskBand, 2, 500, 80, 0, HitNone}, {TaskBand, 2, 421, 74, 0, HitStartHandle}, {TaskBand, 2, 578, 74, 0, HitEndHandle},
        {TaskBand, 2, 583, 74, 0, HitNone}, {TaskBand, 2, 500, 94, 1, HitNone}, {TaskLine, 2, 500, 72, 0, HitBody},
        {TaskLine, 2, 500, 76, 0, HitBody}, {TaskLine, 2, 500, 71, 0, HitNone}, {TaskLine, 2, 500, 77, 0, HitNone},
        {Progress, 2, 417, 74, 0, HitNone}, {Progress, 2, 418, 74, 0, HitStartHandle}, {Event, 3, 533, 69, 0, HitBody},
        {Event, 3, 547, 81, 0, HitBody}, {Event, 3, 532, 74, 0, HitNone}, {Event, 3, 548, 74, 0, HitNone},
        {Event, 3, 540, 68, 0, HitNone}, {Event, 3, 540, 82, 0, HitNone}, {TextBox, 2, 470, 80, 0, HitBody},
        {TextBox, 2, 470, 81, 0, HitNone},
    };
    for (const auto& c : cases) {
        ChartItem item = f.AprilItem(c.type, 0, 0, c.startDay, c.type == TextBox ? c.startDay : 3);
        item.boxWidth = 100;
        EXPECT_EQ(HitTestItem(f.workspace, f.view.Layout(), 0, 0, c.lane, c.x, c.y, item), c.part)
            << c.type << " " << c.x << "," << c.y;
    }
}

// Two rows of two lanes (A at y 65..105, B at 105..145) in the April window; on B a task over
// 2..3 April (x 420..580), selected, and a line from A to B.
TEST(SelectionMode, EditsThatTakeTheLastSelectedItemAwayLeaveTheChartIdle)
{
    const std::pair<const char*, std::function<void(ChartFixture&, int)>> cases[] = {
        {"drag below the document's last lane", [](ChartFixture& t, int) { t.Drag(460, 114, 460, 154); }},
        {"deletion of the sub-project it is on", [](ChartFixture& t, int) { t.view.DeleteSubProject(); }},
        {"paste that places nothing: the line's end would lie below the last row", [](ChartFixture& t, int line) {
             t.workspace.ClearSelection(), t.workspace.SelectItem(0, line), t.view.Copy(), t.view.Paste();
         }},
    };
    for (const auto& [name, edit] : cases) {
        ChartFixture t({2, 2});
        ChartItem line = t.AprilItem(Line, 0, 0, 2, 3);
        line.end.rowId = t.workspace.RowIdAt(1);
        const int lineIndex = t.workspace.AddItem(0, line);
        t.workspace.AddItem(1, t.AprilItem(TaskLine, 1, 0, 2, 3));
        t.Click(540, 114);
        edit(t, lineIndex);
        EXPECT_EQ((std::pair {t.workspace.SelectionCount(), t.view.Mode()}), (std::pair {0, Idle})) << name;
    }
}

// A creation needs a date under both ends of its drag, an event eight pixels of timeline; schedule
// entries need days of 80 pixels; a text box dragged past its row's last lane ends on that lane.
TEST(MouseEditing, CreationNeedsDatesAndWideEnoughDays)
{
    const struct { int tool, kind, zoom, fromX, toX, toY, items, endLane; } cases[] = {
        {ToolId::Schedule, DocumentKind::Schedule, 7, 500, 500, 75, 1, -1},
        {ToolId::Schedule, DocumentKind::Schedule, 6, 500, 500, 75, 0, -1},
        {ToolId::TaskLine, DocumentKind::Project, 7, TimelineFirstX, 500, 75, 1, -1},
        {ToolId::TaskLine, DocumentKind::Project, 7, TimelineLeft, 500, 75, 0, -1},
        {ToolId::Event, DocumentKind::Project, 7, 348, 348, 75, 1, -1}, {ToolId::Event, DocumentKind::Project, 7, 347, 347, 75, 0, -1},
        {ToolId::TextBox, DocumentKind::Project, 7, 450, 600, 140, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool * 10 + c.zoom);
        ChartFixture t;
        if (c.kind == DocumentKind::Project)
            t.AddProject({2, 2});
        else
            t.workspace.AddDocument(DocumentKind::Schedule), t.workspace.RebuildVisibleRows();
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
        ChartFixture t({2, 2});
        ChartItem event = t.AprilItem(Event, 1, 1, 3, 3);
        event.lineStyle = 101;
        t.workspace.AddItem(1, event);
        t.Drag(450, y0, 650, y1);
        EXPECT_EQ(t.workspace.SelectionCount(), 1) << y0 << " to " << y1;
    }
}

// Of two selected tasks, the one whose handle is dragged is the one that changes; a text box
// stretched by its left handle ends on the day it starts, wherever the handle takes it; a row's
// bottom boundary dragged into its first lane leaves it one lane high.
TEST(MouseEditing, HandlesStretchWhatTheyBelongTo)
{
    ChartFixture t({2});
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
    t.Drag(100, 105, 100, 70);
    EXPECT_EQ(t.workspace.RowAt(0)->lanes, 1);
}

}  // namespace
}  // namespace td
