#include "app/CommandId.h"
#include "app/MainWindow.h"
#include "print/PrintTarget.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include <utility>

namespace td {
namespace {

// A device of 600 x 400 preview dots whose rows area holds ten one-lane rows; it counts the
// print dialogs it was asked for and takes no pages.
struct CountingDevice : PrintTarget {
    int* printDialogs;
    explicit CountingDevice(int* printDialogs) : printDialogs(printDialogs) {}
    bool Open(bool preview, DeviceValues& values) override
    {
        *printDialogs += preview ? 0 : 1;
        values = {2400, 1600, 384, 384, 0, 0};
        return true;
    }
    int FromPage() const override { return 1; }
    int ToPage() const override { return 64; }
    QPagedPaintDevice* BeginJob(const char*) override { return nullptr; }
    bool KeepGoing() override { return true; }
    void EndJob(bool) override {}
};

class PreviewModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(1000, 700);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.Preview().SetTargetFactory(
            [this] { return std::make_unique<CountingDevice>(&printDialogs); });
    }

    void AddRows(int count)
    {
        Workspace& workspace = window.Model();
        workspace.AddDocument(DocumentKind::Project);
        for (int i = 1; i < count; ++i)
            workspace.Doc(0)->AddRow(0);
        workspace.RebuildVisibleRows();
        for (int i = 0; i < count; ++i)
            workspace.RowAt(i)->lanes = 1;
    }

    bool Enabled(int id) { return window.Action(id)->isEnabled(); }
    std::pair<bool, bool> Arrows() { return {Enabled(CmdPreviousPage), Enabled(CmdNextPage)}; }

    MainWindow window;
    int printDialogs = 0;
};

TEST_F(PreviewModeTest, PagingGreysTheArrowsAtTheEnds)
{
    AddRows(25);
    window.RunCommand(CmdPrintPreview);
    ASSERT_TRUE(window.Preview().Active());
    EXPECT_EQ(window.Preview().Preview()->PageCount(), 3);
    EXPECT_EQ(window.menuBar()->actions().size(), 4);
    EXPECT_TRUE(window.VerticalBar()->isHidden());
    EXPECT_EQ(Arrows(), std::pair(false, true));
    window.RunCommand(CmdNextPage);
    window.RunCommand(CmdNextPage);
    EXPECT_EQ(window.Preview().Preview()->CurrentPage(), 2);
    EXPECT_FALSE(Enabled(CmdNextPage));
    window.RunCommand(CmdNextPage);
    EXPECT_EQ(window.Preview().Preview()->CurrentPage(), 2);
    window.RunCommand(CmdPreviousPage);
    EXPECT_EQ(Arrows(), std::pair(true, true));
}

TEST_F(PreviewModeTest, OnePageOrNoRowsGreysBothArrows)
{
    for (int rows : {0, 3}) {
        if (rows)
            AddRows(rows);
        window.RunCommand(CmdPrintPreview);
        EXPECT_EQ(Arrows(), std::pair(false, false)) << rows;
        window.RunCommand(CmdClosePreview);
    }
}

TEST_F(PreviewModeTest, CtrlPInThePreviewLeavesItAndPrints)
{
    const auto mainMenu = window.menuBar()->actions();
    window.RunCommand(CmdPrintPreview);
    window.RunCommand(CmdPrintPreview);
    ASSERT_TRUE(window.Preview().Active());
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(window.Preview().Active());
    EXPECT_EQ(window.menuBar()->actions(), mainMenu);
    EXPECT_FALSE(window.Tools().Bar()->isHidden() || window.HorizontalBar()->isHidden());
    EXPECT_EQ(printDialogs, 1);
}

}  // namespace
}  // namespace td
