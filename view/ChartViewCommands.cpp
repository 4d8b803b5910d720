#include "calendar/HolidayCalendar.h"
#include "model/SavePrompt.h"
#include "view/ChartView.h"
#include "view/FormatDialogs.h"

#include <algorithm>

namespace td {

int ChartView::DialogResult(int (FormatDialogs::*open)()) const
{
    return dialogs ? (dialogs->*open)() : DialogCancel;
}

int ChartView::Cut()
{
    if (Mode() != Selected || !workspace.CopySelection())
        return 0;
    workspace.DeleteSelectedItems(true, true);
    return Settle(Idle);
}

int ChartView::Copy()
{
    if (Mode() != Selected || !workspace.CopySelection())
        return 0;
    workspace.ClearSelection();
    return Settle(Idle);
}

int ChartView::Paste()
{
    if (!workspace.PasteClipboard(layout.FirstRow() + selectedViewRow))
        return 0;
    return Settle(ModeOfSelection(workspace));
}

int ChartView::Delete()
{
    if (Mode() != Selected || !workspace.DeleteSelectedItems(true, true))
        return 0;
    return Settle(Idle);
}

int ChartView::DropSelection()
{
    if (Mode() != Selected)
        return 0;
    workspace.ClearSelection();
    return Settle(Idle);
}

// With nothing to undo the selection stays as it is: dropping it here would leave the chart
// drawing items as selected that no longer are.
int ChartView::Undo()
{
    if (workspace.Undo().Group() == 0)
        return 0;
    workspace.UndoLast();
    // An undone sub-project may take away the row the view starts at.
    UpdateVerticalScroll();
    return Settle(Idle);
}

int ChartView::Redo()
{
    if (workspace.Undo().RedoGroup() == 0 || !workspace.RedoLast())
        return 0;
    UpdateVerticalScroll();
    return Settle(Idle);
}

int ChartView::ItemFormat()
{
    ChartItem item;
    int row = 0;
    if (!workspace.GetSelectedItemRow(0, item, row))
        return 0;
    const auto dialog = item.type == Schedule ? &FormatDialogs::ScheduleFormat : &FormatDialogs::TaskFormat;
    if (DialogResult(dialog) != DialogOk)
        return 0;
    Redraw();
    return 1;
}

int ChartView::HolidaySettings()
{
    if (DialogResult(&FormatDialogs::HolidaySettings) != DialogOk)
        return 0;
    holidays.ReloadHolidays();
    Redraw();
    return 1;
}

int ChartView::ProjectFormat()
{
    const int row = RowUnderLastPress();
    if (row < 0)
        return 0;
    workspace.SelectRow(layout.FirstRow() + row);
    if (DialogResult(&FormatDialogs::ProjectFormat) != DialogOk)
        return 0;
    Redraw();
    return 1;
}

int ChartView::MoveRow(int command)
{
    int delta = 0;
    if (!workspace.MoveRow(layout.FirstRow() + selectedViewRow, command, delta))
        return 0;
    selectedViewRow += delta;
    Redraw();
    return 1;
}

int ChartView::AddSubProject()
{
    const int row = RowUnderLastPress();
    if (row < 0 || !workspace.AddSubProject(layout.FirstRow() + row))
        return 0;
    UpdateVerticalScroll();
    Redraw();
    return 1;
}

int ChartView::DeleteSubProject()
{
    if (!workspace.DeleteSubProject(layout.FirstRow() + selectedViewRow))
        return 0;
    // The selected items on the row leave with it.
    if (Mode() == Selected)
        SetRest(ModeOfSelection(workspace));
    UpdateVerticalScroll();
    Redraw();
    return 1;
}

int ChartView::CloseProject(SavePrompt& prompt)
{
    const int row = RowUnderLastPress();
    if (row < 0 || !workspace.CloseDocument(layout.FirstRow() + row, prompt))
        return 0;
    // The selection leaves with its document.
    if (Mode() == Selected)
        SetRest(ModeOfSelection(workspace));
    UpdateVerticalScroll();
    Redraw();
    return 1;
}

int ChartView::DocumentAdded(int kind)
{
    if (kind == 0)
        return 0;
    if (kind == DocumentKind::Schedule && layout.Zoom() < ScheduleZoomLevel)
        layout.SetZoom(ScheduleZoomLevel);
    UpdateVerticalScroll();
    UpdateHorizontalScroll();
    Redraw();
    return 1;
}

void ChartView::SetView(int zoom, const DateTriple& first)
{
    layout.SetZoom(zoom);
    layout.SetFirstDate(first);
    UpdateHorizontalScroll();
    Redraw();
}

void ChartView::ScrollToRow(int row)
{
    layout.SetFirstRow(std::max(0, row));
    UpdateVerticalScroll();
    Redraw();
}

int ChartView::RowUnderLastPress() const
{
    for (int i = 0; i < layout.RowCount(); ++i) {
        if (downY <= layout.RowTop(i + 1))
            return i;
    }
    return -1;
}

ContextMenu ChartView::OnContextMenu(int x, int y)
{
    downX = x;
    downY = y;
    int row = 0;
    int lane = 0;
    int doc = 0;
    if (!YToRowLane(y, row, lane) || !workspace.VisibleRowDocument(layout.FirstRow() + row, doc))
        return ContextMenu::None;
    if (x <= TimelineLeft)
        return workspace.DocumentKind(doc) == DocumentKind::Schedule ? ContextMenu::ScheduleProject
                                                                     : ContextMenu::Project;
    if (Mode() != Selected)
        return ContextMenu::None;
    ChartItem item;
    for (int n = 0; workspace.GetSelectedItem(doc, n, item); ++n) {
        if (HitTestItem(doc, row, lane, x, y, item) != HitNone)
            return ContextMenu::Task;
    }
    return ContextMenu::None;
}

}  // namespace td
