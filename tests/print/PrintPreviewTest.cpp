#include "../view/ChartFixture.h"
#include "print/PrintPreview.h"
#include "print/PrintRun.h"

#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <initializer_list>
#include <tuple>
#include <utility>

namespace td {
namespace {

// A device that tells fixed values, sends the pages from..to and counts the jobs it is asked
// for, taking none.
struct FakeDevice : PrintTarget {
    DeviceValues values;
    int from = 1;
    int to = MaxPages;
    int jobs = 0;

    bool Open(bool, DeviceValues& out) override { out = values; return true; }
    int FromPage() const override { return from; }
    int ToPage() const override { return to; }
    QPagedPaintDevice* BeginJob(const char*) override { ++jobs; return nullptr; }
    bool KeepGoing() override { return true; }
    void EndJob(bool) override {}
};

// An A4 portrait sheet at 600 dots per inch.
constexpr DeviceValues A4At600 = {4960, 7016, 600, 600, 0, 0};

struct PrintFixture : ChartFixture {
    PrintFixture() : preview(workspace, holidays) {}

    ChartItem Item(int type, int startRow, int day, int endRow, int endDay, uint32_t color)
    {
        ChartItem item{};
        item.type = type;
        item.state = ItemNormal;
        item.start = {workspace.RowIdAt(startRow), 0, 2009, 4, day, 0, 0};
        item.end = {workspace.RowIdAt(endRow), 0, 2009, 4, endDay, 0, 0};
        item.lineWidth = 16;
        item.lineColor = color;
        return item;
    }

    PrintPreview preview;
};

// scale, lane height, left and top margins, pen width and chart x of a laid-out page.
std::array<int, 6> Layout(const PrintPreview& p)
{
    const ChartGeometry geometry = p.PageGeometry();
    return {static_cast<int>(geometry.metrics.scale), geometry.metrics.laneHeight, p.Frame().frameLeft,
            p.Frame().header.top, geometry.penWidth, p.Frame().columns.chartX};
}

std::array<int, MaxPages> FirstRows(const PrintPreview& p)
{
    std::array<int, MaxPages> rows{};
    for (int page = 0; page < MaxPages; ++page)
        rows[static_cast<std::size_t>(page)] = p.PageFirstRow(page);
    return rows;
}

// A 600-dot printer scales the screen six times; a large offset becomes the margin, a coarse
// device keeps screen lengths.
TEST(PrintLayout, ScaleMarginsDatesAndPreviewFollowThePage)
{
    PrintFixture f;
    FakeDevice device;
    device.values = A4At600;
    ASSERT_EQ(f.preview.SetUpDevice(device, false), 1);
    EXPECT_EQ(Layout(f.preview), (std::array{6, 120, 472, 472, 4, 472 + 320 * 6}));
    f.preview.SetUpLayout({800, 1000, 72, 72, 90, 10});
    EXPECT_EQ(Layout(f.preview), (std::array{1, 20, 90, 56, 1, 90 + 320}));

    // Month mode places dates at six times the screen.
    f.preview.SetUpLayout(A4At600);
    f.view.SetView(2, {2009, 4, 17});
    f.preview.CopyView(f.view);
    int x = 0;
    for (auto [year, month, day, result, offset] : {std::array{2009, 3, 31, -1, 0}, {2009, 4, 3, 0, 2 * 16}}) {
        EXPECT_EQ(f.preview.PageDateToX(x, year, month, day), result);
        EXPECT_EQ(x, f.preview.Frame().columns.chartX + offset);
    }
    EXPECT_EQ(f.preview.PageDateToX(x, 2012, 1, 1), 1);
    EXPECT_EQ(x, A4At600.pageWidth - 10);

    // The preview rectangle fits the page by height or by width.
    f.preview.SetUpLayout({1240, 1754, 150, 150, 0, 0});
    for (auto [size, expected] : {std::pair{std::array{840, 640}, std::array{201, 10, 639, 630}},
                                  {{400, 1240}, {20, 385, 380, 894}}}) {
        std::array<int, 4> r = {0, 0, size[0], size[1]};
        f.preview.FitPreviewRect(r[0], r[1], r[2], r[3]);
        EXPECT_EQ(r, expected);
    }
}

// The preview shows the pages the print job makes: the same layout, the same rows on each page
// and the same day columns, on devices whose quartered values would round otherwise.
TEST(PrintLayout, ThePreviewLaysOutThePagesOfThePrintJob)
{
    for (const DeviceValues& values :
         {A4At600, DeviceValues{2976, 4209, 360, 360, 61, 45}, DeviceValues{9917, 14033, 1200, 1200, 167, 167}}) {
        SCOPED_TRACE(values.dpiX);
        PrintFixture f;
        f.AddProject({1, 3, 2, 1, 4, 1, 1, 2, 5, 1, 1, 3, 1, 2, 1, 1, 6, 1, 2, 1, 1, 1, 3, 1});
        f.SetZoom(7);
        FakeDevice device;
        device.values = values;
        PrintPreview job(f.workspace, f.holidays);
        ASSERT_EQ(job.SetUpDevice(device, false), 1);
        job.Paginate();
        ASSERT_EQ(f.preview.PreparePreview(device), 1);
        const auto pages = [](const PrintPreview& p) {
            return std::tuple(Layout(p), p.PageGeometry().dates.dayWidth, p.Frame().right,
                              p.PageCount(), FirstRows(p));
        };
        EXPECT_EQ(pages(f.preview), pages(job));
        EXPECT_EQ(f.preview.PreviewImage().size(),
                  QSize(values.pageWidth / 4, values.pageHeight / 4));
    }
}

// An A4 sheet at 600 dots per inch cut to a rows area of `height` dots, lanes of 120.
void SetRowsArea(PrintPreview& p, int height)
{
    p.SetUpLayout(A4At600);
    // The frame is 20 mm (472 dots) from each edge; the header takes the rest above the rows.
    const int margins = 2 * 472 + p.Frame().header.bottom - p.Frame().header.top;
    p.SetUpLayout({A4At600.pageWidth, margins + height, 600, 600, 0, 0});
}

// Rows go on a page while their bottom stays above the frame; a row taller than the rows area
// gets a page of its own that ends at the frame.
TEST(Pagination, RowsFillAPageUpToTheFrame)
{
    PrintFixture f;
    f.AddProject({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    SetRowsArea(f.preview, 1000);
    f.preview.Paginate();
    EXPECT_EQ(f.preview.PageCount(), 2);
    EXPECT_EQ(f.preview.PageFirstRow(1), 8);
    SetRowsArea(f.preview, 960);
    f.preview.Paginate();
    EXPECT_EQ(f.preview.PageFirstRow(1), 7) << "a row ending exactly on the frame starts a page";

    PrintFixture many;
    many.AddProject({1});
    for (int row = 1; row < 70; ++row)
        many.workspace.Doc(0)->AddRow(0);
    many.workspace.RebuildVisibleRows();
    for (int row = 0; row < 70; ++row)
        many.workspace.RowAt(row)->lanes = 1;
    SetRowsArea(many.preview, 70 * 120 + 1);
    many.preview.Paginate();
    EXPECT_EQ(many.preview.PageFirstRow(1), MaxPageRows) << "a page holds at most 64 rows";
    for (int row = 0; row < 70; ++row)
        many.workspace.RowAt(row)->lanes = 10;
    SetRowsArea(many.preview, 1000);
    many.preview.Paginate();
    EXPECT_EQ(many.preview.PageCount(), MaxPages) << "a job has at most 64 pages";

    PrintFixture tall;
    tall.AddProject({1, 10, 1});
    SetRowsArea(tall.preview, 1000);
    tall.preview.Paginate();
    EXPECT_EQ(tall.preview.PageCount(), 3);
    EXPECT_EQ(tall.preview.LayoutPage(1), 1);
    EXPECT_EQ(tall.preview.PageRowTop(1), tall.preview.Frame().header.bottom + 1000) << "cut at the frame";
}

int CountColour(const QImage& image, QRgb colour)
{
    return CountColor(image, colour, 0, 0, image.width(), image.height());
}

TEST(PageItems, EachItemOnItsRowsPageAndALineAcrossBoth)
{
    PrintFixture f;
    f.AddProject({5, 5, 5, 5, 5, 5});
    Document* doc = f.workspace.Doc(0);
    doc->AddItem(f.Item(TaskLine, 0, 2, 0, 5, 0xFF0000));
    doc->AddItem(f.Item(Line, 1, 1, 5, 6, 0x0000FF));
    f.view.SetView(7, {2009, 4, 1});
    FakeDevice device;
    device.values = {4000, 2400, 384, 384, 0, 0};  // its preview: 1000 x 600 pixels
    ASSERT_EQ(f.preview.PreparePreview(device), 1);
    ASSERT_EQ(f.preview.PageCount(), 2);

    const QRgb blue = qRgb(0, 0, 255);
    const QRgb red = qRgb(255, 0, 0);
    // A page's image and the bottom of its rows.
    auto render = [&f](int page) {
        f.preview.ShowPage(page);
        f.preview.RenderPreviewPage(f.view);
        return std::pair(f.preview.PreviewImage().copy(), f.preview.PageRowTop(f.preview.RowsOnPage()));
    };
    const auto [first, firstBottom] = render(0);
    const auto [second, secondBottom] = render(1);

    EXPECT_GT(CountColour(first, blue), 200);
    EXPECT_EQ(CountColour(second, blue), 0);
    EXPECT_GT(CountColour(first, red), 20);
    EXPECT_GT(CountColour(second, red), 20);
    // The line stays within each page's rows, shown at a quarter of the device's dots (which
    // may round a pixel either way).
    for (auto [page, bottom] : {std::pair{&first, firstBottom}, std::pair{&second, secondBottom}}) {
        for (int x = 0; x < page->width(); ++x) {
            EXPECT_NE(page->pixel(x, f.preview.Frame().header.bottom / 4 - 2), red);
            EXPECT_NE(page->pixel(x, bottom / 4 + 2), red);
        }
    }
}

// Starting a job puts out a sheet: without a page in the range asked for there is no job.
TEST(PrintJob, StartsOnlyWithAPageToPrint)
{
    const struct {
        int rows;
        int from, to;
        int jobs;
    } cases[] = {{0, 1, MaxPages, 0}, {2, 2, 3, 0}, {2, 1, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows * 100 + c.from);
        PrintFixture f;
        if (c.rows)
            f.AddProject({c.rows});
        FakeDevice device;
        device.values = A4At600;
        device.from = c.from;
        device.to = c.to;
        EXPECT_EQ(PrintRun(f.preview).Print(device, f.view), 1);
        EXPECT_EQ(device.jobs, c.jobs);
    }
}

}  // namespace
}  // namespace td
