#include "calendar/HolidayCalendar.h"
#include "model/SavePrompt.h"
#include "view/ChartView.h"
#include "view/EditMode.h"
#include "view/FormatDialogs.h"

#include <algorithm>

namespace td {

int ChartView::DialogResult(int (FormatDialogs::*open)()) const
{
    return dialogs ? (dialogs->*open)() : DialogCancel;
}

int ChartView::Cut()
{
    if (editMode != Selected || !workspace.CopySelection())
        return 0;
    workspace.DeleteSelectedItems(true, true);
    editMode = Idle;
    Redraw();
    return 1;
}

int ChartView::Copy()
{
    if (editMode != Selected || !workspace.CopySelection())
        return 0;
    workspace.ClearSelection();
    editMode = Idle;
    Redraw();
    return 1;
}

int ChartView::Paste()
{
    if (!workspace.PasteClipboard(firstRow + selectedViewRow))
        return 0;
    editMode = ModeOfSelection();
    Redraw();
    return 1;
}

int ChartView::Delete()
{
    if (editMode != Selected || !workspace.DeleteSelectedItems(true, true))
        return 0;
    editMode = Idle;
    Redraw();
    return 1;
}

int ChartView::DropSelection()
{
    if (editMode != Selected)
        return 0;
    workspace.ClearSelection();
    editMode = Idle;
    Redraw();
    return 1;
}

// With nothing to undo the selection stays as it is: dropping it here would leave the chart
// drawing items as selected that no longer are.
int ChartView::Undo()
{
    if (workspace.Undo().Group() == 0)
        return 0;
    workspace.UndoLast();
    editMode = Idle;
    // An undone sub-project may take away the row the view starts at.
    UpdateVerticalScroll();
    Redraw();
    return 1;
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
    workspace.SelectRow(firstRow + row);
    if (DialogResult(&FormatDialogs::ProjectFormat) != DialogOk)
        return 0;
    Redraw();
    return 1;
}

int ChartView::MoveRow(int command)
{
    int delta = 0;
    if (!workspace.MoveRow(firstRow + selectedViewRow, command, delta))
        return 0;
    selectedViewRow += delta;
    Redraw();
    return 1;
}

int ChartView::AddSubProject()
{
    const int row = RowUnderLastPress();
    if (row < 0 || !workspace.AddSubProject(firstRow + row))
        return 0;
    UpdateVerticalScroll();
    Redraw();
    return 1;
}

int ChartView::DeleteSubProject()
{
    if (!workspace.DeleteSubProject(firstRow + selectedViewRow))
        return 0;
    // The selected items on the row leave with it.
    if (editMode == Selected)
        editMode = ModeOfSelection();
    UpdateVerticalScroll();
    Redraw();
    return 1;
}

int ChartView::CloseProject(SavePrompt& prompt)
{
    const int row = RowUnderLastPress();
    if (row < 0 || !workspace.CloseDocument(firstRow + row, prompt))
        return 0;
    // The selection leaves with its document.
    if (editMode == Selected)
        editMode = ModeOfSelection();
    UpdateVerticalScroll();
    Redraw();
    return 1;
}

int ChartView::DocumentAdded(int kind)
{
    if (kind == 0)
        return 0;
    if (kind == DocumentKind::Schedule && zoomLevel < ScheduleZoomLevel)
        zoomLevel = ScheduleZoomLevel;
    UpdateVerticalScroll();
    UpdateHorizontalScroll();
    Redraw();
    return 1;
}

void ChartView::SetView(int zoom, const DateTriple& first)
{
    zoomLevel = std::clamp(zoom, 0, MaxZoomLevel);
    firstDate = first;
    UpdateHorizontalScroll();
    Redraw();
}

int ChartView::RowUnderLastPress() const
{
    for (int i = 0; i < viewRowCount; ++i) {
        if (downY <= rowTop[i + 1])
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
    if (!YToRowLane(y, row, lane) || !workspace.VisibleRowDocument(firstRow + row, doc))
        return ContextMenu::None;
    if (x <= TimelineLeft)
        return workspace.DocumentKind(doc) == DocumentKind::Schedule ? ContextMenu::ScheduleProject
                                                                     : ContextMenu::Project;
    if (editMode != Selected)
        return ContextMenu::None;
    ChartItem item;
    for (int n = 0; workspace.GetSelectedItem(doc, n, item); ++n) {
        if (HitTestItem(doc, row, lane, x, y, item) != HitNone)
            return ContextMenu::Task;
    }
    return ContextMenu::None;
}

OverlayRect ChartView::ChartRect(bool fromLeft) const
{
    const int left = fromLeft ? 0 : TimelineLeft;
    return {left, rowTop[0], std::max(0, clientWidth - left), rowTop[viewRowCount] - rowTop[0]};
}

void ChartView::AddDamage(const OverlayRect& area)
{
    if (area.IsEmpty())
        return;
    if (damage.IsEmpty()) {
        damage = area;
        return;
    }
    const int left = std::min(damage.x, area.x);
    const int top = std::min(damage.y, area.y);
    const int right = std::max(damage.x + damage.width, area.x + area.width);
    const int bottom = std::max(damage.y + damage.height, area.y + area.height);
    damage = {left, top, right - left, bottom - top};
}

OverlayRect ChartView::TakeRepaintArea()
{
    const OverlayRect area = damage;
    damage = {};
    return area;
}

}  // namespace td
