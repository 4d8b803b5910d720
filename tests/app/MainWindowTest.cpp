#include "WindowFixture.h"
#include "app/ChartWidget.h"
#include "app/CommandId.h"
#include "app/MainWindow.h"
#include "app/ToolBar.h"
#include "persistence/DocumentFile.h"
#include "view/EditMode.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstring>
#include <filesystem>

namespace td {
namespace {

using fakes::FakeFileChooser;
using fakes::FakeMessageBoxes;
using testing::TempDir;

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { application.reset(); }

private:
    int argc = 1;
    char name[16] = "app_tests";
    char* argv[2] = { name, nullptr };
    std::unique_ptr<QApplication> application;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Presses a button of the modal dialog that the next command opens.
void AnswerDialogWith(const char* buttonName)
{
    QTimer::singleShot(0, [buttonName] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        if (!buttonName) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        auto* button = dialog->findChild<QAbstractButton*>(buttonName);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

class MainWindowTest : public fakes::WindowTest {
protected:
    void New(const char* buttonName)
    {
        AnswerDialogWith(buttonName);
        window->RunCommand(CmdNew);
    }

    void Click(int command) { QTest::mouseClick(window->Tools().Button(command), Qt::LeftButton); }

    void MarkModified(int doc, const std::string& path)
    {
        Document& document = *window->Model().Doc(doc);
        std::memset(document.Path(), 0, PathSize);
        std::memcpy(document.Path(), path.data(), path.size());
        document.SetModState(Modified);
    }
};

TEST_F(MainWindowTest, ToolbarHoldsExactlyOneToolDown)
{
    QToolBar* bar = window->Tools().Bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_LE(bar->geometry().bottom(), 27);
    EXPECT_TRUE(window->Tools().Button(CmdToolSelect)->isChecked());

    Click(CmdToolEvent);
    Click(CmdToolEvent);
    EXPECT_EQ(window->View().CurrentTool(), CmdToolEvent);
    for (const auto& entry : ToolButtonTable)
        EXPECT_TRUE(!IsToolCommand(entry.command) || window->Tools().Button(entry.command)->isChecked() == (entry.command == CmdToolEvent)) << entry.command;
}

TEST_F(MainWindowTest, NewCreatesProjectsAndSchedulesAndEscapeCreatesNothing)
{
    New(nullptr);
    EXPECT_EQ(window->Model().DocumentCount(), 0);
    New("project");
    ASSERT_EQ(window->Model().DocumentCount(), 1);
    EXPECT_EQ((std::pair {window->Model().DocumentKind(0), window->View().Layout().Zoom()}), (std::pair {DocumentKind::Project, 2}));
    New("schedule");
    EXPECT_EQ((std::pair {window->Model().DocumentKind(1), window->View().Layout().Zoom()}), (std::pair {DocumentKind::Schedule, 8}));
}

TEST_F(MainWindowTest, ZoomButtonsStepWithinTheLevels)
{
    Click(CmdZoomWider);
    EXPECT_EQ(window->View().Layout().Zoom(), 3);
    for (int n = 0; n < 12; ++n)
        Click(CmdZoomNarrower);
    EXPECT_EQ(window->View().Layout().Zoom(), 0);
}

TEST_F(MainWindowTest, ScrollBarsFollowTheView)
{
    for (int n = 0; n < 3; ++n)
        New("project");
    QScrollBar* hBar = window->HorizontalBar();
    EXPECT_EQ(hBar->pageStep(), std::max(window->Chart()->width() - 370, 0));
    const DateTriple before = window->View().Layout().FirstDate();
    hBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NE(std::memcmp(&before, &window->View().Layout().FirstDate(), sizeof before), 0);
    EXPECT_EQ(hBar->value(), window->View().HorizontalScroll().position);

    window->resize(1200, 200);
    QTest::qWait(0);
    QScrollBar* vBar = window->VerticalBar();
    vBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(window->View().Layout().FirstRow(), 1);
    EXPECT_EQ(vBar->value(), window->View().VerticalScroll().position);
}

TEST_F(MainWindowTest, SaveAndReopenThroughTheCommands)
{
    New("project");
    MarkModified(0, dir.Path("plan.tdp"));
    window->RunCommand(CmdSave);
    EXPECT_EQ(window->Model().Doc(0)->ModState(), Clean);
    // A plan already open is not opened twice; a copy of its file opens beside it.
    chooser.Answer(dir.Path("plan.tdp"));
    window->RunCommand(CmdOpen);
    EXPECT_EQ(window->Model().DocumentCount(), 1);
    std::filesystem::copy_file(dir.Path("plan.tdp"), dir.Path("copy.tdp"));
    chooser.Answer(dir.Path("copy.tdp"));
    window->RunCommand(CmdOpen);
    ASSERT_EQ(window->Model().DocumentCount(), 2);
    EXPECT_EQ(DocumentImage(*window->Model().Doc(1)), DocumentImage(*window->Model().Doc(0)));
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(MainWindowTest, ClosingAsksAndCanBeCancelledWhileExitDoesNotAsk)
{
    New("project");
    MarkModified(0, dir.Path("plan.tdp"));
    boxes.Answer(SaveAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    boxes.Answer(SaveAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(std::filesystem::exists(dir.Path("plan.tdp")));

    window->show();
    boxes.Answer(SaveAnswer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plan.tdp")));

    window->show();
    window->Model().Doc(0)->SetModState(Modified);
    window->RunCommand(CmdExit);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(boxes.prompts, 3);
}

TEST_F(MainWindowTest, CommandLineFilesOpenInOrder)
{
    New("project");
    New("schedule");
    MarkModified(0, dir.Path("a.tdp"));
    MarkModified(1, dir.Path("b.tds"));
    window->RunCommand(CmdSave);

    MainWindow second(WindowServices { &chooser, &boxes, dir.Path("recovery") });
    second.OpenFiles({ dir.Path("b.tds"), dir.Path("missing.tdp"), dir.Path("a.tdp") });
    ASSERT_EQ(second.Model().DocumentCount(), 2);
    EXPECT_EQ((std::vector<int> { second.Model().DocumentKind(0), second.Model().DocumentKind(1), second.View().Layout().Zoom() }),
              (std::vector<int> { DocumentKind::Schedule, DocumentKind::Project, 8 }));
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "File Open Error !!" });
}

TEST_F(MainWindowTest, HelpShowsThePagesAndAMissingPageIsNeverRetried)
{
    window->RunCommand(CmdHelp);
    ASSERT_TRUE(window->Help().Browser() && window->Help().Browser()->isVisible());
    window->Help().Browser()->close();

    HelpWindow missing(":/help/none.html");
    EXPECT_EQ(missing.Show(nullptr), 0);
    EXPECT_TRUE(missing.Failed());
    EXPECT_EQ(missing.Show(nullptr), 0) << "retried";
}

}  // namespace
}  // namespace td
