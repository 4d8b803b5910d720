// Run by CupsPrintTest.sh against a cups-pdf queue: the editor's print job and tdtool print put
// on paper the page the preview shows, with its text still text.

#include "PrintedPage.h"
#include "app/PrintJob.h"
#include "calendar/HolidayCalendar.h"
#include "persistence/DocumentFile.h"
#include "view/ChartView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <string_view>

namespace td {
namespace {

QString Setting(const char* name)
{
    return QString::fromLocal8Bit(std::getenv(name));
}

// A program's standard output, or nothing when it failed.
QString Output(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF that cups-pdf writes into the queue's directory, once it is complete.
QString AwaitPdf(const QDir& out)
{
    for (QDeadlineTimer deadline(40000); !deadline.hasExpired(); QThread::msleep(200)) {
        const QStringList found = out.entryList({"*.pdf"}, QDir::Files);
        if (!found.isEmpty() && !Output("pdfinfo", {out.filePath(found.first())}).isEmpty())
            return out.filePath(found.first());
    }
    return {};
}

struct IgnoreErrors : ErrorReporter {
    void ShowError(std::string_view) override {}
};

// The tinted plan in the working directory, previewed on the queue.
class CupsPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetHolidayDirectory(QDir::currentPath().toStdString() + "/");
        AddTintedPlan(workspace);
        view.zoomLevel = 7;
        view.firstDate = {2009, 4, 1};
        ASSERT_FALSE(queue.isEmpty()) << "TD_CUPS_QUEUE names no queue";
        PrintJob device(nullptr, queue);
        ASSERT_EQ(preview.PreparePreview(device), 1);
        preview.RenderPreviewPage(view);
        preview.PreviewImage().save("preview.png");
    }

    Workspace workspace;
    HolidayCalendar holidays;
    ChartView view{workspace, holidays, 0, 0};
    QString queue = Setting("TD_CUPS_QUEUE");
    PrintPreview preview{workspace, holidays};
};

TEST_F(CupsPrint, TheEditorsPrintJobPrintsThePreview)
{
    PrintPreview job(workspace, holidays);
    PrintJob device(nullptr, queue);
    ASSERT_EQ(job.Print(device, view), 1);
    const QString pdf = AwaitPdf(QDir(Setting("TD_CUPS_OUT")));
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no PDF";
    EXPECT_TRUE(Output("pdftotext", {pdf, "-"}).contains("Yellow"));
    ExpectThePreview(preview, preview.PreviewImage(), Rasterise(pdf, preview.dpiX / 4));
}

TEST_F(CupsPrint, TdtoolPrintsThePreview)
{
    IgnoreErrors errors;
    ASSERT_EQ(WriteDocument(*workspace.Doc(0), "plan.tdp", errors), 1);
    ASSERT_FALSE(Output(Setting("TD_TDTOOL"),
                        {"print", "plan.tdp", "--pdf", "tdtool.pdf", "--dpi",
                         QString::number(preview.dpiX), "--zoom", "7", "--first-date", "2009-04-01"})
                     .isEmpty());
    EXPECT_TRUE(Output("pdftotext", {"tdtool.pdf", "-"}).contains("2009/4"));
    ExpectThePreview(preview, preview.PreviewImage(), Rasterise("tdtool.pdf", preview.dpiX / 4));
}

}  // namespace
}  // namespace td

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
