#pragma once

#include "model/Workspace.h"

#include <cstdint>
#include <map>
#include <vector>

namespace td {
class ChartView;
}

namespace td::fuzz {

struct StepEvents;

// Every record of every document, deleted ones included (undo can revive them), holds values
// its file record can carry: dates of 2000..2099, one-byte fields in a byte, a weight of 400 or
// 700, rows of levels 0..3 with 1..255 lanes, row states that match the row order.
void CheckRecords(const Workspace& workspace);

// The document, compacted and written, reads back to the same records, field by field.
void CheckRoundTrip(const Document& document);

// The file image of a compacted copy; the document itself is left as it is.
std::vector<uint8_t> CompactedImage(const Document& document);
// The compacted images of every open document, in slot order.
std::vector<std::vector<uint8_t>> DocumentImages(const Workspace& workspace);

// The chart's mode agrees with the item selection, the selection with the item states, the
// laid-out rows with the flattened list, and the undo log with the open documents.
void CheckEditState(const ChartView& view, const Workspace& workspace);

// An item made by one creating gesture lies in the row and lane under its press.
class CreationCheck {
public:
    // Remembers the row and lane under a press at height y and every document's item count.
    void BeforePress(const ChartView& view, const Workspace& workspace, int y);
    // Remembers the item counts only (before the release of a create drag).
    void BeforeRelease(const Workspace& workspace);
    // The items appended since then were made by the gesture.
    void Check(const Workspace& workspace) const;

private:
    void CheckItem(const Workspace& workspace, int doc, const ChartItem& item) const;

    int pressDoc = -1;
    int pressRowId = -1;
    int pressLane = 0;
    std::vector<int> itemCounts;
};

// Undo repeated until the log is empty gives back each document as it was at its last open or
// save. Changes the log records nothing of by design (pasting; creating or opening a document
// sets the baseline itself) make the property inapplicable to that document until its next
// save. Folding changes no stored byte, so it leaves the property in force.
class UndoBaselines {
public:
    void BeforeStep(const Workspace& workspace);
    void AfterStep(const Workspace& workspace, const StepEvents& events);
    // Call with the undo log emptied by Undo.
    void Check(const Workspace& workspace) const;

private:
    struct Baseline {
        std::vector<uint8_t> image;
        bool applicable = true;
    };

    void Track(const Document* document);

    std::map<const Document*, Baseline> baselines;
    std::map<const Document*, int> modStates;
};

}  // namespace td::fuzz
