#pragma once

#include "model/Workspace.h"
#include "print/PrintTarget.h"
#include "view/ChartGeometry.h"
#include "view/Surface.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

namespace td {

class ChartView;
class HolidayCalendar;

inline constexpr int MaxPages = 64;
inline constexpr int MaxPageRows = 64;

// One print job or one stay in the preview: the device's measurements, the paper layout
// scaled from the chart's 96-dot screen, the split of the flattened rows into pages, and the
// preview's page image. Lengths are in the device's dots; the preview shows the same page at a
// quarter of them.
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
    void PageDateToXUnclamped(int& x, int year, int month, int day) const;
    // Takes the zoom level and the first date from the chart.
    void CopyView(const ChartView& view);

    int RenderPage(Surface& s);

    // The preview's page image is a quarter of the device's page.
    int PreparePreview(PrintTarget& target);
    int RenderPreviewPage(const ChartView& view);
    // Turns the client rectangle into the rectangle the page image is stretched onto.
    void FitPreviewRect(int& left, int& top, int& right, int& bottom) const;
    const QImage& PreviewImage() const { return previewImage; }
    // Sends the pages the user chose, starting no job when they hold none; 0 when the print
    // dialog was cancelled.
    int Print(PrintTarget& target, const ChartView& view);

    int32_t dpiX = 0;
    int32_t dpiY = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t projectX = 0;
    int32_t personX = 0;
    int32_t commentX = 0;
    int32_t chartX = 0;
    int32_t nameX = 0;
    int32_t levelIndent = 0;
    int32_t headerTop = 0;
    int32_t headerMid = 0;
    int32_t rowsTop = 0;
    int32_t laneHeight = 0;
    int32_t lineOffset = 0;
    int32_t bandTop = 0;
    int32_t bandBottom = 0;
    int32_t tipLength = 0;
    int32_t markBaseline = 0;
    int32_t penWidth = 1;
    int32_t rowsOnPage = 0;
    std::array<int32_t, MaxPages> pageFirstRow = {};
    std::array<int32_t, MaxPageRows + 1> pageRowTop = {};
    int32_t zoomLevel = 0;
    DateTriple firstDate;
    double scale = 1.0;
    std::array<int32_t, 10> monthWidth = {};
    std::array<int32_t, 10> dayWidth = {};
    int32_t pageWidth = 0;
    int32_t pageHeight = 0;
    int32_t currentPage = 0;
    int32_t pageCount = 0;

private:
    DateScale Dates() const;
    ChartGeometry PageGeometry() const;
    int Scaled(double length) const { return static_cast<int>(length * scale); }
    void DrawPageHeader(Surface& s);
    void DrawPageRows(Surface& s);
    // The page's non-working day columns, from the header's date band to its last row.
    std::vector<QRect> HolidayColumns();
    bool TakeDocumentRows(const ChartGeometry& geometry, int& k, int& doc, int& first) const;
    void DrawPageItems(Surface& s, const ChartGeometry& geometry, int& k);
    void DrawPageSchedule(Surface& s, const ChartGeometry& geometry, int& k);

    Workspace& workspace;
    HolidayCalendar& holidays;
    QImage previewImage;
};

}  // namespace td
