#include "calendar/Dates.h"
#include "calendar/HolidayCalendar.h"
#include "model/AttributeValues.h"
#include "view/ChartView.h"
#include "view/FrameRenderer.h"
#include "view/ShiftJis.h"
#include "view/ViewBitmaps.h"

#include <QImage>

namespace td {

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t HolidayTint = 0xFF7FFF;  // RGB (255, 127, 255)
constexpr int RowFontHeight = 14;
constexpr int SelectedNameHeight = 15;
constexpr int SelectedNameWeight = 600;
constexpr int LabelInset = 3;
constexpr RowColumns ScreenColumns = {MarginRight + LabelInset, FoldGlyphSize, ProjectColumnRight,
                                      PersonColumnRight, TimelineLeft, RowFontHeight};

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

}  // namespace

int ChartView::Redraw()
{
    EnsureBuffers();
    ReleaseSharedCleanCopy();
    Surface::BeginChartPass();
    {
        Surface s(backBuffer);
        s.FillRect(0, 0, layout.BufferWidth(), layout.BufferHeight(), White);
        DrawHeader(s);
        layout.LayOutRows(workspace);
        TintHolidays(s);
        for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
            DrawRowColumn(s, doc);
            s.SelectBlackPen();
            s.SelectFont(RowFontHeight, 400);
            s.SetTextColor(0);
            if (workspace.DocumentKind(doc) == DocumentKind::Project)
                DrawProjectItems(s, doc);
            else
                DrawScheduleItems(s, doc);
        }
    }
    overlaySaved = false;
    DrawOverlay();
    return 1;
}

void ChartView::DrawHeader(Surface& s)
{
    s.SelectBlackPen();
    s.SelectFont(RowFontHeight, 400);
    s.SetTextColor(0);
    const int right = layout.BufferWidth();
    s.Segment(0, HeaderTop, right - 1, HeaderTop);
    s.Segment(TimelineLeft, HeaderMiddle, right - 1, HeaderMiddle);
    s.Segment(0, HeaderBottom, right - 1, HeaderBottom);
    for (int x : {MarginRight, ProjectColumnRight, PersonColumnRight, TimelineLeft})
        s.Segment(x, HeaderTop, x, HeaderBottom);
    s.TextOut(MarginRight + 3, LowerLabelY, QStringLiteral("プロジェクト"));
    s.TextOut(ProjectColumnRight + 3, LowerLabelY, QStringLiteral("担当"));
    s.TextOut(PersonColumnRight + 3, LowerLabelY, QStringLiteral("コメント"));
    DrawDateColumns(s, layout.Dates(), {HeaderTop, HeaderMiddle, HeaderBottom, LabelInset}, right);
}

namespace {

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

}  // namespace

void DrawDateColumns(Surface& s, const DateScale& dates, const HeaderLines& lines, int right)
{
    if (dates.IsDayMode())
        DrawDayColumns(s, dates, lines, right);
    else
        DrawMonthColumns(s, dates, lines, right);
}

void TintHolidayColumns(Surface& s, const DateScale& dates, HolidayCalendar& holidays,
                        int right, int top, int bottom)
{
    if (!dates.IsDayMode())
        return;
    QImage tint(1, 1, QImage::Format_RGB32);
    tint.setPixelColor(0, 0, Surface::ToQColor(HolidayTint));
    const int w = dates.dayWidth;
    int year = dates.firstDate.year;
    int month = dates.firstDate.month;
    int day = dates.firstDate.day;
    int x = 0;
    dates.DateToX(x, year, month, day);
    for (; x + w < right; x += w) {
        if (holidays.IsHoliday(year, month, day))
            s.Stretch(x, top, w, bottom - top, tint, 0, 0, 1, 1, BlitOp::And);
        StepDate(year, month, day, nullptr, 0, 1);
    }
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

void ChartView::TintHolidays(Surface& s)
{
    TintHolidayColumns(s, layout.Dates(), holidays, layout.BufferWidth(), HeaderMiddle,
                       layout.RowsBottom());
}

void ChartView::DrawRowColumn(Surface& s, int doc)
{
    int first = 0;
    int last = 0;
    if (!DocumentRowRange(doc, first, last))
        return;
    int documentLast = last;
    for (int i = last + 1; i < workspace.VisibleRowCount(); ++i) {
        int rowDoc = -1;
        if (workspace.VisibleRowDocument(i, rowDoc) && rowDoc == doc)
            documentLast = i;
    }
    for (int i = first; i <= last; ++i)
        DrawRow(s, i, i == documentLast);
}

void ChartView::DrawRow(Surface& s, int visibleRow, bool lastOfDocument)
{
    const ProjectRow* row = workspace.RowAt(visibleRow);
    if (!row)
        return;
    const int k = visibleRow - layout.FirstRow();
    const int top = layout.RowTop(k);
    const int bottom = layout.RowTop(k + 1);
    const int right = layout.BufferWidth();
    // The layout runs on past the buffer's bottom; nothing of those rows shows.
    if (top >= layout.BufferHeight())
        return;
    if (row->backColor != White)
        s.FillRect(MarginRight, top, right, bottom - 1, row->backColor);

    s.SelectBlackPen();
    s.SelectFont(RowFontHeight, 400);
    s.SetTextColor(row->textColor);
    s.Segment(lastOfDocument ? 0 : MarginRight, bottom - 1, right - 1, bottom - 1);
    s.Segment(MarginRight, top, MarginRight, bottom - 1);

    const int fold = workspace.FoldState(visibleRow);
    if (fold != 0) {
        s.Blit(FoldGlyphX(row->level), top + FoldGlyphTop, FoldGlyphSize, FoldGlyphSize,
               ViewBitmap("IDB_PLUS_MINUS"), fold == 1 ? 0 : FoldGlyphSize, 0);
    }

    DrawRowTexts(s, ScreenColumns, *row, top, bottom, k == selectedViewRow);
    s.Segment(ProjectColumnRight, top, ProjectColumnRight, bottom - 1);
    s.Segment(PersonColumnRight, top, PersonColumnRight, bottom - 1);
    s.Segment(TimelineLeft, top, TimelineLeft, bottom - 1);
    s.SetTextColor(0);
}

}  // namespace td
