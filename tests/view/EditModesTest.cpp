#include "ChartFixture.h"

#include "view/EditMode.h"
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

#include <algorithm>
#include <array>

namespace td {
namespace {

constexpr QRgb Guide = 0xFFFF3F3F;

// Two project rows of two lanes (65..105, 105..145) at 80 pixels a day from 1 April 2009, so
// that day n of April starts at x 340 + 80 (n - 1). Each mode draws its feedback on a copy of
// the finished chart.
struct ModeChart : ChartFixture {
    ModeChart()
    {
        AddProject({2, 2});
        SetZoom(7);
        SetFirstDate(2009, 4, 1);
        view.Redraw();
    }

    int AddSelected(ItemType type, int startDay, int endDay, int lane = 0)
    {
        ChartItem item = AprilItem(type, 0, lane, startDay, endDay);
        item.end.rowId = RowIdAt(0);
        item.lineWidth = 16;
        const int index = workspace.Doc(0)->AddItem(item);
        workspace.SelectItem(0, index);
        return index;
    }

    int RowIdAt(int row) const { return workspace.RowIdAt(row); }
    ChartItem& Item(int index) { return *workspace.ItemPtr(0, index); }
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
        const OverlayRect r = feedback.Painted();
        painted = QRect(r.x, r.y, r.width, r.height);
    }
    void Draw(EditState& mode, int x, int y)
    {
        mode.Move(x, y);
        Draw(&mode);
    }

    QRgb At(int x, int y) const { return image.pixel(x, y); }
    // The feedback left the chart as it was everywhere outside `area`.
    bool CleanOutside(const QRect& area) const
    {
        const QImage& chart = view.BackBuffer();
        for (int y = 0; y < chart.height(); ++y)
            for (int x = 0; x < chart.width(); ++x)
                if (!area.contains(x, y) && image.pixel(x, y) != chart.pixel(x, y))
                    return false;
        return true;
    }
    bool Clean(int x, int y) const { return At(x, y) == view.BackBuffer().pixel(x, y); }
    bool Clean(std::initializer_list<QPoint> points) const
    {
        return std::all_of(points.begin(), points.end(), [this](QPoint p) { return Clean(p.x(), p.y()); });
    }
    bool RedRun(int x0, int x1, int y) const
    {
        for (int x = x0; x < x1; ++x)
            if (At(x, y) != Red)
                return false;
        return true;
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
    const auto cleanOutside = [&](const OverlayRect& r) {
        const QRect area(r.x, r.y, r.width, r.height);
        for (int y = 0; y < chart.height(); ++y)
            for (int x = 0; x < chart.width(); ++x)
                if (!area.contains(x, y) && f.view.BackBuffer().pixel(x, y) != chart.pixel(x, y))
                    return false;
        return true;
    };
    const auto rect = [](const OverlayRect& r) { return QRect(r.x, r.y, r.width, r.height); };
    f.view.TakeRepaintArea();
    f.view.OnButtonDown(700, 100);
    f.view.OnMouseMove(true, 500, 70);
    EXPECT_EQ(rect(f.view.TakeRepaintArea()), QRect(500, 70, 201, 31));
    EXPECT_EQ(f.Pixel(500, 70), Red);
    f.view.OnMouseMove(true, 600, 90);
    EXPECT_EQ(rect(f.view.TakeRepaintArea()), QRect(500, 70, 201, 31)) << "the old band erased";
    EXPECT_TRUE(cleanOutside({600, 90, 101, 11}));
    f.view.OnButtonUp(600, 90);
    EXPECT_TRUE(cleanOutside({}));
}

TEST(EditModes, RubberBandIsADottedRedOutline)
{
    ModeChart f;
    RubberBandMode band(f.Context(), 700, 130);
    f.Draw(band, 500, 80);
    EXPECT_EQ(f.painted, QRect(500, 80, 201, 51));
    EXPECT_EQ(f.At(500, 80), Red);
    const int topRed = CountColor(f.image, Red, 500, 80, 700, 81);
    EXPECT_GT(topRed, 50);
    EXPECT_LT(topRed, 150);
    for (auto [x0, y0, x1, y1] : {std::array{500, 80, 700, 81}, {500, 130, 700, 131},
                                  {500, 80, 501, 130}, {700, 80, 701, 130}})
        EXPECT_GT(CountColor(f.image, Red, x0, y0, x1, y1), 0) << x0 << "," << y0;
    EXPECT_TRUE(f.CleanOutside(QRect(500, 80, 201, 51)));
    EXPECT_EQ(f.image.copy(501, 81, 199, 49), f.view.BackBuffer().copy(501, 81, 199, 49)) << "hollow";
}

TEST(EditModes, RowGuideSnapsToLaneBoundaries)
{
    ModeChart f;
    RowResizeMode resize(f.Context(), 0, 84);
    f.Draw(resize, 300, 72);
    const int right = f.view.Layout().BufferWidth();
    EXPECT_EQ(f.painted, QRect(1, 84, right - 1, 2));
    for (int x : {1, 500, right - 2})
        EXPECT_EQ(CountColor(f.image, Guide, x, 84, x + 1, 86), 2) << x;
    EXPECT_TRUE(f.Clean({{0, 85}, {right - 1, 85}}));
    EXPECT_TRUE(f.CleanOutside(f.painted));

    f.Draw(resize, 300, 65 + 45);
    EXPECT_EQ(f.painted, QRect(1, 104, right - 1, 2));
    EXPECT_EQ(f.At(500, 105), Guide);
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
        int row = 0;
        int lane = 0;
        ASSERT_TRUE(f.view.YToRowLane(c.press.y(), row, lane));
        CreateMode create(f.Context(), c.tool, row, c.press.x(), c.press.y());
        f.Draw(create, c.to.x(), c.to.y());
        EXPECT_EQ(f.painted, c.painted);
        for (const auto& [x0, x1, y] : c.redRuns)
            EXPECT_TRUE(f.RedRun(x0, x1, y)) << x0 << "," << y;
        for (const QPoint& p : c.clean)
            EXPECT_TRUE(f.Clean(p.x(), p.y())) << p.x() << "," << p.y();
        EXPECT_TRUE(f.CleanOutside(c.painted));
    }
}

// Selected items show their outlines, which follow a drag by whole lanes.
TEST(EditModes, SelectedOutlinesFollowTheDragByWholeLanes)
{
    ModeChart f;
    f.AddSelected(TaskLine, 2, 3);
    f.Draw(nullptr);
    EXPECT_TRUE(f.RedRun(420, 580, 74));
    EXPECT_TRUE(f.Clean(580, 74));

    MoveMode move(f.Context(), 450, 80);
    f.Draw(move, 485, 110);  // 35 right, 30 down: one lane
    EXPECT_TRUE(f.RedRun(455, 615, 94));
    EXPECT_TRUE(f.Clean({{420, 74}, {500, 74}}));
    EXPECT_TRUE(f.CleanOutside(f.painted));
    f.Draw(move, 485, 99);  // 19 down: no lane yet
    EXPECT_TRUE(f.RedRun(455, 615, 74));

    // Dragged items still show while marked deleted.
    f.workspace.ClearSelection();
    f.AddSelected(TaskBand, 2, 3);
    f.workspace.DeleteSelectedItems(false, false);
    f.Draw(move, 450, 80);
    EXPECT_TRUE(f.RedRun(420, 580, 68));
    EXPECT_TRUE(f.RedRun(420, 580, 80));

    // A text box and a line selected together.
    f.workspace.ClearSelection();
    const int box = f.AddSelected(TextBox, 2, 2);
    f.Item(box).boxWidth = 100;
    f.Item(box).end.lane = 1;
    const int line = f.AddSelected(Line, 2, 4);
    f.Item(line).end.rowId = f.RowIdAt(1);
    f.Draw(nullptr);
    for (auto [x, y] : {std::pair{420, 68}, {520, 68}, {420, 100}, {520, 100}, {470, 100}, {420, 74}})
        EXPECT_EQ(f.At(x, y), Red) << x << "," << y;
    EXPECT_TRUE(f.Clean(470, 90));
    EXPECT_EQ(f.painted, QRect(420, 68, 161, 47));

    MoveMode pair(f.Context(), 400, 80);
    f.Draw(pair, 410, 100);
    EXPECT_EQ(f.At(430, 94), Red);
    EXPECT_EQ(f.painted, QRect(430, 88, 161, 47));
    EXPECT_TRUE(f.CleanOutside(f.painted));
}

TEST(EditModes, SelectedEventsShowTheHollowMark)
{
    for (auto [code, hollow] : {std::pair{102, "○"}, {103, "○"}, {105, "△"}, {107, "◇"},
                                {108, "□"}}) {
        ModeChart f;
        const int index = f.AddSelected(Event, 3, 3, 1);
        f.Item(index).lineStyle = code;
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
    EXPECT_TRUE(f.RedRun(420, 820, 74));
    EXPECT_TRUE(f.Clean(820, 74));
    // A start dragged past the end: the later day's column still belongs to the task.
    StretchMode start(f.Context(), DragStart, 0, 0, 420, 74);
    f.Draw(start, 700, 80);  // start on 5 April, end 3 April
    EXPECT_TRUE(f.RedRun(500, 740, 74));
    EXPECT_TRUE(f.Clean({{499, 74}, {740, 74}}));
    EXPECT_TRUE(f.CleanOutside(f.painted));

    f.workspace.ClearSelection();
    const int box = f.AddSelected(TextBox, 2, 2);
    f.Item(box).boxWidth = 100;
    StretchMode width(f.Context(), DragEnd, 0, 0, 520, 74);
    f.Draw(width, 600, 80);
    EXPECT_EQ(f.painted, QRect(420, 68, 181, 14));
    EXPECT_EQ(f.At(600, 80), Red);

    f.workspace.ClearSelection();
    const int line = f.AddSelected(Line, 2, 4);
    f.Item(line).end.rowId = f.RowIdAt(1);
    LineEndMode lineEnd(f.Context(), DragEnd, 0, 0, 580, 114);
    f.Draw(lineEnd, 760, 90);  // end on 6 April, lane 1 of the first row
    EXPECT_EQ(f.painted, QRect(420, 74, 321, 21));
    EXPECT_EQ(f.At(420, 74), Red);
    EXPECT_TRUE(f.CleanOutside(f.painted));
}

TEST(LineConnector, ToAScrolledAwayRowIsClippedAtTheFirstRow)
{
    ChartFixture f;
    f.AddProject({2, 2, 2});
    f.SetZoom(7);
    f.SetFirstDate(2009, 4, 1);
    f.view.ScrollToRow(1);
    f.view.Redraw();
    ChartItem line;
    line.type = Line;
    line.start = {f.workspace.RowIdAt(0), 0, 2009, 4, 2, 0, 0};
    // From (420, 34) above the rows to (740, 114) it enters the rows at y 65, x 544; the same x at
    // both ends is a vertical segment clipped to the rows; level and wholly above the rows, or
    // ending on a lane beyond its row, it is not shown.
    const struct {
        int endRow, endLane, endDay;
        bool shown;
        QLine segment;
    } cases[] = {{2, 0, 6, true, {544, 65, 740, 114}}, {2, 0, 2, true, {420, 65, 420, 114}},
                 {0, 0, 6, false, {}}, {2, 2, 6, false, {}}};
    for (const auto& c : cases) {
        line.end = {f.workspace.RowIdAt(c.endRow), static_cast<uint8_t>(c.endLane), 2009, 4, c.endDay, 0, 0};
        int xa = 0, ya = 0, xb = 0, yb = 0;
        EXPECT_EQ(ConnectorEnds(f.workspace, f.view.Geometry(), 0, line, xa, ya, xb, yb), c.shown) << c.endRow << " " << c.endDay;
        if (c.shown) {
            EXPECT_EQ(QLine(xa, ya, xb, yb), c.segment);
        }
    }
}

}  // namespace
}  // namespace td
