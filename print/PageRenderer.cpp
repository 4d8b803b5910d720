#include "calendar/Dates.h"
#include "calendar/HolidayCalendar.h"
#include "model/AttributeValues.h"
#include "print/PageItemShapes.h"
#include "print/PrintPreview.h"
#include "view/FrameRenderer.h"
#include "view/SchedulePainter.h"

namespace td {

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t HolidayTint = 0xFF7FFF;  // RGB (255, 127, 255)
constexpr int RowFontHeight = 14;
constexpr int CellInset = 2;

}  // namespace

// A page is the chart redrawn from the page's layout. Where paper differs from the screen it
// says so here: rules of the page's pen width closing the frame on the right, no fold glyphs
// and no selection, and the holiday tint laid over the row fills rather than under them.
int PrintPreview::RenderPage(Surface& s)
{
    s.FillRect(0, 0, pageWidth, pageHeight, White);
    s.BeginTint(HolidayColumns(), HolidayTint);
    DrawPageHeader(s);
    DrawPageRows(s);
    s.EndTint();
    const ChartGeometry geometry = PageGeometry();
    for (int k = 0; k < rowsOnPage; ++k) {
        int doc = -1;
        if (!workspace.VisibleRowDocument(geometry.firstRow + k, doc))
            continue;
        if (workspace.DocumentKind(doc) == DocumentKind::Project)
            DrawPageItems(s, geometry, k);
        else
            DrawPageSchedule(s, geometry, k);
    }
    return 1;
}

void PrintPreview::DrawPageHeader(Surface& s)
{
    const int t = Scaled(3);
    s.SelectWidePen(penWidth, 0);
    s.SelectFont(Scaled(RowFontHeight), WeightNormal);
    s.SetTextColor(0);
    s.Segment(projectX, headerTop, right, headerTop);
    s.Segment(chartX, headerMid, right, headerMid);
    s.Segment(projectX, rowsTop, right, rowsTop);
    for (int x : {projectX, personX, commentX, chartX, right})
        s.Segment(x, headerTop, x, rowsTop);
    s.TextOut(projectX + t, headerMid + t, QStringLiteral("プロジェクト"));
    s.TextOut(personX + t, headerMid + t, QStringLiteral("担当"));
    s.TextOut(commentX + t, headerMid + t, QStringLiteral("コメント"));
    DrawDateColumns(s, Dates(), {headerTop, headerMid, rowsTop, t}, right);
}

void PrintPreview::DrawPageRows(Surface& s)
{
    const int first = pageFirstRow[std::clamp(currentPage, 0, MaxPages - 1)];
    const RowColumns columns{nameX, levelIndent, personX, commentX, chartX, Scaled(RowFontHeight)};
    for (int k = 0; k < rowsOnPage; ++k) {
        const ProjectRow* row = workspace.RowAt(first + k);
        if (!row)
            continue;
        const int rowTop = pageRowTop[k];
        const int rowBottom = pageRowTop[k + 1];
        s.SelectWidePen(penWidth, 0);
        s.SelectFont(columns.fontHeight, WeightNormal);
        s.SetTextColor(row->textColor);
        if (row->backColor != White)
            s.FillRect(projectX, rowTop + 1, right, rowBottom, row->backColor);
        s.Segment(projectX, rowBottom - 1, right, rowBottom - 1);
        for (int x : {right, projectX, personX, commentX, chartX})
            s.Segment(x, rowTop, x, rowBottom - 1);
        DrawRowTexts(s, columns, *row, rowTop, rowBottom, false);
    }
    s.SetTextColor(0);
}

std::vector<QRect> PrintPreview::HolidayColumns()
{
    std::vector<QRect> columns;
    const DateScale dates = Dates();
    if (!dates.IsDayMode())
        return columns;
    DateTriple date = firstDate;
    int x = 0;
    PageDateToX(x, date.year, date.month, date.day);
    for (const int w = dates.dayWidth; x + w < right; x += w) {
        if (holidays.IsHoliday(date.year, date.month, date.day))
            columns.emplace_back(x, headerMid, w, pageRowTop[rowsOnPage] - headerMid);
        StepDate(date.year, date.month, date.day, nullptr, 0, 1);
    }
    return columns;
}

// The document of page row k and its first row on the page; k moves on to its last row there.
bool PrintPreview::TakeDocumentRows(const ChartGeometry& geometry, int& k, int& doc,
                                    int& first) const
{
    int last = 0;
    if (!workspace.VisibleRowDocument(geometry.firstRow + k, doc)
        || !geometry.DocumentRowRange(workspace, doc, first, last))
        return false;
    k = last - geometry.firstRow;
    return true;
}

// Draws the items of the project document of page row k once, and moves k to its last row.
void PrintPreview::DrawPageItems(Surface& s, const ChartGeometry& geometry, int& k)
{
    int doc = -1;
    int first = 0;
    if (!TakeDocumentRows(geometry, k, doc, first))
        return;
    PageItemShapes shapes(workspace, geometry, s);
    for (int i = 0; i < workspace.ItemCount(doc); ++i) {
        const ChartItem* item = workspace.ItemPtr(doc, i);
        if (item && item->state == ItemNormal)
            shapes.Draw(doc, *item);
    }
}

// The entries of a schedule document are listed once per page from the first of its rows
// there; entries of its rows on other pages belong to those pages.
void PrintPreview::DrawPageSchedule(Surface& s, const ChartGeometry& geometry, int& k)
{
    int doc = -1;
    int first = 0;
    if (!TakeDocumentRows(geometry, k, doc, first))
        return;
    if (zoomLevel < ScheduleMinZoom)
        return;
    DrawScheduleEntries(s, workspace, geometry, doc, geometry.RowTop(first) + CellInset, false);
}

}  // namespace td
