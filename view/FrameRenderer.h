#pragma once

#include "model/DocumentRecords.h"
#include "view/ChartGeometry.h"
#include "view/Surface.h"

namespace td {

class HolidayCalendar;

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

// The header's date columns, from the timeline's origin while a column ends left of `right`:
// day numbers under year/month (day mode) or month numbers under the year (month mode).
void DrawDateColumns(Surface& s, const DateScale& dates, const HeaderLines& lines, int right);
// Darkens the non-working days' columns from `top` to `bottom` (day mode only).
void TintHolidayColumns(Surface& s, const DateScale& dates, HolidayCalendar& holidays,
                        int right, int top, int bottom);
// A row's name, person and comment, word-wrapped in their fields; the selected row's name bold.
void DrawRowTexts(Surface& s, const RowColumns& columns, const ProjectRow& row, int top,
                  int bottom, bool selected);

}  // namespace td
