#include "model/AttributeValues.h"

namespace td {

namespace {

constexpr AttributeEntry ColorEntries[] = {
    {"BLACK", 0x000000}, {"RED", 0x0000FF},     {"GREEN", 0x00FF00},
    {"BLUE", 0xFF0000},  {"CYAN", 0xFFFF00},    {"MAGENTA", 0xFF00FF},
    {"YELLOW", 0x00FFFF}, {"GRAY", 0x7F7F7F},   {"WHITE", 0xFFFFFF},
};
constexpr AttributeEntry PenStyleEntries[] = {
    {"SOLID", 0}, {"DASH", 1}, {"DOT", 2}, {"DASH DOT", 3}, {"DASH DOT DOT", 4},
};
constexpr AttributeEntry EventMarkEntries[] = {
    {"CIRCLE", MarkCircle},          {"CIRCLE DOUBLE", MarkCircleDouble},
    {"CIRCLE FILL", MarkCircleFill}, {"TRIANGLE", MarkTriangle},
    {"TRIANGLE FILL", MarkTriangleFill}, {"SQUARE", MarkSquare},
    {"SQUARE FILL", MarkSquareFill}, {"DATE", MarkDate},
};
constexpr AttributeEntry LineWidthEntries[] = {
    {"x1", 16},     {"x2", 24},     {"x3", 56},      {"x4", 60},
    {"DOUBLE", 40}, {"TRIPLE", 84}, {"x1 + x2", 100}, {"x2 + x1", 76},
};
constexpr AttributeEntry ArrowEntries[] = {
    {"NONE", ArrowNone}, {"RIGHT", ArrowRight}, {"LEFT", ArrowLeft}, {"BOTH", ArrowBoth},
};
constexpr AttributeEntry TextSizeEntries[] = {
    {"8", 10}, {"9", 11}, {"10", 12}, {"11", 14}, {"12", 16}, {"14", 18}, {"16", 20},
};
constexpr AttributeEntry TextWeightEntries[] = {
    {"NORMAL", WeightNormal}, {"BOLD", WeightBold},
};

}  // namespace

int AttributeTable::IndexOf(uint32_t value) const
{
    for (int i = 0; i < Count(); ++i) {
        if (entries[i].value == value)
            return i;
    }
    return -1;
}

bool AttributeTable::ValueAt(int index, uint32_t& value) const
{
    if (index < 0 || index >= Count())
        return false;
    value = entries[index].value;
    return true;
}

const char* AttributeTable::LabelAt(int index) const
{
    return index >= 0 && index < Count() ? entries[index].label : nullptr;
}

const AttributeTable& ColorPalette()
{
    static const AttributeTable table{"IDB_COLOR_SEL", ColorEntries};
    return table;
}

const AttributeTable& PenStyles()
{
    static const AttributeTable table{"IDB_PEN_STYLE", PenStyleEntries};
    return table;
}

const AttributeTable& EventMarks()
{
    static const AttributeTable table{"IDB_EVENT_MARK", EventMarkEntries};
    return table;
}

const AttributeTable& LineWidths()
{
    static const AttributeTable table{"IDB_PEN_WIDTH", LineWidthEntries};
    return table;
}

const AttributeTable& Arrows()
{
    static const AttributeTable table{"IDB_ARROW", ArrowEntries};
    return table;
}

const AttributeTable& BandArrows()
{
    static const AttributeTable table{"IDB_BAND_ARROW", ArrowEntries};
    return table;
}

const AttributeTable& TextSizes()
{
    static const AttributeTable table{"IDB_TEXT_HIGHT", TextSizeEntries};
    return table;
}

const AttributeTable& TextWeights()
{
    static const AttributeTable table{"IDB_TEXT_WEIGHT", TextWeightEntries};
    return table;
}

}  // namespace td
