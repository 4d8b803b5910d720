#include "model/AttributeValues.h"

#include <gtest/gtest.h>

#include <string>

namespace td {
namespace {

TEST(AttributeValues, ValuesOutsideATableHaveNoIndex)
{
    EXPECT_EQ(TextSizes().IndexOf(13), -1);
    EXPECT_EQ(ColorPalette().IndexOf(0x123456), -1);
    EXPECT_EQ(LineWidths().IndexOf(17), -1);
    uint32_t value = 99;
    EXPECT_FALSE(TextWeights().ValueAt(2, value));
    EXPECT_FALSE(TextWeights().ValueAt(-1, value));
    EXPECT_EQ(value, 99u);
    EXPECT_EQ(TextWeights().LabelAt(2), nullptr);
}

TEST(AttributeValues, EveryTableMapsBothWays)
{
    for (const AttributeTable* table : {&ColorPalette(), &PenStyles(), &EventMarks(), &LineWidths(),
                                        &Arrows(), &BandArrows(), &TextSizes(), &TextWeights()}) {
        for (int i = 0; i < table->Count(); ++i) {
            uint32_t value = 0;
            ASSERT_TRUE(table->ValueAt(i, value));
            EXPECT_EQ(table->IndexOf(value), i) << table->bitmapStrip << " " << table->LabelAt(i);
        }
    }
}

}  // namespace
}  // namespace td
