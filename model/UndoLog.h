#pragma once

#include <cstdint>
#include <vector>

namespace td {

enum UndoCode : int32_t {
    UndoAddSubProject = 32,
    UndoDeleteSubProject = 33,
    UndoReplaceRow = 34,
    UndoRowUp = 40,
    UndoRowDown = 41,
    UndoRowOutdent = 42,
    UndoRowIndent = 43,
    UndoItemAdded = 48,
    UndoItemDeleted = 49,
};

struct UndoRecord {
    int32_t group = 0;
    int32_t doc = 0;
    int32_t code = 0;
    int32_t value = 0;
};

class Workspace;

// Groups of records, newest last; the open group is the one numbered `group`.
struct UndoGroups {
    void Append(const UndoRecord& record);
    bool OpenGroupEmpty() const { return count == 0 || records[count - 1].group != group; }
    void Clear() { group = count = 0; }

    std::vector<UndoRecord> records;
    int32_t group = 0;
    int32_t count = 0;
    int32_t capacity = 0;
};

// Groups of position/index entries; the old records themselves stay in the document tables.
// What an Undo takes back is kept, in the same form, for Redo until the next change.
class UndoLog {
public:
    // A new change: what was undone can no longer be redone once its group closes.
    void RecordUndo(int doc, int code, int32_t value);
    // Closes the group being recorded; a group without entries is not closed, so that every
    // Undo takes back a real change.
    void EndUndoGroup();
    int Undo(Workspace& workspace);
    // Applies again what the last Undo took back; 0 when nothing is left to redo or a group is
    // still being recorded.
    int Redo(Workspace& workspace);
    // Forgets the entries of the group still being recorded, whose change was taken back.
    void DropOpenGroup();
    // A change that records nothing (a paste) still ends what can be redone.
    void ClearRedo() { redo.Clear(); }
    // Empties redo too: both name records a save renumbers.
    void ClearUndo();
    // A document left the workspace: its entries go, later slots move one down, and groups left
    // empty are dropped.
    void DropDocument(int doc);
    // A document's records were renumbered (a save compacted it): its entries go, the other
    // documents keep theirs.
    void DropEntriesOf(int doc);

    int Group() const { return undo.group; }
    int Count() const { return undo.count; }
    int RedoGroup() const { return redo.group; }
    // An empty record for n out of range.
    UndoRecord Record(int n) const { return n >= 0 && n < undo.count ? undo.records[n] : UndoRecord {}; }

private:
    UndoGroups undo;
    UndoGroups redo;
};

}  // namespace td
