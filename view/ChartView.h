#pragma once

#include "model/DocumentRecords.h"
#include "model/Workspace.h"
#include "view/ChartGeometry.h"
#include "view/EditMode.h"
#include "view/ItemMonthIndex.h"
#include "view/Surface.h"
#include "view/ToolId.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>

namespace td {

class FormatDialogs;
class HolidayCalendar;
class SavePrompt;

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

inline constexpr std::array<uint16_t, 10> MonthWidths = {20, 40, 80, 150, 300, 0, 0, 0, 0, 0};
inline constexpr std::array<uint16_t, 10> DayWidths = {0, 0, 0, 0, 0, 20, 40, 80, 160, 320};
inline constexpr std::array<uint16_t, 10> PageSteps = {512, 256, 128, 64, 32, 16, 8, 4, 2, 1};

// The codes of a scroll request, valued as Win32's SB_LINEUP .. SB_ENDSCROLL.
enum ScrollCode : int32_t {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    ScrollTop = 6,
    ScrollBottom = 7,
    EndScroll = 8,
    LineLeft = LineUp,
    LineRight = LineDown,
    PageLeft = PageUp,
    PageRight = PageDown,
};

// What the main window shows on a scroll bar; positions are pixels of the full-length chart.
struct ScrollInfo {
    int32_t size = 28;
    int32_t mask = 0;
    int32_t min = 0;
    int32_t max = 0;
    int32_t page = 0;
    int32_t position = 0;
    int32_t trackPosition = 0;
};

struct OverlayRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// The chart area: view state, row layout, coordinate conversions and the back buffer every
// painter draws into. The window only ever copies from `backBuffer`.
// The pop-up a right click asks for.
enum class ContextMenu {
    None,
    Project,
    // The project menu over a schedule document: no sub-projects there.
    ScheduleProject,
    Task,
};

class ChartView {
public:
    // The buffers are (screenWidth + 320) x screenHeight, made on the first Resize or Redraw.
    ChartView(Workspace& workspace, HolidayCalendar& holidays, int screenWidth, int screenHeight);

    // The client area changed size; returns 1.
    int Resize(int clientWidth, int clientHeight);
    int Redraw();

    int XToDate(int x, int& year, int& month, int& day) const;
    int DateToX(int& x, int year, int month, int day) const;
    void DateToXUnclamped(int& x, int year, int month, int day) const;
    int YToRowLane(int y, int& visibleRow, int& lane) const;
    void GetView(int& zoom, int& year, int& month, int& day) const;
    // The current layout as a value for the painters; valid until the next Redraw.
    ChartGeometry Geometry() const;

    // Scrolling and zoom.
    int ChangeZoom(int step);
    int OnVScroll(int code, int position);
    // `position` is the thumb's track position for ThumbTrack.
    int OnHScroll(int code, int position);
    void UpdateVerticalScroll();
    void UpdateHorizontalScroll();

    // Shows the chart from `first` at `zoom` (the command line's view).
    void SetView(int zoom, const DateTriple& first);

    // Hit testing: the HitPart of `item` of document `doc` under a press at (x, y) in view row
    // `viewRow`, lane `lane`.
    int HitTestItem(int doc, int viewRow, int lane, int x, int y, const ChartItem& item) const;

    // Mouse editing with the left button; each returns 1 when the window must repaint.
    int OnButtonDown(int x, int y);
    int OnMouseMove(bool leftButtonHeld, int x, int y);
    int OnButtonUp(int x, int y);
    // A button is held in the chart: a create, resize, rubber band, move or stretch is under
    // way. Commands, scrolling and zooming wait for its release.
    bool Dragging() const { return editMode != Idle && editMode != Selected; }
    // Escape: ends the drag as if it never began, its feedback erased, the plan and the undo
    // log as they were before the press.
    int CancelDrag();
    void SelectTool(int tool) { currentTool = tool; }
    int CurrentTool() const { return currentTool; }
    // Null until the dialogs exist; every dialog then acts as cancelled.
    void SetDialogs(FormatDialogs* formatDialogs) { dialogs = formatDialogs; }

    // View commands; each returns 1 when the window must repaint.
    int Cut();
    int Copy();
    int Paste();
    int Delete();
    int DropSelection();
    int Undo();
    int ItemFormat();
    int HolidaySettings();
    int ProjectFormat();
    int MoveRow(int command);
    int AddSubProject();
    int DeleteSubProject();
    int CloseProject(SavePrompt& prompt);
    // A document of `kind` was created or opened (0: none was).
    int DocumentAdded(int kind);
    ContextMenu OnContextMenu(int x, int y);
    // What cut, copy, delete and the format commands repaint: the rows' band from x 340, or
    // from x 0, to the window's right edge.
    OverlayRect ChartRect(bool fromLeft) const;
    // The area changed since the last call: everything after a full redraw, else what the
    // overlay erased and drew; empty when nothing changed.
    OverlayRect TakeRepaintArea();

    bool IsDayMode() const { return DayWidths[zoomLevel] != 0; }
    int DayWidth() const { return DayWidths[zoomLevel]; }
    int MonthWidth() const { return MonthWidths[zoomLevel]; }
    const QImage& BackBuffer() const { return backBuffer; }
    // The first and last flattened rows of a document clipped to the laid-out rows; false when
    // none of its rows is laid out.
    bool DocumentRowRange(int doc, int& first, int& last) const;
    // Height in pixels of a flattened row (20 per lane), 0 for an index outside the list.
    int RowHeight(int visibleRow) const;

    // Item painters, called by Redraw for each document after its row column.
    int DrawProjectItems(int doc);
    int DrawScheduleItems(int doc);
    static int FormatTime(int hour, int minute, char* text);
    // Drag feedback on top of the finished chart (also run at the end of every Redraw).
    void DrawOverlay();

    // Schedule painter and selection overlay.
    // FormatTime writes at most this many bytes, the terminating NUL included.
    static constexpr int TimeTextSize = 6;
    // The ends of a Line item's connector clipped to the rows area as the chart draws it;
    // false when the connector is not shown.
    bool LineConnector(int doc, const ChartItem& item, int& xa, int& ya, int& xb, int& yb) const;

    // Project item painter.
    // Draws one project item of document `doc` in its chart shape, whatever its selection
    // state, shifted by (dx, dy) pixels; nothing when its row or lane is not shown.
    void DrawProjectItem(Surface& s, int doc, const ChartItem& item, int dx = 0, int dy = 0);

    Workspace& workspace;
    HolidayCalendar& holidays;

    QImage backBuffer;
    int32_t bufferHeight = 0;
    int32_t bufferWidth = 0;
    // Clean copy of the last full redraw, which the overlay restores its feedback from.
    QImage scratchBuffer;
    DateTriple firstDate;
    int32_t zoomLevel = DefaultZoomLevel;
    int32_t overlaySaved = 0;
    OverlayRect overlayRect;
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    int32_t downX = 0;
    int32_t downY = 0;
    int32_t upX = 0;
    int32_t upY = 0;
    int32_t editMode = 0;
    int32_t selectedViewRow = 0;
    int32_t firstRow = 0;
    int32_t viewRowCount = 1;
    // Sized for every row the flattened list can hold, so the layout never runs out of table.
    std::array<int32_t, MaxVisibleRows + 1> rowTop = {FirstRowTop};
    std::array<int32_t, MaxVisibleRows> glyphX = {};
    ScrollInfo vScroll;
    ScrollInfo hScroll;
    // The toolbar's current tool, a ToolId value.
    int32_t currentTool = ToolId::Select;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;

    // Open only while Redraw paints the chart; the item painters draw through it.
    std::optional<Surface> surface;

private:
    int RowBoundaryAt(int x, int y) const;
    int HitTestLine(int doc, int viewRow, int lane, int x, int y, const ChartItem& item) const;
    int HitTestTextBox(int doc, int viewRow, int x, int y, const ChartItem& item) const;
    bool OnFoldBox(int viewRow, int x, int y) const;
    int Press(int x, int y);
    int SelectionClick(int doc, int x, int y);
    int PressWithTool(int doc, int x, int y);
    void ToggleFold(int viewRow);
    void CreateEvent(int x, int y);
    void CreateScheduleEntry(int x);
    int FinishCreate();
    void CreateTask(int type, int minX, int maxX);
    void CreateLine();
    void CreateTextBox(int minX, int maxX, int minY, int maxY);
    int FinishRowResize();
    int FinishRubberBand();
    int FinishMove();
    int FinishStretch();
    bool StretchItem(int doc, ChartItem& item) const;
    bool StretchLine(int doc, ItemPoint& moved) const;
    void StretchTextBox(ChartItem& item) const;
    int RowUnderLastPress() const;
    int DialogResult(int (FormatDialogs::*open)()) const;
    bool InsideRows(int y) const { return rowTop[0] < y && y < rowTop[viewRowCount]; }
    // Selected while items are selected, else Idle: an edit may take the last selected item away.
    int ModeOfSelection() const { return workspace.SelectionCount() > 0 ? Selected : Idle; }
    void AddDamage(const OverlayRect& area);

    FormatDialogs* dialogs = nullptr;
    // From a press to its release; a cancelled press ignores the rest of its drag.
    enum class PressState { None, Held, Cancelled } press = PressState::None;
    // Accumulated by the overlay and Redraw, handed out by TakeRepaintArea.
    OverlayRect damage;
    ItemMonthIndex itemMonths;

    void EnsureBuffers();
    // Lets go of a clean copy that still shares the back buffer's pixels, so that a redraw
    // paints them without copying them first.
    void ReleaseSharedCleanCopy();
    void DrawHeader(Surface& s);
    void LayOutRows();
    void TintHolidays(Surface& s);
    void DrawRowColumn(Surface& s, int doc);
    void DrawRow(Surface& s, int visibleRow, bool lastOfDocument);
    int DatePosition(int year, int month, int day, bool dayInMonthMode = false) const;
    double Scale() const;
    DateScale Dates() const;
};

}  // namespace td
