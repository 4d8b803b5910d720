#include "model/UndoLog.h"

#include "model/Document.h"
#include "model/Workspace.h"

namespace td {

namespace {

// Entries whose position or index no longer fits are refused by the document and so skipped.
void ApplyUndo(Document& document, const UndoRecord& record)
{
    int delta = 0;
    switch (record.code) {
    case UndoAddSubProject:
        document.RemoveRowAt(PackedPosition(record.value));
        break;
    case UndoDeleteSubProject:
        document.RestoreRowAt(PackedIndex(record.value), PackedPosition(record.value));
        break;
    case UndoReplaceRow:
        document.PutRowAt(PackedPosition(record.value), PackedIndex(record.value));
        break;
    case UndoRowUp:
        document.MoveRowAt(record.value, RowDown, delta);
        break;
    case UndoRowDown:
        document.MoveRowAt(record.value, RowUp, delta);
        break;
    case UndoRowOutdent:
        document.MoveRowAt(record.value, RowIndent, delta);
        break;
    case UndoRowIndent:
        document.MoveRowAt(record.value, RowOutdent, delta);
        break;
    case UndoItemAdded:
        document.SetItemState(record.value, ItemDeleted);
        break;
    case UndoItemDeleted:
        document.SetItemState(record.value, ItemNormal);
        break;
    default:
        break;
    }
}

}  // namespace

void UndoLog::RecordUndo(int doc, int code, int32_t value)
{
    if (count >= capacity) {
        capacity += 16;
        records.resize(capacity);
    }
    records[count++] = UndoRecord {group, doc, code, value};
}

void UndoLog::EndUndoGroup()
{
    if (OpenGroupEmpty())
        return;
    ++group;
}

int UndoLog::Undo(Workspace& workspace)
{
    if (group == 0)
        return 0;
    int n = count;
    while (n > 0 && records[n - 1].group == group - 1) {
        --n;
        if (Document* document = workspace.Doc(records[n].doc))
            ApplyUndo(*document, records[n]);
    }
    count = n;
    --group;
    workspace.RebuildVisibleRows();
    return 1;
}

void UndoLog::DropOpenGroup()
{
    while (count > 0 && records[count - 1].group == group)
        --count;
}

void UndoLog::ClearUndo()
{
    group = 0;
    count = 0;
}

void UndoLog::DropDocument(int doc)
{
    Drop(doc, true);
}

void UndoLog::DropEntriesOf(int doc)
{
    Drop(doc, false);
}

void UndoLog::Drop(int doc, bool slotsMoveDown)
{
    int kept = 0;
    int newGroup = 0;
    int lastOldGroup = -1;
    for (int n = 0; n < count; ++n) {
        UndoRecord record = records[n];
        if (record.doc == doc)
            continue;
        if (slotsMoveDown && record.doc > doc)
            --record.doc;
        // Closed groups are numbered 0, 1, ... again; the open group keeps the next number.
        if (record.group != lastOldGroup) {
            if (lastOldGroup != -1)
                ++newGroup;
            lastOldGroup = record.group;
        }
        record.group = newGroup;
        records[kept++] = record;
    }
    const bool openGroupKept = kept > 0 && lastOldGroup == group;
    count = kept;
    if (kept == 0)
        group = 0;
    else
        group = openGroupKept ? newGroup : newGroup + 1;
}

}  // namespace td
