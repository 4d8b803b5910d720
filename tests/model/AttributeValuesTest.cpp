#include "model/AttributeValues.h"

#include <gtest/gtest.h>

#include <string>

namespace td {
namespace {

TEST(AttributeValues, TextSizeLabelsAreNotTheStoredValues)
{
    uint32_t value = 0;
    ASSERT_TRUE(TextSizes().ValueAt(4, value));
    EXPECT_STREQ(TextSizes().LabelAt(4), "12");
    EXPECT_EQ(value, 16u);
    EXPECT_EQ(TextSizes().IndexOf(10), 0);
    EXPECT_STREQ(TextSizes().LabelAt(TextSizes().IndexOf(10)), "8");
}

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

TEST(AttributeValues, TablesHoldTheirDomains)
{
    EXPECT_EQ(ColorPalette().Count(), 9);
    EXPECT_EQ(ColorPalette().IndexOf(0x7F7F7F), 7);
    EXPECT_EQ(ColorPalette().IndexOf(0x0000FF), 1);
    EXPECT_EQ(PenStyles().Count(), 5);
    EXPECT_EQ(EventMarks().Count(), 8);
    EXPECT_EQ(EventMarks().IndexOf(MarkDate), 7);
    EXPECT_EQ(LineWidths().IndexOf(40), 4);
    EXPECT_EQ(LineWidths().IndexOf(76), 7);
    EXPECT_EQ(Arrows().IndexOf(ArrowBoth), 3);
    EXPECT_EQ(ArrowRight + ArrowLeft, ArrowBoth);
    EXPECT_EQ(std::string(BandArrows().bitmapStrip), "IDB_BAND_ARROW");
    EXPECT_EQ(std::string(TextSizes().bitmapStrip), "IDB_TEXT_HIGHT");
}

TEST(AttributeValues, LineWidthCodesAreSevenBitStrokeMasks)
{
    for (int i = 0; i < LineWidths().Count(); ++i) {
        uint32_t value = 0;
        ASSERT_TRUE(LineWidths().ValueAt(i, value));
        EXPECT_EQ(value & ~0x7Fu, 0u);
    }
    EXPECT_EQ(LineWidths().IndexOf(PlainLineWidth), 0);
}

}  // namespace
}  // namespace td
