#include "WindowFixture.h"
#include "app/ChartWidget.h"
#include "app/ToolBar.h"
#include "persistence/DocumentFile.h"
#include "tests/print/PrintSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

#include <cstring>
#include <filesystem>

namespace td {
namespace {

class MainWindowTest : public fakes::WindowTest {
protected:
    // Runs New and presses the named button of its dialog, or Escape.
    void New(const char* button)
    {
        AnswerNextDialog([button](QWidget* dialog) {
            ASSERT_NE(dialog, nullptr);
            if (!button)
                return QTest::keyClick(dialog, Qt::Key_Escape);
            QTest::mouseClick(dialog->findChild<QAbstractButton*>(button), Qt::LeftButton);
        });
        window->RunCommand(CmdNew);
    }

    void Click(int command) { QTest::mouseClick(window->Tools().Button(command), Qt::LeftButton); }

    // The kinds of the open documents and the zoom level they are shown at.
    static std::vector<int> KindsAndZoom(MainWindow& w)
    {
        std::vector<int> shown;
        for (int doc = 0; doc < w.Model().DocumentCount(); ++doc)
            shown.push_back(w.Model().DocumentKind(doc));
        shown.push_back(w.View().Layout().Zoom());
        return shown;
    }

    std::pair<bool, bool> Arrows() { return { window->Action(CmdPreviousPage)->isEnabled(), window->Action(CmdNextPage)->isEnabled() }; }

    // Drags files over the chart and drops them, through the native window as a file manager's
    // drag arrives; false when the window refused the drag.
    bool Drop(std::initializer_list<std::string> paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls.push_back(path.find("://") == std::string::npos ? QUrl::fromLocalFile(QString::fromStdString(path)) : QUrl(QString::fromStdString(path)));
        data.setUrls(urls);
        const QPoint at = window->Chart()->mapTo(window.get(), window->Chart()->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->windowHandle(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QApplication::sendEvent(window->windowHandle(), &drop), QApplication::processEvents();
        return enter.isAccepted() && drop.isAccepted();
    }
};

TEST_F(MainWindowTest, ToolbarHoldsExactlyOneToolDownAndZoomsWithinTheLevels)
{
    EXPECT_LE(window->Tools().Bar()->geometry().bottom(), 27);
    EXPECT_TRUE(window->Tools().Button(CmdToolSelect)->isChecked());
    Click(CmdToolEvent);
    Click(CmdToolEvent);
    EXPECT_EQ(View().CurrentTool(), CmdToolEvent);
    for (const auto& entry : ToolButtonTable)
        EXPECT_TRUE(!IsToolCommand(entry.command) || window->Tools().Button(entry.command)->isChecked() == (entry.command == CmdToolEvent)) << entry.command;

    Click(CmdZoomWider);
    EXPECT_EQ(View().Layout().Zoom(), 3);
    for (int n = 0; n < 12; ++n)
        Click(CmdZoomNarrower);
    EXPECT_EQ(View().Layout().Zoom(), 0);
}

TEST_F(MainWindowTest, NewCreatesProjectsAndSchedulesAndEscapeCreatesNothing)
{
    New(nullptr);
    EXPECT_EQ(Model().DocumentCount(), 0);
    New("project");
    EXPECT_EQ(KindsAndZoom(*window), (std::vector { DocumentKind::Project, 2 }));
    New("schedule");
    EXPECT_EQ(KindsAndZoom(*window), (std::vector { DocumentKind::Project, DocumentKind::Schedule, 8 }));
}

TEST_F(MainWindowTest, ScrollBarsFollowTheView)
{
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

// Save writes every changed document; Open and the command line read them back, the command
// line's files in its order past one that is missing.
TEST_F(MainWindowTest, SavedFilesOpenAgainThroughOpenAndTheCommandLine)
{
    New("project");
    New("schedule");
    MarkModified(0, dir.Path("a.tdp"));
    MarkModified(1, dir.Path("b.tds"));
    window->RunCommand(CmdSave);
    EXPECT_EQ(std::pair(Model().Doc(0)->ModState(), Model().Doc(1)->ModState()), (std::pair<int, int>(Clean, Clean)));
    chooser.Answer(dir.Path("a.tdp"));
    window->RunCommand(CmdOpen);
    ASSERT_EQ(Model().DocumentCount(), 3);
    EXPECT_EQ(DocumentImage(*Model().Doc(2)), DocumentImage(*Model().Doc(0)));
    EXPECT_TRUE(boxes.errors.empty());

    MainWindow second(WindowServices { &chooser, &boxes });
    second.OpenFiles({ dir.Path("b.tds"), dir.Path("missing.tdp"), dir.Path("a.tdp") });
    EXPECT_EQ(KindsAndZoom(second), (std::vector { DocumentKind::Schedule, DocumentKind::Project, 8 }));
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "File Open Error !!" });
}

// Closing asks about a changed document: Cancel keeps the window open, No closes it without
// saving, Yes saves; Exit closes without asking.
TEST_F(MainWindowTest, ClosingAsksAndCanBeCancelledWhileExitDoesNotAsk)
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
TEST_F(MainWindowTest, HelpShowsThePagesAndAMissingPageIsNeverRetried)
{
    MainWindow plain;
    plain.RunCommand(CmdHelp);
    ASSERT_TRUE(plain.Help().Browser() && plain.Help().Browser()->isVisible());
    plain.Help().Browser()->close();

    HelpWindow missing(":/help/none.html");
    EXPECT_EQ(missing.Show(nullptr), 0);
    EXPECT_TRUE(missing.Failed());
    EXPECT_EQ(missing.Show(nullptr), 0) << "retried";
}

// The preview's device holds ten one-lane rows on a page. Without rows or with one page both
// arrows are grey; paging greys the arrow at either end and stops there.
TEST_F(MainWindowTest, PreviewPagesGreyTheArrowsAtTheEnds)
{
    window->Preview().SetTargetFactory([] { return std::make_unique<FakeDevice>(DeviceValues { 2400, 1600, 384, 384, 0, 0 }); });
    for (auto [rows, pages] : { std::pair { 0, 0 }, { 3, 1 }, { 22, 3 } }) {
        if (rows)
            AddRows(Model(), rows, 1);
        window->RunCommand(CmdPrintPreview);
        ASSERT_TRUE(window->Preview().Active());
        EXPECT_EQ(window->Preview().Preview()->PageCount(), pages);
        EXPECT_EQ(Arrows(), std::pair(false, pages > 1));
        if (pages < 3)
            window->RunCommand(CmdClosePreview);
    }
    EXPECT_EQ(window->menuBar()->actions().size(), 4);
    EXPECT_TRUE(window->VerticalBar()->isHidden());
    window->RunCommand(CmdNextPage);
    window->RunCommand(CmdNextPage);
    EXPECT_EQ(Arrows(), std::pair(true, false));
    window->RunCommand(CmdNextPage);
    EXPECT_EQ(window->Preview().Preview()->CurrentPage(), 2);
    window->RunCommand(CmdPreviousPage);
    EXPECT_EQ(Arrows(), std::pair(true, true));
}

TEST_F(MainWindowTest, CtrlPInThePreviewLeavesItAndPrints)
{
    FakeDevice device;
    window->Preview().SetTargetFactory([&device] { return std::make_unique<FakeDevice>(device); });
    const auto mainMenu = window->menuBar()->actions();
    window->RunCommand(CmdPrintPreview);
    window->RunCommand(CmdPrintPreview);
    ASSERT_TRUE(window->Preview().Active());
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(window->Preview().Active());
    EXPECT_EQ(window->menuBar()->actions(), mainMenu);
    EXPECT_FALSE(window->Tools().Bar()->isHidden() || window->HorizontalBar()->isHidden());
    EXPECT_EQ(device.dialogs, 1);
}

// Dropped files open in the order dropped, a damaged one with the message Open gives it; drags
// of other files or of other URLs are refused.
TEST_F(MainWindowTest, DroppedFilesOpenInOrderAndADamagedOneGetsTheMessageOpenGives)
{
    testing::WriteBytes(dir.Path("notes.txt"), "TDPF");
    EXPECT_FALSE(Drop({ dir.Path("notes.txt"), "https://example.org/plan.tdp" }));
    const std::string damaged = dir.Path("damaged.tdp");
    testing::WriteBytes(damaged, "TDPF broken");
    chooser.Answer(damaged);
    window->RunCommand(CmdOpen);
    const std::vector<std::string> openErrors = boxes.errors;
    ASSERT_EQ(openErrors.size(), 1u);
    boxes.errors.clear();

    std::filesystem::copy_file(TD_EXAMPLES_DIR "/schedule.tds", dir.Path("week.tds"));
    std::filesystem::copy_file(TD_EXAMPLES_DIR "/project.tdp", dir.Path("plan.TDP"));
    ASSERT_TRUE(Drop({ dir.Path("week.tds"), damaged, dir.Path("plan.TDP") }));
    EXPECT_EQ(KindsAndZoom(*window), (std::vector { DocumentKind::Schedule, DocumentKind::Project, 8 }));
    EXPECT_EQ(boxes.errors, openErrors);
}

}  // namespace
}  // namespace td
