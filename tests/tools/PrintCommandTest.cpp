#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Runs a program to its end; its standard output, or nothing when it failed.
QString RunToEnd(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(PrintCommand, ExamplesBecomeAPdfWhosePagesHoldTheChartAndItsText)
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("plan.pdf");
    const QString examples = QStringLiteral(TD_EXAMPLES_DIR);
    const QString report = RunToEnd(QStringLiteral(TDTOOL_PATH),
                               {"print", examples + "/project.tdp", examples + "/schedule.tds",
                                "--pdf", pdf, "--zoom", "7", "--first-date", "2009-04-01"});
    EXPECT_EQ(report, "pages: 1\n");

    const QString text = RunToEnd("pdftotext", {pdf, "-"});
    for (const char* name : {"開発計画", "基本設計", "山田の予定", "朝会", "2009/4"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << name;

    // At a quarter of the printer's resolution the page is the preview's image size (poppler
    // rounds the height up).
    RunToEnd("pdftoppm", {"-r", "150", "-png", "-singlefile", pdf, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    ASSERT_EQ(page.width(), 1240);
    ASSERT_NEAR(page.height(), 1754, 1);
    // The first row's fill, just below the header (a quarter of 472 + 216 dots).
    EXPECT_EQ(page.pixelColor(1080, 175), QColor(Qt::yellow));
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::white));
}

}  // namespace
