// The real main window under real Qt events: its commands, files, preview and drops, and
// editing on its chart, after which the model and the back buffer are read.
#include "AppFakes.h"
#include "TempDir.h"
#include "app/ChartWidget.h"
#include "app/CommandId.h"
#include "app/MainWindow.h"
#include "app/ToolBar.h"
#include "tests/print/PrintSupport.h"
#include "view/EditMode.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace td {
namespace {

// The real main window, shown at 1200 x 700, answering its dialogs from the fakes.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(WindowServices { &chooser, &boxes, dir.Path("recovery") });
        window->resize(1200, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Hands the modal dialog that the next step opens, or null when none opened, to `answer`.
    template <typename Answer>
    static void AnswerNextDialog(Answer answer)
    {
        QTimer::singleShot(0, [answer] { answer(QApplication::activeModalWidget()); });
    }

    // Runs New and presses the named button of its dialog, or Escape.
    void New(const char* button)
    {
        AnswerNextDialog([button](QWidget* dialog) {
            ASSERT_NE(dialog, nullptr);
            button ? QTest::mouseClick(dialog->findChild<QAbstractButton*>(button), Qt::LeftButton) : QTest::keyClick(dialog, Qt::Key_Escape);
        });
        window->RunCommand(CmdNew);
    }

    Workspace& Model() { return window->Model(); }
    ChartView& View() { return window->View(); }
    void AddDocument(int kind) { Model().AddDocument(kind), View().DocumentAdded(kind); }
    void MarkModified(int doc, const std::string& path)
    {
        std::snprintf(Model().Doc(doc)->Path(), PathSize, "%s", path.c_str()), Model().Doc(doc)->SetModState(Modified);
    }
    void ClickButton(int command) { QTest::mouseClick(window->Tools().Button(command), Qt::LeftButton); }
    std::pair<bool, bool> Arrows() { return { window->Action(CmdPreviousPage)->isEnabled(), window->Action(CmdNextPage)->isEnabled() }; }

    // The kinds of the open documents and the zoom level they are shown at.
    static std::vector<int> KindsAndZoom(MainWindow& w)
    {
        std::vector<int> shown;
        for (int doc = 0; doc < w.Model().DocumentCount(); ++doc)
            shown.push_back(w.Model().DocumentKind(doc));
        shown.push_back(w.View().Layout().Zoom());
        return shown;
    }

    // Drags URLs or files of the test's directory over the chart and drops them, through the
    // native window as a file manager's drag arrives; false when the window refused the drag.
    bool Drop(std::initializer_list<const char*> paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const char* path : paths)
            urls.push_back(QUrl::fromUserInput(QString::fromStdString(std::strstr(path, "://") ? path : dir.Path(path))));
        data.setUrls(urls);
        const QPoint at = window->Chart()->mapTo(window.get(), window->Chart()->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->windowHandle(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QApplication::sendEvent(window->windowHandle(), &drop), QApplication::processEvents();
        return enter.isAccepted() && drop.isAccepted();
    }

    testing::TempDir dir;
    fakes::FakeFileChooser chooser;
    fakes::FakeMessageBoxes boxes;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowTest, ToolbarHoldsOneToolDownZoomsWithinTheLevelsAndScrollBarsFollowTheView)
{
    EXPECT_LE(window->Tools().Bar()->geometry().bottom(), 27);
    EXPECT_TRUE(window->Tools().Button(CmdToolSelect)->isChecked());
    ClickButton(CmdToolEvent);
    ClickButton(CmdToolEvent);
    EXPECT_EQ(View().CurrentTool(), CmdToolEvent);
    for (const auto& entry : ToolButtonTable)
        EXPECT_TRUE(!IsToolCommand(entry.command) || window->Tools().Button(entry.command)->isChecked() == (entry.command == CmdToolEvent)) << entry.command;

    ClickButton(CmdZoomWider);
    EXPECT_EQ(View().Layout().Zoom(), 3);
    for (int n = 0; n < 12; ++n)
        ClickButton(CmdZoomNarrower);
    EXPECT_EQ(View().Layout().Zoom(), 0);

    // The scroll bars follow the view.
    for (int n = 0; n < 3; ++n)
        New("project");
    QScrollBar* hBar = window->HorizontalBar();
    EXPECT_EQ(hBar->pageStep(), std::max(window->Chart()->width() - 370, 0));
    const DateTriple before = View().Layout().FirstDate();
    hBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NE(std::memcmp(&before, &View().Layout().FirstDate(), sizeof before), 0);
    EXPECT_EQ(hBar->value(), View().HorizontalScroll().position);

    window->resize(1200, 200);
    QTest::qWait(0);
    QScrollBar* vBar = window->VerticalBar();
    vBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(std::pair(View().Layout().FirstRow(), vBar->value()), std::pair(1, View().VerticalScroll().position));
}

// New makes a project or a schedule, Escape nothing; Save writes every changed document; the
// command line opens the files in its order past one that is missing, each once.
TEST_F(WindowTest, NewDocumentsAreSavedAndOpenFromTheCommandLineInItsOrder)
{
    New(nullptr);
    EXPECT_EQ(Model().DocumentCount(), 0);
    New("project");
    EXPECT_EQ(KindsAndZoom(*window), (std::vector { DocumentKind::Project, 2 }));
    New("schedule");
    EXPECT_EQ(KindsAndZoom(*window), (std::vector { DocumentKind::Project, DocumentKind::Schedule, 8 }));
    MarkModified(0, dir.Path("a.tdp"));
    MarkModified(1, dir.Path("b.tds"));
    window->RunCommand(CmdSave);
    EXPECT_EQ(std::pair(Model().Doc(0)->ModState(), Model().Doc(1)->ModState()), (std::pair<int, int>(Clean, Clean)));
    MainWindow second(WindowServices { &chooser, &boxes, dir.Path("recovery") });
    // A plan already open is not opened a second time.
    second.OpenFiles({ dir.Path("b.tds"), dir.Path("missing.tdp"), dir.Path("a.tdp"), dir.Path("b.tds") });
    EXPECT_EQ(KindsAndZoom(second), (std::vector { DocumentKind::Schedule, DocumentKind::Project, 8 }));
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "File Open Error !!" });
}

// Closing asks about a changed document: Cancel keeps the window open, No closes it without
// saving, Yes saves; Exit closes without asking.
TEST_F(WindowTest, ClosingAsksAndCanBeCancelledWhileExitDoesNotAsk)
{
    New("project");
    MarkModified(0, dir.Path("plan.tdp"));
    for (auto [answer, closed, saved] :
         { std::tuple { SaveAnswer::Cancel, false, false }, { SaveAnswer::No, true, false }, { SaveAnswer::Yes, true, true } }) {
        window->show();
        boxes.Answer(answer);
        EXPECT_EQ(window->close(), closed);
        EXPECT_EQ(std::pair(window->isVisible(), std::filesystem::exists(dir.Path("plan.tdp"))), std::pair(!closed, saved));
    }
    window->show();
    Model().Doc(0)->SetModState(Modified);
    window->RunCommand(CmdExit);
    EXPECT_EQ(std::pair(window->isVisible(), boxes.prompts), std::pair(false, 3));
}

// Help shows its pages from a window of the Qt dialogs as well.
TEST_F(WindowTest, HelpShowsThePagesAndAMissingPageIsNeverRetried)
{
    MainWindow plain;
    plain.RunCommand(CmdHelp);
    ASSERT_TRUE(plain.Help().Browser() && plain.Help().Browser()->isVisible());
    HelpWindow missing(":/help/none.html");
    EXPECT_EQ(missing.Show(nullptr), 0);
    EXPECT_TRUE(missing.Failed());
    EXPECT_EQ(missing.Show(nullptr), 0) << "retried";
}

// The preview's device holds ten one-lane rows on a page. Without rows or with one page both
// arrows are grey; paging greys the arrow at either end and stops there; a second preview
// command changes nothing. Ctrl+P in the preview leaves it and prints.
TEST_F(WindowTest, PreviewPagesGreyTheArrowsAtTheEndsAndCtrlPLeavesItToPrint)
{
    FakeDevice device({ 2400, 1600, 384, 384, 0, 0 });
    window->Preview().SetTargetFactory([&device] { return std::make_unique<FakeDevice>(device); });
    const auto mainMenu = window->menuBar()->actions();
    for (auto [rows, pages] : { std::pair { 0, 0 }, { 3, 1 }, { 22, 3 } }) {
        if (rows)
            AddRows(Model(), rows, 1);
        window->RunCommand(CmdPrintPreview);
        ASSERT_TRUE(window->Preview().Active());
        EXPECT_EQ(std::pair(window->Preview().Preview()->PageCount(), Arrows()), std::pair(pages, std::pair(false, pages > 1)));
        if (pages < 3)
            window->RunCommand(CmdClosePreview);
    }
    EXPECT_EQ(std::pair(window->menuBar()->actions().size(), window->VerticalBar()->isHidden() && window->Tools().Bar()->isHidden()),
              std::pair(qsizetype(4), true));
    window->RunCommand(CmdNextPage);
    window->RunCommand(CmdNextPage);
    EXPECT_EQ(Arrows(), std::pair(true, false));
    window->RunCommand(CmdNextPage);
    window->RunCommand(CmdPrintPreview);
    EXPECT_EQ(window->Preview().Preview()->CurrentPage(), 2);
    window->RunCommand(CmdPreviousPage);
    EXPECT_EQ(Arrows(), std::pair(true, true));

    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(window->Preview().Active());
    EXPECT_EQ(window->menuBar()->actions(), mainMenu);
    EXPECT_FALSE(window->Tools().Bar()->isHidden() || window->HorizontalBar()->isHidden());
    EXPECT_EQ(std::pair(device.dialogs, device.jobs), std::pair(1, 1));
}

// Dropped files open in the order dropped, a damaged one with the message Open gives it; drags
// of other files or of other URLs are refused.
TEST_F(WindowTest, DroppedFilesOpenInOrderAndADamagedOneGetsTheMessageOpenGives)
{
    testing::WriteBytes(dir.Path("notes.txt"), "TDPF");
    EXPECT_FALSE(Drop({ "notes.txt", "https://example.org/plan.tdp" }));
    testing::WriteBytes(dir.Path("damaged.tdp"), "TDPF broken");
    chooser.Answer(dir.Path("damaged.tdp"));
    window->RunCommand(CmdOpen);
    const std::vector<std::string> openErrors = boxes.errors;
    ASSERT_EQ(openErrors.size(), 1u);
    boxes.errors.clear();

    std::filesystem::copy_file(TD_EXAMPLES_DIR "/schedule.tds", dir.Path("week.tds"));
    std::filesystem::copy_file(TD_EXAMPLES_DIR "/project.tdp", dir.Path("plan.TDP"));
    ASSERT_TRUE(Drop({ "week.tds", "damaged.tdp", "plan.TDP" }));
    EXPECT_EQ(KindsAndZoom(*window), (std::vector { DocumentKind::Schedule, DocumentKind::Project, 8 }));
    EXPECT_EQ(boxes.errors, openErrors);
}

// Collects the area the chart widget repaints.
struct PaintRecorder : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted |= static_cast<QPaintEvent*>(event)->rect();
        return false;
    }
    QRect painted;
};

// At zoom 7 from 1 April 2009 a day is 80 pixels: x 340 + 80n is the left edge of April n + 1.
// Row A (id 0) spans y 65..105 and row B (id 1) 105..145, two lanes each.
class ChartEditingTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        AddDocument(DocumentKind::Project);
        Model().Doc(0)->AddRow(0);
        Model().RebuildVisibleRows();
        window->ShowView(7, DateTriple { 2009, 4, 1 });
    }

    QWidget* Chart() const { return window->Chart(); }
    void Press(QPoint at) { QTest::mousePress(Chart(), Qt::LeftButton, {}, at); }
    void Move(QPoint at) { QTest::mouseMove(Chart(), at); }
    void Release(QPoint at) { QTest::mouseRelease(Chart(), Qt::LeftButton, {}, at); }
    void Click(QPoint at) { Press(at), Release(at); }
    // A move to where the press was is no move at all.
    void Drag(QPoint from, QPoint to) { Press(from); if (to != from) Move(to); Release(to); }
    void Draw(int tool, QPoint from, QPoint to) { window->RunCommand(tool), Drag(from, to), window->RunCommand(CmdToolSelect); }

    // What the chart shows of the plan: each row's id, level and lanes (unless left out), then the
    // live items in table order, each as its type, its ends (row id:lane:date) and its box width;
    // dragged items are marked deleted while they stay selected.
    std::string Snapshot(bool rows = true)
    {
        static const char* const types[] = { "task", "band", "event", "progress", "line", "box", "entry" };
        std::ostringstream out;
        for (int r = 0; rows && r < Model().VisibleRowCount(); ++r)
            out << Model().RowAt(r)->id << ' ' << Model().RowAt(r)->level << ' ' << Model().RowAt(r)->lanes << "; ";
        for (int i = 0; i < Model().Doc(0)->ItemCount(); ++i) {
            const ChartItem& item = *Model().Doc(0)->ItemPtr(i);
            if (item.state == ItemDeleted && !Model().IsItemSelected(0, i))
                continue;
            out << types[item.type - TaskLine];
            for (const ItemPoint* p : { &item.start, &item.end })
                out << ' ' << p->rowId << ':' << int(p->lane) << ':' << p->year << '-' << p->month << '-' << p->day;
            out << ' ' << item.boxWidth << "; ";
        }
        return out.str();
    }
    std::string Items() { return Snapshot(false); }

    // Undoes the last change with Ctrl+Z and expects the plan as it was.
    void ExpectUndoGivesBack(const std::string& before)
    {
        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Snapshot(), before);
    }

    // A drag with a tool (with none, on the item that a click at `select` selects) and the live
    // items after it, "" when it made nothing. A gesture that makes or edits an item adds one item
    // record (the new item, or the edited copy that replaces the item) in one undo group, which
    // Ctrl+Z takes back; one that makes nothing leaves no undo group.
    struct Gesture { int tool; QPoint select, from, to; const char* items; };
    void ExpectGestures(std::initializer_list<Gesture> gestures)
    {
        for (const Gesture& g : gestures) {
            SCOPED_TRACE(std::to_string(g.from.x()) + " to " + std::to_string(g.to.x()));
            if (!g.select.isNull())
                Click(g.select);
            const auto [groups, records, before] = std::tuple(Model().Undo().Group(), Model().Doc(0)->ItemCount(), Snapshot());
            g.tool ? Draw(g.tool, g.from, g.to) : Drag(g.from, g.to);
            EXPECT_EQ(Items(), g.items);
            const int made = *g.items ? 1 : 0;
            EXPECT_EQ(std::pair(Model().Undo().Group(), Model().Doc(0)->ItemCount()), std::pair(groups + made, records + made));
            if (made)
                ExpectUndoGivesBack(before);
            EXPECT_EQ(Model().Undo().Group(), groups);
        }
    }

    // Answers the pop-up that a right click opens with `text`; the entries it greys, or none when
    // no menu opened.
    std::optional<QStringList> ChooseFromContextMenu(QPoint at, const QString& text)
    {
        std::optional<QStringList> disabled;
        // Owned here, so that it never fires after this call when no menu opened.
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            disabled.emplace();
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator() && !action->isEnabled())
                    disabled->push_back(action->text());
                if (action->text() == text)
                    menu->setActiveAction(action);
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::mouseClick(Chart(), Qt::RightButton, {}, at);
        QTest::qWait(0);
        return disabled;
    }
};

// Every creating tool makes one item from the dates under the press and the release: a task in
// either direction, a line in its own. A drag without a date at either end, an event within eight
// pixels of the timeline's start and a line too short make none. A create drag repaints only
// around its outline.
TEST_F(ChartEditingTest, CreatingToolsMakeOneItemThatUndoTakesBackAndRepaintOnlyTheirOutline)
{
    ExpectGestures({
        { CmdToolTaskLine, {}, { 450, 75 }, { 600, 75 }, "task 0:0:2009-4-2 0:0:2009-4-4 0; " },
        { CmdToolTaskLine, {}, { 600, 75 }, { 450, 75 }, "task 0:0:2009-4-2 0:0:2009-4-4 0; " },
        { CmdToolTaskBand, {}, { 450, 95 }, { 600, 95 }, "band 0:1:2009-4-2 0:0:2009-4-4 0; " },
        { CmdToolProgress, {}, { 450, 115 }, { 600, 115 }, "progress 1:0:2009-4-2 0:0:2009-4-4 0; " },
        { CmdToolEvent, {}, { 700, 75 }, { 700, 75 }, "event 0:0:2009-4-5 0:0:2009-4-5 0; " },
        { CmdToolEvent, {}, { 347, 75 }, { 347, 75 }, "" },
        { CmdToolEvent, {}, { 348, 75 }, { 348, 75 }, "event 0:0:2009-4-1 0:0:2009-4-1 0; " },
        { CmdToolLine, {}, { 450, 75 }, { 600, 135 }, "line 0:0:2009-4-2 1:1:2009-4-4 0; " },
        { CmdToolLine, {}, { 600, 75 }, { 450, 95 }, "line 0:0:2009-4-4 0:1:2009-4-2 0; " },
        { CmdToolLine, {}, { 450, 75 }, { 470, 78 }, "" },
        { CmdToolTextBox, {}, { 800, 70 }, { 900, 100 }, "box 0:0:2009-4-6 0:1:2009-4-6 100; " },
        { CmdToolTaskBand, {}, { 300, 75 }, { 600, 75 }, "" },
        { CmdToolTaskBand, {}, { 600, 75 }, { 300, 75 }, "" },
    });
    // Left of the timeline no creation begins, so no outline is drawn either.
    window->RunCommand(CmdToolTaskBand);
    Press({ 300, 75 });
    EXPECT_EQ(View().Mode(), Idle);
    Release({ 300, 75 });

    // A create drag repaints only around its outline; the item it makes is drawn on release.
    window->RunCommand(CmdToolTaskLine);
    Press({ 450, 75 });
    Move({ 520, 75 });
    QTest::qWait(0);
    PaintRecorder recorder;
    Chart()->installEventFilter(&recorder);
    Move({ 600, 75 });
    QTest::qWait(0);
    Chart()->removeEventFilter(&recorder);
    EXPECT_TRUE(!recorder.painted.isEmpty() && recorder.painted.width() <= 400 && recorder.painted.height() <= 5)
        << recorder.painted.width() << "x" << recorder.painted.height();
    Release({ 600, 75 });
    EXPECT_LT(qGray(View().BackBuffer().pixel(500, 74)), 128);
}

// A move counts whole days; a click on the end handle or its edge adds a day; a click in place
// is an edit too. With nothing to undo, Undo keeps the selection. A rubber band needs more than
// two pixels.
TEST_F(ChartEditingTest, MovesTruncateToWholeDaysHandlesStretchTheirEndAndBandsNeedThreePixels)
{
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    Click({ 600, 74 });
    Model().Undo().ClearUndo();
    window->RunCommand(CmdUndo);
    EXPECT_EQ(std::pair(Model().SelectionCount(), View().Mode()), std::pair(1, Selected));
    const char* const unmoved = "task 0:0:2009-4-3 0:0:2009-4-5 0; ";
    ExpectGestures({
        { 0, { 600, 74 }, { 600, 74 }, { 600, 74 }, unmoved },
        { 0, { 600, 74 }, { 600, 74 }, { 679, 74 }, unmoved },
        { 0, { 600, 74 }, { 600, 74 }, { 521, 74 }, unmoved },
        { 0, { 600, 74 }, { 600, 74 }, { 680, 74 }, "task 0:0:2009-4-4 0:0:2009-4-6 0; " },
        { 0, { 600, 74 }, { 740, 74 }, { 740, 74 }, "task 0:0:2009-4-3 0:0:2009-4-6 0; " },
        { 0, { 600, 74 }, { 742, 74 }, { 742, 74 }, "task 0:0:2009-4-3 0:0:2009-4-6 0; " },
    });
    // A rubber band of two pixels selects nothing; a larger one what it covers.
    for (const auto& [to, selected] : { std::pair { QPoint { 452, 70 }, 0 }, { QPoint { 750, 80 }, 1 } }) {
        Drag({ 450, 68 }, to);
        EXPECT_EQ(std::pair(Model().SelectionCount(), View().Mode()), std::pair(selected, selected ? Selected : Idle));
    }
}

// A text box starting before the view is hit where it is drawn, from x 180 to 580; one stretched
// by its left handle past its right end mirrors and keeps a positive width.
TEST_F(ChartEditingTest, TextBoxesAreHitWhereDrawnAndMirrorWithAPositiveWidth)
{
    ChartItem box;
    box.type = TextBox, box.state = ItemNormal, box.boxWidth = 400;
    box.start = { 0, 0, 2009, 3, 30 }, box.end = { 0, 1, 2009, 3, 30 };
    Model().AddItem(0, box);
    Draw(CmdToolTextBox, { 820, 70 }, { 920, 100 });
    ExpectGestures({
        { 0, { 500, 75 }, { 580, 68 }, { 620, 68 }, "box 0:0:2009-4-7 0:1:2009-4-7 100; box 0:0:2009-3-30 0:1:2009-3-30 440; " },
        { 0, { 870, 80 }, { 820, 68 }, { 1020, 68 }, "box 0:0:2009-3-30 0:1:2009-3-30 400; box 0:0:2009-4-8 0:1:2009-4-8 60; " },
    });
}

// A row's lane count is one byte: the pointer far below stops at 255 lanes.
TEST_F(ChartEditingTest, RowBoundaryDragSetsTheLanesFromThePointer)
{
    const std::tuple<int, int, int> cases[] = { { 105, 40, 1 }, { 104, 104, 1 }, { 103, 103, 1 }, { 105, 105, 2 },
                                                { 106, 106, 2 }, { 105, 150, 4 }, { 105, 65 + 20 * 300, 255 } };
    for (const auto& [pressY, releaseY, lanes] : cases) {
        const std::string before = Snapshot();
        Drag({ 100, pressY }, { 100, releaseY });
        EXPECT_EQ(Model().RowAt(0)->lanes, lanes) << pressY << " to " << releaseY;
        ExpectUndoGivesBack(before);
    }
}

// The project menu adds a sub-project to the row clicked but deletes the selected row; the item
// menu opens only over selected items; the schedule tool opens the entry's dialog; a schedule's
// rows grey the sub-project entries.
TEST_F(ChartEditingTest, MenusTargetTheClickedRowAndTheSelectedItemsAndTheScheduleToolADay)
{
    Click({ 200, 75 });
    ASSERT_TRUE(ChooseFromContextMenu({ 200, 125 }, "サブプロジェクトの追加"));
    EXPECT_EQ(std::pair(Snapshot(), View().SelectedViewRow()), std::pair(std::string("0 0 2; 1 0 2; 2 1 2; "), 0));
    Click({ 200, 150 });
    ASSERT_TRUE(ChooseFromContextMenu({ 200, 75 }, "サブプロジェクトの削除"));
    EXPECT_EQ(Snapshot(), "0 0 2; 1 0 2; ");

    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    EXPECT_FALSE(ChooseFromContextMenu({ 600, 74 }, "削除"));
    Click({ 600, 74 });
    ASSERT_TRUE(ChooseFromContextMenu({ 600, 74 }, "削除"));
    EXPECT_EQ(Items(), "");

    // The schedule row lies below rows A and B, at y 145..165. Left of the timeline a press has no
    // date to put an entry on; the dialog an entry opens is answered with Escape, which keeps it.
    AddDocument(DocumentKind::Schedule);
    window->RunCommand(CmdToolSchedule);
    for (const int x : { 300, 500 }) {
        QString title;
        AnswerNextDialog([&title](QWidget* dialog) {
            if (dialog)
                title = dialog->windowTitle(), QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Click({ x, 150 });
        QTest::qWait(0);
        EXPECT_EQ(title.isEmpty(), x == 300) << x;
        ASSERT_EQ(Model().Doc(1)->ItemCount(), x == 300 ? 0 : 1) << x;
    }
    EXPECT_EQ((std::pair { Model().Doc(1)->ItemPtr(0)->type, Model().SelectionCount() }), (std::pair { int(Schedule), 0 }));
    boxes.Answer(SaveAnswer::No);
    EXPECT_EQ(ChooseFromContextMenu({ 200, 150 }, "プロジェクトを閉じる"), QStringList({ "サブプロジェクトの追加", "サブプロジェクトの削除" }));
    EXPECT_EQ(std::pair(Model().DocumentCount(), boxes.prompts), std::pair(1, 1)) << "closing asks about the changed schedule";
}

// The first move of a press on an unselected item takes it off the chart until the release;
// keys and the wheel wait for it.
TEST_F(ChartEditingTest, KeysAndTheWheelWaitForTheDragsRelease)
{
    MarkModified(0, dir.Path("plan.tdp"));
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    Press({ 600, 74 });
    Move({ 700, 94 });
    for (const QKeySequence key : { QKeySequence::Save, QKeySequence::Undo, QKeySequence::Delete,
                                    QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste }) {
        QTest::keySequence(window.get(), key);
        EXPECT_EQ(View().Mode(), MoveItems) << key.toString().toStdString();
    }
    for (const Qt::KeyboardModifiers modifiers : { Qt::NoModifier, Qt::ControlModifier }) {
        QWheelEvent wheel({ 700, 94 }, Chart()->mapToGlobal(QPoint { 700, 94 }), {}, { 0, -120 },
                          Qt::LeftButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Chart(), &wheel);
    }
    EXPECT_EQ((std::pair { View().Layout().FirstRow(), View().Layout().Zoom() }), (std::pair { 0, 7 }));
    Release({ 700, 94 });
    EXPECT_FALSE(std::filesystem::exists(dir.Path("plan.tdp")));
    EXPECT_EQ(std::pair(Items(), Model().Undo().Group()), std::pair(std::string("task 0:1:2009-4-4 0:0:2009-4-6 0; "), 2));
}

// Escape, or a move released off the chart, leaves the plan and the undo log as before the press.
TEST_F(ChartEditingTest, CancelledDragsLeaveThePlanAndTheUndoLogAsTheyWere)
{
    Draw(CmdToolTaskLine, { 500, 75 }, { 700, 75 });
    const auto undoLog = [this] { return std::pair { Model().Undo().Group(), Model().Undo().Count() }; };
    const struct { int tool; QPoint select, from, to; bool escape; } cases[] = {
        { CmdToolSelect, { 600, 74 }, { 600, 74 }, { 800, 94 }, true }, { CmdToolSelect, { 600, 74 }, { 600, 74 }, { 200, 94 }, false },
        { CmdToolSelect, { 600, 74 }, { 600, 74 }, { 600, 40 }, false }, { CmdToolSelect, {}, { 600, 74 }, { 800, 94 }, true },
        { CmdToolSelect, { 600, 74 }, { 741, 74 }, { 900, 74 }, true }, { CmdToolSelect, {}, { 900, 70 }, { 1000, 130 }, true },
        { CmdToolSelect, {}, { 100, 105 }, { 100, 160 }, true }, { CmdToolTaskBand, {}, { 800, 95 }, { 900, 95 }, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.x() * 1000 + c.from.y());
        if (!c.select.isNull())
            Click(c.select);
        window->RunCommand(c.tool);
        const auto [before, undo] = std::pair(Snapshot(), undoLog());
        Press(c.from);
        Move(c.to);
        if (c.escape)
            QTest::keyClick(window.get(), Qt::Key_Escape);
        Move(c.to + QPoint { 40, 20 });
        Release(c.to + QPoint { 40, 20 });
        EXPECT_EQ(std::pair(Snapshot(), undoLog()), std::pair(before, undo));
        window->RunCommand(CmdToolSelect);
        View().DropSelection();
    }
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Items(), "");
}


}  // namespace
}  // namespace td
