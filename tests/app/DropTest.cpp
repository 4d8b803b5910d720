#include "WindowFixture.h"
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

class DropTest : public fakes::WindowTest {
protected:
    std::string Example(const char* name, const std::string& as)
    {
        std::filesystem::copy_file(std::string(TD_EXAMPLES_DIR "/") + name, dir.Path(as));
        return dir.Path(as);
    }

    // Drags the URLs over the chart and drops them, through the native window as a file
    // manager's drag arrives; false when the window refused the drag.
    bool Drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window->Chart()->mapTo(window.get(), window->Chart()->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->windowHandle(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->windowHandle(), &drop);
        QApplication::processEvents();
        return drop.isAccepted();
    }

    static QUrl File(const std::string& path) { return QUrl::fromLocalFile(QString::fromStdString(path)); }

};

TEST_F(DropTest, TwoDroppedFilesOpenInTheOrderDroppedAndOtherDragsAreRefused)
{
    testing::WriteBytes(dir.Path("notes.txt"), "TDPF");
    EXPECT_FALSE(Drop({ File(dir.Path("notes.txt")), QUrl("https://example.org/plan.tdp") }));

    ASSERT_TRUE(Drop({ File(Example("schedule.tds", "week.tds")), File(Example("project.tdp", "plan.TDP")) }));
    ASSERT_EQ(window->Model().DocumentCount(), 2);
    EXPECT_EQ((std::vector<int> { window->Model().DocumentKind(0), window->Model().DocumentKind(1), window->View().Layout().Zoom() }),
              (std::vector<int> { DocumentKind::Schedule, DocumentKind::Project, 8 }));
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(DropTest, ADamagedFileGetsTheMessageOpenGivesAndTheRestStillOpen)
{
    const std::string damaged = dir.Path("damaged.tdp");
    testing::WriteBytes(damaged, "TDPF broken");
    chooser.Answer(damaged);
    window->RunCommand(CmdOpen);
    const std::vector<std::string> openErrors = boxes.errors;
    ASSERT_EQ(openErrors.size(), 1u);
    boxes.errors.clear();

    ASSERT_TRUE(Drop({ File(damaged), File(Example("project.tdp", "plan.tdp")) }));
    EXPECT_EQ(boxes.errors, openErrors);
    EXPECT_EQ((std::pair { window->Model().DocumentCount(), window->Model().DocumentKind(0) }), (std::pair { 1, DocumentKind::Project }));
}

}  // namespace
}  // namespace td
