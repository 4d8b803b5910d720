#pragma once

#include "model/AttributeValues.h"
#include "model/DocumentRecords.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace td {

// The ten attributes of the task format dialog, in the order of its controls.
enum ItemAttribute : int {
    AttrLineStyle,
    AttrLineWidth,
    AttrLineColor,
    AttrArrow,
    AttrProgress,
    AttrProgressColor,
    AttrTextSize,
    AttrTextWeight,
    AttrTextColor,
    AttrText,
    ItemAttributeCount,
};

// Bit 0 marks values that differ between the selected items; 3 marks an attribute that some
// selected item's type does not have, whatever the values.
inline constexpr int32_t AttributeUniform = 0;
inline constexpr int32_t AttributeMixed = 1;
inline constexpr int32_t AttributeNotApplicable = 3;

using AttributeStates = std::array<int32_t, ItemAttributeCount>;

// The states over the selected items; the first item is the reference.
AttributeStates ReadAttributeStates(std::span<const ChartItem> items);

// The line style list shows event marks for an event and pen styles for every other type; its
// index is mapped through the table of each item's own type.
const AttributeTable& LineStyleTable(int type);
// The arrow images of a line-drawn task differ from those of a band.
const AttributeTable& ArrowTable(int type);

// The table each list shows, null for the track bar and the text; the number of its entries
// listed (the colour lists stop before WHITE).
const AttributeTable* ItemAttributeTable(int attribute, int type);
int ItemListLength(int attribute, int type);

// What the dialog shows and gives back: list indexes (-1 for no selection), the track bar's
// position and the text's code page 932 bytes.
struct ItemFormatChoice {
    std::array<int, ItemAttributeCount> index;
    int progress = 0;
    std::string text;
};

// The reference item's values for every uniform attribute; no selection elsewhere.
ItemFormatChoice ReadItemFormatChoice(const AttributeStates& states, const ChartItem& reference);
// Writes the choice into one selected item, mapped by the item's own type. Lists without a
// selection leave their fields; progress and text are written only when they were uniform.
void ApplyItemFormat(const AttributeStates& states, const ItemFormatChoice& choice,
                     ChartItem& item);

}  // namespace td
