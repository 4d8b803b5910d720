// Run by CupsPrintTest.sh against a cups-pdf queue: the editor's print job and tdtool print put
// on paper the page the preview shows, with its text still text.

#include "app/PrintJob.h"
#include "calendar/Dates.h"
#include "calendar/HolidayCalendar.h"
#include "model/Workspace.h"
#include "persistence/DocumentFile.h"
#include "persistence/HolidayFile.h"
#include "print/PrintPreview.h"
#include "print/PrintRun.h"
#include "view/ChartView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace td {
namespace {

// The page printing must get right: holidays on 2 and 4 April 2009 (files in the holiday
// directory), a yellow, a white and a cyan row, and a red and a blue task line from the 2nd to
// the 3rd whose heads sit on the coloured rows, inside and beside the holiday columns.
void AddTintedPlan(Workspace& workspace)
{
    int table[HolidayTableSize] = {};
    table[DayIndex(4, 2)] = table[DayIndex(4, 4)] = 1;
    ASSERT_EQ(SaveHolidayFile(2009, table), 1);
    workspace.AddDocument(DocumentKind::Project);
    Document* doc = workspace.Doc(workspace.DocumentCount() - 1);
    doc->AddRow(0);
    doc->AddRow(0);
    workspace.RebuildVisibleRows();
    const struct {
        const char* name;
        int lanes;
        uint32_t fill;
    } rows[] = {{"Yellow", 2, 0x00FFFF}, {"White", 1, 0xFFFFFF}, {"Cyan", 2, 0xFFFF00}};
    for (int i = 0; i < 3; ++i) {
        ProjectRow* row = workspace.RowAt(i);
        std::snprintf(row->name, sizeof row->name, "%s", rows[i].name);
        row->lanes = rows[i].lanes;
        row->backColor = rows[i].fill;
    }
    for (auto [row, color] : {std::pair{0, 0x0000FFu}, std::pair{2, 0xFF0000u}}) {
        ChartItem item{};
        item.type = TaskLine;
        item.state = ItemNormal;
        item.start = {workspace.RowIdAt(row), 1, 2009, 4, 2, 0, 0};
        item.end = {workspace.RowIdAt(row), 0, 2009, 4, 3, 0, 0};
        item.lineWidth = 16;
        item.lineColor = color;
        item.arrow = 17;
        doc->AddItem(item);
    }
}

// The first page of a PDF without antialiasing, at a quarter of the page's dots when given
// the device's resolution.
QImage Rasterise(const QString& pdf, int dpi)
{
    QProcess::execute("pdftoppm", {"-r", QString::number(dpi), "-aa", "no", "-aaVector", "no",
                                   "-png", "-singlefile", pdf, pdf + "-page"});
    return QImage(pdf + "-page.png").convertToFormat(QImage::Format_RGB32);
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b))
               + std::abs(qBlue(a) - qBlue(b))
        < 48;
}

// The printed page of the tinted plan at zoom 7 from 1 April 2009 against its preview: the
// colours the source-AND of the tint gives, rules and arrow heads, and the whole timeline.
void ExpectThePreview(const PrintPreview& page, const QImage& preview, const QImage& printed)
{
    ASSERT_NEAR(printed.width(), preview.width(), 2);
    ASSERT_NEAR(printed.height(), preview.height(), 2);
    const ChartGeometry geometry = page.PageGeometry();
    const ChartFrame& frame = page.Frame();
    const int s = static_cast<int>(geometry.metrics.scale);
    const int w = geometry.dates.dayWidth;
    const int lane = geometry.metrics.laneHeight;
    const int chartX = frame.columns.chartX;
    const int column2 = chartX + w + w / 2;
    const int top = page.PageRowTop(0);
    const int line = top + geometry.metrics.lineOffset + lane;
    const int head = chartX + w;
    const struct {
        int x, y;  // device dots
        QRgb color;
        const char* what;
    } pixels[] = {
        {column2, top + lane / 2, qRgb(255, 127, 0), "yellow under the tint"},
        {column2 + w, top + lane / 2, qRgb(255, 255, 0), "yellow"},
        {column2, (page.PageRowTop(1) + page.PageRowTop(2)) / 2, qRgb(255, 127, 255), "white under the tint"},
        {column2, page.PageRowTop(2) + lane / 2, qRgb(0, 127, 255), "cyan under the tint"},
        {column2, (frame.header.middle + top) / 2, qRgb(255, 127, 255), "day band under the tint"},
        {column2, page.PageRowTop(1) - 1, qRgb(0, 0, 0), "row rule"},
        {head + s / 2, line - 7 * s + s / 2, qRgb(255, 127, 0), "corner of an arrow head"},
        {head + 2 * s, line, qRgb(255, 0, 0), "arrow head"},
    };
    for (const auto& p : pixels)
        for (const QImage* image : {&preview, &printed})
            EXPECT_TRUE(Near(image->pixel(p.x / 4, p.y / 4), p.color))
                << p.what << (image == &preview ? " in the preview: " : " on paper: ") << std::hex
                << image->pixel(p.x / 4, p.y / 4);
    // Edges of lines and letters may round apart, hardly more.
    int unlike = 0;
    const QRect timeline(chartX / 4, frame.header.top / 4, (frame.right - chartX) / 4,
                         (page.PageRowTop(page.RowsOnPage()) - frame.header.top) / 4);
    for (int y = timeline.top(); y <= timeline.bottom(); ++y)
        for (int x = timeline.left(); x <= timeline.right(); ++x)
            unlike += !Near(preview.pixel(x, y), printed.pixel(x, y));
    EXPECT_LT(unlike, timeline.width() * timeline.height() / 50) << "pixels unlike the preview";
}

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
        view.SetView(7, {2009, 4, 1});
        ASSERT_FALSE(queue.isEmpty()) << "TD_CUPS_QUEUE names no queue";
        PrintJob device(nullptr, queue);
        ASSERT_EQ(preview.PreparePreview(device), 1);
        DeviceValues values;
        ASSERT_TRUE(device.Open(true, values));
        dpi = values.dpiX;
        preview.RenderPreviewPage(view);
        preview.PreviewImage().save("preview.png");
    }

    Workspace workspace;
    HolidayFiles holidayFiles;
    HolidayCalendar holidays{holidayFiles};
    ChartView view{workspace, holidays, 0, 0};
    QString queue = Setting("TD_CUPS_QUEUE");
    PrintPreview preview{workspace, holidays};
    int dpi = 0;
};

TEST_F(CupsPrint, TheEditorsPrintJobPrintsThePreview)
{
    PrintPreview job(workspace, holidays);
    PrintJob device(nullptr, queue);
    ASSERT_EQ(PrintRun(job).Print(device, view), 1);
    const QString pdf = AwaitPdf(QDir(Setting("TD_CUPS_OUT")));
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no PDF";
    EXPECT_TRUE(Output("pdftotext", {pdf, "-"}).contains("Yellow"));
    ExpectThePreview(preview, preview.PreviewImage(), Rasterise(pdf, dpi / 4));
}

TEST_F(CupsPrint, TdtoolPrintsThePreview)
{
    IgnoreErrors errors;
    ASSERT_EQ(WriteDocument(*workspace.Doc(0), "plan.tdp", errors), 1);
    ASSERT_FALSE(Output(Setting("TD_TDTOOL"),
                        {"print", "plan.tdp", "--pdf", "tdtool.pdf", "--dpi",
                         QString::number(dpi), "--zoom", "7", "--first-date", "2009-04-01"})
                     .isEmpty());
    EXPECT_TRUE(Output("pdftotext", {"tdtool.pdf", "-"}).contains("2009/4"));
    ExpectThePreview(preview, preview.PreviewImage(), Rasterise("tdtool.pdf", dpi / 4));
}

}  // namespace
}  // namespace td

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
