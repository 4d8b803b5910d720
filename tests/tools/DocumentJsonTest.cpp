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

Json Parse(const char* text) { return Json::parse(text); }

TEST(DocumentJson, EveryFieldSurvivesTheWayBack)
{
    const Json json = Parse(R"({"kind": 1,
        "rows": [{"id": 7, "state": 1, "level": 0, "lanes": 3, "backColor": 65535, "textColor": 255,
                  "name": "開発計画", "person": "山田", "comment": "①～", "hasChildren": 1},
                 {"id": 2, "state": 1, "level": 1, "lanes": 1, "backColor": 16777215, "textColor": 0,
                  "name": "", "person": "", "comment": "", "hasChildren": 0}],
        "items": [{"type": 244, "state": 1,
                   "start": {"rowId": 7, "lane": 2, "year": 2009, "month": 4, "day": 1, "hour": 0, "minute": 0},
                   "end": {"rowId": 0, "lane": 0, "year": 2009, "month": 5, "day": 31, "hour": 0, "minute": 0},
                   "lineStyle": 4, "lineWidth": 100, "lineColor": 8355711, "arrow": 16, "progress": 100,
                   "progressColor": 65280, "boxWidth": 0, "textSize": 20, "textWeight": 700,
                   "textColor": 16711680, "text": "進捗"}]})");
    Document document;
    std::string error;
    ASSERT_TRUE(DocumentFromJson(json, document, error)) << error;
    Json back;
    ASSERT_TRUE(DocumentToJson(document, back, error)) << error;
    EXPECT_EQ(back, json);
    EXPECT_EQ(document.NextRowId(), 8);
}

TEST(DocumentJson, MissingFieldsAreZeroAndDerivedFieldsAreRecomputed)
{
    const Json json = Parse(R"({"kind": 2, "rows": [{"lanes": 6, "state": 3, "hasChildren": 1}],
                                "items": [{"type": 245, "state": 3}]})");
    Document document;
    std::string error;
    ASSERT_TRUE(DocumentFromJson(json, document, error)) << error;
    const ProjectRow& row = *document.RowAtPosition(0);
    const ChartItem& item = *document.ItemPtr(0);
    // The line width is the one the file will give back.
    EXPECT_EQ((std::vector<long> {row.state, row.hasChildren, row.backColor, row.name[0], item.state, item.start.year, item.textWeight, item.lineWidth}),
              (std::vector<long> {RowShown, 0, 0, 0, ItemNormal, 0, 0, 16}));
}

TEST(DocumentJson, StringFieldsHoldTheirWholeWidthAndNoMoreAndOnlyCodePage932)
{
    const std::string sixteenKanji = "計画計画計画計画計画計画計画計画";
    Document document;
    std::string error;
    Json json = {{"kind", 1}, {"rows", {{{"lanes", 2}, {"name", sixteenKanji}}}}};
    ASSERT_TRUE(DocumentFromJson(json, document, error)) << error;
    EXPECT_EQ(std::memchr(document.RowAtPosition(0)->name, 0, 32), nullptr);
    document.RowAtPosition(0)->person[0] = '\x81';
    EXPECT_FALSE(DocumentToJson(document, json, error));
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
