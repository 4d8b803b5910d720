#include "view/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace td {
namespace {

// Encoding, vendor characters included, and the refusal of characters outside the code page are
// pinned through tdtool's import and export.
TEST(ShiftJis, DecodingRefusesBrokenBytesAndStopsAtTheNulOrTheFieldWidth)
{
    QString text;
    for (const std::string& broken : {std::string("a\x81"), std::string("\xFF")})
        EXPECT_FALSE(DecodeShiftJis(broken.data(), broken.size(), text)) << broken;
    const char field[4] = {'a', 'b', 'c', 'd'};
    const char shorter[4] = {'a', '\0', 'c', 'd'};
    EXPECT_EQ((std::pair {FromShiftJis(field), FromShiftJis(shorter)}), (std::pair {QString("abcd"), QString("a")}));
}

}  // namespace
}  // namespace td
