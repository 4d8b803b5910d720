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

// Groups of position/index entries; the old records themselves stay in the document tables.
class UndoLog {
public:
    void RecordUndo(int doc, int code, int32_t value);
    // Closes the group being recorded; a group without entries is not closed, so that every
    // Undo takes back a real change.
    void EndUndoGroup();
    int Undo(Workspace& workspace);
    // Forgets the entries of the group still being recorded, whose change was taken back.
    void DropOpenGroup();
    void ClearUndo();
    // A document left the workspace: its entries go, later slots move one down, and groups left
    // empty are dropped.
    void DropDocument(int doc);
    // A document's records were renumbered (a save compacted it): its entries go, the other
    // documents keep theirs.
    void DropEntriesOf(int doc);

    int Group() const { return group; }
    int Count() const { return count; }
    // An empty record for n out of range.
    UndoRecord Record(int n) const { return n >= 0 && n < count ? records[n] : UndoRecord {}; }

private:
    void Drop(int doc, bool slotsMoveDown);
    bool OpenGroupEmpty() const { return count == 0 || records[count - 1].group != group; }

    std::vector<UndoRecord> records;
    int32_t group = 0;
    int32_t count = 0;
    int32_t capacity = 0;
};

}  // namespace td
