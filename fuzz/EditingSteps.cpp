#include "fuzz/EditingSteps.h"

#include "app/CommandId.h"
#include "calendar/Dates.h"
#include "fuzz/FuzzProperty.h"
#include "fuzz/StepTrace.h"

#include <QImage>

#include <array>
#include <span>

namespace td::fuzz {

namespace {

// Weighted by repetition: undo and paste are where the plan's history is tested.
constexpr std::array Commands = {
    CmdUndo, CmdUndo, CmdUndo, CmdRedo, CmdDelete, CmdCopy, CmdCut, CmdPaste, CmdPaste, CmdSave, CmdSaveAs,
    CmdNew, CmdOpen, CmdHolidays, CmdHelp, CmdZoomWider, CmdZoomNarrower,
    CmdRowUp, CmdRowDown, CmdRowOutdent, CmdRowIndent,
};
constexpr std::array Tools = {
    CmdToolSelect, CmdToolSelect, CmdToolTaskLine, CmdToolTaskBand, CmdToolEvent,
    CmdToolProgress, CmdToolLine, CmdToolTextBox, CmdToolSchedule,
};

}  // namespace

// Weighted by repetition, gestures first.
const EditingSteps::Action EditingSteps::Actions[] = {
    &EditingSteps::Gesture, &EditingSteps::Gesture, &EditingSteps::Gesture,
    &EditingSteps::ItemGesture, &EditingSteps::ItemGesture, &EditingSteps::ItemGesture,
    &EditingSteps::BoundaryGesture, &EditingSteps::FoldBoxClick,
    &EditingSteps::LonePress, &EditingSteps::LoneMove, &EditingSteps::LoneRelease, &EditingSteps::Hover,
    &EditingSteps::Command, &EditingSteps::Command, &EditingSteps::Command,
    &EditingSteps::Tool, &EditingSteps::Tool,
    &EditingSteps::RightClick, &EditingSteps::Wheel, &EditingSteps::ScrollBar, &EditingSteps::Resize,
    &EditingSteps::Escape, &EditingSteps::UndoAll, &EditingSteps::UndoRedo, &EditingSteps::CloseWindow,
};

EditingSteps::EditingSteps(FuzzInput& input, EditingSession& session) : input(input), session(session) { }

bool EditingSteps::Next()
{
    if (!closed)
        (this->*Actions[input.Below(std::size(Actions))])();
    return !closed;
}

void EditingSteps::Step(const std::function<void()>& call)
{
    if (closed)
        return;
    session.events = {};
    baselines.BeforeStep(session.workspace);
    const int undoGroup = session.workspace.Undo().Group();
    call();
    baselines.AfterStep(session.workspace, session.events);
    const UndoLog& log = session.workspace.Undo();
    Require(!(log.Group() > undoGroup && !session.events.redone) || log.RedoGroup() == 0,
            "a new change empties redo");
    Require(!session.events.pastedInto || log.RedoGroup() == 0, "a paste empties redo");
    const ChartView& view = session.view;
    Trace("  mode %d, %d selected, row %d of %d from %d, %d documents, undo group %d", view.Mode(),
          session.workspace.SelectionCount(), view.SelectedViewRow(), session.workspace.VisibleRowCount(),
          view.Layout().FirstRow(), session.workspace.DocumentCount(), session.workspace.Undo().Group());
    CheckAll();
    ++steps;
}

void EditingSteps::CheckAll()
{
    const Workspace& workspace = session.workspace;
    CheckRecords(workspace);
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
        CheckRoundTrip(*workspace.Doc(doc));
    CheckEditState(session.view, workspace);
}

void EditingSteps::UndoEverything()
{
    session.Escape();
    session.view.DropSelection();
    while (session.view.Undo()) {
    }
    const UndoLog& log = session.workspace.Undo();
    Require(log.Group() == 0 && log.Count() == 0, "undo empties the log");
    baselines.Check(session.workspace);
}

// Events and schedule entries are made by the press itself.
void EditingSteps::Press(int x, int y)
{
    Trace("press %d %d", x, y);
    Step([&] {
        creation.BeforePress(session.view, session.workspace, y);
        session.Press(x, y);
        creation.Check(session.workspace);
    });
}

void EditingSteps::Release(int x, int y)
{
    Trace("release %d %d", x, y);
    Step([&] {
        const bool creating = session.view.Mode() == Create;
        creation.BeforeRelease(session.workspace);
        session.Release(x, y);
        if (creating)
            creation.Check(session.workspace);
    });
}

void EditingSteps::Move(int x, int y)
{
    Trace("move %d %d", x, y);
    Step([&] { session.Move(true, x, y); });
}

void EditingSteps::Escape()
{
    Trace("escape");
    Step([&] { session.Escape(); });
}

void EditingSteps::UndoAll()
{
    Trace("undo everything");
    Step([&] { UndoEverything(); });
}

// Redo gives back exactly what Undo took, and an Undo after it takes the same group back again.
void EditingSteps::UndoRedo()
{
    Trace("undo, redo, undo");
    Step([&] {
        // The window runs no command under a drag.
        const std::vector<std::vector<uint8_t>> before = DocumentImages(session.workspace);
        if (session.view.Dragging() || !session.view.Undo())
            return;
        const std::vector<std::vector<uint8_t>> undone = DocumentImages(session.workspace);
        Require(session.view.Redo() == 1, "what was undone can be redone");
        session.events.redone = true;
        Require(DocumentImages(session.workspace) == before, "undo then redo gives back the same documents");
        Require(session.view.Undo() == 1 && DocumentImages(session.workspace) == undone,
                "an undo after a redo takes the same change back");
    });
}

// The release mostly comes where the moves ended, now and then somewhere else.
void EditingSteps::DragTo(int x, int y, int dx, int dy)
{
    Press(x, y);
    const int moves = input.Below(4);
    for (int n = 1; n <= moves; ++n)
        Move(x + dx * n / moves, y + dy * n / moves);
    if (input.OneIn(8))
        Release(PickX(), PickY());
    else
        Release(x + dx, y + dy);
}

void EditingSteps::Gesture()
{
    const int x = PickX();
    const int y = PickY();
    int dx = 0;
    int dy = 0;
    if (input.OneIn(2)) {
        dx = input.Between(-3, 3) * ColumnWidth() + input.Between(-4, 4);
        dy = input.Between(-3, 3) * LaneHeight + input.Between(-4, 4);
    } else if (input.OneIn(2)) {
        dx = PickX() - x;
        dy = PickY() - y;
    }
    DragTo(x, y, dx, dy);
}

// A press on an item's start, end or body, often after a click that selects it.
void EditingSteps::ItemGesture()
{
    int x = 0;
    int y = 0;
    if (!ItemPosition(x, y)) {
        Gesture();
        return;
    }
    if (input.OneIn(2)) {
        Press(x, y);
        Release(x, y);
    }
    DragTo(x, y, input.Between(-3, 3) * ColumnWidth() + input.Between(-3, 3),
           input.Between(-3, 3) * LaneHeight + input.Between(-3, 3));
}

void EditingSteps::BoundaryGesture()
{
    const ChartView& view = session.view;
    if (view.Layout().RowCount() == 0) {
        Gesture();
        return;
    }
    const int row = input.Below(view.Layout().RowCount());
    const int dy = input.OneIn(8) ? input.Between(-100, 6000) : input.Between(-60, 120);
    DragTo(input.Between(0, TimelineLeft - 1), view.Layout().RowTop(row + 1) + input.Between(-2, 2),
           input.Between(-10, 10), dy);
}

void EditingSteps::FoldBoxClick()
{
    const ChartView& view = session.view;
    if (view.Layout().RowCount() == 0)
        return;
    const int row = input.Below(view.Layout().RowCount());
    const ProjectRow* shown = session.workspace.RowAt(view.Layout().FirstRow() + row);
    const int x = FoldGlyphX(shown ? shown->level : 0) + input.Between(0, FoldGlyphSize);
    const int y = view.Layout().RowTop(row) + FoldGlyphTop + input.Between(0, FoldGlyphSize);
    Press(x, y);
    Release(x, y);
}

void EditingSteps::Hover()
{
    const int x = PickX();
    const int y = PickY();
    Trace("hover %d %d", x, y);
    Step([&] { session.Move(false, x, y); });
}

void EditingSteps::Command()
{
    const int id = input.Pick(Commands);
    Trace("command %d", id);
    Step([&] { session.RunCommand(id); });
}

void EditingSteps::Tool()
{
    const int id = input.Pick(Tools);
    Trace("tool %d", id);
    Step([&] { session.RunCommand(id); });
}

// Mostly on a row's columns or on an item, where the menus are.
void EditingSteps::RightClick()
{
    int x = 0;
    int y = 0;
    if (!input.OneIn(2) || !ItemPosition(x, y)) {
        x = input.OneIn(2) ? input.Between(0, TimelineLeft) : PickX();
        y = PickY();
    }
    Trace("right click %d %d", x, y);
    Step([&] { session.RightClick(x, y); });
}

void EditingSteps::Wheel()
{
    const int notches = input.Between(-3, 3);
    const int modifier = input.Below(3);
    Trace("wheel %d modifier %d", notches, modifier);
    Step([&] { session.Wheel(notches, modifier == 1, modifier == 2); });
}

void EditingSteps::ScrollBar()
{
    const bool vertical = input.OneIn(2);
    const ScrollInfo& bar = vertical ? session.view.VerticalScroll() : session.view.HorizontalScroll();
    const int code = input.Below(EndScroll + 1);
    int position = bar.position + input.Between(-100, 100);
    if (input.OneIn(2))
        position = input.Between(bar.min, std::max(bar.min, bar.max - bar.page + 1));
    else if (input.OneIn(4))
        position = static_cast<int16_t>(input.Word());
    Trace("scroll bar %s code %d position %d", vertical ? "vertical" : "horizontal", code, position);
    Step([&] { session.ScrollBar(vertical, code, position); });
}

// The window may draw the chart afresh at any moment (a resize, a scroll there and back): at
// rest, what it shows must be what a full redraw draws, at any device pixel ratio, with no trace
// of feedback left and nothing stale.
void EditingSteps::CheckPicture()
{
    ChartView& view = session.view;
    if (view.Dragging() || view.BackBuffer().isNull())
        return;
    const QImage shown = view.BackBuffer().copy();
    view.Redraw();
    Require(view.BackBuffer() == shown, "at rest the chart shows what a full redraw draws");
}

void EditingSteps::Resize()
{
    CheckPicture();
    const ChartView& view = session.view;
    const int slack = input.OneIn(8) ? 100 : 0;
    const int width = input.Between(0, view.Layout().BufferWidth() - BufferExtraWidth + slack);
    const int height = input.Between(0, view.Layout().BufferHeight() + slack);
    Trace("resize %d %d", width, height);
    Step([&] { session.Resize(width, height); });
}

// Rare: with every document clean the window closes at once.
void EditingSteps::CloseWindow()
{
    if (!input.OneIn(8))
        return;
    Trace("close window");
    Step([&] { closed = session.CloseWindow(); });
}

// Near the start, the end or the middle of an item, in its row and lane.
bool EditingSteps::ItemPosition(int& x, int& y)
{
    const Workspace& workspace = session.workspace;
    const ChartView& view = session.view;
    const int doc = input.Below(workspace.DocumentCount());
    const ChartItem* item = workspace.ItemPtr(doc, input.Below(workspace.ItemCount(doc)));
    if (!item)
        return false;
    const int part = input.Below(3);
    const ItemPoint& anchor = item->type == Line && part == 1 ? item->end : item->start;
    const int row = workspace.FindVisibleRow(doc, anchor.rowId) - view.Layout().FirstRow();
    if (row < 0 || row >= view.Layout().RowCount())
        return false;
    int start = 0;
    int end = 0;
    view.DateToXUnclamped(start, item->start.year, item->start.month, item->start.day);
    ItemPoint after = item->end;
    if (item->type != Line)
        StepDate(after.year, after.month, after.day, nullptr, 0, 1);
    view.DateToXUnclamped(end, after.year, after.month, after.day);
    if (item->type == TextBox)
        end = start + item->boxWidth;
    x = (part == 0 ? start : part == 1 ? end : start + (end - start) / 2) + input.Between(-3, 3);
    y = view.Layout().RowTop(row) + (item->type == Schedule ? anchor.lane : LaneHeight * anchor.lane)
        + input.Between(1, 18);
    return true;
}

int EditingSteps::PickX()
{
    const int width = session.view.Layout().BufferWidth();
    const std::array extremes = {-70000, -32768, -1, 0, 20, 21, 139, 140, 339, 340, 341, 347, 348,
                                 width - 11, width - 10, width - 1, width, 32767, 65535, 70000};
    switch (input.Below(8)) {
    case 3: lastX = input.Between(0, TimelineLeft); break;
    case 4: lastX = input.Pick(extremes); break;
    case 5: lastX = static_cast<int16_t>(input.Word()); break;
    case 6: lastX = input.Word(); break;
    case 7: lastX += input.Between(-40, 40); break;
    default: lastX = input.Between(TimelineFirstX, width + 40); break;
    }
    return lastX;
}

int EditingSteps::PickY()
{
    const ChartView& view = session.view;
    const int top = view.Layout().RowTop(0);
    const int bottom = view.Layout().RowTop(view.Layout().RowCount());
    const int height = view.Layout().BufferHeight();
    const std::array extremes = {-70000, -32768, -1, 0, 28, 64, top, top + 1, bottom - 1, bottom,
                                 height - 1, height, 32767, 65535, 70000};
    switch (input.Below(8)) {
    case 3: lastY = input.Between(0, top); break;
    case 4: lastY = input.Pick(extremes); break;
    case 5: lastY = static_cast<int16_t>(input.Word()); break;
    case 6: lastY = input.Between(0, height + 40); break;
    case 7: lastY += input.Between(-40, 40); break;
    default: lastY = bottom > top + 1 ? input.Between(top + 1, bottom - 1) : input.Between(0, height); break;
    }
    return lastY;
}

int EditingSteps::ColumnWidth() const
{
    const ChartLayout& layout = session.view.Layout();
    return layout.IsDayMode() ? layout.DayWidth() : layout.MonthWidth();
}

}  // namespace td::fuzz
