#pragma once

#include "model/Workspace.h"
#include "print/PrintTarget.h"
#include "view/ChartGeometry.h"
#include "view/ChartRenderer.h"
#include "view/Surface.h"

#include <QImage>

#include <array>
#include <cstdint>

namespace td {

class ChartView;
class HolidayCalendar;

inline constexpr int MaxPages = 64;
inline constexpr int MaxPageRows = 64;

// The page layout of one print job or one stay in the preview: the device's measurements, the
// chart's frame and shapes scaled from its 96-dot screen, the split of the flattened rows into
// pages, and the preview's page image. Lengths are in the device's dots; the preview shows the
// same page at a quarter of them.
class PrintPreview {
public:
    PrintPreview(Workspace& workspace, HolidayCalendar& holidays);

    // Takes the device's values and computes the layout; 0 when no device was had.
    int SetUpDevice(PrintTarget& target, bool preview);
    // Lays the layout out from given device values, as SetUpDevice does.
    void SetUpLayout(const DeviceValues& values);
    int Paginate();
    // Lays out the page that starts at flattened row `first`; the number of its rows.
    int LayoutPage(int first);
    int PageDateToX(int& x, int year, int month, int day) const;
    // Takes the zoom level and the first date from the chart.
    void CopyView(const ChartView& view);

    int RenderPage(Surface& s);

    // The preview's page image is a quarter of the device's page.
    int PreparePreview(PrintTarget& target);
    int RenderPreviewPage(const ChartView& view);
    // Turns the client rectangle into the rectangle the page image is stretched onto.
    void FitPreviewRect(int& left, int& top, int& right, int& bottom) const;
    const QImage& PreviewImage() const { return previewImage; }

    int PageCount() const { return pageCount; }
    int CurrentPage() const { return currentPage; }
    // The page RenderPreviewPage shows; from 0.
    void ShowPage(int page) { currentPage = page; }
    int PageFirstRow(int page) const { return pageFirstRow[static_cast<std::size_t>(page)]; }
    int RowsOnPage() const { return rowsOnPage; }
    int PageRowTop(int k) const { return pageRowTop[static_cast<std::size_t>(k)]; }
    const ChartFrame& Frame() const { return frame; }
    // The current page laid out, as the painters take it.
    ChartGeometry PageGeometry() const;

private:
    DateScale Dates() const;
    int Scaled(double length) const { return static_cast<int>(length * metrics.scale); }

    Workspace& workspace;
    HolidayCalendar& holidays;
    QImage previewImage;

    int pageWidth = 0;
    int pageHeight = 0;
    int bottom = 0;
    ChartFrame frame;
    ItemMetrics metrics;
    int penWidth = 1;
    int zoomLevel = 0;
    DateTriple firstDate;
    int rowsOnPage = 0;
    std::array<int32_t, MaxPages> pageFirstRow = {};
    std::array<int32_t, MaxPageRows + 1> pageRowTop = {};
    int currentPage = 0;
    int pageCount = 0;
};

}  // namespace td
