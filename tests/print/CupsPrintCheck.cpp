// Run by CupsPrintTest.sh against a cups-pdf queue: the editor's print job and tdtool print put
// on paper the page the preview shows, with its text still text.

#include "../persistence/PersistenceTestSupport.h"
#include "../view/ChartFixture.h"
#include "app/PrintJob.h"
#include "calendar/Dates.h"
#include "persistence/DocumentFile.h"
#include "print/PrintPreview.h"
#include "print/PrintRun.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace td {
namespace {

// A program's standard output, or nothing when it failed.
QString Output(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(60000) && process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
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

// The page printing must get right, previewed on the queue at zoom 7 from 1 April 2009:
// holidays on 2 and 4 April (files in the working directory), a yellow, a white and a cyan row,
// and a red and a blue task line from the 2nd to the 3rd whose heads sit on the coloured rows,
// inside and beside the holiday columns.
class CupsPrint : public ChartFixture, public ::testing::Test {
protected:
    void SetUp() override
    {
        SetHolidayDirectory(QDir::currentPath().toStdString() + "/");
        int table[HolidayTableSize] = {};
        table[DayIndex(4, 2)] = table[DayIndex(4, 4)] = 1;
        ASSERT_EQ(SaveHolidayFile(2009, table), 1);
        AddProject({2, 1, 2});
        for (auto [row, name, fill] : {std::tuple{0, "Yellow", 0x00FFFFu}, {1, "White", 0xFFFFFFu}, {2, "Cyan", 0xFFFF00u}}) {
            std::snprintf(workspace.RowAt(row)->name, sizeof ProjectRow::name, "%s", name);
            workspace.RowAt(row)->backColor = fill;
        }
        for (auto [row, color] : {std::pair{0, 0x0000FFu}, {2, 0xFF0000u}}) {
            ChartItem item = AprilItem(TaskLine, row, 1, 2, 3);
            item.lineWidth = 16, item.lineColor = color, item.arrow = 17;
            workspace.Doc(0)->AddItem(item);
        }
        view.SetView(7, {2009, 4, 1});
        ASSERT_FALSE(queue.isEmpty()) << "TD_CUPS_QUEUE names no queue";
        PrintJob device(nullptr, queue);
        DeviceValues values;
        ASSERT_TRUE(preview.PreparePreview(device) && device.Open(true, values));
        dpi = values.dpiX;
        preview.RenderPreviewPage(view);
        preview.PreviewImage().save("preview.png");
    }

    // The printed page against the preview: the colours the source-AND of the tint gives, rules
    // and arrow heads, and the whole timeline.
    void ExpectThePreview(const QString& pdf)
    {
        // The first page without antialiasing, at a quarter of the device's dots.
        QProcess::execute("pdftoppm",
                          {"-r", QString::number(dpi / 4), "-aa", "no", "-aaVector", "no", "-png", "-singlefile", pdf, pdf + "-page"});
        const QImage printed = QImage(pdf + "-page.png").convertToFormat(QImage::Format_RGB32);
        const QImage& shown = preview.PreviewImage();
        const auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 48;
        };
        ASSERT_NEAR(printed.width(), shown.width(), 2);
        ASSERT_NEAR(printed.height(), shown.height(), 2);
        const ChartGeometry geometry = preview.PageGeometry();
        const ChartFrame& frame = preview.Frame();
        const int s = static_cast<int>(geometry.metrics.scale), w = geometry.dates.dayWidth, lane = geometry.metrics.laneHeight;
        const int chartX = frame.columns.chartX, column2 = chartX + w + w / 2, head = chartX + w;
        const int top = preview.PageRowTop(0), line = top + geometry.metrics.lineOffset + lane;
        const struct { int x, y; QRgb color; const char* what; } pixels[] = {  // in device dots
            {column2, top + lane / 2, qRgb(255, 127, 0), "yellow under the tint"}, {column2 + w, top + lane / 2, qRgb(255, 255, 0), "yellow"},
            {column2, (preview.PageRowTop(1) + preview.PageRowTop(2)) / 2, qRgb(255, 127, 255), "white under the tint"},
            {column2, preview.PageRowTop(2) + lane / 2, qRgb(0, 127, 255), "cyan under the tint"},
            {column2, (frame.header.middle + top) / 2, qRgb(255, 127, 255), "day band under the tint"},
            {column2, preview.PageRowTop(1) - 1, qRgb(0, 0, 0), "row rule"},
            {head + s / 2, line - 7 * s + s / 2, qRgb(255, 127, 0), "corner of an arrow head"}, {head + 2 * s, line, qRgb(255, 0, 0), "arrow head"},
        };
        for (const auto& p : pixels)
            for (const QImage* image : {&shown, &printed})
                EXPECT_TRUE(near(image->pixel(p.x / 4, p.y / 4), p.color))
                    << p.what << (image == &shown ? " in the preview: " : " on paper: ") << std::hex
                    << image->pixel(p.x / 4, p.y / 4);
        // Edges of lines and letters may round apart, hardly more.
        int unlike = 0;
        const QRect timeline(chartX / 4, frame.header.top / 4, (frame.right - chartX) / 4,
                             (preview.PageRowTop(preview.RowsOnPage()) - frame.header.top) / 4);
        for (int y = timeline.top(); y <= timeline.bottom(); ++y)
            for (int x = timeline.left(); x <= timeline.right(); ++x)
                unlike += !near(shown.pixel(x, y), printed.pixel(x, y));
        EXPECT_LT(unlike, timeline.width() * timeline.height() / 50) << "pixels unlike the preview";
    }

    QString queue = qEnvironmentVariable("TD_CUPS_QUEUE");
    PrintPreview preview{workspace, holidays};
    int dpi = 0;
};

// The editor's print job through the queue, and tdtool print at the queue's resolution.
TEST_F(CupsPrint, TheEditorsPrintJobAndTdtoolPrintThePreview)
{
    PrintPreview pages(workspace, holidays);
    PrintJob device(nullptr, queue);
    ASSERT_EQ(PrintRun(pages).Print(device, view), 1);
    const QString pdf = AwaitPdf(QDir(qEnvironmentVariable("TD_CUPS_OUT")));
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no PDF";
    EXPECT_TRUE(Output("pdftotext", {pdf, "-"}).contains("Yellow"));
    ExpectThePreview(pdf);

    testing::Reporter errors;
    ASSERT_EQ(WriteDocument(*workspace.Doc(0), "plan.tdp", errors), 1);
    ASSERT_FALSE(Output(qEnvironmentVariable("TD_TDTOOL"), {"print", "plan.tdp", "--pdf", "tdtool.pdf", "--dpi", QString::number(dpi),
                                                          "--zoom", "7", "--first-date", "2009-04-01"})
                     .isEmpty());
    EXPECT_TRUE(Output("pdftotext", {"tdtool.pdf", "-"}).contains("2009/4"));
    ExpectThePreview("tdtool.pdf");
}

}  // namespace
}  // namespace td
