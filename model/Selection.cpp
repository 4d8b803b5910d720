#include "model/Workspace.h"

#include "calendar/Dates.h"

#include <algorithm>

namespace td {

namespace {

bool IsLaterDate(const ItemPoint& a, const ItemPoint& b)
{
    return CompareDates(a.year, a.month, a.day, b.year, b.month, b.day) == 2;
}

void StepPointDate(ItemPoint& point, int days)
{
    StepDate(point.year, point.month, point.day, nullptr, 0, days);
}

// Whether a point in visible row r, lane `lane`, lies in the band from (top, topLane) to
// (bottom, bottomLane), both corners included.
bool InBand(int r, int lane, int top, int bottom, int topLane, int bottomLane)
{
    if (r < 0)
        return false;
    if (r > top && r < bottom)
        return true;
    if (r == top && top < bottom)
        return lane >= topLane;
    if (r == bottom && top < bottom)
        return lane <= bottomLane;
    return r == top && r == bottom && lane >= topLane && lane <= bottomLane;
}

}  // namespace

void Workspace::RemoveSelectionEntry(int n)
{
    std::copy(selection.begin() + n + 1, selection.begin() + selectionCount, selection.begin() + n);
    --selectionCount;
}

int Workspace::SelectItem(int visibleRow, int index)
{
    int doc = 0;
    if (selectionCount >= MaxSelection || !VisibleRowDocument(visibleRow, doc))
        return 0;
    // All selected items share one document; a selection elsewhere must be cleared first.
    if (selectionCount > 0 && doc != selectionDoc)
        return 0;
    selectionDoc = doc;
    if (IsItemSelected(doc, index) || docs[doc]->ItemState(index) != ItemNormal)
        return 0;
    docs[doc]->SetItemState(index, ItemSelected);
    selection[selectionCount++] = index;
    return 1;
}

int Workspace::ClearSelection()
{
    if (selectionCount == 0)
        return 0;
    if (Document* document = Doc(selectionDoc)) {
        for (int n = 0; n < selectionCount; ++n)
            document->SetItemState(selection[n], ItemNormal);
    }
    selectionCount = 0;
    return 1;
}

int Workspace::IsItemSelected(int doc, int index) const
{
    if (doc != selectionDoc)
        return 0;
    const auto end = selection.begin() + selectionCount;
    return std::find(selection.begin(), end, index) != end ? 1 : 0;
}

int Workspace::GetSelectedItem(int doc, int n, ChartItem& out) const
{
    if (doc != selectionDoc || n < 0 || n >= selectionCount)
        return 0;
    const Document* document = Doc(doc);
    return document ? document->GetItem(selection[n], out) : 0;
}

int Workspace::GetSelectedItemRow(int n, ChartItem& out, int& visibleRow) const
{
    if (!GetSelectedItem(selectionDoc, n, out))
        return 0;
    visibleRow = FindVisibleRow(selectionDoc, out.start.rowId);
    return 1;
}

int Workspace::ReplaceSelectedItem(int n, const ChartItem& item)
{
    Document* document = Doc(selectionDoc);
    if (!document || n < 0 || n >= selectionCount)
        return 0;
    document->DeleteItem(selection[n]);
    undoLog.RecordUndo(selectionDoc, UndoItemDeleted, selection[n]);
    selection[n] = document->AddItem(item);
    undoLog.RecordUndo(selectionDoc, UndoItemAdded, selection[n]);
    undoLog.EndUndoGroup();
    WidenDateRange(item);
    return 1;
}

int Workspace::SelectItemsInRectangle(int topRow, int bottomRow, const ChartItem& topLeft,
                                      const ChartItem& bottomRight)
{
    // Items left selected would otherwise keep their selected state with no selection entry.
    ClearSelection();
    int doc = 0;
    if (!VisibleRowDocument(topRow, doc))
        return 0;
    selectionDoc = doc;
    int band = bottomRow;
    if (!RowInDocument(bottomRow, doc)) {
        band = topRow + 1;
        while (RowInDocument(band, doc))
            ++band;
    }
    const int topLane = topLeft.start.lane;
    const int bottomLane = bottomRight.start.lane;
    int selected = 0;
    const Document& document = *docs[doc];
    for (int index = 0; index < document.ItemCount(); ++index) {
        const ChartItem& item = *document.ItemPtr(index);
        const int startRow = FindVisibleRow(doc, item.start.rowId);
        if (!InBand(startRow, item.start.lane, topRow, band, topLane, bottomLane))
            continue;
        if (item.type == Line) {
            const int endRow = FindVisibleRow(doc, item.end.rowId);
            if (!InBand(endRow, item.end.lane, topRow, band, topLane, bottomLane))
                continue;
        }
        if (!IsLaterDate(item.start, topLeft.start) || !IsLaterDate(bottomRight.start, item.end))
            continue;
        selected += SelectItem(topRow, index);
    }
    return selected > 0 ? 1 : 0;
}

bool Workspace::WalkLanes(int doc, int& visibleRow, int& lane, int distance) const
{
    int r = visibleRow;
    int s = lane;
    if (distance > 0) {
        int k = distance;
        for (; RowInDocument(r, doc); ++r, s = 0) {
            const int lanes = RowAt(r)->lanes;
            if (lanes > k + s) {
                visibleRow = r;
                lane = k + s;
                return true;
            }
            k -= lanes - s;
        }
        return false;
    }
    int k = -distance;
    while (RowInDocument(r, doc)) {
        if (s >= k) {
            visibleRow = r;
            lane = s - k;
            return true;
        }
        k -= s;
        --r;
        s = RowInDocument(r, doc) ? RowAt(r)->lanes : 0;
    }
    return false;
}

// Moves the item's rows and lanes; false when the walk left the document, which deletes it.
bool Workspace::MoveItemPoints(ChartItem& item, int lanes) const
{
    if (item.type == Schedule || lanes == 0)
        return true;
    int startRow = FindVisibleRow(selectionDoc, item.start.rowId);
    int endRow = item.type == Line ? FindVisibleRow(selectionDoc, item.end.rowId) : startRow;
    // A point in a folded row has no lanes on screen to walk through; it keeps its place.
    if (startRow < 0 || endRow < 0)
        return true;
    int startLane = item.start.lane;
    if (!WalkLanes(selectionDoc, startRow, startLane, lanes))
        return false;
    const int boxHeight = item.end.lane - item.start.lane;
    item.start.rowId = RowAt(startRow)->id;
    item.start.lane = static_cast<uint8_t>(startLane);
    if (item.type == TextBox) {
        // The box spans lanes of its start row only, so its bottom lane follows the start and
        // is clamped into the row it landed in.
        const int lastLane = RowAt(startRow)->lanes - 1;
        item.end.lane = static_cast<uint8_t>(std::clamp(startLane + boxHeight, 0, lastLane));
        return true;
    }
    if (item.type != Line)
        return true;
    int endLane = item.end.lane;
    if (!WalkLanes(selectionDoc, endRow, endLane, lanes))
        return false;
    item.end.rowId = RowAt(endRow)->id;
    item.end.lane = static_cast<uint8_t>(endLane);
    return true;
}

int Workspace::MoveSelectedItems(int days, int lanes)
{
    Document* document = Doc(selectionDoc);
    if (!document) {
        undoLog.EndUndoGroup();
        return 1;
    }
    for (int n = 0; n < selectionCount;) {
        const int oldIndex = selection[n];
        ChartItem item;
        if (!document->GetItem(oldIndex, item)) {
            RemoveSelectionEntry(n);
            continue;
        }
        StepPointDate(item.start, days);
        StepPointDate(item.end, days);
        // The copy takes the old record's place in the selection, so it is selected even when a
        // drag left the old record deleted: a selected record in the deleted state would be
        // dropped by a save on closing its document.
        item.state = ItemSelected;
        const bool landed = MoveItemPoints(item, lanes);
        document->DeleteItem(oldIndex);
        undoLog.RecordUndo(selectionDoc, UndoItemDeleted, oldIndex);
        if (!landed) {
            RemoveSelectionEntry(n);
            continue;
        }
        selection[n] = document->AddItem(item);
        undoLog.RecordUndo(selectionDoc, UndoItemAdded, selection[n]);
        ++n;
    }
    undoLog.EndUndoGroup();
    return 1;
}

int Workspace::DeleteSelectedItems(bool clearSelection, bool closeGroup)
{
    Document* document = Doc(selectionDoc);
    if (!document || selectionCount == 0)
        return 0;
    for (int n = 0; n < selectionCount; ++n) {
        document->SetItemState(selection[n], ItemDeleted);
        undoLog.RecordUndo(selectionDoc, UndoItemDeleted, selection[n]);
    }
    if (clearSelection)
        selectionCount = 0;
    if (closeGroup)
        undoLog.EndUndoGroup();
    return 1;
}

int Workspace::RestoreSelectedItems()
{
    Document* document = Doc(selectionDoc);
    if (!document || selectionCount == 0)
        return 0;
    for (int n = 0; n < selectionCount; ++n)
        document->SetItemState(selection[n], ItemSelected);
    undoLog.DropOpenGroup();
    return 1;
}

int Workspace::CopySelection()
{
    const Document* document = Doc(selectionDoc);
    if (!document || selectionCount == 0)
        return 0;
    clipboard.clear();
    for (int n = 0; n < selectionCount; ++n) {
        ChartItem item;
        if (document->GetItem(selection[n], item))
            clipboard.push_back(item);
    }
    return 1;
}

int Workspace::PasteClipboard(int visibleRow)
{
    int target = 0;
    if (clipboard.empty() || !VisibleRowDocument(visibleRow, target))
        return 0;
    const bool intoSchedule = docs[target]->Kind() == td::DocumentKind::Schedule;
    int topRow = -1;
    for (const ChartItem& item : clipboard) {
        if (intoSchedule != (item.type == Schedule))
            return 0;
        const int row = FindVisibleRow(target, item.start.rowId);
        if (row >= 0 && (topRow < 0 || row < topRow))
            topRow = row;
    }
    if (topRow < 0)
        return 0;
    ClearSelection();
    undoLog.ClearRedo();
    for (ChartItem item : clipboard) {
        const int startRow = FindVisibleRow(target, item.start.rowId);
        if (startRow < 0)
            continue;
        const int newStart = visibleRow + startRow - topRow;
        if (!RowInDocument(newStart, target))
            continue;
        // Only a line has a real end row; the other types keep theirs as it was.
        if (item.type == Line) {
            const int endRow = FindVisibleRow(target, item.end.rowId);
            const int newEnd = visibleRow + endRow - topRow;
            if (endRow < 0 || !RowInDocument(newEnd, target))
                continue;
            item.end.rowId = RowAt(newEnd)->id;
        }
        item.start.rowId = RowAt(newStart)->id;
        item.state = ItemNormal;
        SelectItem(visibleRow, docs[target]->AddItem(item));
    }
    return 1;
}

void Workspace::CompactDocument(int doc)
{
    Document* document = Doc(doc);
    if (!document)
        return;
    std::vector<int> itemMap;
    document->Compact(&itemMap);
    if (selectionDoc != doc)
        return;
    int kept = 0;
    for (int n = 0; n < selectionCount; ++n) {
        const int index = selection[n];
        if (index >= 0 && index < static_cast<int>(itemMap.size()) && itemMap[index] >= 0)
            selection[kept++] = itemMap[index];
    }
    selectionCount = kept;
}

}  // namespace td
