#include "../view/ChartFixture.h"
#include "PrintSupport.h"
#include "print/PrintRun.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

namespace td {
namespace {

struct PrintFixture : ChartFixture {
    PrintPreview preview{workspace, holidays};
};

// scale, lane height, left and top margins, pen width and chart x of a laid-out page.
std::array<int, 6> Layout(const PrintPreview& p)
{
    const ChartGeometry g = p.PageGeometry();
    return {static_cast<int>(g.metrics.scale), g.metrics.laneHeight, p.Frame().frameLeft, p.Frame().header.top, g.penWidth, p.Frame().columns.chartX};
}

// A 600-dot printer scales the screen six times; a large offset becomes the margin, a coarse
// device keeps screen lengths.
TEST(PrintLayout, ScaleMarginsDatesAndPreviewFollowThePage)
{
    PrintFixture f;
    FakeDevice device;
    ASSERT_EQ(f.preview.SetUpDevice(device, false), 1);
    EXPECT_EQ(Layout(f.preview), (std::array{6, 120, 472, 472, 4, 472 + 320 * 6}));
    f.preview.SetUpLayout({800, 1000, 72, 72, 90, 10});
    EXPECT_EQ(Layout(f.preview), (std::array{1, 20, 90, 56, 1, 90 + 320}));

    // Month mode places dates at six times the screen; a date past the page ends at its edge.
    f.preview.SetUpLayout(A4At600);
    f.view.SetView(2, {2009, 4, 17});
    f.preview.CopyView(f.view);
    const int chartX = f.preview.Frame().columns.chartX;
    for (auto [year, month, day, result, x] :
         {std::array{2009, 3, 31, -1, chartX}, {2009, 4, 3, 0, chartX + 2 * 16}, {2012, 1, 1, 1, A4At600.pageWidth - 10}}) {
        int at = 0;
        EXPECT_EQ(std::pair(f.preview.PageDateToX(at, year, month, day), at), std::pair(result, x));
    }

    // The preview rectangle fits the page by height or by width.
    f.preview.SetUpLayout({1240, 1754, 150, 150, 0, 0});
    for (auto [size, expected] : {std::pair{std::array{840, 640}, std::array{201, 10, 639, 630}}, {{400, 1240}, {20, 385, 380, 894}}}) {
        std::array<int, 4> r = {0, 0, size[0], size[1]};
        f.preview.FitPreviewRect(r[0], r[1], r[2], r[3]);
        EXPECT_EQ(r, expected);
    }
}

// The preview shows the pages the print job makes: the same layout, the same rows on each page
// and the same day columns, on devices whose quartered values would round otherwise. Starting a
// job puts out a sheet: without a page in the range asked for there is none.
TEST(PrintLayout, ThePreviewLaysOutThePagesOfThePrintJob)
{
    for (auto [values, from, jobs] : {std::tuple{A4At600, 1, 1}, {DeviceValues{2976, 4209, 360, 360, 61, 45}, 4, 0},
                                      {DeviceValues{9917, 14033, 1200, 1200, 167, 167}, 3, 1}}) {
        SCOPED_TRACE(values.dpiX);
        PrintFixture f;
        f.AddProject({3, 9, 6, 3, 12, 3, 3, 6, 15, 3, 3, 9, 3, 6, 3, 3, 18, 3, 6, 3, 3, 3, 9, 3});
        f.SetZoom(7);
        FakeDevice device(values, from);
        PrintPreview job(f.workspace, f.holidays);
        ASSERT_EQ(PrintRun(job).Print(device, f.view), 1);
        ASSERT_EQ(f.preview.PreparePreview(device), 1);
        f.preview.RenderPreviewPage(f.view);
        const auto pages = [](const PrintPreview& p) {
            std::array<int, MaxPages> firstRows{};
            for (int page = 0; page < MaxPages; ++page)
                firstRows[static_cast<std::size_t>(page)] = p.PageFirstRow(page);
            return std::tuple(Layout(p), p.PageGeometry().dates.dayWidth, p.Frame().right, p.PageCount(), firstRows);
        };
        EXPECT_EQ(pages(f.preview), pages(job));
        EXPECT_EQ(f.preview.PreviewImage().size(), QSize(values.pageWidth / 4, values.pageHeight / 4));
        EXPECT_EQ(std::tuple(job.PageCount(), device.dialogs, device.jobs), std::tuple(3, 1, jobs));
    }
}

// An A4 sheet at 600 dots per inch cut to a rows area of `height` dots, lanes of 120.
void SetRowsArea(PrintPreview& p, int height)
{
    p.SetUpLayout(A4At600);
    // The frame is 20 mm (472 dots) from each edge; the header takes the rest above the rows.
    const int margins = 2 * 472 + p.Frame().header.bottom - p.Frame().header.top;
    p.SetUpLayout({A4At600.pageWidth, margins + height, 600, 600, 0, 0});
    p.Paginate();
}

// Rows go on a page while their bottom stays above the frame, at most 64 of them; a row taller
// than the rows area gets a page of its own that ends at the frame; a job has at most 64 pages.
TEST(Pagination, RowsFillAPageUpToTheFrame)
{
    PrintFixture f;
    AddRows(f.workspace, 10, 1);
    SetRowsArea(f.preview, 1000);
    EXPECT_EQ(std::pair(f.preview.PageCount(), f.preview.PageFirstRow(1)), std::pair(2, 8));
    SetRowsArea(f.preview, 960);
    EXPECT_EQ(f.preview.PageFirstRow(1), 7) << "a row ending exactly on the frame starts a page";

    PrintFixture many;
    AddRows(many.workspace, 70, 1);
    SetRowsArea(many.preview, 70 * 120 + 1);
    EXPECT_EQ(many.preview.PageFirstRow(1), MaxPageRows);
    PrintFixture tall;
    AddRows(tall.workspace, 70, 10);
    SetRowsArea(tall.preview, 1000);
    EXPECT_EQ(std::pair(tall.preview.PageCount(), tall.preview.PageFirstRow(MaxPages - 1)), std::pair(MaxPages, MaxPages - 1));
    EXPECT_EQ(tall.preview.LayoutPage(1), 1);
    EXPECT_EQ(tall.preview.PageRowTop(1), tall.preview.Frame().header.bottom + 1000) << "cut at the frame";
}

// A blue task on the first page's rows and a red line from there to the second page's rows,
// each drawn on its rows' pages and within them.
TEST(PageItems, EachItemOnItsRowsPageAndALineAcrossBoth)
{
    PrintFixture f;
    f.AddProject({5, 5, 5, 5, 5, 5});
    for (auto [type, row, day, endRow, endDay, color] : {std::tuple{TaskLine, 0, 2, 0, 5, 0xFF0000u}, {Line, 1, 1, 5, 6, 0x0000FFu}}) {
        ChartItem item = f.AprilItem(type, row, 0, day, endDay);
        item.end.rowId = f.workspace.RowIdAt(endRow), item.lineWidth = 16, item.lineColor = color;
        f.workspace.Doc(0)->AddItem(item);
    }
    f.view.SetView(7, {2009, 4, 1});
    FakeDevice device({4000, 2400, 384, 384, 0, 0});  // its preview: 1000 x 600 pixels
    ASSERT_EQ(f.preview.PreparePreview(device), 1);
    ASSERT_EQ(f.preview.PageCount(), 2);
    for (int page : {0, 1}) {
        f.preview.ShowPage(page);
        f.preview.RenderPreviewPage(f.view);
        const QImage& image = f.preview.PreviewImage();
        const auto count = [&image](QRgb color) { return CountColor(image, color, 0, 0, image.width(), image.height()); };
        EXPECT_TRUE(page == 0 ? count(qRgb(0, 0, 255)) > 200 : count(qRgb(0, 0, 255)) == 0);
        EXPECT_GT(count(Red), 20);
        // The line stays within each page's rows, shown at a quarter of the device's dots (which
        // may round a pixel either way).
        for (int x = 0; x < image.width(); ++x) {
            EXPECT_NE(image.pixel(x, f.preview.Frame().header.bottom / 4 - 2), Red);
            EXPECT_NE(image.pixel(x, f.preview.PageRowTop(f.preview.RowsOnPage()) / 4 + 2), Red);
        }
    }
}

}  // namespace
}  // namespace td
