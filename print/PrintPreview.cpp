#include "print/PrintPreview.h"

#include "calendar/HolidayCalendar.h"
#include "view/ChartView.h"

#include <algorithm>

namespace td {

namespace {

constexpr double ScreenDpi = 96.0;
constexpr double MarginInches = 0.7874015748031497;  // 20 mm
constexpr int PreviewShift = 2;                       // the preview is a quarter of the page

}  // namespace

PrintPreview::PrintPreview(Workspace& workspace, HolidayCalendar& holidays)
    : workspace(workspace), holidays(holidays)
{
}

// The preview lays the page out exactly as the print job does and only shows it smaller: laid
// out from quartered device values, its whole-number scale would drift from the printer's and
// put other dates and rows on its pages.
int PrintPreview::SetUpDevice(PrintTarget& target, bool preview)
{
    DeviceValues values;
    if (!target.Open(preview, values))
        return 0;
    SetUpLayout(values);
    return 1;
}

void PrintPreview::SetUpLayout(const DeviceValues& values)
{
    pageWidth = values.pageWidth;
    pageHeight = values.pageHeight;

    // A device coarser than the screen would give every length 0; it gets the screen's lengths.
    const double scale = std::max(1, values.dpiX / static_cast<int>(ScreenDpi));
    const int mx = std::max(static_cast<int>(values.dpiX * MarginInches), values.offsetX);
    const int my = std::max(static_cast<int>(values.dpiY * MarginInches), values.offsetY);
    bottom = pageHeight - my;
    frame = PageFrame(mx, my, pageWidth - mx, scale);
    metrics = ScaledMetrics(scale);
    penWidth = std::max(1, Scaled(0.75));
}

int PrintPreview::LayoutPage(int first)
{
    const int rowsTop = frame.header.bottom;
    pageRowTop[0] = rowsTop;
    rowsOnPage = 0;
    if (workspace.VisibleRowCount() == 0)
        return 0;
    const ChartGeometry geometry = PageGeometry();
    int y = rowsTop;
    int k = 0;
    for (; first + k < workspace.VisibleRowCount() && k < MaxPageRows; ++k) {
        const int h = geometry.RowHeight(workspace, first + k);
        if (y + h >= bottom)
            break;
        y += h;
        pageRowTop[k + 1] = y;
    }
    if (k == 0) {
        // A row taller than the rows area gets a page of its own, cut at the frame.
        k = 1;
        pageRowTop[1] = std::max(bottom, rowsTop + 1);
    }
    rowsOnPage = k;
    return k;
}

int PrintPreview::Paginate()
{
    int page = 0;
    for (int first = 0; first < workspace.VisibleRowCount() && page < MaxPages; ++page) {
        pageFirstRow[page] = first;
        first += LayoutPage(first);
    }
    pageCount = page;
    return 1;
}

DateScale PrintPreview::Dates() const
{
    return {frame.columns.chartX, pageWidth - RightClampMargin, firstDate,
            Scaled(DayWidths[zoomLevel]), Scaled(MonthWidths[zoomLevel])};
}

int PrintPreview::PageDateToX(int& x, int year, int month, int day) const
{
    return Dates().DateToX(x, year, month, day);
}

void PrintPreview::CopyView(const ChartView& view)
{
    view.GetView(zoomLevel, firstDate.year, firstDate.month, firstDate.day);
}

ChartGeometry PrintPreview::PageGeometry() const
{
    ChartGeometry geometry;
    geometry.dates = Dates();
    geometry.zoom = zoomLevel;
    geometry.metrics = metrics;
    geometry.firstRow = pageFirstRow[std::clamp(currentPage, 0, MaxPages - 1)];
    geometry.rowCount = rowsOnPage;
    geometry.rowTop = pageRowTop.data();
    geometry.timelineFirstX = frame.columns.chartX + 1;
    geometry.surfaceWidth = pageWidth;
    geometry.surfaceHeight = pageHeight;
    geometry.rowsBottom = pageRowTop[rowsOnPage];
    geometry.penWidth = penWidth;
    return geometry;
}

// A page is the chart drawn from the page's layout, with the holidays of its days.
int PrintPreview::RenderPage(Surface& s)
{
    const ChartGeometry geometry = PageGeometry();
    const HolidayDays days =
        holidays.DaysFrom(firstDate, DayColumnCount(geometry.dates, frame.right));
    ChartRenderer(workspace, geometry, frame, days).Draw(s);
    return 1;
}

int PrintPreview::PreparePreview(PrintTarget& target)
{
    if (!SetUpDevice(target, true))
        return 0;
    previewImage = QImage(std::max(1, pageWidth >> PreviewShift),
                          std::max(1, pageHeight >> PreviewShift), QImage::Format_RGB32);
    Paginate();
    return 1;
}

int PrintPreview::RenderPreviewPage(const ChartView& view)
{
    previewImage.fill(Qt::white);
    CopyView(view);
    LayoutPage(pageFirstRow[std::clamp(currentPage, 0, MaxPages - 1)]);
    Surface s(previewImage, 1.0 / (1 << PreviewShift));
    return RenderPage(s);
}

void PrintPreview::FitPreviewRect(int& l, int& t, int& r, int& b) const
{
    if (pageWidth <= 0 || pageHeight <= 0)
        return;
    const double pageAspect = static_cast<double>(pageWidth) / pageHeight;
    const double windowAspect = static_cast<double>(r - 40) / (b - 40);
    if (windowAspect <= pageAspect) {
        l += 20;
        r -= 20;
        const int h = ((r - l) * pageHeight) / pageWidth;
        t = t + ((b - t - h) >> 1) + 20;
        b = t + h;
        return;
    }
    t += 10;
    b -= 10;
    const int w = ((b - t) * pageWidth) / pageHeight;
    l = l + ((r - l - w) >> 1);
    r = l + w;
}

}  // namespace td
