#pragma once

#include "model/DocumentRecords.h"
#include "model/Workspace.h"
#include "view/ChartGeometry.h"
#include "view/ChartLayout.h"
#include "view/EditMode.h"
#include "view/ItemMonthIndex.h"
#include "view/Surface.h"
#include "view/modes/EditState.h"
#include "view/modes/Feedback.h"
#include "view/ToolId.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <memory>

namespace td {

class FormatDialogs;
class HolidayCalendar;
class SavePrompt;

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
    int32_t min = 0;
    int32_t max = 0;
    int32_t page = 0;
    int32_t position = 0;
};


// The pop-up a right click asks for.
enum class ContextMenu {
    None,
    Project,
    // The project menu over a schedule document: no sub-projects there.
    ScheduleProject,
    Task,
};

// The chart area as the window sees it: the layout of what shows, the back buffer every
// painter draws into, the mouse editing under way, and the commands that act on the chart.
// The window only ever copies from the back buffer.
class ChartView {
public:
    // The buffers are (screenWidth + 320) x screenHeight, made on the first Resize or Redraw.
    ChartView(Workspace& workspace, HolidayCalendar& holidays, int screenWidth, int screenHeight);
    ~ChartView();
    ChartView(const ChartView&) = delete;
    ChartView& operator=(const ChartView&) = delete;

    // The client area changed size; returns 1.
    int Resize(int clientWidth, int clientHeight);
    int Redraw();
    const ChartLayout& Layout() const { return layout; }
    // The screen's device pixel ratio: the back buffer holds device pixels, everything else
    // stays in logical pixels. A new ratio draws the chart again when it was drawn already.
    void SetDeviceScale(double ratio);
    const DeviceScale& Pixels() const { return pixels; }

    int XToDate(int x, int& year, int& month, int& day) const;
    int DateToX(int& x, int year, int month, int day) const;
    void DateToXUnclamped(int& x, int year, int month, int day) const;
    int YToRowLane(int y, int& visibleRow, int& lane) const;
    void GetView(int& zoom, int& year, int& month, int& day) const;
    // The current layout as a value for the painters; valid until the next Redraw.
    ChartGeometry Geometry() const { return layout.Geometry(); }

    // Scrolling and zoom.
    int ChangeZoom(int step);
    int OnVScroll(int code, int position);
    // `position` is the thumb's track position for ThumbTrack.
    int OnHScroll(int code, int position);
    void UpdateVerticalScroll();
    void UpdateHorizontalScroll();
    const ScrollInfo& VerticalScroll() const { return vScroll; }
    const ScrollInfo& HorizontalScroll() const { return hScroll; }

    // Shows the chart from `first` at `zoom` (the command line's view).
    void SetView(int zoom, const DateTriple& first);
    // Shows the rows from flattened row `row` on, as far as there are rows.
    void ScrollToRow(int row);

    // Hit testing: the HitPart of `item` of document `doc` under a press at (x, y) in view row
    // `viewRow`, lane `lane`.
    int HitTestItem(int doc, int viewRow, int lane, int x, int y, const ChartItem& item) const;

    // Mouse editing with the left button; each returns 1 when the window must repaint.
    int OnButtonDown(int x, int y);
    int OnMouseMove(bool leftButtonHeld, int x, int y);
    int OnButtonUp(int x, int y);
    // A button is held in the chart: a create, resize, rubber band, move or stretch is under
    // way. Commands, scrolling and zooming wait for its release.
    bool Dragging() const { return drag != nullptr; }
    // Escape: ends the drag as if it never began, its feedback erased, the plan and the undo
    // log as they were before the press.
    int CancelDrag();
    EditMode Mode() const;
    // The view row of the last press, whose name is drawn bold.
    int SelectedViewRow() const { return selectedViewRow; }
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
    int Redo();
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

    const QImage& BackBuffer() const { return backBuffer; }
    // Copies the logical `area` of the back buffer to a painter on the screen, pixel for pixel
    // at the screen's device pixel ratio.
    void PaintArea(QPainter& painter, const QRect& area) const;
    // Height in pixels of a flattened row (20 per lane), 0 for an index outside the list.
    int RowHeight(int visibleRow) const;


private:
    int Press(int x, int y);
    int PressOnRowBoundary(int viewRow, int y);
    int PressOutsideRows();
    int SelectionClick(int doc, int x, int y);
    int PressWithTool(int doc, int x, int y);
    int PressOnSelection(int doc, int lane, int x, int y);
    void StartDrag(std::unique_ptr<EditState> state);
    int EndDrag(const DragOutcome& end);
    // Ends any drag and rests in `mode`, as a command that changed the selection does.
    void SetRest(EditMode mode);
    // Same, and the chart is drawn again; returns 1.
    int Settle(EditMode mode);
    void ToggleFold(int viewRow);
    void CreateEvent(int x, int y);
    void CreateScheduleEntry(int x);
    int RowUnderLastPress() const;
    int DialogResult(int (FormatDialogs::*open)()) const;
    EditContext Context() { return {workspace, layout}; }

    // Drag feedback on top of the finished chart (also run at the end of every Redraw).
    void DrawOverlay();
    void AddDamage(const OverlayRect& area);
    void EnsureBuffers();
    // Lets go of a clean copy that still shares the back buffer's pixels, so that a redraw
    // paints them without copying them first.
    void ReleaseSharedCleanCopy();


    Workspace& workspace;
    HolidayCalendar& holidays;
    FormatDialogs* dialogs = nullptr;
    ChartLayout layout;

    DeviceScale pixels;
    QImage backBuffer;
    // The last full redraw, which the overlay restores its feedback from.
    QImage cleanCopy;
    bool overlaySaved = false;
    OverlayRect overlayRect;
    // Accumulated by the overlay and Redraw, handed out by TakeRepaintArea.
    OverlayRect damage;
    ItemMonthIndex itemMonths;

    ScrollInfo vScroll;
    ScrollInfo hScroll;
    int clientWidth = 0;
    int clientHeight = 0;

    int currentTool = ToolId::Select;
    int selectedViewRow = 0;
    // The last press (or right click), which the row commands and a pick-up move start from.
    int downX = 0;
    int downY = 0;
    // Idle or Selected while no drag is under way.
    EditMode rest = Idle;
    std::unique_ptr<EditState> drag;
    // From a press to its release; a cancelled press ignores the rest of its drag.
    enum class PressState { None, Held, Cancelled } press = PressState::None;
};

}  // namespace td
