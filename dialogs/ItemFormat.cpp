#include "dialogs/ItemFormat.h"

#include "dialogs/FieldValues.h"

#include <cstring>

namespace td {

namespace {

constexpr int Bit(ItemAttribute attribute)
{
    return 1 << attribute;
}

constexpr int ProgressBits = Bit(AttrProgress) | Bit(AttrProgressColor);
constexpr int TextBits = Bit(AttrTextSize) | Bit(AttrTextWeight) | Bit(AttrTextColor) | Bit(AttrText);

int NotApplicable(int type)
{
    switch (type) {
    case TaskLine:
    case TaskBand:
        return ProgressBits;
    case Event:
    case TextBox:
        return Bit(AttrLineWidth) | Bit(AttrArrow) | ProgressBits;
    case Progress:
        return Bit(AttrLineWidth);
    case Line:
        return Bit(AttrLineWidth) | Bit(AttrArrow) | ProgressBits | TextBits;
    default:
        return 0;
    }
}

uint32_t FieldValue(const ChartItem& item, int attribute)
{
    switch (attribute) {
    case AttrLineStyle: return static_cast<uint32_t>(item.lineStyle);
    case AttrLineWidth: return static_cast<uint32_t>(item.lineWidth);
    case AttrLineColor: return item.lineColor;
    case AttrArrow: return static_cast<uint32_t>(item.arrow);
    case AttrProgress: return static_cast<uint32_t>(item.progress);
    case AttrProgressColor: return item.progressColor;
    case AttrTextSize: return static_cast<uint32_t>(item.textSize);
    case AttrTextWeight: return static_cast<uint32_t>(item.textWeight);
    default: return item.textColor;
    }
}

void SetListField(ChartItem& item, int attribute, int index)
{
    const AttributeTable& table = *ItemAttributeTable(attribute, item.type);
    switch (attribute) {
    case AttrLineStyle: return TakeListValue(table, index, item.lineStyle);
    case AttrLineWidth: return TakeListValue(table, index, item.lineWidth);
    case AttrLineColor: return TakeListValue(table, index, item.lineColor);
    case AttrArrow: return TakeListValue(table, index, item.arrow);
    case AttrProgressColor: return TakeListValue(table, index, item.progressColor);
    case AttrTextSize: return TakeListValue(table, index, item.textSize);
    case AttrTextWeight: return TakeListValue(table, index, item.textWeight);
    default: return TakeListValue(table, index, item.textColor);
    }
}

bool TextDiffers(const ChartItem& reference, const ChartItem& item)
{
    return std::strncmp(reference.text, item.text, sizeof reference.text) != 0;
}

}  // namespace

const AttributeTable& LineStyleTable(int type)
{
    return type == Event ? EventMarks() : PenStyles();
}

const AttributeTable& ArrowTable(int type)
{
    return type == TaskLine || type == Progress ? Arrows() : BandArrows();
}

const AttributeTable* ItemAttributeTable(int attribute, int type)
{
    switch (attribute) {
    case AttrLineStyle: return &LineStyleTable(type);
    case AttrLineWidth: return &LineWidths();
    case AttrArrow: return &ArrowTable(type);
    case AttrTextSize: return &TextSizes();
    case AttrTextWeight: return &TextWeights();
    case AttrLineColor:
    case AttrProgressColor:
    case AttrTextColor: return &ColorPalette();
    default: return nullptr;
    }
}

int ItemListLength(int attribute, int type)
{
    const AttributeTable* table = ItemAttributeTable(attribute, type);
    if (!table)
        return 0;
    return table == &ColorPalette() ? ColorListCount : table->Count();
}

AttributeStates ReadAttributeStates(std::span<const ChartItem> items)
{
    AttributeStates states {};
    if (items.empty())
        return states;
    const ChartItem& reference = items.front();
    for (const ChartItem& item : items) {
        const int lacking = NotApplicable(item.type);
        for (int attribute = 0; attribute < ItemAttributeCount; ++attribute) {
            if (lacking & (1 << attribute))
                states[attribute] = AttributeNotApplicable;
            const bool differs = attribute == AttrText
                ? TextDiffers(reference, item)
                : FieldValue(item, attribute) != FieldValue(reference, attribute);
            if (differs)
                states[attribute] |= AttributeMixed;
        }
    }
    return states;
}

ItemFormatChoice ReadItemFormatChoice(const AttributeStates& states, const ChartItem& reference)
{
    ItemFormatChoice choice;
    for (int attribute = 0; attribute < ItemAttributeCount; ++attribute) {
        const AttributeTable* table = ItemAttributeTable(attribute, reference.type);
        const bool shown = states[attribute] == AttributeUniform && table;
        choice.index[attribute] = shown ? table->IndexOf(FieldValue(reference, attribute)) : -1;
    }
    if (states[AttrProgress] == AttributeUniform)
        choice.progress = reference.progress;
    if (states[AttrText] == AttributeUniform)
        choice.text = FieldBytes(reference.text);
    return choice;
}

void ApplyItemFormat(const AttributeStates& states, const ItemFormatChoice& choice,
                     ChartItem& item)
{
    for (int attribute = 0; attribute < ItemAttributeCount; ++attribute) {
        if (!ItemAttributeTable(attribute, item.type) || states[attribute] == AttributeNotApplicable)
            continue;
        SetListField(item, attribute, choice.index[attribute]);
    }
    if (states[AttrProgress] == AttributeUniform)
        item.progress = choice.progress;
    if (states[AttrText] == AttributeUniform)
        CopyTextField(item.text, choice.text, false);
}

}  // namespace td
