#pragma once

#include "model/Workspace.h"
#include "view/ChartGeometry.h"
#include "view/Surface.h"

namespace td {

// Entries are listed only where a day column is at least 80 pixels wide.
inline constexpr int ScheduleMinZoom = 7;
// A day's cell starts this far below its row's top and inside its column.
inline constexpr int ScheduleCellInset = 2;

// FormatTime writes at most this many bytes, the terminating NUL included.
inline constexpr int TimeTextSize = 6;
// An entry's time as "H:MM"; the number of characters, 0 (and an empty text) for a time out of
// range.
int FormatTime(int hour, int minute, char* text);

// Draws the entries of schedule document `doc` as per-day lists, each day's cell starting at
// `cellTop`; entries whose row is not laid out are left out. With `keepOffsets` every entry
// placed gets the pixel offsets of its block in its lane bytes, where hit testing reads them.
void DrawScheduleEntries(Surface& s, Workspace& workspace, const ChartGeometry& geometry, int doc,
                         int cellTop, bool keepOffsets);

}  // namespace td
