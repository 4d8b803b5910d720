#include "model/Document.h"

#include <algorithm>
#include <cstdint>

#include <sys/mman.h>

namespace td {

namespace {

// Tables grow by a fixed step, as the stored record counts assume.
template <typename Record>
void MakeRoom(std::vector<Record>& table, int32_t count, int32_t& capacity)
{
    if (count < capacity)
        return;
    capacity += TableStep;
    table.resize(capacity);
}

// A plan of tens of thousands of items is megabytes that are written once as it is read; taken
// in 4 KiB pages, faulting them in costs more than reading the file. Where the kernel honours
// the advice, untouched memory of the range comes in 2 MiB pages instead.
void AdviseHugePages(void* data, std::size_t bytes)
{
    constexpr uintptr_t HugePage = uintptr_t{2} << 20;
    const auto begin = (reinterpret_cast<uintptr_t>(data) + HugePage - 1) & ~(HugePage - 1);
    const auto end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(HugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace

void Document::ReserveItems(int count)
{
    if (count <= static_cast<int>(items.capacity()))
        return;
    items.reserve(static_cast<std::size_t>(count));
    AdviseHugePages(items.data(), items.capacity() * sizeof(ChartItem));
}

uint64_t Document::NextItemsStamp()
{
    static uint64_t last = 0;
    return ++last;
}

void Document::SetKind(int32_t newKind)
{
    if (rowCount != 0)
        return;
    kind = newKind;
    MakeRoom(rows, rowCount, rowCapacity);
}

int Document::AppendRowRecord(const ProjectRow& row)
{
    MakeRoom(rows, rowCount, rowCapacity);
    rows[rowCount] = row;
    return rowCount++;
}

void Document::InsertOrderEntry(int position, int rowIndex)
{
    std::copy_backward(order.begin() + position, order.begin() + orderCount,
                       order.begin() + orderCount + 1);
    order[position] = rowIndex;
    ++orderCount;
}

void Document::EraseOrderEntry(int position)
{
    std::copy(order.begin() + position + 1, order.begin() + orderCount, order.begin() + position);
    --orderCount;
}

ProjectRow Document::NewRow(int level, int lanes)
{
    ProjectRow row;
    row.id = nextRowId++;
    row.state = RowShown;
    row.level = level;
    row.lanes = lanes;
    row.backColor = 0xFFFFFF;
    row.textColor = 0;
    return row;
}

int Document::AddRow(int level)
{
    if (OrderFull() || IdsExhausted())
        return 0;
    const int index = AppendRowRecord(NewRow(level, kind == DocumentKind::Project ? 2 : 6));
    InsertOrderEntry(orderCount, index);
    RecomputeChildFlags();
    return 1;
}

int Document::AppendRow(const ProjectRow& row)
{
    // No id could follow the largest one.
    if (OrderFull() || row.id == std::numeric_limits<int32_t>::max())
        return 0;
    const int index = AppendRowRecord(row);
    InsertOrderEntry(orderCount, index);
    if (row.id >= nextRowId)
        nextRowId = row.id + 1;
    RecomputeChildFlags();
    return 1;
}

int32_t Document::InsertChildRow(int position)
{
    if (!InOrder(position) || OrderFull() || IdsExhausted())
        return -1;
    const int parentLevel = rows[order[position]].level;
    int insertAt = position + 1;
    while (insertAt < orderCount && rows[order[insertAt]].level > parentLevel)
        ++insertAt;
    const int lanes = rows[rowCount - 1].lanes;
    const int index = AppendRowRecord(NewRow(std::min(parentLevel + 1, MaxLevel), lanes));
    InsertOrderEntry(insertAt, index);
    RecomputeChildFlags();
    MarkModified();
    return PackPosition(insertAt, index);
}

int32_t Document::RemoveRowAt(int position)
{
    if (!InOrder(position) || orderCount == 1)
        return -1;
    const int index = order[position];
    rows[index].state = RowDeleted;
    EraseOrderEntry(position);
    RecomputeChildFlags();
    MarkModified();
    return PackPosition(position, index);
}

int32_t Document::RestoreRowAt(int rowIndex, int position)
{
    if (position < 0 || position > orderCount || rowIndex < 0 || rowIndex >= rowCount
        || rows[rowIndex].state != RowDeleted || OrderFull())
        return -1;
    rows[rowIndex].state = RowShown;
    InsertOrderEntry(position, rowIndex);
    RecomputeChildFlags();
    MarkModified();
    return PackPosition(position, rowIndex);
}

int32_t Document::ReplaceRowAt(int position, const ProjectRow& row)
{
    if (!InOrder(position))
        return -1;
    const int oldIndex = order[position];
    rows[oldIndex].state = RowDeleted;
    order[position] = AppendRowRecord(row);
    RecomputeChildFlags();
    MarkModified();
    return PackPosition(position, oldIndex);
}

int Document::PutRowAt(int position, int rowIndex)
{
    if (!InOrder(position) || rowIndex < 0 || rowIndex >= rowCount)
        return 0;
    rows[order[position]].state = RowDeleted;
    rows[rowIndex].state = RowShown;
    order[position] = rowIndex;
    RecomputeChildFlags();
    MarkModified();
    return 1;
}

int Document::MoveRowAt(int position, int command, int& delta)
{
    if (!InOrder(position))
        return 0;
    ProjectRow& row = rows[order[position]];
    switch (command) {
    case RowUp:
        if (position == 0)
            return 0;
        std::swap(order[position], order[position - 1]);
        delta = -1;
        break;
    case RowDown:
        if (position == orderCount - 1)
            return 0;
        std::swap(order[position], order[position + 1]);
        delta = 1;
        break;
    case RowOutdent:
        row.level = std::max(row.level - 1, 0);
        break;
    case RowIndent:
        row.level = std::min(row.level + 1, MaxLevel);
        break;
    default:
        break;
    }
    RecomputeChildFlags();
    MarkModified();
    return 1;
}

int Document::SetSubtreeShown(int position, bool show)
{
    if (position < 0 || position >= orderCount - 1)
        return 0;
    const int level = rows[order[position]].level;
    for (int p = position + 1; p < orderCount && rows[order[p]].level > level; ++p)
        rows[order[p]].state = show ? RowShown : RowHidden;
    return 1;
}

int Document::FoldState(int position) const
{
    if (!InOrder(position) || rows[order[position]].hasChildren == 0)
        return 0;
    return rows[order[position + 1]].state != RowShown ? 1 : -1;
}

int Document::RowIndexAtPosition(int position) const
{
    return InOrder(position) ? order[position] : -1;
}

ProjectRow* Document::RowAtPosition(int position)
{
    return InOrder(position) ? &rows[order[position]] : nullptr;
}

const ProjectRow* Document::RowAtPosition(int position) const
{
    return InOrder(position) ? &rows[order[position]] : nullptr;
}

int32_t Document::RowIdAtPosition(int position) const
{
    return InOrder(position) ? rows[order[position]].id : 0;
}

int Document::IsShownAt(int position) const
{
    return InOrder(position) && rows[order[position]].state == RowShown ? 1 : 0;
}

int Document::AddItem(const ChartItem& item)
{
    MakeRoom(items, itemCount, itemCapacity);
    CopyItem(items[itemCount], item);
    itemsStamp = NextItemsStamp();
    MarkModified();
    return itemCount++;
}

int Document::DeleteItem(int index)
{
    if (index >= 0 && index < itemCount) {
        items[index].state = ItemDeleted;
        MarkModified();
    }
    return 0;
}

int Document::SetItemState(int index, int32_t state)
{
    if (index < 0 || index >= itemCount)
        return 0;
    items[index].state = state;
    MarkModified();
    return 1;
}

int32_t Document::ItemState(int index) const
{
    return index >= 0 && index < itemCount ? items[index].state : 0;
}

int Document::GetItem(int index, ChartItem& out) const
{
    if (index < 0 || index >= itemCount)
        return 0;
    CopyItem(out, items[index]);
    return 1;
}

void Document::RecomputeChildFlags()
{
    for (int p = 0; p < orderCount; ++p) {
        const bool deeper = p + 1 < orderCount && rows[order[p + 1]].level > rows[order[p]].level;
        rows[order[p]].hasChildren = deeper ? 1 : 0;
    }
}

void Document::Compact(std::vector<int>* itemMap)
{
    std::vector<ProjectRow> packedRows(rowCapacity);
    for (int p = 0; p < orderCount; ++p) {
        packedRows[p] = rows[order[p]];
        order[p] = p;
    }
    rows = std::move(packedRows);
    rowCount = orderCount;

    if (itemMap)
        itemMap->assign(itemCount, -1);
    int kept = 0;
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].state == ItemDeleted)
            continue;
        if (itemMap)
            (*itemMap)[i] = kept;
        items[kept++] = items[i];
    }
    itemCount = kept;
    itemsStamp = NextItemsStamp();
}

}  // namespace td
