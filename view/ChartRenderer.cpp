#include "view/ChartRenderer.h"

#include "calendar/Dates.h"
#include "model/AttributeValues.h"
#include "view/ChartLayout.h"
#include "view/ItemCulling.h"
#include "view/ItemShapes.h"
#include "view/PageItemShapes.h"
#include "view/SchedulePainter.h"
#include "view/ShiftJis.h"
#include "view/ViewBitmaps.h"
#include "view/VisibleRowMap.h"

namespace td {

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t HolidayTint = 0xFF7FFF;  // RGB (255, 127, 255)
constexpr int RowFontHeight = 14;
constexpr int SelectedNameHeight = 15;
constexpr int SelectedNameWeight = 600;
constexpr int LabelInset = 3;

QString Number(int value)
{
    return QString::number(value);
}

QString FieldText(const char* bytes, std::size_t size, bool noNameWhenEmpty)
{
    QString text = FromShiftJis(bytes, size);
    if (text.isEmpty() && noNameWhenEmpty)
        return QStringLiteral("no name");
    return text;
}

void DrawDayColumns(Surface& s, const DateScale& dates, const HeaderLines& lines, int right)
{
    const int w = dates.dayWidth;
    const int t = lines.labelInset;
    int year = dates.firstDate.year;
    int month = dates.firstDate.month;
    int day = dates.firstDate.day;
    int previousMonth = 0;
    int step = 0;
    for (int x = dates.originX; x + w < right; x += w) {
        StepDate(year, month, day, nullptr, 0, step);
        s.TextOut(x + t, lines.middle + t, Number(day));
        s.Segment(x + w, lines.middle, x + w, lines.bottom);
        if (month != previousMonth) {
            s.TextOut(x + t, lines.top + t, Number(year) + QLatin1Char('/') + Number(month));
            s.Segment(x, lines.top, x, lines.middle);
        }
        step = 1;
        previousMonth = month;
    }
}

void DrawMonthColumns(Surface& s, const DateScale& dates, const HeaderLines& lines, int right)
{
    const int w = dates.monthWidth;
    const int t = lines.labelInset;
    int year = dates.firstDate.year;
    int month = dates.firstDate.month;
    int day = 1;
    int previousYear = 0;
    int step = 0;
    for (int x = dates.originX; x + w < right; x += w) {
        StepDate(year, month, day, nullptr, step, 0);
        s.TextOut(x + t, lines.middle + t, Number(month));
        s.Segment(x + w, lines.middle, x + w, lines.bottom);
        if (year != previousYear) {
            s.TextOut(x + t, lines.top + t, Number(year));
            s.Segment(x, lines.top, x, lines.middle);
        }
        step = 1;
        previousYear = year;
    }
}

// The first flattened row of a document, laid out or not; -1 when it has none.
int FirstRowOf(const Workspace& workspace, int doc)
{
    for (int i = 0; i < workspace.VisibleRowCount(); ++i) {
        int rowDoc = -1;
        if (workspace.VisibleRowDocument(i, rowDoc) && rowDoc == doc)
            return i;
    }
    return -1;
}

}  // namespace

ChartFrame ScreenFrame(int bufferWidth)
{
    ChartFrame frame;
    frame.header = {HeaderTop, HeaderMiddle, HeaderBottom, LabelInset};
    frame.columns = {MarginRight + LabelInset, FoldGlyphSize, ProjectColumnRight,
                     PersonColumnRight, TimelineLeft, RowFontHeight};
    frame.headerLeft = 0;
    frame.frameLeft = MarginRight;
    frame.ruleRight = bufferWidth - 1;
    frame.right = bufferWidth;
    frame.fillTop = 0;
    frame.fillBottom = -1;
    return frame;
}

// The page's frame is the screen's from its row column on, moved to the page's corner.
ChartFrame PageFrame(int left, int top, int right, double scale)
{
    const auto scaled = [scale](int length) { return static_cast<int>(length * scale); };
    const ChartFrame screen = ScreenFrame(0);
    const auto x = [&](int screenX) { return left + scaled(screenX - screen.frameLeft); };
    const auto y = [&](int screenY) { return top + scaled(screenY - screen.header.top); };
    ChartFrame frame;
    frame.header = {top, y(screen.header.middle), y(screen.header.bottom), scaled(LabelInset)};
    frame.columns = {x(screen.columns.nameX), scaled(screen.columns.levelIndent),
                     x(screen.columns.personX), x(screen.columns.commentX),
                     x(screen.columns.chartX), scaled(screen.columns.fontHeight)};
    frame.headerLeft = left;
    frame.frameLeft = left;
    frame.ruleRight = right;
    frame.right = right;
    frame.fillTop = 1;
    frame.fillBottom = 0;
    frame.paper = true;
    return frame;
}

int DayColumnCount(const DateScale& dates, int right)
{
    if (!dates.IsDayMode() || right <= dates.originX)
        return 0;
    return (right - dates.originX) / dates.dayWidth + 1;
}

ChartRenderer::ChartRenderer(Workspace& workspace, const ChartGeometry& geometry,
                             const ChartFrame& frame, const HolidayDays& holidays)
    : workspace(workspace), geometry(geometry), frame(frame), holidays(holidays)
{
}

// Where paper differs from the screen it says so here: the tint over the rows rather than
// under them, and the items after every row rather than after their own document's. The
// screen's tint is begun before the header, so that a vector surface, which cannot AND onto
// what it drew, darkens the header's drawing as it goes.
void ChartRenderer::Draw(Surface& s, int selectedRow, ItemMonthIndex* months)
{
    s.FillRect(0, 0, geometry.surfaceWidth, geometry.surfaceHeight, White);
    s.BeginTint(HolidayColumns(), HolidayTint);
    DrawHeader(s);
    if (frame.paper) {
        for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
            DrawRows(s, doc, -1);
        s.EndTint();
        for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
            DrawItems(s, doc, months);
        return;
    }
    s.EndTint();
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        DrawRows(s, doc, selectedRow);
        DrawItems(s, doc, months);
    }
}

void ChartRenderer::SelectFramePen(Surface& s) const
{
    if (frame.paper)
        s.SelectWidePen(geometry.penWidth, 0);
    else
        s.SelectBlackPen();
}

void ChartRenderer::DrawHeader(Surface& s)
{
    const HeaderLines& h = frame.header;
    const RowColumns& c = frame.columns;
    SelectFramePen(s);
    s.SelectFont(c.fontHeight, WeightNormal);
    s.SetTextColor(0);
    s.Segment(frame.headerLeft, h.top, frame.ruleRight, h.top);
    s.Segment(c.chartX, h.middle, frame.ruleRight, h.middle);
    s.Segment(frame.headerLeft, h.bottom, frame.ruleRight, h.bottom);
    for (int x : {frame.frameLeft, c.personX, c.commentX, c.chartX})
        s.Segment(x, h.top, x, h.bottom);
    if (frame.paper)
        s.Segment(frame.ruleRight, h.top, frame.ruleRight, h.bottom);
    s.TextOut(frame.frameLeft + h.labelInset, h.middle + h.labelInset, QStringLiteral("プロジェクト"));
    s.TextOut(c.personX + h.labelInset, h.middle + h.labelInset, QStringLiteral("担当"));
    s.TextOut(c.commentX + h.labelInset, h.middle + h.labelInset, QStringLiteral("コメント"));
    DrawDateColumns(s, geometry.dates, h, frame.right);
}

// The non-working days' columns, from the header's date band to the last row (day mode only).
std::vector<QRect> ChartRenderer::HolidayColumns() const
{
    std::vector<QRect> columns;
    const DateScale& dates = geometry.dates;
    if (!dates.IsDayMode())
        return columns;
    const int top = frame.header.middle;
    const int bottom = geometry.rowTop[geometry.rowCount];
    const int w = dates.dayWidth;
    int x = 0;
    dates.DateToX(x, dates.firstDate.year, dates.firstDate.month, dates.firstDate.day);
    for (int n = 0; x + w < frame.right; x += w, ++n) {
        if (holidays.IsHoliday(n))
            columns.emplace_back(x, top, w, bottom - top);
    }
    return columns;
}

void ChartRenderer::DrawRows(Surface& s, int doc, int selectedRow)
{
    int first = 0;
    int last = 0;
    if (!geometry.DocumentRowRange(workspace, doc, first, last))
        return;
    int documentLast = last;
    for (int i = last + 1; i < workspace.VisibleRowCount(); ++i) {
        int rowDoc = -1;
        if (workspace.VisibleRowDocument(i, rowDoc) && rowDoc == doc)
            documentLast = i;
    }
    for (int i = first; i <= last; ++i)
        DrawRow(s, i, i == documentLast, i - geometry.firstRow == selectedRow);
}

void ChartRenderer::DrawRow(Surface& s, int flatRow, bool lastOfDocument, bool selected)
{
    const ProjectRow* row = workspace.RowAt(flatRow);
    if (!row)
        return;
    const int top = geometry.RowTop(flatRow);
    const int bottom = geometry.RowTop(flatRow + 1);
    // The layout runs on past the surface's bottom; nothing of those rows shows.
    if (top >= geometry.surfaceHeight)
        return;
    if (row->backColor != White)
        s.FillRect(frame.frameLeft, top + frame.fillTop, frame.right, bottom + frame.fillBottom,
                   row->backColor);
    const RowColumns& c = frame.columns;
    SelectFramePen(s);
    s.SelectFont(c.fontHeight, WeightNormal);
    s.SetTextColor(row->textColor);
    s.Segment(lastOfDocument ? frame.headerLeft : frame.frameLeft, bottom - 1, frame.ruleRight,
              bottom - 1);
    for (int x : {frame.frameLeft, c.personX, c.commentX, c.chartX})
        s.Segment(x, top, x, bottom - 1);
    if (frame.paper)
        s.Segment(frame.ruleRight, top, frame.ruleRight, bottom - 1);
    const int fold = frame.paper ? 0 : workspace.FoldState(flatRow);
    if (fold != 0) {
        s.Blit(FoldGlyphX(row->level), top + FoldGlyphTop, FoldGlyphSize, FoldGlyphSize,
               ViewBitmap("IDB_PLUS_MINUS"), fold == 1 ? 0 : FoldGlyphSize, 0);
    }
    DrawRowTexts(s, c, *row, top, bottom, selected);
    s.SetTextColor(0);
}

void ChartRenderer::DrawItems(Surface& s, int doc, ItemMonthIndex* months)
{
    SelectFramePen(s);
    s.SelectFont(frame.columns.fontHeight, WeightNormal);
    s.SetTextColor(0);
    if (workspace.DocumentKind(doc) == DocumentKind::Project)
        DrawProjectItems(s, doc, months);
    else
        DrawScheduleItems(s, doc);
}

void ChartRenderer::DrawProjectItems(Surface& s, int doc, ItemMonthIndex* months)
{
    int first = 0;
    int last = 0;
    if (!geometry.DocumentRowRange(workspace, doc, first, last))
        return;
    const Document& document = *workspace.Doc(doc);
    if (!months) {
        PageItemShapes shapes(workspace, geometry, s);
        for (int i = 0; i < document.ItemCount(); ++i) {
            const ChartItem* item = document.ItemPtr(i);
            if (item && item->state == ItemNormal)
                shapes.Draw(doc, *item);
        }
        return;
    }
    ItemShapes shapes(workspace, geometry, s);
    const VisibleRowMap rows(workspace, doc);
    ItemCulling culling(geometry, rows);
    const std::vector<ItemMonthIndex::Span>& spans = months->For(doc, document);
    for (int i = 0; i < document.ItemCount(); ++i) {
        if (culling.MonthsAway(spans[static_cast<std::size_t>(i)]))
            continue;
        const ChartItem* stored = document.ItemPtr(i);
        if (!stored || stored->state != ItemNormal)
            continue;
        const int row = rows.Find(stored->start.rowId);
        if (row < 0 || !culling.MayShow(*stored, row))
            continue;
        ChartItem item;
        CopyItem(item, *stored);
        shapes.DrawAtRow(doc, item, row);
    }
}

// The screen lists a schedule's entries from its first row, where hit testing finds their
// offsets; a page lists them once from the first of its rows there, keeping no offsets.
void ChartRenderer::DrawScheduleItems(Surface& s, int doc)
{
    if (geometry.zoom < ScheduleMinZoom)
        return;
    int first = FirstRowOf(workspace, doc);
    if (frame.paper) {
        int last = 0;
        if (!geometry.DocumentRowRange(workspace, doc, first, last))
            return;
    } else if (!geometry.LaidOut(first)) {
        return;
    }
    DrawScheduleEntries(s, workspace, geometry, doc, geometry.RowTop(first) + ScheduleCellInset,
                        !frame.paper);
}

void DrawDateColumns(Surface& s, const DateScale& dates, const HeaderLines& lines, int right)
{
    if (dates.IsDayMode())
        DrawDayColumns(s, dates, lines, right);
    else
        DrawMonthColumns(s, dates, lines, right);
}

void DrawRowTexts(Surface& s, const RowColumns& columns, const ProjectRow& row, int top,
                  int bottom, bool selected)
{
    const int nameLeft = columns.nameX + columns.levelIndent * (row.level + 1) + 4;
    if (selected)
        s.SelectFont(SelectedNameHeight, SelectedNameWeight);
    s.DrawWrapped(nameLeft, top + 2, columns.personX - 2, bottom - 3,
                  FieldText(row.name, sizeof row.name, true));
    s.SelectFont(columns.fontHeight, WeightNormal);
    s.DrawWrapped(columns.personX + 2, top + 2, columns.commentX - 2, bottom - 3,
                  FieldText(row.person, sizeof row.person, false));
    s.DrawWrapped(columns.commentX + 2, top + 2, columns.chartX - 2, bottom - 3,
                  FieldText(row.comment, sizeof row.comment, false));
}

}  // namespace td
