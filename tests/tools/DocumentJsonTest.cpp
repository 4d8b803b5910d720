#include "tools/DocumentJson.h"

#include "model/Document.h"
#include "view/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace td {
namespace {

// Every field's way there and back is pinned by the examples, which tdtool imports and exports.
TEST(DocumentJson, MissingFieldsAreZeroDerivedFieldsRecomputedAndStringsHoldTheirWholeWidthInCodePage932)
{
    Document document;
    std::string error;
    Json json = Json::parse(R"({"kind": 2, "rows": [{"lanes": 6, "state": 3, "hasChildren": 1}], "items": [{"type": 245, "state": 3}]})");
    ASSERT_TRUE(DocumentFromJson(json, document, error)) << error;
    const ProjectRow& row = *document.RowAtPosition(0);
    const ChartItem& item = *document.ItemPtr(0);
    // The line width is the one the file will give back.
    EXPECT_EQ((std::vector<long> {row.state, row.hasChildren, row.backColor, row.name[0], item.state, item.start.year, item.textWeight, item.lineWidth}),
              (std::vector<long> {RowShown, 0, 0, 0, ItemNormal, 0, 0, 16}));

    const std::string sixteenKanji = "計画計画計画計画計画計画計画計画";
    Document full;
    json = {{"kind", 1}, {"rows", {{{"lanes", 2}, {"name", sixteenKanji}}}}};
    ASSERT_TRUE(DocumentFromJson(json, full, error)) << error;
    EXPECT_EQ(std::memchr(full.RowAtPosition(0)->name, 0, 32), nullptr);
    full.RowAtPosition(0)->person[0] = '\x81';
    EXPECT_FALSE(DocumentToJson(full, json, error));
    EXPECT_EQ(error, R"(row 0: field "person" is not valid code page 932 text)");

    Document longer;
    json = {{"kind", 1}, {"rows", {{{"lanes", 2}, {"name", sixteenKanji + "a"}}}}};
    EXPECT_FALSE(DocumentFromJson(json, longer, error));
    EXPECT_EQ(error, R"(row 0: field "name" is longer than 32 bytes in code page 932)");
}

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
