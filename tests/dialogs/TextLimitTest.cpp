#include "dialogs/FieldValues.h"
#include "dialogs/TextLimit.h"

#include <gtest/gtest.h>

namespace td {
namespace {

TEST(TextLimit, InsertionKeepsTheWholeCharactersThatFit)
{
    struct Case {
        const char* text;
        int cursor;
        int limit;
        const char* kept;
        int keptCursor;
    };
    const Case cases[] = {
        {"abcdef", 6, 4, "abcd", 4},
        {"ab日本cd", 4, 6, "ab日cd", 3},    // the insertion before the cursor goes first
        {"日本語", 3, 5, "日本", 2},         // never half a character
        {"a😀b", 3, 10, "ab", 1},           // code page 932 has no emoji
        {"行1\n行2", 5, 7, "行1\n行", 4},     // a line break is stored as CR LF
    };
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(FitBeforeCursor(text, c.cursor, c.limit), c.keptCursor) << c.text;
        EXPECT_EQ(text, QString::fromUtf8(c.kept)) << c.text;
    }
}

TEST(TextLimit, FieldCopyNeverCutsADoubleByteCharacter)
{
    char name[4] = {'x', 'x', 'x', 'x'};
    CopyTextField(name, "a\x93\xfa\x96\x7b", true);
    EXPECT_EQ(std::string(name), "a\x93\xfa");
    char text[4];
    CopyTextField(text, "ab\x93\xfa", false);
    EXPECT_EQ(std::string(text, 4), "ab\x93\xfa");
    // At the ends of the lead-byte ranges: a lead byte takes its trail along, any other byte is one
    // character of its own.
    const std::pair<unsigned char, bool> firsts[] = {{0x80, false}, {0x81, true},  {0x9F, true},  {0xA0, false},
                                                     {0xDF, false}, {0xE0, true},  {0xFC, true},  {0xFD, false}};
    for (const auto& [first, lead] : firsts) {
        char three[3];
        CopyTextField(three, std::string("a") + char(first) + "\x40", true);
        EXPECT_EQ(std::string(three), lead ? "a" : std::string("a") + char(first)) << int(first);
    }
}

}  // namespace
}  // namespace td
