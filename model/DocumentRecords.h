#pragma once

#include <cstdint>
#include <cstring>

namespace td {

using Color = uint32_t;  // 0x00BBGGRR

// Kinds are stored as plain integers (0 while a document waits for its file).
struct DocumentKind {
    static constexpr int32_t Project = 1;
    static constexpr int32_t Schedule = 2;
};

enum ItemType : int32_t {
    TaskLine = 241,
    TaskBand = 242,
    Event = 243,
    Progress = 244,
    Line = 245,
    TextBox = 246,
    Schedule = 247,
};

// File tags outside the item types.
inline constexpr int RowTag = 240;
inline constexpr int EndTag = 255;

inline bool IsItemType(int type) { return type >= TaskLine && type <= Schedule; }

enum RowState : int32_t { RowShown = 1, RowHidden = 2, RowDeleted = 3 };
enum ItemState : int32_t { ItemNormal = 1, ItemDeleted = 3, ItemSelected = 4 };

inline constexpr int MaxLevel = 3;

struct ProjectRow {
    int32_t id = 0;
    int32_t state = 0;
    int32_t level = 0;
    int32_t lanes = 0;
    Color backColor = 0;
    Color textColor = 0;
    char name[32] = {};
    char person[16] = {};
    char comment[64] = {};
    int32_t hasChildren = 0;
};

struct ItemPoint {
    int32_t rowId = 0;
    uint8_t lane = 0;
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
};

struct ChartItem {
    int32_t type = 0;
    int32_t state = 0;
    ItemPoint start;
    ItemPoint end;
    int32_t lineStyle = 0;
    int32_t lineWidth = 0;
    Color lineColor = 0;
    int32_t arrow = 0;
    int32_t progress = 0;
    Color progressColor = 0;
    int32_t boxWidth = 0;
    int32_t textSize = 0;
    int32_t textWeight = 0;
    Color textColor = 0;
    char text[128] = {};
};

inline void CopyRow(ProjectRow& dst, const ProjectRow& src) { dst = src; }
inline void CopyItem(ChartItem& dst, const ChartItem& src) { dst = src; }

// Length of a fixed-width string field: up to the first NUL or the whole field.
template <std::size_t N>
std::size_t FieldLength(const char (&field)[N])
{
    const void* nul = std::memchr(field, 0, N);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : N;
}

}  // namespace td
