#include "model/Workspace.h"

#include "calendar/Dates.h"
#include "model/SavePrompt.h"

namespace td {

Workspace::~Workspace()
{
    for (int doc = docCount - 1; doc >= 0; --doc)
        docs[doc].reset();
}

int Workspace::AddDocument(int kind)
{
    if (docCount >= MaxDocuments)
        return 0;
    if (kind != 0 && kind != td::DocumentKind::Project && kind != td::DocumentKind::Schedule)
        return 0;
    auto doc = std::make_unique<Document>();
    if (kind != 0) {
        doc->SetKind(kind);
        doc->AddRow(0);
    }
    docs[docCount++] = std::move(doc);
    RebuildVisibleRows();
    return 1;
}

int Workspace::CloseDocument(int visibleRow, SavePrompt& prompt)
{
    int doc = 0;
    if (docCount == 0 || !VisibleRowDocument(visibleRow, doc))
        return 0;
    if (!prompt.ConfirmSave(*docs[doc]))
        return 0;
    return RemoveDocument(doc);
}

int Workspace::RemoveDocument(int doc)
{
    if (doc < 0 || doc >= docCount)
        return 0;
    if (selectionDoc == doc)
        selectionCount = 0;
    if (selectionCount == 0)
        selectionDoc = 0;
    else if (selectionDoc > doc)
        --selectionDoc;
    undoLog.DropDocument(doc);

    docs[doc].reset();
    for (int slot = doc; slot + 1 < docCount; ++slot)
        docs[slot] = std::move(docs[slot + 1]);
    --docCount;
    RebuildVisibleRows();
    return 1;
}

int Workspace::DocumentKind(int doc) const
{
    const Document* document = Doc(doc);
    return document ? document->Kind() : 0;
}

int Workspace::ItemCount(int doc) const
{
    const Document* document = Doc(doc);
    return document ? document->ItemCount() : 0;
}

Document* Workspace::Doc(int doc)
{
    return doc >= 0 && doc < docCount ? docs[doc].get() : nullptr;
}

const Document* Workspace::Doc(int doc) const
{
    return doc >= 0 && doc < docCount ? docs[doc].get() : nullptr;
}

void Workspace::RebuildVisibleRows()
{
    visibleCount = 0;
    for (int doc = 0; doc < docCount; ++doc) {
        const Document& document = *docs[doc];
        for (int position = 0; position < document.OrderCount(); ++position) {
            if (visibleCount >= MaxVisibleRows)
                return;
            if (!document.IsShownAt(position))
                continue;
            visibleDoc[visibleCount] = doc;
            visiblePos[visibleCount] = position;
            ++visibleCount;
        }
    }
}

int Workspace::VisibleRowDocument(int visibleRow, int& doc) const
{
    if (!IsVisibleRow(visibleRow))
        return 0;
    doc = visibleDoc[visibleRow];
    return 1;
}

int Workspace::VisibleRowPosition(int visibleRow) const
{
    return IsVisibleRow(visibleRow) ? visiblePos[visibleRow] : -1;
}

Document* Workspace::RowDocument(int visibleRow)
{
    return IsVisibleRow(visibleRow) ? Doc(visibleDoc[visibleRow]) : nullptr;
}

const Document* Workspace::RowDocument(int visibleRow) const
{
    return IsVisibleRow(visibleRow) ? Doc(visibleDoc[visibleRow]) : nullptr;
}

int Workspace::RowIdAt(int visibleRow) const
{
    const ProjectRow* row = RowAt(visibleRow);
    return row ? row->id : -1;
}

ProjectRow* Workspace::RowAt(int visibleRow)
{
    Document* document = RowDocument(visibleRow);
    return document ? document->RowAtPosition(visiblePos[visibleRow]) : nullptr;
}

const ProjectRow* Workspace::RowAt(int visibleRow) const
{
    const Document* document = RowDocument(visibleRow);
    return document ? document->RowAtPosition(visiblePos[visibleRow]) : nullptr;
}

int Workspace::FindVisibleRow(int doc, int rowId) const
{
    for (int visibleRow = 0; visibleRow < visibleCount; ++visibleRow) {
        if (visibleDoc[visibleRow] != doc)
            continue;
        const ProjectRow* row = RowAt(visibleRow);
        if (row && row->id == rowId && row->state == RowShown)
            return visibleRow;
    }
    return -1;
}

int Workspace::SelectRow(int visibleRow)
{
    if (!IsVisibleRow(visibleRow))
        return 0;
    selectedRow = visibleRow;
    return 1;
}

int Workspace::GetSelectedRow(ProjectRow& out) const
{
    const ProjectRow* row = RowAt(selectedRow);
    if (!row)
        return 0;
    CopyRow(out, *row);
    return 1;
}

int Workspace::FoldState(int visibleRow) const
{
    const Document* document = RowDocument(visibleRow);
    return document ? document->FoldState(visiblePos[visibleRow]) : 0;
}

int Workspace::ShowSubtree(int visibleRow, bool show)
{
    Document* document = RowDocument(visibleRow);
    if (!document)
        return 0;
    const int result = document->SetSubtreeShown(visiblePos[visibleRow], show);
    RebuildVisibleRows();
    return result;
}

int Workspace::AddSubProject(int visibleRow)
{
    Document* document = RowDocument(visibleRow);
    if (!document)
        return 0;
    const int docIndex = visibleDoc[visibleRow];
    const int32_t packed = document->InsertChildRow(visiblePos[visibleRow]);
    if (packed == -1)
        return 0;
    RebuildVisibleRows();
    undoLog.RecordUndo(docIndex, UndoAddSubProject, packed);
    undoLog.EndUndoGroup();
    return 1;
}

int Workspace::DeleteSubProject(int visibleRow)
{
    Document* document = RowDocument(visibleRow);
    if (!document || document->OrderCount() < 2)
        return 0;
    const int docIndex = visibleDoc[visibleRow];
    const int position = visiblePos[visibleRow];
    const int32_t rowId = document->RowIdAtPosition(position);
    for (int index = 0; index < document->ItemCount(); ++index) {
        const ChartItem& item = *document->ItemPtr(index);
        if (item.state == ItemDeleted)
            continue;
        if (item.start.rowId != rowId && !(item.type == Line && item.end.rowId == rowId))
            continue;
        // A selected item must leave the selection too, or deselecting would revive it.
        if (docIndex == selectionDoc) {
            for (int n = 0; n < selectionCount; ++n) {
                if (selection[n] == index) {
                    RemoveSelectionEntry(n);
                    break;
                }
            }
        }
        document->SetItemState(index, ItemDeleted);
        undoLog.RecordUndo(docIndex, UndoItemDeleted, index);
    }
    const int32_t packed = document->RemoveRowAt(position);
    undoLog.RecordUndo(docIndex, UndoDeleteSubProject, packed);
    RebuildVisibleRows();
    undoLog.EndUndoGroup();
    return 1;
}

int Workspace::ReplaceSelectedRow(const ProjectRow& row)
{
    Document* document = RowDocument(selectedRow);
    if (!document)
        return 0;
    const int32_t packed = document->ReplaceRowAt(visiblePos[selectedRow], row);
    if (packed == -1)
        return 0;
    undoLog.RecordUndo(visibleDoc[selectedRow], UndoReplaceRow, packed);
    undoLog.EndUndoGroup();
    RebuildVisibleRows();
    return 1;
}

int Workspace::MoveRow(int visibleRow, int command, int& delta)
{
    Document* document = RowDocument(visibleRow);
    if (!document)
        return 0;
    const int docIndex = visibleDoc[visibleRow];
    const int position = visiblePos[visibleRow];
    // The record itself, not the position: up and down swap what the position names.
    const ProjectRow& row = *document->RowAtPosition(position);
    const int levelBefore = row.level;
    if (!document->MoveRowAt(position, command, delta))
        return 0;
    const bool levelChanged = row.level != levelBefore;
    RebuildVisibleRows();
    switch (command) {
    case RowUp:
        undoLog.RecordUndo(docIndex, UndoRowUp, position + delta);
        break;
    case RowDown:
        undoLog.RecordUndo(docIndex, UndoRowDown, position + delta);
        break;
    case RowOutdent:
        if (levelChanged)
            undoLog.RecordUndo(docIndex, UndoRowOutdent, position);
        break;
    case RowIndent:
        if (levelChanged)
            undoLog.RecordUndo(docIndex, UndoRowIndent, position);
        break;
    default:
        break;
    }
    undoLog.EndUndoGroup();
    return 1;
}

int Workspace::AddItem(int visibleRow, const ChartItem& item)
{
    Document* document = RowDocument(visibleRow);
    if (!document)
        return 0;
    WidenDateRange(item);
    const int index = document->AddItem(item);
    undoLog.RecordUndo(visibleDoc[visibleRow], UndoItemAdded, index);
    undoLog.EndUndoGroup();
    return index;
}

int Workspace::GetItem(int visibleRow, int index, ChartItem& out) const
{
    const Document* document = RowDocument(visibleRow);
    return document ? document->GetItem(index, out) : 0;
}

ChartItem* Workspace::ItemPtr(int doc, int index)
{
    Document* document = Doc(doc);
    return document ? document->ItemPtr(index) : nullptr;
}

const ChartItem* Workspace::ItemPtr(int doc, int index) const
{
    const Document* document = Doc(doc);
    return document ? document->ItemPtr(index) : nullptr;
}

int Workspace::ItemState(int doc, int index) const
{
    const Document* document = Doc(doc);
    return document ? document->ItemState(index) : 0;
}

int Workspace::UndoLast()
{
    ClearSelection();
    return undoLog.Undo(*this);
}

int Workspace::RedoLast()
{
    ClearSelection();
    return undoLog.Redo(*this);
}

void Workspace::WidenDateRange(const ChartItem& item)
{
    const ItemPoint& s = item.start;
    if (rangeStart.year == 0
        || CompareDates(s.year, s.month, s.day, rangeStart.year, rangeStart.month, rangeStart.day) == 1)
        rangeStart = DateTriple {s.year, s.month, s.day};
    const ItemPoint& e = item.end;
    if (CompareDates(e.year, e.month, e.day, rangeEnd.year, rangeEnd.month, rangeEnd.day) == 2)
        rangeEnd = DateTriple {e.year, e.month, e.day};
}

void Workspace::UpdateDateRange(const ChartItem* item)
{
    if (item) {
        WidenDateRange(*item);
        return;
    }
    rangeStart = DateTriple {};
    rangeEnd = DateTriple {};
    for (int doc = 0; doc < docCount; ++doc) {
        for (int index = 0; index < docs[doc]->ItemCount(); ++index)
            WidenDateRange(*docs[doc]->ItemPtr(index));
    }
}

void Workspace::GetDateRange(int& year, int& month, int& day, bool which) const
{
    const DateTriple& date = which ? rangeEnd : rangeStart;
    year = date.year;
    month = date.month;
    day = date.day;
}

}  // namespace td
