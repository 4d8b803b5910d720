#include "model/AttributeValues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace td {
namespace {

TEST(AttributeValues, EveryTableMapsBothWaysAndNothingOutside)
{
    for (const AttributeTable* table : {&ColorPalette(), &PenStyles(), &EventMarks(), &LineWidths(),
                                        &Arrows(), &BandArrows(), &TextSizes(), &TextWeights()}) {
        for (int i = 0; i < table->Count(); ++i) {
            uint32_t value = 0;
            ASSERT_TRUE(table->ValueAt(i, value));
            EXPECT_EQ(table->IndexOf(value), i) << table->bitmapStrip << " " << table->LabelAt(i);
        }
        uint32_t value = 99;
        EXPECT_FALSE(table->ValueAt(table->Count(), value) || table->ValueAt(-1, value)) << table->bitmapStrip;
        EXPECT_EQ(value, 99u);
        EXPECT_EQ(table->LabelAt(table->Count()), nullptr);
    }
    EXPECT_EQ((std::vector<int> {TextSizes().IndexOf(13), ColorPalette().IndexOf(0x123456), LineWidths().IndexOf(17)}),
              std::vector<int>(3, -1));
}

}  // namespace
}  // namespace td
