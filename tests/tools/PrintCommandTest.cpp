#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using td::testing::RunProgram;

TEST(PrintCommand, ExamplesBecomeAPdfWhosePagesHoldTheChartAndItsText)
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("plan.pdf");
    const QString examples = td::testing::ExamplesDir;
    const auto printed = td::testing::RunTdtool({"print", examples + "/project.tdp", examples + "/schedule.tds",
                                                 "--pdf", pdf, "--zoom", "7", "--first-date", "2009-04-01"});
    EXPECT_EQ((std::pair {printed.exitCode, printed.out}), (std::pair {0, std::string("pages: 1\n")})) << printed.err;

    const QString text = QString::fromStdString(RunProgram("pdftotext", {pdf, "-"}).out);
    for (const char* name : {"開発計画", "基本設計", "山田の予定", "朝会", "2009/4"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << name;

    // At a quarter of the printer's resolution the page is the preview's image size (poppler
    // rounds the height up).
    RunProgram("pdftoppm", {"-r", "150", "-png", "-singlefile", pdf, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    ASSERT_EQ(page.width(), 1240);
    ASSERT_NEAR(page.height(), 1754, 1);
    // The first row's fill, just below the header (a quarter of 472 + 216 dots).
    EXPECT_EQ(page.pixelColor(1080, 175), QColor(Qt::yellow));
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::white));
}

}  // namespace
