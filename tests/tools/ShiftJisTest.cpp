#include "view/ShiftJis.h"

#include <gtest/gtest.h>

namespace td {
namespace {

// Encoding, vendor characters included, and the refusal of characters outside the code page are
// pinned through tdtool's import and export.
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
