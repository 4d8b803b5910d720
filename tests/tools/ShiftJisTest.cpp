#include "view/ShiftJis.h"

#include <gtest/gtest.h>

namespace td {
namespace {

TEST(ShiftJis, VendorExtensionsEncodeToTheirWindowsCodes)
{
    std::string bytes;
    ASSERT_TRUE(ToShiftJis(QString::fromUtf8("①～開発"), bytes));
    EXPECT_EQ(bytes, "\x87\x40\x81\x60\x8A\x4A\x94\xAD");
    QString text;
    ASSERT_TRUE(DecodeShiftJis(bytes.data(), bytes.size(), text));
    EXPECT_EQ(text, QString::fromUtf8("①～開発"));
}

TEST(ShiftJis, CharactersOutsideTheCodePageAreRefused)
{
    std::string bytes = "kept";
    EXPECT_FALSE(ToShiftJis(QString::fromUtf8("한"), bytes));
    EXPECT_FALSE(ToShiftJis(QString::fromUtf8("😀"), bytes));
    EXPECT_EQ(bytes, "kept");
}

TEST(ShiftJis, StrictDecodingRefusesBrokenBytes)
{
    QString text;
    const char leadByteAtEnd[] = {'a', '\x81'};
    EXPECT_FALSE(DecodeShiftJis(leadByteAtEnd, sizeof leadByteAtEnd, text));
    const char unassigned[] = {'\xFF'};
    EXPECT_FALSE(DecodeShiftJis(unassigned, sizeof unassigned, text));
}

TEST(ShiftJis, DecodingStopsAtTheNulOrTheFieldWidth)
{
    const char field[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(FromShiftJis(field), QString("abcd"));
    const char shorter[4] = {'a', '\0', 'c', 'd'};
    EXPECT_EQ(FromShiftJis(shorter), QString("a"));
}

}  // namespace
}  // namespace td
