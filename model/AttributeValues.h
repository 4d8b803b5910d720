#pragma once

#include <cstdint>
#include <span>

namespace td {

struct AttributeEntry {
    const char* label;
    uint32_t value;
};

// One value domain of the record fields: the dialog labels in list order, the stored values,
// and the bitmap strip whose images the lists show.
struct AttributeTable {
    const char* bitmapStrip;
    std::span<const AttributeEntry> entries;

    int Count() const { return static_cast<int>(entries.size()); }
    // -1 when the value is not in the table.
    int IndexOf(uint32_t value) const;
    // False when the index is outside the table.
    bool ValueAt(int index, uint32_t& value) const;
    const char* LabelAt(int index) const;
};

const AttributeTable& ColorPalette();
const AttributeTable& PenStyles();
const AttributeTable& EventMarks();
const AttributeTable& LineWidths();
// Arrow heads are drawn from IDB_ARROW for lines and progress bars, IDB_BAND_ARROW for bands.
const AttributeTable& Arrows();
const AttributeTable& BandArrows();
const AttributeTable& TextSizes();
const AttributeTable& TextWeights();

// Colour lists offer the palette up to GRAY; only the row background list adds WHITE.
inline constexpr int ColorListCount = 8;
inline constexpr int BackColorListCount = 9;

enum ArrowCode : int32_t { ArrowNone = 0, ArrowRight = 1, ArrowLeft = 16, ArrowBoth = 17 };
enum EventMark : int32_t {
    MarkCircle = 101,
    MarkCircleDouble = 102,
    MarkCircleFill = 103,
    MarkTriangle = 104,
    MarkTriangleFill = 105,
    MarkSquare = 106,
    MarkSquareFill = 107,
    MarkDate = 108,
};
inline constexpr int32_t PlainLineWidth = 16;
inline constexpr int32_t WeightNormal = 400;
inline constexpr int32_t WeightBold = 700;

}  // namespace td
