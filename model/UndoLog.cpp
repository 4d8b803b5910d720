#include "model/UndoLog.h"

#include "model/Document.h"
#include "model/Workspace.h"

#include <optional>

namespace td {

namespace {

// Applies the record's undo action and returns the record whose undo action takes it back
// again, so that Undo fills redo and Redo fills undo with the same kind of entries. Entries
// whose position or index no longer fits are refused by the document and so skipped.
std::optional<UndoRecord> Reverse(Document& document, const UndoRecord& record)
{
    const auto with = [&record](int code, int32_t value) { return UndoRecord {0, record.doc, code, value}; };
    int delta = 0;
    switch (record.code) {
    case UndoAddSubProject: {
        const int32_t removed = document.RemoveRowAt(PackedPosition(record.value));
        return removed < 0 ? std::nullopt : std::optional(with(UndoDeleteSubProject, removed));
    }
    case UndoDeleteSubProject: {
        const int32_t restored = document.RestoreRowAt(PackedIndex(record.value), PackedPosition(record.value));
        return restored < 0 ? std::nullopt : std::optional(with(UndoAddSubProject, restored));
    }
    case UndoReplaceRow: {
        const int position = PackedPosition(record.value);
        const int shown = document.RowIndexAtPosition(position);
        if (!document.PutRowAt(position, PackedIndex(record.value)))
            return std::nullopt;
        return with(UndoReplaceRow, static_cast<int32_t>((static_cast<uint32_t>(position) << 16) | shown));
    }
    case UndoRowUp:
        if (!document.MoveRowAt(record.value, RowDown, delta))
            return std::nullopt;
        return with(UndoRowDown, record.value + 1);
    case UndoRowDown:
        if (!document.MoveRowAt(record.value, RowUp, delta))
            return std::nullopt;
        return with(UndoRowUp, record.value - 1);
    case UndoRowOutdent:
        return document.MoveRowAt(record.value, RowIndent, delta) ? std::optional(with(UndoRowIndent, record.value)) : std::nullopt;
    case UndoRowIndent:
        return document.MoveRowAt(record.value, RowOutdent, delta) ? std::optional(with(UndoRowOutdent, record.value)) : std::nullopt;
    case UndoItemAdded:
        return document.SetItemState(record.value, ItemDeleted) ? std::optional(with(UndoItemDeleted, record.value)) : std::nullopt;
    case UndoItemDeleted:
        return document.SetItemState(record.value, ItemNormal) ? std::optional(with(UndoItemAdded, record.value)) : std::nullopt;
    default:
        return std::nullopt;
    }
}

// Takes back the newest closed group of `from`, newest record first, and appends what reverses
// each step to the open group of `to`.
bool TakeBack(Workspace& workspace, UndoGroups& from, UndoGroups& to)
{
    if (from.group == 0)
        return false;
    int n = from.count;
    while (n > 0 && from.records[n - 1].group == from.group - 1) {
        --n;
        Document* document = workspace.Doc(from.records[n].doc);
        if (const auto reversed = document ? Reverse(*document, from.records[n]) : std::nullopt)
            to.Append(*reversed);
    }
    from.count = n;
    --from.group;
    if (!to.OpenGroupEmpty())
        ++to.group;
    workspace.RebuildVisibleRows();
    return true;
}

void DropRecordsOf(UndoGroups& groups, int doc, bool slotsMoveDown)
{
    int kept = 0;
    int newGroup = 0;
    int lastOldGroup = -1;
    for (int n = 0; n < groups.count; ++n) {
        UndoRecord record = groups.records[n];
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
        groups.records[kept++] = record;
    }
    const bool openGroupKept = kept > 0 && lastOldGroup == groups.group;
    groups.count = kept;
    if (kept == 0)
        groups.group = 0;
    else
        groups.group = openGroupKept ? newGroup : newGroup + 1;
}

}  // namespace

void UndoGroups::Append(const UndoRecord& record)
{
    if (count >= capacity) {
        capacity += 16;
        records.resize(capacity);
    }
    records[count++] = UndoRecord {group, record.doc, record.code, record.value};
}

void UndoLog::RecordUndo(int doc, int code, int32_t value)
{
    undo.Append(UndoRecord {0, doc, code, value});
}

void UndoLog::EndUndoGroup()
{
    if (undo.OpenGroupEmpty())
        return;
    ++undo.group;
    redo.Clear();
}

int UndoLog::Undo(Workspace& workspace)
{
    return TakeBack(workspace, undo, redo) ? 1 : 0;
}

int UndoLog::Redo(Workspace& workspace)
{
    if (!undo.OpenGroupEmpty())
        return 0;
    return TakeBack(workspace, redo, undo) ? 1 : 0;
}

void UndoLog::DropOpenGroup()
{
    while (undo.count > 0 && undo.records[undo.count - 1].group == undo.group)
        --undo.count;
}

void UndoLog::ClearUndo()
{
    undo.Clear();
    redo.Clear();
}

void UndoLog::DropDocument(int doc)
{
    DropRecordsOf(undo, doc, true);
    DropRecordsOf(redo, doc, true);
}

void UndoLog::DropEntriesOf(int doc)
{
    DropRecordsOf(undo, doc, false);
    DropRecordsOf(redo, doc, false);
}

}  // namespace td
