#pragma once

#include "model/DocumentRecords.h"
#include "model/FileStamp.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace td {

enum ModState : int32_t { Clean = 48, Modified = 49 };

// Row-order commands, shared with the toolbar's row buttons.
enum RowCommand : int32_t { RowUp = 41011, RowDown = 41012, RowOutdent = 41013, RowIndent = 41014 };

inline constexpr int MaxOrder = 256;
inline constexpr int TableStep = 16;
inline constexpr int PathSize = 512;

// Positions and row-table indices travel packed: position in the high half, index in the low.
inline int32_t PackPosition(int position, int index) { return position * 65536 + index; }
inline int PackedPosition(int32_t packed) { return static_cast<int>(static_cast<uint32_t>(packed) >> 16); }
inline int PackedIndex(int32_t packed) { return packed & 0xFFFF; }

// One project or schedule. Records are never moved once appended, so that undo can put old
// records back by index; what the user sees as row order is the separate `order` list.
class Document {
public:
    void SetKind(int32_t kind);
    // Room for `count` items before the table must grow again: a reader that knows how many
    // follow spares the copies of growing, and a large table is asked for in huge pages.
    void ReserveItems(int count);
    int32_t Kind() const { return kind; }
    void SetModState(int32_t state) { modState = state; }
    int32_t ModState() const { return modState; }
    char* Path() { return path; }
    const char* Path() const { return path; }
    // Counts changes, so that a copy of the document knows whether it is still current.
    uint64_t Revision() const { return revision; }
    const std::optional<FileStamp>& DiskStamp() const { return diskStamp; }
    void SetDiskStamp(std::optional<FileStamp> stamp) { diskStamp = std::move(stamp); }

    int AddRow(int level);
    int AppendRow(const ProjectRow& row);
    int32_t InsertChildRow(int position);
    int32_t RemoveRowAt(int position);
    int32_t RestoreRowAt(int rowIndex, int position);
    int32_t ReplaceRowAt(int position, const ProjectRow& row);
    int PutRowAt(int position, int rowIndex);
    int MoveRowAt(int position, int command, int& delta);
    int SetSubtreeShown(int position, bool show);
    int FoldState(int position) const;

    int OrderCount() const { return orderCount; }
    int RowCount() const { return rowCount; }
    int RowCapacity() const { return rowCapacity; }
    int NextRowId() const { return nextRowId; }
    int RowIndexAtPosition(int position) const;
    ProjectRow* RowAtPosition(int position);
    const ProjectRow* RowAtPosition(int position) const;
    const ProjectRow& RowRecord(int rowIndex) const { return rows[rowIndex]; }
    int32_t RowIdAtPosition(int position) const;
    int IsShownAt(int position) const;

    int AddItem(const ChartItem& item);
    // Changes whenever an item's type or dates may have changed (an item added, the table
    // compacted, a record handed out for writing). Stamps are unique across documents, so a
    // cache of what the items hold, kept by stamp, is never taken for another table's.
    uint64_t ItemsStamp() const { return itemsStamp; }
    int DeleteItem(int index);
    int SetItemState(int index, int32_t state);
    int32_t ItemState(int index) const;
    int GetItem(int index, ChartItem& out) const;
    // Inline: every redraw fetches every item through it.
    ChartItem* ItemPtr(int index)
    {
        itemsStamp = NextItemsStamp();
        return index >= 0 && index < itemCount ? &items[index] : nullptr;
    }
    const ChartItem* ItemPtr(int index) const
    {
        return index >= 0 && index < itemCount ? &items[index] : nullptr;
    }
    int ItemCount() const { return itemCount; }
    int ItemCapacity() const { return itemCapacity; }

    void RecomputeChildFlags();
    // Drops deleted records; `itemMap`, when given, receives each old item index's new index
    // (-1 for a dropped item) so that callers holding indices can follow.
    void Compact(std::vector<int>* itemMap = nullptr);

private:
    static uint64_t NextItemsStamp();

    bool InOrder(int position) const { return position >= 0 && position < orderCount; }
    bool OrderFull() const { return orderCount >= MaxOrder; }
    bool IdsExhausted() const { return nextRowId == std::numeric_limits<int32_t>::max(); }
    int AppendRowRecord(const ProjectRow& row);
    void InsertOrderEntry(int position, int rowIndex);
    void EraseOrderEntry(int position);
    ProjectRow NewRow(int level, int lanes);
    void MarkModified()
    {
        modState = Modified;
        ++revision;
    }

    int32_t kind = 0;
    int32_t modState = Clean;
    char path[PathSize] = {};
    uint64_t revision = 0;
    std::optional<FileStamp> diskStamp;
    std::vector<ChartItem> items;
    int32_t itemCapacity = 0;
    int32_t itemCount = 0;
    uint64_t itemsStamp = NextItemsStamp();
    std::array<int32_t, MaxOrder> order = {};
    int32_t orderCount = 0;
    std::vector<ProjectRow> rows;
    int32_t rowCount = 0;
    int32_t rowCapacity = 0;
    int32_t nextRowId = 0;
};

}  // namespace td
