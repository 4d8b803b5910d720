#include "ChartFixture.h"

#include "view/LineConnector.h"
#include "view/ToolId.h"
#include "view/modes/CreateMode.h"
#include "view/modes/Feedback.h"
#include "view/modes/LineEndMode.h"
#include "view/modes/MoveMode.h"
#include "view/modes/RowResizeMode.h"
#include "view/modes/RubberBandMode.h"
#include "view/modes/StretchMode.h"

#include <gtest/gtest.h>

#include <array>

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

// Two project rows of two lanes (65..105, 105..145) in the April window. Each mode draws its
// feedback on a copy of the finished chart.
struct ModeChart : ChartFixture {
    ModeChart()
    {
        AddProject({2, 2});
        ShowApril();
        view.Redraw();
    }

    ChartItem& AddSelected(ItemType type, int startDay, int endDay, int lane = 0)
    {
        ChartItem item = AprilItem(type, 0, lane, startDay, endDay);
        item.end.rowId = workspace.RowIdAt(0);
        item.lineWidth = 16;
        const int index = workspace.Doc(0)->AddItem(item);
        workspace.SelectItem(0, index);
        return *workspace.ItemPtr(0, index);
    }
    EditContext Context() { return {workspace, view.Layout()}; }

    // Draws the feedback of `mode`, or of the selection at rest, and keeps what it painted.
    void Draw(const EditState* mode)
    {
        image = view.BackBuffer().copy();
        Surface s(image);
        Feedback feedback(workspace, view.Layout(), s);
        if (mode)
            mode->Draw(feedback);
        else
            feedback.DrawSelection(0, 0);
        painted = Rect(feedback.Painted());
    }
    void Draw(EditState& mode, int x, int y)
    {
        mode.Move(x, y);
        Draw(&mode);
    }

    // Red along each run (x0..x1-1 at y); the chart as it was at each clean point and everywhere
    // outside what the feedback reports painted.
    void Expect(std::initializer_list<std::array<int, 3>> redRuns, std::initializer_list<QPoint> clean = {}) const
    {
        for (const auto& [x0, x1, y] : redRuns)
            EXPECT_EQ(CountColor(image, Red, x0, y, x1, y + 1), x1 - x0) << x0 << "," << y;
        for (const QPoint& p : clean)
            EXPECT_EQ(image.pixel(p), view.BackBuffer().pixel(p)) << p.x() << "," << p.y();
        EXPECT_TRUE(SameOutside(image, view.BackBuffer(), painted));
    }

    QImage image;
    QRect painted;
};

// The view erases each feedback before it draws the next, and a drag that ends without a
// change leaves the chart exactly as it was.
TEST(ChartOverlay, EachFeedbackErasesTheLastOne)
{
    ModeChart f;
    const QImage chart = f.view.BackBuffer().copy();
    f.view.TakeRepaintArea();
    f.view.OnButtonDown(700, 100);
    f.view.OnMouseMove(true, 500, 70);
    EXPECT_EQ(Rect(f.view.TakeRepaintArea()), QRect(500, 70, 201, 31));
    EXPECT_EQ(f.Pixel(500, 70), Red);
    f.view.OnMouseMove(true, 600, 90);
    EXPECT_EQ(Rect(f.view.TakeRepaintArea()), QRect(500, 70, 201, 31)) << "the old band erased";
    EXPECT_TRUE(SameOutside(f.view.BackBuffer(), chart, {600, 90, 101, 11}));
    f.view.OnButtonUp(600, 90);
    EXPECT_TRUE(SameOutside(f.view.BackBuffer(), chart, {}));
}

// A rubber band is a hollow outline, each edge dotted: about half of it red.
TEST(EditModes, RubberBandIsADottedRedOutline)
{
    ModeChart f;
    RubberBandMode band(f.Context(), 700, 130);
    f.Draw(band, 500, 80);
    EXPECT_EQ(f.painted, QRect(500, 80, 201, 51));
    f.Expect({{500, 501, 80}});
    for (auto [x0, y0, x1, y1] : {std::array{500, 80, 700, 81}, {500, 130, 700, 131}, {500, 80, 501, 130},
                                  {700, 80, 701, 130}}) {
        const int red = CountColor(f.image, Red, x0, y0, x1, y1), length = (x1 - x0) * (y1 - y0);
        EXPECT_TRUE(red > length / 4 && red < length * 3 / 4) << x0 << "," << y0 << ": " << red;
    }
    EXPECT_EQ(f.image.copy(501, 81, 199, 49), f.view.BackBuffer().copy(501, 81, 199, 49)) << "hollow";
}

TEST(EditModes, RowGuideSnapsToLaneBoundaries)
{
    ModeChart f;
    RowResizeMode resize(f.Context(), 0, 84);
    const int right = f.view.Layout().BufferWidth();
    for (auto [y, top] : {std::pair{72, 84}, {110, 104}}) {
        f.Draw(resize, 300, y);
        EXPECT_EQ(f.painted, QRect(1, top, right - 1, 2)) << y;
        for (int x : {1, 500, right - 2})
            EXPECT_EQ(CountColor(f.image, Guide, x, top, x + 1, top + 2), 2) << x;
        f.Expect({}, {{0, top + 1}, {right - 1, top + 1}});
    }
}

// Creating snaps to whole days: a task or progress bar is one red stroke, a band its two edges, a
// line joins the two days, a text box stays in the pressed row.
TEST(EditModes, CreatingDrawsTheNewItemsOutline)
{
    const struct {
        int tool;
        QPoint press, to;
        QRect painted;
        std::initializer_list<std::array<int, 3>> redRuns;  // x0, x1, y
        std::initializer_list<QPoint> clean;
    } cases[] = {
        {ToolId::TaskLine, {500, 90}, {430, 90}, {420, 94, 161, 1}, {{420, 580, 94}}, {{419, 94}, {580, 94}}},
        {ToolId::Progress, {500, 90}, {430, 90}, {420, 94, 161, 1}, {{420, 580, 94}}, {{419, 94}, {580, 94}}},
        {ToolId::TaskBand, {430, 90}, {500, 90}, {420, 88, 161, 13}, {{420, 580, 88}, {420, 580, 100}}, {{450, 94}}},
        {ToolId::Line, {505, 70}, {665, 110}, {500, 74, 161, 41}, {{500, 501, 74}, {659, 660, 113}}, {}},
        {ToolId::TextBox, {450, 70}, {600, 95}, {450, 68, 151, 34}, {{450, 601, 68}, {450, 451, 100}, {600, 601, 100}},
         {{525, 80}}},
        {ToolId::TextBox, {450, 70}, {600, 130}, {450, 68, 151, 34}, {{600, 601, 100}}, {{600, 120}}},
        {ToolId::TextBox, {450, 110}, {600, 70}, {450, 108, 151, 14}, {}, {}},  // upwards: from its top lane
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        ModeChart f;
        int row = 0, lane = 0;
        ASSERT_TRUE(f.view.YToRowLane(c.press.y(), row, lane));
        CreateMode create(f.Context(), c.tool, row, c.press.x(), c.press.y());
        f.Draw(create, c.to.x(), c.to.y());
        EXPECT_EQ(f.painted, c.painted);
        f.Expect(c.redRuns, c.clean);
    }
}

// Selected items show their outlines, which follow a drag by whole lanes.
TEST(EditModes, SelectedOutlinesFollowTheDragByWholeLanes)
{
    ModeChart f;
    f.AddSelected(TaskLine, 2, 3);
    f.Draw(nullptr);
    f.Expect({{420, 580, 74}}, {{580, 74}});
    MoveMode move(f.Context(), 450, 80);
    f.Draw(move, 485, 110);  // 35 right, 30 down: one lane
    f.Expect({{455, 615, 94}}, {{420, 74}, {500, 74}});
    f.Draw(move, 485, 99);  // 19 down: no lane yet
    f.Expect({{455, 615, 74}});

    // Dragged items still show while marked deleted.
    f.workspace.ClearSelection();
    f.AddSelected(TaskBand, 2, 3);
    f.workspace.DeleteSelectedItems(false, false);
    f.Draw(move, 450, 80);
    f.Expect({{420, 580, 68}, {420, 580, 80}});

    // A text box and a line selected together.
    f.workspace.ClearSelection();
    ChartItem& box = f.AddSelected(TextBox, 2, 2);
    box.boxWidth = 100;
    box.end.lane = 1;
    f.AddSelected(Line, 2, 4).end.rowId = f.workspace.RowIdAt(1);
    f.Draw(nullptr);
    EXPECT_EQ(f.painted, QRect(420, 68, 161, 47));
    f.Expect({{420, 521, 68}, {420, 521, 100}, {420, 421, 74}}, {{470, 90}});
    MoveMode pair(f.Context(), 400, 80);
    f.Draw(pair, 410, 100);
    EXPECT_EQ(f.painted, QRect(430, 88, 161, 47));
    f.Expect({{430, 431, 94}});
}

TEST(EditModes, SelectedEventsShowTheHollowMark)
{
    for (auto [code, hollow] : {std::pair{102, "○"}, {103, "○"}, {105, "△"}, {107, "◇"}, {108, "□"}}) {
        ModeChart f;
        f.AddSelected(Event, 3, 3, 1).lineStyle = code;
        f.Draw(nullptr);
        QImage expected = f.view.BackBuffer().copy();
        {
            Surface s(expected);
            s.SelectFont(14, 400);
            s.SetTextColor(0x0000FF);
            s.TextOut(540, 102, QString::fromUtf8(hollow), TextAlign::CenterBottom);
        }
        EXPECT_EQ(f.image.copy(500, 85, 80, 20), expected.copy(500, 85, 80, 20)) << code;
        EXPECT_EQ(f.painted, QRect(530, 85, 21, 20)) << code;
    }
}

// Stretching moves one end of a task, a text box's width or a line's end.
TEST(EditModes, StretchingMovesOneEnd)
{
    ModeChart f;
    f.AddSelected(TaskLine, 2, 3);
    StretchMode end(f.Context(), DragEnd, 0, 0, 580, 74);
    f.Draw(end, 750, 80);  // end on 6 April
    f.Expect({{420, 820, 74}}, {{820, 74}});
    // A start dragged past the end: the later day's column still belongs to the task.
    StretchMode start(f.Context(), DragStart, 0, 0, 420, 74);
    f.Draw(start, 700, 80);  // start on 5 April, end 3 April
    f.Expect({{500, 740, 74}}, {{499, 74}, {740, 74}});

    f.workspace.ClearSelection();
    f.AddSelected(TextBox, 2, 2).boxWidth = 100;
    StretchMode width(f.Context(), DragEnd, 0, 0, 520, 74);
    f.Draw(width, 600, 80);
    EXPECT_EQ(f.painted, QRect(420, 68, 181, 14));
    f.Expect({{600, 601, 80}});

    f.workspace.ClearSelection();
    f.AddSelected(Line, 2, 4).end.rowId = f.workspace.RowIdAt(1);
    LineEndMode lineEnd(f.Context(), DragEnd, 0, 0, 580, 114);
    f.Draw(lineEnd, 760, 90);  // end on 6 April, lane 1 of the first row
    EXPECT_EQ(f.painted, QRect(420, 74, 321, 21));
    f.Expect({{420, 421, 74}});
}

// From (420, 34) above the rows to (740, 114) a line enters the rows at y 65, x 544; the same x
// at both ends is a vertical segment clipped to the rows; level and wholly above the rows, or
// ending on a lane beyond its row, it is not shown.
TEST(LineConnector, ToAScrolledAwayRowIsClippedAtTheFirstRow)
{
    ChartFixture f;
    f.AddProject({2, 2, 2});
    f.ShowApril();
    f.view.ScrollToRow(1);
    f.view.Redraw();
    ChartItem line = f.AprilItem(Line, 0, 0, 2, 2);
    const struct {
        int endRow, endLane, endDay;
        QLine segment;  // null: not shown
    } cases[] = {{2, 0, 6, {544, 65, 740, 114}}, {2, 0, 2, {420, 65, 420, 114}}, {0, 0, 6, {}}, {2, 2, 6, {}}};
    for (const auto& c : cases) {
        line.end = {f.workspace.RowIdAt(c.endRow), static_cast<uint8_t>(c.endLane), 2009, 4, c.endDay, 0, 0};
        int xa = 0, ya = 0, xb = 0, yb = 0;
        const bool shown = ConnectorEnds(f.workspace, f.view.Geometry(), 0, line, xa, ya, xb, yb);
        EXPECT_EQ(shown ? QLine(xa, ya, xb, yb) : QLine(), c.segment) << c.endRow << " " << c.endDay;
    }
}

}  // namespace
}  // namespace td
