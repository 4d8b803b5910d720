#include "persistence/DocumentFile.h"

#include "model/Document.h"
#include "tests/persistence/PersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace td {
namespace {

using testing::Bytes;
using testing::Concat;
using testing::MakeItem;
using testing::NewProject;
using testing::Reporter;

Bytes Header(const char* magic, uint32_t version = 16)
{
    Bytes bytes(magic, magic + 4);
    for (uint32_t value : {version, 0u, 256u})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return bytes;
}

// A row record: id, level 0, 2 lanes, the given stored name length and bytes, empty person and
// comment.
Bytes RowRecord(uint32_t id = 0, uint16_t nameLength = 0, const std::string& name = "")
{
    Bytes bytes = {0xF0, 0x16, 0x00, static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                   static_cast<uint8_t>(id >> 16), static_cast<uint8_t>(id >> 24), 0x00, 0x02,
                   0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0,
                   static_cast<uint8_t>(nameLength), static_cast<uint8_t>(nameLength >> 8)};
    bytes.insert(bytes.end(), name.begin(), name.end());
    return Concat(bytes, {0, 0, 0, 0});
}

const Bytes EmptyRow = RowRecord();

struct ReadResult { int kind = 0; Document document; std::vector<std::string> messages; };

ReadResult Read(const Bytes& image)
{
    ReadResult result;
    Reporter errors;
    result.kind = ReadDocumentImage(result.document, image, errors);
    result.messages = errors.messages;
    return result;
}

ReadResult ReadBody(const Bytes& records)
{
    return Read(Concat(Header("TDPF"), records));
}

// A new project's image, one item's record before the end mark, and the fields the reader
// derives for what a record does not store.
TEST(DocumentFile, RecordsOfEveryTypeMatchByteForByteAndReadBack)
{
    const Bytes newProject = {'T', 'D', 'P', 'F', 0x10, 0, 0, 0, 0x28, 0, 0, 0, 0, 0x01, 0, 0,
                              0xF0, 0x16, 0, 0, 0, 0, 0, 0, 0x02, 0xFF, 0xFF, 0xFF, 0,
                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF};
    EXPECT_EQ(DocumentImage(NewProject()), newProject);
    ChartItem progress = MakeItem(Progress, {2, 0, 2009, 4, 1}, {0, 0, 2009, 4, 30}, "p");
    progress.progress = 60;
    progress.progressColor = 0x00FF00;
    progress.textWeight = 700;
    ChartItem box = MakeItem(TextBox, {4, 1, 2009, 5, 6}, {0, 3, 2009, 6, 1}, "box");
    box.boxWidth = 120;
    ChartItem line = MakeItem(Line, {0, 1, 2009, 4, 1}, {5, 3, 2009, 4, 5}, "not stored");
    line.lineColor = 0x808080;
    line.lineWidth = 99;
    ChartItem task = MakeItem(TaskLine, {0, 0, 2009, 4, 1}, {0, 0, 2009, 4, 10}, "abc");
    task.lineWidth = 16;
    task.arrow = 17;
    task.textSize = 14;
    const struct { ChartItem item; Bytes record; } cases[] = {
        {task, {0xF1, 0x21, 0, 0, 0, 0, 0, 0, 0xD9, 0x07, 0x04, 0x01, 0xD9, 0x07, 0x04, 0x0A, 0, 0x10,
                0, 0, 0, 0, 0x11, 0x0E, 0x90, 0, 0, 0, 0, 0x03, 0, 0x61, 0x62, 0x63}},
        {MakeItem(Event, {1, 2, 2020, 2, 29}, {0, 0, 2021, 1, 1}),
         {0xF3, 0x18, 0, 1, 0, 0, 0, 2, 0xE4, 0x07, 2, 0x1D, 0, 0, 0, 0, 0, 0, 0x90, 0, 0, 0, 0, 0, 0}},
        {progress, {0xF4, 0x24, 0, 2, 0, 0, 0, 0, 0xD9, 0x07, 4, 1, 0xD9, 0x07, 4, 0x1E, 0, 0, 0, 0, 0,
                    0, 0, 0x3C, 0, 0xFF, 0, 0, 0, 0xBC, 0, 0, 0, 0, 1, 0, 'p'}},
        {line, {0xF5, 0x19, 0, 0, 0, 0, 0, 1, 0xD9, 0x07, 4, 1, 5, 0, 0, 0, 3, 0xD9, 0x07, 4, 5, 0,
                0x80, 0x80, 0x80, 0}},
        {box, {0xF6, 0x20, 0, 4, 0, 0, 0, 1, 0xD9, 0x07, 5, 6, 3, 0, 0, 0, 0, 0, 0x78, 0, 0, 0, 0, 0x90,
               0, 0, 0, 0, 3, 0, 'b', 'o', 'x'}},
        {MakeItem(Schedule, {0, 77, 2021, 7, 15, 9, 30}, {0, 88, 2021, 7, 15, 17, 45}, "mtg"),
         {0xF7, 0x19, 0, 0, 0, 0, 0, 0xE5, 0x07, 7, 0x0F, 9, 0x1E, 0x11, 0x2D, 0, 0x90, 0, 0, 0, 0, 3, 0,
          'm', 't', 'g'}},
    };
    for (const auto& [item, record] : cases) {
        Document doc = NewProject();
        doc.AddItem(item);
        const Bytes image = DocumentImage(doc);
        Bytes expected = Concat(Bytes(newProject.begin(), newProject.end() - 1), Concat(record, {0xFF}));
        expected[8] = static_cast<uint8_t>(expected.size());
        EXPECT_EQ(image, expected) << item.type;
        ReadResult read = Read(image);
        ASSERT_EQ(read.kind, DocumentKind::Project);
        EXPECT_EQ(DocumentImage(read.document), image) << item.type;
        const ChartItem& back = *read.document.ItemPtr(0);
        const bool datedOnce = item.type == Event || item.type == TextBox || item.type == Schedule;
        const bool fixedWidth = item.type == Line || item.type == TextBox || item.type == Schedule;
        EXPECT_EQ((std::vector<int> {back.end.day, back.lineWidth, back.start.lane}),
                  (std::vector<int> {datedOnce ? item.start.day : item.end.day, fixedWidth ? 16 : item.lineWidth,
                                     item.type == Schedule ? 0 : item.start.lane})) << item.type;
    }
}

TEST(DocumentFile, WideValuesAreWrittenAsTheirLowBitsAndUnknownTypesSkipped)
{
    Document doc = NewProject();
    doc.RowAtPosition(0)->lanes = 0x102;
    ChartItem band = MakeItem(TaskBand, {0, 0, 0x10000 + 2009, 4, 1}, {});
    band.lineWidth = 0x130;
    doc.AddItem(band);
    doc.AddItem(MakeItem(99, {}, {}));
    const Bytes image = DocumentImage(doc);
    EXPECT_EQ(image[24], 0x02);
    EXPECT_EQ((Bytes {image[47], image[48], image[56]}), (Bytes {0xD9, 0x07, 0x30}));
    EXPECT_EQ(image.size(), 16u + 23 + 31 + 1);
    EXPECT_EQ(image[8], image.size());
}

// Only 0xBC reads as bold; and a record's type is not checked against the document's kind.
TEST(DocumentFile, WeightByteMapsToNormalOrBoldAndItemTypesAreNotCheckedAgainstTheKind)
{
    const std::pair<int, int> cases[] = {{0xBC, 700}, {0x90, 400}, {0x00, 400}, {0xBD, 400}};
    for (auto [stored, weight] : cases) {
        const Bytes event = {0xF3, 0x18, 0, 0, 0, 0, 0, 0, 0xD9, 0x07, 4, 1, 101, 0, 0, 0, 0, 14,
                             static_cast<uint8_t>(stored), 0, 0, 0, 0, 0, 0, 0xFF};
        ReadResult read = ReadBody(event);
        ASSERT_EQ(read.kind, DocumentKind::Project);
        EXPECT_EQ(read.document.ItemPtr(0)->textWeight, weight) << stored;
    }
    const Bytes entry = {0xF7, 0x16, 0, 0, 0, 0, 0, 0xD9, 0x07, 4, 1, 9, 0, 10, 0, 14, 0x90, 0, 0, 0, 0, 0, 0};
    ReadResult read = ReadBody(Concat(EmptyRow, Concat(entry, {0xFF})));
    ASSERT_EQ(read.kind, DocumentKind::Project);
    EXPECT_EQ((std::pair {read.document.ItemPtr(0)->type, read.document.ItemPtr(0)->end.hour}), (std::pair {int(Schedule), 10}));
}

TEST(DocumentFile, DamagedFilesGetExactlyTheirMessage)
{
    const Bytes body = Concat(EmptyRow, {0xFF});
    const Bytes header = Header("TDPF");
    Bytes rows;
    for (int i = 0; i < MaxOrder; ++i)
        rows = Concat(rows, EmptyRow);
    const struct { Bytes image; const char* message; } cases[] = {
        {Concat(Header("TDPF", 17), body), UnknownFileFormat},
        {Concat(Header("TDPF", 0xFFFFFFFF), body), UnknownFileFormat},
        {Concat(Header("TDXF"), body), IncorrectFileType},
        {Bytes {'t', 'd', 'p', 'f'}, IncorrectFileType},
        {Bytes {'T', 'D', 'P'}, IncorrectFileType},
        {Bytes(header.begin(), header.begin() + 7), DataError},
        {Concat(header, EmptyRow), DataError},
        {Concat(header, Concat(EmptyRow, {0xF8})), DataError},
        {Concat(header, Concat(EmptyRow, Concat(EmptyRow, {0xF8}))), DataError},
        {Concat(header, Concat(EmptyRow, {0xEF})), DataError},
        {Concat(header, Concat(EmptyRow, {0xF1, 0x21, 0, 0})), DataError},
        {Concat(header, Concat(RowRecord(0, 0xFFFF, "abc"), {0xFF})), DataError},
        // No id could follow the largest one.
        {Concat(header, Concat(RowRecord(0x7FFFFFFF), {0xFF})), DataError},
        {Concat(header, Concat(rows, body)), DataError},
    };
    for (const auto& [image, message] : cases) {
        ReadResult read = Read(image);
        EXPECT_EQ(read.kind, 0);
        EXPECT_EQ(read.messages, std::vector<std::string> {message}) << image.size();
    }
    EXPECT_EQ(Read(Concat(Header("TDPF", 0), body)).kind, DocumentKind::Project);
    EXPECT_EQ(ReadBody(Concat(EmptyRow, Concat(EmptyRow, {0xF8}))).document.OrderCount(), 2) << "records before a damage stay";
    EXPECT_EQ(ReadBody(Concat(rows, {0xFF})).document.OrderCount(), MaxOrder);
    ReadResult largest = ReadBody(Concat(RowRecord(0x7FFFFFFE), {0xFF}));
    ASSERT_EQ(largest.kind, DocumentKind::Project);
    // The largest usable id leaves no room for new rows.
    EXPECT_EQ((std::vector<int32_t> {largest.document.NextRowId(), largest.document.InsertChildRow(0), largest.document.AddRow(0)}),
              (std::vector<int32_t> {std::numeric_limits<int32_t>::max(), -1, 0}));
}

TEST(DocumentFile, OverLongStringsKeepWhatFitsAndFullWidthHasNoTerminator)
{
    ReadResult read = ReadBody(Concat(RowRecord(0, 40, std::string(40, 'N')), Concat(EmptyRow, {0xFF})));
    ASSERT_EQ(read.kind, DocumentKind::Project);
    ASSERT_EQ(read.document.OrderCount(), 2);
    const ProjectRow& row = *read.document.RowAtPosition(0);
    EXPECT_EQ(std::string(row.name, sizeof row.name), std::string(32, 'N'));
    EXPECT_EQ(row.person[0], '\0');

    Document doc = NewProject();
    ChartItem task = MakeItem(TaskLine, {}, {});
    std::memset(task.text, 'T', sizeof task.text);
    doc.AddItem(task);
    ReadResult full = Read(DocumentImage(doc));
    EXPECT_EQ(std::string(full.document.ItemPtr(0)->text, 128), std::string(128, 'T'));
}

TEST(DocumentFile, RowsLoadShownWithTheirIdsAndSaneLevels)
{
    Document doc = NewProject();
    doc.InsertChildRow(0);
    doc.RowAtPosition(1)->id = 7;
    doc.SetSubtreeShown(0, false);
    ReadResult read = Read(DocumentImage(doc));
    EXPECT_EQ((std::pair {read.document.FoldState(0), read.document.NextRowId()}), (std::pair {-1, 8}));

    Bytes damaged = EmptyRow;
    damaged[7] = 9;
    damaged[8] = 0;
    damaged[1] = 0xFF;  // The record length is not trusted.
    ReadResult clamped = ReadBody(Concat(damaged, {0xFF}));
    EXPECT_EQ((std::pair {clamped.document.RowAtPosition(0)->level, clamped.document.RowAtPosition(0)->lanes}), (std::pair {3, 1}));
}

}  // namespace
}  // namespace td
