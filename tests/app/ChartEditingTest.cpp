// End-to-end editing: real mouse events on the real main window's chart, then the model and the
// back buffer are read. The QApplication comes from the environment of MainWindowTest.cpp.
#include "WindowFixture.h"
#include "app/ChartWidget.h"
#include "app/CommandId.h"
#include "app/MainWindow.h"
#include "view/EditMode.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace td {
namespace {

// At zoom 7 from 1 April 2009 a day is 80 pixels: x 340 + 80n is the left edge of April n + 1.
// Row A spans y 65..105 and row B 105..145, two lanes each.
class ChartEditingTest : public fakes::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Workspace& model = window->Model();
        model.AddDocument(DocumentKind::Project);
        model.Doc(0)->AddRow(0);
        model.RebuildVisibleRows();
        model.RowAt(0)->lanes = 2;
        model.RowAt(1)->lanes = 2;
        window->View().DocumentAdded(DocumentKind::Project);
        window->ShowView(7, DateTriple { 2009, 4, 1 });
    }

    QWidget* Chart() const { return window->Chart(); }
    void Press(QPoint at) { QTest::mousePress(Chart(), Qt::LeftButton, {}, at); }
    void Move(QPoint at) { QTest::mouseMove(Chart(), at); }
    void Release(QPoint at) { QTest::mouseRelease(Chart(), Qt::LeftButton, {}, at); }
    void Click(QPoint at) { Press(at), Release(at); }
    void Drag(QPoint from, QPoint to) { Press(from), Move(to), Release(to); }
    void Draw(int tool, QPoint from, QPoint to)
    {
        window->RunCommand(tool);
        Drag(from, to);
        window->RunCommand(CmdToolSelect);
    }

    // The live items of the plan, in table order; dragged items are marked deleted while they
    // stay selected.
    std::vector<ChartItem> Items() const
    {
        std::vector<ChartItem> items;
        const Document& doc = *window->Model().Doc(0);
        for (int i = 0; i < doc.ItemCount(); ++i) {
            if (doc.ItemState(i) != ItemDeleted || window->Model().IsItemSelected(0, i))
                items.push_back(*doc.ItemPtr(i));
        }
        return items;
    }

    // What the chart shows of the plan: rows and live items.
    std::string Snapshot() const
    {
        std::ostringstream out;
        const Workspace& model = window->Model();
        for (int r = 0; r < model.VisibleRowCount(); ++r)
            out << "row " << model.RowAt(r)->id << ' ' << model.RowAt(r)->level << ' ' << model.RowAt(r)->lanes << '\n';
        for (const ChartItem& item : Items()) {
            out << item.type << ' ';
            for (const ItemPoint* p : { &item.start, &item.end })
                out << p->rowId << ':' << int(p->lane) << ':' << Date(*p) << ' ';
            out << ' ' << item.boxWidth << '\n';
        }
        return out.str();
    }

    static std::string Date(const ItemPoint& p)
    {
        return std::to_string(p.year) + "-" + std::to_string(p.month) + "-" + std::to_string(p.day);
    }

    // Answers the pop-up that the next right click opens with `text`; false when none opened.
    bool ChooseFromContextMenu(QPoint at, const QString& text, QStringList* disabled = nullptr)
    {
        bool shown = false;
        // Owned here, so that it never fires after this call when no menu opened.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            answer.stop();
            shown = true;
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                if (disabled && !action->isSeparator() && !action->isEnabled())
                    disabled->push_back(action->text());
                if (action->text() == text)
                    chosen = action;
            }
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        answer.start(10);
        QTest::mouseClick(Chart(), Qt::RightButton, {}, at);
        QTest::qWait(0);
        return shown;
    }

    // Undoes the last change with Ctrl+Z and expects the plan as it was.
    void ExpectUndoGivesBack(const std::string& before)
    {
        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Snapshot(), before);
    }
};

TEST_F(ChartEditingTest, EveryCreatingToolMakesOneItemThatUndoTakesBack)
{
    struct Case { int tool; QPoint from, to; int type; };
    const Case cases[] = {
        { CmdToolTaskLine, { 450, 75 }, { 600, 75 }, TaskLine },
        { CmdToolTaskBand, { 450, 95 }, { 600, 95 }, TaskBand },
        { CmdToolProgress, { 450, 115 }, { 600, 115 }, Progress },
        { CmdToolEvent, { 700, 75 }, { 700, 75 }, Event },
        { CmdToolLine, { 450, 75 }, { 600, 135 }, Line },
        { CmdToolTextBox, { 800, 70 }, { 900, 100 }, TextBox },
    };
    for (const Case& c : cases) {
        const std::string before = Snapshot();
        Draw(c.tool, c.from, c.to);
        ASSERT_EQ(Items().size(), 1u) << c.tool;
        EXPECT_EQ(Items()[0].type, c.type);
        ExpectUndoGivesBack(before);
    }
}

TEST_F(ChartEditingTest, TaskDirectionDoesNotMatterWhileALineKeepsItsDirection)
{
    Draw(CmdToolTaskLine, { 600, 75 }, { 450, 75 });
    Draw(CmdToolTaskLine, { 450, 95 }, { 600, 95 });
    ASSERT_EQ(Items().size(), 2u);
    EXPECT_EQ(Date(Items()[0].start) + Date(Items()[0].end), "2009-4-22009-4-4");
    EXPECT_EQ(Date(Items()[1].start) + Date(Items()[1].end), Date(Items()[0].start) + Date(Items()[0].end));
    EXPECT_LT(qGray(window->View().BackBuffer().pixel(500, 74)), 128);

    Draw(CmdToolLine, { 600, 75 }, { 450, 95 });
    ASSERT_EQ(Items().size(), 3u);
    EXPECT_EQ(Date(Items()[2].start) + Date(Items()[2].end) + ":" + std::to_string(Items()[2].end.lane), "2009-4-42009-4-2:1");
    Draw(CmdToolLine, { 450, 75 }, { 470, 78 });
    EXPECT_EQ(Items().size(), 3u);
}

TEST_F(ChartEditingTest, EventNeedsEightPixelsOfTimelineAndCreateDragsNeedADate)
{
    const std::pair<int, size_t> events[] = { { 340, 0 }, { 347, 0 }, { 348, 1 } };
    for (const auto& [x, created] : events) {
        Draw(CmdToolEvent, { x, 75 }, { x, 75 });
        EXPECT_EQ(Items().size(), created) << x;
    }
    Draw(CmdToolTaskBand, { 300, 75 }, { 600, 75 });
    Draw(CmdToolTaskBand, { 600, 75 }, { 300, 75 });
    EXPECT_EQ(Items().size(), 1u);
    // Left of the timeline no creation begins, so no outline is drawn either.
    window->RunCommand(CmdToolTaskBand);
    Press({ 300, 75 });
    EXPECT_EQ(window->View().Mode(), Idle);
    Release({ 300, 75 });
}

TEST_F(ChartEditingTest, TextBoxStartingBeforeTheViewIsHitWhereItIsDrawn)
{
    ChartItem box;
    box.type = TextBox;
    box.state = ItemNormal;
    box.start = { window->Model().RowAt(0)->id, 0, 2009, 3, 30 };
    box.end = { 0, 1, 2009, 3, 30 };
    box.boxWidth = 400;
    window->Model().AddItem(0, box);
    window->View().Redraw();
    // Drawn from x 180: its visible part ends at x 580.
    Click({ 500, 75 });
    EXPECT_EQ(window->Model().SelectionCount(), 1);
    const std::string before = Snapshot();
    Drag({ 580, 68 }, { 620, 68 });
    EXPECT_EQ(Date(Items().at(0).start) + " " + std::to_string(Items()[0].boxWidth), "2009-3-30 440");
    ExpectUndoGivesBack(before);
}

TEST_F(ChartEditingTest, TextBoxMirroredByItsLeftHandleKeepsAPositiveWidth)
{
    Draw(CmdToolTextBox, { 500, 70 }, { 600, 100 });
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_EQ((std::pair {Items()[0].boxWidth, int(Items()[0].end.lane)}), (std::pair {100, 1}));
    Click({ 550, 80 });
    const std::string before = Snapshot();
    Drag({ 500, 68 }, { 700, 68 });
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_EQ(Date(Items()[0].start) + " " + std::to_string(Items()[0].boxWidth), "2009-4-4 60");
    ExpectUndoGivesBack(before);
}

TEST_F(ChartEditingTest, RubberBandOfTwoPixelsSelectsNothing)
{
    Draw(CmdToolTaskLine, { 1000, 75 }, { 1000, 75 });
    const std::pair<QPoint, int> bands[] = { { { 892, 70 }, 0 }, { { 1150, 80 }, 1 } };
    for (const auto& [to, selected] : bands) {
        Drag({ 890, 68 }, to);
        EXPECT_EQ(window->Model().SelectionCount(), selected);
        EXPECT_EQ(window->View().Mode(), selected ? Selected : Idle);
    }
}

TEST_F(ChartEditingTest, MovesTruncateToWholeDaysAndUndo)
{
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    const std::pair<int, const char*> moves[] = { { 79, "2009-4-3" }, { -79, "2009-4-3" }, { 80, "2009-4-4" } };
    for (const auto& [dx, start] : moves) {
        const std::string before = Snapshot();
        Drag({ 600, 74 }, { 600 + dx, 74 });
        EXPECT_EQ(Date(Items().at(0).start), start) << dx;
        ExpectUndoGivesBack(before);
    }
}

TEST_F(ChartEditingTest, PressAndReleaseOnASelectedItemIsOneUndoableReplacement)
{
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    Click({ 600, 74 });
    // With nothing to undo, Undo keeps the selection.
    window->Model().Undo().ClearUndo();
    window->RunCommand(CmdUndo);
    EXPECT_EQ(window->Model().SelectionCount(), 1);
    ASSERT_EQ(window->View().Mode(), Selected);
    const std::string before = Snapshot();
    const int groups = window->Model().Undo().Group();
    const int index = window->Model().SelectionIndex(0);
    Click({ 600, 74 });
    EXPECT_EQ(window->Model().Undo().Group(), groups + 1);
    EXPECT_NE(window->Model().SelectionIndex(0), index);
    EXPECT_EQ(Snapshot(), before);
    ExpectUndoGivesBack(before);
    EXPECT_EQ(window->Model().Undo().Group(), groups);
}

TEST_F(ChartEditingTest, EndHandleEdgeLengthensATaskByOneDay)
{
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    for (const int x : { 740, 742 }) {
        Click({ 600, 74 });
        const std::string before = Snapshot();
        Click({ x, 74 });
        EXPECT_EQ(Date(Items().at(0).end), "2009-4-6") << x;
        ExpectUndoGivesBack(before);
    }
}

TEST_F(ChartEditingTest, RowBoundaryDragSetsTheLanesFromThePointer)
{
    struct Case { int pressY, releaseY, lanes; };
    // A row's lane count is one byte: the pointer far below stops at 255 lanes.
    const Case cases[] = { { 105, 40, 1 }, { 104, 104, 1 }, { 103, 103, 1 }, { 105, 105, 2 }, { 106, 106, 2 }, { 105, 150, 4 },
                           { 105, 65 + 20 * 300, 255 } };
    for (const Case& c : cases) {
        const std::string before = Snapshot();
        Drag({ 100, c.pressY }, { 100, c.releaseY });
        EXPECT_EQ(window->Model().RowAt(0)->lanes, c.lanes) << c.pressY << " to " << c.releaseY;
        ExpectUndoGivesBack(before);
    }
}

TEST_F(ChartEditingTest, ProjectMenuTargetsTheClickedRowButDeletesTheSelectedOne)
{
    const int rowB = window->Model().RowAt(1)->id;
    Click({ 200, 75 });
    ASSERT_TRUE(ChooseFromContextMenu({ 200, 125 }, "サブプロジェクトの追加"));
    ASSERT_EQ(window->Model().VisibleRowCount(), 3);
    EXPECT_EQ((std::vector<int> { window->Model().RowAt(1)->id, window->Model().RowAt(2)->level, window->View().SelectedViewRow() }),
              (std::vector<int> { rowB, 1, 0 }));

    Click({ 200, 150 });
    ASSERT_TRUE(ChooseFromContextMenu({ 200, 75 }, "サブプロジェクトの削除"));
    EXPECT_EQ(window->Model().VisibleRowCount(), 2);
    EXPECT_EQ(window->Model().RowAt(1)->id, rowB);
}

TEST_F(ChartEditingTest, ItemMenuOpensOnlyOverSelectedItemsAndScheduleRowsGreySubProjects)
{
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    EXPECT_FALSE(ChooseFromContextMenu({ 600, 74 }, "削除"));
    Click({ 600, 74 });
    ASSERT_TRUE(ChooseFromContextMenu({ 600, 74 }, "削除"));
    EXPECT_TRUE(Items().empty());

    window->Model().AddDocument(DocumentKind::Schedule);
    window->View().DocumentAdded(DocumentKind::Schedule);
    QStringList disabled;
    ASSERT_TRUE(ChooseFromContextMenu({ 200, 150 }, "プロジェクトを閉じる", &disabled));
    EXPECT_EQ(disabled, QStringList({ "サブプロジェクトの追加", "サブプロジェクトの削除" }));
    EXPECT_EQ(window->Model().DocumentCount(), 1);
}

// The schedule row lies below rows A and B, at y 145..165.
TEST_F(ChartEditingTest, ScheduleToolOpensTheScheduleDialogAndKeepsTheEntryOnCancel)
{
    window->Model().AddDocument(DocumentKind::Schedule);
    window->View().DocumentAdded(DocumentKind::Schedule);
    window->RunCommand(CmdToolSchedule);
    // Left of the timeline a press has no date to put an entry on; the dialog an entry opens
    // is answered with Escape.
    for (const int x : { 300, 500 }) {
        QString title;
        QTimer::singleShot(0, [&title] {
            QWidget* dialog = QApplication::activeModalWidget();
            title = dialog ? dialog->windowTitle() : QString();
            if (dialog)
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Click({ x, 150 });
        QTest::qWait(0);
        EXPECT_EQ(title.isEmpty(), x == 300) << x;
        ASSERT_EQ(window->Model().Doc(1)->ItemCount(), x == 300 ? 0 : 1) << x;
    }
    EXPECT_EQ((std::pair {window->Model().Doc(1)->ItemPtr(0)->type, window->Model().SelectionCount()}), (std::pair {int(Schedule), 0}));
}

TEST_F(ChartEditingTest, KeysAndTheWheelWaitForTheDragsRelease)
{
    const std::string path = dir.Path("plan.tdp");
    std::snprintf(window->Model().Doc(0)->Path(), PathSize, "%s", path.c_str());
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    // The first move of a press on an unselected item takes it off the chart until the release.
    Press({ 600, 74 });
    Move({ 700, 94 });
    for (const QKeySequence key : { QKeySequence::Save, QKeySequence::Undo, QKeySequence::Delete,
                                    QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste }) {
        QTest::keySequence(window.get(), key);
        EXPECT_EQ(window->View().Mode(), MoveItems) << key.toString().toStdString();
    }
    for (const Qt::KeyboardModifiers modifiers : { Qt::NoModifier, Qt::ControlModifier }) {
        QWheelEvent wheel({ 700, 94 }, Chart()->mapToGlobal(QPoint { 700, 94 }), {}, { 0, -120 },
                          Qt::LeftButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Chart(), &wheel);
    }
    EXPECT_EQ((std::pair {window->View().Layout().FirstRow(), window->View().Layout().Zoom()}), (std::pair {0, 7}));
    Release({ 700, 94 });
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_EQ(Date(Items()[0].start) + ":" + std::to_string(Items()[0].start.lane), "2009-4-4:1");
    EXPECT_EQ(window->Model().Undo().Group(), 2);
}

// Escape, or a move released off the chart, leaves the plan and the undo log as before the press.
TEST_F(ChartEditingTest, CancelledDragsLeaveThePlanAndTheUndoLogAsTheyWere)
{
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    struct Case { int tool; QPoint select, from, to; bool escape; };
    const auto undoLog = [this] { return std::pair {window->Model().Undo().Group(), window->Model().Undo().Count()}; };
    const Case cases[] = {
        { CmdToolSelect, { 600, 74 }, { 600, 74 }, { 800, 94 }, true },
        { CmdToolSelect, { 600, 74 }, { 600, 74 }, { 200, 94 }, false },
        { CmdToolSelect, { 600, 74 }, { 600, 74 }, { 600, 40 }, false },
        { CmdToolSelect, { 0, 0 }, { 600, 74 }, { 800, 94 }, true },
        { CmdToolSelect, { 600, 74 }, { 741, 74 }, { 900, 74 }, true },
        { CmdToolSelect, { 0, 0 }, { 900, 70 }, { 1000, 130 }, true },
        { CmdToolSelect, { 0, 0 }, { 100, 105 }, { 100, 160 }, true },
        { CmdToolTaskBand, { 0, 0 }, { 800, 95 }, { 900, 95 }, true },
    };
    for (const Case& c : cases) {
        if (c.select.x())
            Click(c.select);
        window->RunCommand(c.tool);
        const std::string before = Snapshot();
        const auto undo = undoLog();
        Press(c.from);
        Move(c.to);
        if (c.escape)
            QTest::keyClick(window.get(), Qt::Key_Escape);
        Move(c.to + QPoint { 40, 20 });
        Release(c.to + QPoint { 40, 20 });
        EXPECT_EQ(Snapshot(), before) << c.from.x() << "," << c.from.y();
        EXPECT_EQ(undoLog(), undo) << c.from.x() << "," << c.from.y();
        window->RunCommand(CmdToolSelect);
        window->View().DropSelection();
    }
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Items().empty());
}

// Counts the area the chart widget repaints.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted |= static_cast<QPaintEvent*>(event)->region().boundingRect();
        return false;
    }
    QRect painted;
};

TEST_F(ChartEditingTest, CreateDragDrawsItsOutlineAndRepaintsOnlyAroundIt)
{
    window->RunCommand(CmdToolTaskLine);
    Press({ 450, 75 });
    Move({ 520, 75 });
    QTest::qWait(0);
    PaintRecorder recorder;
    Chart()->installEventFilter(&recorder);
    Move({ 600, 75 });
    QTest::qWait(0);
    Chart()->removeEventFilter(&recorder);
    EXPECT_EQ(window->View().BackBuffer().pixel(550, 74), qRgb(255, 0, 0));
    EXPECT_FALSE(recorder.painted.isEmpty());
    EXPECT_TRUE(recorder.painted.width() <= 400 && recorder.painted.height() <= 5) << recorder.painted.width() << "x" << recorder.painted.height();
    Release({ 600, 75 });
    EXPECT_EQ(Items().size(), 1u);
}

}  // namespace
}  // namespace td
