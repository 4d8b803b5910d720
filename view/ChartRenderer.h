#pragma once

#include "calendar/HolidayDays.h"
#include "model/Workspace.h"
#include "view/ChartGeometry.h"
#include "view/ItemMonthIndex.h"
#include "view/Surface.h"

namespace td {

// The header's three rules and the inset of its labels from a column's corner.
struct HeaderLines {
    int top = 0;
    int middle = 0;
    int bottom = 0;
    int labelInset = 0;
};

// The left borders of the row column's fields and the font of their texts.
struct RowColumns {
    int nameX = 0;  // a name's base x before its level indent
    int levelIndent = 0;
    int personX = 0;
    int commentX = 0;
    int chartX = 0;
    int fontHeight = 0;
};

// Where the chart's frame lies on one surface: the screen's buffer, or a printed page whose
// lengths are the screen's scaled once.
struct ChartFrame {
    HeaderLines header;
    RowColumns columns;
    int headerLeft = 0;  // the header's rules, and a document's last row rule, start here
    int frameLeft = 0;   // the row column's left rule
    int ruleRight = 0;   // the last x of a rule
    int right = 0;       // fills reach it; date columns end before it
    // Rows are filled from their top plus fillTop down to their bottom plus fillBottom.
    int fillTop = 0;
    int fillBottom = 0;
    // Paper: rules of the page's pen width, a rule closing the right, no fold glyphs and no
    // selection, the holiday tint laid over the row fills rather than under them, and the items
    // drawn after every row.
    bool paper = false;
};

// The chart on the screen's buffer, with the view's layout of today's window.
ChartFrame ScreenFrame(int bufferWidth);
// The screen's frame on a page whose frame starts at (left, top) and ends at `right`, every
// length multiplied by `scale`.
ChartFrame PageFrame(int left, int top, int right, double scale);

// Draws the chart: header, row column, holiday tint and the items of every document, onto a
// surface, placed by a geometry and a frame. The screen and the printed page are both drawn by
// it; the holidays are asked before painting.
class ChartRenderer {
public:
    ChartRenderer(Workspace& workspace, const ChartGeometry& geometry, const ChartFrame& frame,
                  const HolidayDays& holidays);

    // `selectedRow` is the view row drawn in bold (none on paper); `months` spares the screen
    // reading the records of items months away from the view.
    void Draw(Surface& s, int selectedRow = -1, ItemMonthIndex* months = nullptr);

private:
    void SelectFramePen(Surface& s) const;
    void DrawHeader(Surface& s);
    std::vector<QRect> HolidayColumns() const;
    void DrawRows(Surface& s, int doc, int selectedRow);
    void DrawRow(Surface& s, int flatRow, bool lastOfDocument, bool selected);
    void DrawItems(Surface& s, int doc, ItemMonthIndex* months);
    void DrawProjectItems(Surface& s, int doc, ItemMonthIndex* months);
    void DrawScheduleItems(Surface& s, int doc);

    Workspace& workspace;
    const ChartGeometry& geometry;
    const ChartFrame& frame;
    const HolidayDays& holidays;
};

// The header's date columns, from the timeline's origin while a column ends left of `right`:
// day numbers under year/month (day mode) or month numbers under the year (month mode).
void DrawDateColumns(Surface& s, const DateScale& dates, const HeaderLines& lines, int right);
// A row's name, person and comment, word-wrapped in their fields; the selected row's name bold.
void DrawRowTexts(Surface& s, const RowColumns& columns, const ProjectRow& row, int top,
                  int bottom, bool selected);
// The number of day columns a timeline shows left of `right`.
int DayColumnCount(const DateScale& dates, int right);

}  // namespace td
