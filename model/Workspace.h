#pragma once

#include "calendar/Dates.h"
#include "model/Document.h"
#include "model/UndoLog.h"

#include <array>
#include <memory>
#include <vector>

namespace td {

class SavePrompt;

inline constexpr int MaxDocuments = 16;
inline constexpr int MaxVisibleRows = 256;
inline constexpr int MaxSelection = 256;

// Every open document, presented to the chart as one flattened list of visible rows.
// Documents are addressed by slot (0..DocumentCount()-1), rows by visible-row index, items by
// their index in their document's item table. Out-of-range arguments are refused, never read.
class Workspace {
public:
    ~Workspace();

    // Documents
    int AddDocument(int kind);
    int CloseDocument(int visibleRow, SavePrompt& prompt);
    // Takes a document out without asking (a file that failed to load); its undo entries and
    // selection go with it and entries naming later slots are renumbered.
    int RemoveDocument(int doc);
    int DocumentCount() const { return docCount; }
    int DocumentKind(int doc) const;
    int ItemCount(int doc) const;
    Document* Doc(int doc);
    const Document* Doc(int doc) const;

    // Flattened rows
    void RebuildVisibleRows();
    int VisibleRowCount() const { return visibleCount; }
    int VisibleRowDocument(int visibleRow, int& doc) const;
    int VisibleRowPosition(int visibleRow) const;
    int RowIdAt(int visibleRow) const;
    ProjectRow* RowAt(int visibleRow);
    const ProjectRow* RowAt(int visibleRow) const;
    int FindVisibleRow(int doc, int rowId) const;
    int SelectRow(int visibleRow);
    int SelectedRow() const { return selectedRow; }
    int GetSelectedRow(ProjectRow& out) const;
    int FoldState(int visibleRow) const;
    int ShowSubtree(int visibleRow, bool show);

    // Row editing
    int AddSubProject(int visibleRow);
    int DeleteSubProject(int visibleRow);
    int ReplaceSelectedRow(const ProjectRow& row);
    int MoveRow(int visibleRow, int command, int& delta);

    // Items
    int AddItem(int visibleRow, const ChartItem& item);
    int GetItem(int visibleRow, int index, ChartItem& out) const;
    ChartItem* ItemPtr(int doc, int index);
    const ChartItem* ItemPtr(int doc, int index) const;
    int ItemState(int doc, int index) const;

    // Selection and clipboard
    int SelectItem(int visibleRow, int index);
    int ClearSelection();
    int IsItemSelected(int doc, int index) const;
    int SelectionCount() const { return selectionCount; }
    int SelectionDoc() const { return selectionDoc; }
    int SelectionIndex(int n) const { return n >= 0 && n < selectionCount ? selection[n] : -1; }
    int GetSelectedItem(int doc, int n, ChartItem& out) const;
    int GetSelectedItemRow(int n, ChartItem& out, int& visibleRow) const;
    int ReplaceSelectedItem(int n, const ChartItem& item);
    int SelectItemsInRectangle(int topRow, int bottomRow, const ChartItem& topLeft,
                               const ChartItem& bottomRight);
    int MoveSelectedItems(int days, int lanes);
    int DeleteSelectedItems(bool clearSelection, bool closeGroup);
    // Takes back a DeleteSelectedItems that left its group open (a drag of the selection that
    // ends without a move): the items are selected again and the log is as before it.
    int RestoreSelectedItems();
    int CopySelection();
    int PasteClipboard(int visibleRow);
    int ClipboardCount() const { return static_cast<int>(clipboard.size()); }
    // Compacts a document and renumbers the selection entries that name it.
    void CompactDocument(int doc);

    // Undo
    UndoLog& Undo() { return undoLog; }
    const UndoLog& Undo() const { return undoLog; }
    // The Undo command: deselects first, so that deselecting never revives records the undo
    // has just deleted.
    int UndoLast();
    // The Redo command, deselecting first for the same reason.
    int RedoLast();

    // Date range
    void UpdateDateRange(const ChartItem* item);
    void GetDateRange(int& year, int& month, int& day, bool which) const;

private:
    bool IsVisibleRow(int visibleRow) const { return visibleRow >= 0 && visibleRow < visibleCount; }
    bool RowInDocument(int visibleRow, int doc) const
    {
        return IsVisibleRow(visibleRow) && visibleDoc[visibleRow] == doc;
    }
    Document* RowDocument(int visibleRow);
    const Document* RowDocument(int visibleRow) const;
    void WidenDateRange(const ChartItem& item);
    void RemoveSelectionEntry(int n);
    bool WalkLanes(int doc, int& visibleRow, int& lane, int distance) const;
    bool MoveItemPoints(ChartItem& item, int lanes) const;

    std::array<std::unique_ptr<Document>, MaxDocuments> docs;
    int32_t docCount = 0;
    std::array<int32_t, MaxVisibleRows> visibleDoc = {};
    int32_t visibleCount = 0;
    std::array<int32_t, MaxVisibleRows> visiblePos = {};
    int32_t selectedRow = 0;
    std::array<int32_t, MaxSelection> selection = {};
    int32_t selectionCount = 0;
    int32_t selectionDoc = 0;
    // Copies of the records Copy or Cut took: a later save drops the cut records themselves.
    std::vector<ChartItem> clipboard;
    UndoLog undoLog;
    DateTriple rangeStart;
    DateTriple rangeEnd;
};

}  // namespace td
