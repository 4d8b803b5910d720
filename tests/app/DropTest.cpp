#include "AppFakes.h"
#include "TempDir.h"
#include "app/ChartWidget.h"
#include "app/CommandId.h"
#include "app/MainWindow.h"
#include "model/DocumentRecords.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <filesystem>

namespace td {
namespace {

using fakes::FakeFileChooser;
using fakes::FakeMessageBoxes;
using testing::TempDir;

class DropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(1000, 600);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    std::string Example(const char* name, const std::string& as)
    {
        const std::string path = dir.Path(as);
        std::filesystem::copy_file(std::string(TD_EXAMPLES_DIR "/") + name, path);
        return path;
    }

    static QMimeData* Files(const QStringList& urls)
    {
        auto* data = new QMimeData;
        QList<QUrl> list;
        for (const QString& url : urls)
            list.append(url.startsWith('/') ? QUrl::fromLocalFile(url) : QUrl(url));
        data->setUrls(list);
        return data;
    }

    // Drags the files over the chart and drops them, through the native window as a file
    // manager's drag arrives; false when the window refused the drag.
    bool Drop(const QStringList& urls)
    {
        const std::unique_ptr<QMimeData> data(Files(urls));
        QWindow* native = window.windowHandle();
        const QPointF at = window.Chart()->mapTo(&window, window.Chart()->rect().center());
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(native, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(native, &drop);
        QApplication::processEvents();
        return drop.isAccepted();
    }

    TempDir dir;
    FakeFileChooser chooser;
    FakeMessageBoxes boxes;
    MainWindow window { WindowServices { &chooser, &boxes } };
};

TEST_F(DropTest, TwoDroppedFilesOpenInTheOrderDropped)
{
    const std::string schedule = Example("schedule.tds", "week.tds");
    const std::string project = Example("project.tdp", "plan.TDP");

    ASSERT_TRUE(Drop({ QString::fromStdString(schedule), QString::fromStdString(project) }));

    ASSERT_EQ(window.Model().DocumentCount(), 2);
    EXPECT_EQ(window.Model().DocumentKind(0), DocumentKind::Schedule);
    EXPECT_EQ(window.Model().DocumentKind(1), DocumentKind::Project);
    EXPECT_EQ(window.View().zoomLevel, 8);
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(DropTest, DragsWithoutALocalDocumentAreRefused)
{
    const std::string text = dir.Path("notes.txt");
    testing::WriteBytes(text, "TDPF");

    EXPECT_FALSE(Drop({ QString::fromStdString(text), "https://example.org/plan.tdp" }));
    EXPECT_EQ(window.Model().DocumentCount(), 0);
}

TEST_F(DropTest, ADamagedFileGetsTheMessageOpenGivesAndTheRestStillOpen)
{
    const std::string damaged = dir.Path("damaged.tdp");
    testing::WriteBytes(damaged, "TDPF broken");
    chooser.Answer(damaged);
    window.RunCommand(CmdOpen);
    const std::vector<std::string> openErrors = boxes.errors;
    ASSERT_EQ(openErrors.size(), 1u);
    boxes.errors.clear();

    const std::string project = Example("project.tdp", "plan.tdp");
    ASSERT_TRUE(Drop({ QString::fromStdString(damaged), QString::fromStdString(project) }));

    EXPECT_EQ(boxes.errors, openErrors);
    ASSERT_EQ(window.Model().DocumentCount(), 1);
    EXPECT_EQ(window.Model().DocumentKind(0), DocumentKind::Project);
}

}  // namespace
}  // namespace td
