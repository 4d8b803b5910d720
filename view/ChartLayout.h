#pragma once

#include "model/Workspace.h"
#include "view/ChartGeometry.h"

#include <array>
#include <cstdint>

namespace td {

// Geometry of the chart, in buffer pixels.
inline constexpr int MarginRight = 20;
inline constexpr int ProjectColumnRight = 140;
inline constexpr int PersonColumnRight = 220;
inline constexpr int TimelineLeft = 340;
inline constexpr int TimelineFirstX = 341;
inline constexpr int HeaderTop = 28;
inline constexpr int HeaderMiddle = 46;
inline constexpr int HeaderBottom = 64;
inline constexpr int UpperLabelY = 31;
inline constexpr int LowerLabelY = 49;
inline constexpr int FirstRowTop = 65;
inline constexpr int LaneHeight = 20;
inline constexpr int RightClampMargin = 10;
inline constexpr int BufferExtraWidth = 320;
inline constexpr int MaxZoomLevel = 9;
inline constexpr int DefaultZoomLevel = 2;
inline constexpr int ScheduleZoomLevel = 8;

// A row's fold glyph sits in its name column, indented by the row's level.
inline constexpr int FoldGlyphSize = 9;
inline constexpr int FoldGlyphTop = 5;
inline constexpr int FoldGlyphX(int level) { return MarginRight + 3 + level * FoldGlyphSize; }

inline constexpr std::array<uint16_t, 10> MonthWidths = {20, 40, 80, 150, 300, 0, 0, 0, 0, 0};
inline constexpr std::array<uint16_t, 10> DayWidths = {0, 0, 0, 0, 0, 20, 40, 80, 160, 320};
inline constexpr std::array<uint16_t, 10> PageSteps = {512, 256, 128, 64, 32, 16, 8, 4, 2, 1};

// Where the screen's chart shows what: the zoom, the first date and row, the rows laid out
// from it and their tops, on a buffer of fixed size. Converts between pixels and dates, rows
// and lanes; everything a painter needs of it goes out as a ChartGeometry.
class ChartLayout {
public:
    ChartLayout(int bufferWidth, int bufferHeight, const DateTriple& firstDate);

    int Zoom() const { return zoomLevel; }
    // Clamped to the zoom levels there are.
    void SetZoom(int zoom);
    const DateTriple& FirstDate() const { return firstDate; }
    void SetFirstDate(const DateTriple& date) { firstDate = date; }
    // Moves the first date on by whole months and days (back for negative counts).
    void StepFirstDate(int months, int days);
    int FirstRow() const { return firstRow; }
    void SetFirstRow(int row) { firstRow = row; }
    // Lays the rows out from the first row down; the tops run on past the buffer's bottom.
    void LayOutRows(const Workspace& workspace);

    int BufferWidth() const { return bufferWidth; }
    int BufferHeight() const { return bufferHeight; }
    // The laid-out rows, counted from the first row; RowTop(RowCount()) is the last one's bottom.
    int RowCount() const { return rowCount; }
    int RowTop(int viewRow) const { return rowTop[viewRow]; }
    int RowsTop() const { return rowTop[0]; }
    int RowsBottom() const { return rowTop[rowCount]; }
    bool InsideRows(int y) const { return RowsTop() < y && y < RowsBottom(); }

    bool IsDayMode() const { return DayWidths[zoomLevel] != 0; }
    int DayWidth() const { return DayWidths[zoomLevel]; }
    int MonthWidth() const { return MonthWidths[zoomLevel]; }
    // Pixels per day.
    double Scale() const;
    // Linear, approximate day number in pixels, for the horizontal scroll bar.
    int DatePosition(int year, int month, int day, bool dayInMonthMode = false) const;

    int XToDate(int x, int& year, int& month, int& day) const;
    int DateToX(int& x, int year, int month, int day) const;
    void DateToXUnclamped(int& x, int year, int month, int day) const;
    int YToRowLane(int y, int& visibleRow, int& lane) const;

    DateScale Dates() const;
    // The layout as a value for the painters; valid until the next LayOutRows.
    ChartGeometry Geometry() const;

private:
    int bufferWidth;
    int bufferHeight;
    DateTriple firstDate;
    int zoomLevel = DefaultZoomLevel;
    int firstRow = 0;
    int rowCount = 1;
    // Sized for every row the flattened list can hold, so the layout never runs out of table.
    std::array<int32_t, MaxVisibleRows + 1> rowTop = {FirstRowTop};
};

}  // namespace td
