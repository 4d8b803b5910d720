#include "persistence/DocumentFile.h"

#include "model/Document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace td {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

struct CollectingReporter : ErrorReporter {
    void ShowError(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::string pattern = (fs::temp_directory_path() / "documentfile-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~ScratchDirectory() { fs::remove_all(path); }
    fs::path operator/(const std::string& name) const { return path / name; }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path;
};

Bytes FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Header(const char* magic, uint32_t version = 16)
{
    Bytes bytes(magic, magic + 4);
    for (uint32_t value : {version, 0u, 256u})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return bytes;
}

Bytes Concat(Bytes bytes, const Bytes& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

// A row record with id 0, level 0, 2 lanes and the given stored string lengths and bytes.
Bytes RowRecord(uint16_t nameLength, const std::string& nameBytes, uint16_t personLength = 0,
                const std::string& personBytes = "")
{
    Bytes bytes = {0xF0, 0x16, 0x00, 0, 0, 0, 0, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
    bytes.push_back(static_cast<uint8_t>(nameLength));
    bytes.push_back(static_cast<uint8_t>(nameLength >> 8));
    bytes.insert(bytes.end(), nameBytes.begin(), nameBytes.end());
    bytes.push_back(static_cast<uint8_t>(personLength));
    bytes.push_back(static_cast<uint8_t>(personLength >> 8));
    bytes.insert(bytes.end(), personBytes.begin(), personBytes.end());
    bytes.insert(bytes.end(), {0x00, 0x00});
    return bytes;
}

const Bytes EmptyRow = RowRecord(0, "");

struct ReadResult {
    int kind = 0;
    Document document;
    std::vector<std::string> messages;
};

ReadResult Read(const Bytes& image)
{
    ReadResult result;
    CollectingReporter errors;
    result.kind = ReadDocumentImage(result.document, image, errors);
    result.messages = errors.messages;
    return result;
}

Document NewProject()
{
    Document doc;
    doc.SetKind(DocumentKind::Project);
    doc.AddRow(0);
    return doc;
}

ChartItem MakeItem(int type, const char* text = "")
{
    ChartItem item;
    item.type = type;
    item.state = ItemNormal;
    std::memcpy(item.text, text, std::min(std::strlen(text), sizeof item.text));
    return item;
}

void ExpectSamePoint(const ItemPoint& a, const ItemPoint& b)
{
    EXPECT_EQ(a.rowId, b.rowId);
    EXPECT_EQ(a.lane, b.lane);
    EXPECT_EQ(a.year, b.year);
    EXPECT_EQ(a.month, b.month);
    EXPECT_EQ(a.day, b.day);
    EXPECT_EQ(a.hour, b.hour);
    EXPECT_EQ(a.minute, b.minute);
}

void ExpectSameItem(const ChartItem& a, const ChartItem& b)
{
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.state, b.state);
    ExpectSamePoint(a.start, b.start);
    ExpectSamePoint(a.end, b.end);
    EXPECT_EQ(a.lineStyle, b.lineStyle);
    EXPECT_EQ(a.lineWidth, b.lineWidth);
    EXPECT_EQ(a.lineColor, b.lineColor);
    EXPECT_EQ(a.arrow, b.arrow);
    EXPECT_EQ(a.progress, b.progress);
    EXPECT_EQ(a.progressColor, b.progressColor);
    EXPECT_EQ(a.boxWidth, b.boxWidth);
    EXPECT_EQ(a.textSize, b.textSize);
    EXPECT_EQ(a.textWeight, b.textWeight);
    EXPECT_EQ(a.textColor, b.textColor);
    EXPECT_EQ(std::memcmp(a.text, b.text, sizeof a.text), 0);
}

// Writes the item into a one-row project, checks its record and returns the item read back.
ChartItem RoundTrip(const ChartItem& item, const Bytes& record)
{
    Document doc = NewProject();
    doc.AddItem(item);
    const Bytes image = DocumentImage(doc);
    const std::size_t recordStart = 16 + 23;
    EXPECT_EQ(image.size(), recordStart + record.size() + 1);
    EXPECT_EQ(Bytes(image.begin() + recordStart, image.end() - 1), record);
    ReadResult read = Read(image);
    EXPECT_EQ(read.kind, DocumentKind::Project);
    EXPECT_TRUE(read.messages.empty());
    EXPECT_EQ(read.document.ItemCount(), 1);
    ChartItem out;
    read.document.GetItem(0, out);
    return out;
}

// A plan holding one record of every type, for damage tests.
Document FullPlan()
{
    Document doc = NewProject();
    doc.InsertChildRow(0);
    std::strcpy(doc.RowAtPosition(1)->name, "child");
    for (int type = TaskLine; type <= Schedule; ++type) {
        ChartItem item = MakeItem(type, "t");
        item.textWeight = 700;
        doc.AddItem(item);
    }
    return doc;
}

TEST(DocumentFile, NewProjectIsTheFortyByteImage)
{
    const Bytes expected = {'T', 'D', 'P', 'F', 0x10, 0, 0, 0, 0x28, 0, 0, 0, 0, 0x01, 0, 0,
                            0xF0, 0x16, 0, 0, 0, 0, 0, 0, 0x02, 0xFF, 0xFF, 0xFF, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF};
    EXPECT_EQ(DocumentImage(NewProject()), expected);
}

TEST(DocumentFile, ScheduleDocumentsCarryTheirMagic)
{
    Document doc;
    doc.SetKind(DocumentKind::Schedule);
    doc.AddRow(0);
    const Bytes image = DocumentImage(doc);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 4), Bytes({'T', 'D', 'S', 'F'}));
    EXPECT_EQ(image[24], 6);
    ReadResult read = Read(image);
    EXPECT_EQ(read.kind, DocumentKind::Schedule);
    EXPECT_EQ(read.document.Kind(), DocumentKind::Schedule);
}

TEST(DocumentFile, TaskLineRecordMatchesByteForByte)
{
    ChartItem task = MakeItem(TaskLine, "abc");
    task.start = {0, 0, 2009, 4, 1, 0, 0};
    task.end = {0, 0, 2009, 4, 10, 0, 0};
    task.lineWidth = 16;
    task.arrow = 17;
    task.textSize = 14;
    task.textWeight = 400;
    const Bytes record = {0xF1, 0x21, 0, 0, 0, 0, 0, 0, 0xD9, 0x07, 0x04, 0x01, 0xD9, 0x07, 0x04,
                          0x0A, 0, 0x10, 0, 0, 0, 0, 0x11, 0x0E, 0x90, 0, 0, 0, 0, 0x03, 0,
                          0x61, 0x62, 0x63};
    ExpectSameItem(RoundTrip(task, record), task);
}

TEST(DocumentFile, EventRecordCopiesItsDateToTheEnd)
{
    ChartItem event = MakeItem(Event);
    event.start = {1, 2, 2020, 2, 29, 0, 0};
    event.lineStyle = 103;
    event.lineColor = 0x0000FF;
    event.textSize = 16;
    event.textWeight = 400;
    const Bytes record = {0xF3, 0x18, 0, 1, 0, 0, 0, 2, 0xE4, 0x07, 2, 0x1D, 0x67,
                          0xFF, 0, 0, 0, 0x10, 0x90, 0, 0, 0, 0, 0, 0};
    ChartItem expected = event;
    expected.end = {0, 0, 2020, 2, 29, 0, 0};
    ExpectSameItem(RoundTrip(event, record), expected);
}

TEST(DocumentFile, ProgressRecordKeepsProgressAndBoldWeight)
{
    ChartItem progress = MakeItem(Progress, "p");
    progress.start = {2, 0, 2009, 4, 1, 0, 0};
    progress.end = {0, 0, 2009, 4, 30, 0, 0};
    progress.lineStyle = 1;
    progress.lineWidth = 16;
    progress.lineColor = 0xFF0000;
    progress.progress = 60;
    progress.progressColor = 0x00FF00;
    progress.textSize = 14;
    progress.textWeight = 700;
    progress.textColor = 0x123456;
    const Bytes record = {0xF4, 0x24, 0, 2, 0, 0, 0, 0, 0xD9, 0x07, 4, 1, 0xD9, 0x07, 4, 0x1E,
                          1, 0x10, 0, 0, 0xFF, 0, 0, 0x3C, 0, 0xFF, 0, 0, 0x0E, 0xBC,
                          0x56, 0x34, 0x12, 0, 1, 0, 0x70};
    ExpectSameItem(RoundTrip(progress, record), progress);
}

TEST(DocumentFile, LineRecordHasNoTextAndReadsWidthSixteen)
{
    ChartItem line = MakeItem(Line, "not stored");
    line.start = {0, 1, 2009, 4, 1, 0, 0};
    line.end = {5, 3, 2009, 4, 5, 0, 0};
    line.lineStyle = 4;
    line.lineWidth = 99;
    line.lineColor = 0x808080;
    const Bytes record = {0xF5, 0x19, 0, 0, 0, 0, 0, 1, 0xD9, 0x07, 4, 1, 5, 0, 0, 0,
                          3, 0xD9, 0x07, 4, 5, 4, 0x80, 0x80, 0x80, 0};
    ChartItem expected = line;
    expected.lineWidth = 16;
    std::memset(expected.text, 0, sizeof expected.text);
    ExpectSameItem(RoundTrip(line, record), expected);
}

TEST(DocumentFile, TextBoxRecordKeepsBottomLaneAndWidth)
{
    ChartItem box = MakeItem(TextBox, "box");
    box.start = {4, 1, 2009, 5, 6, 0, 0};
    box.end = {0, 3, 2009, 6, 1, 0, 0};
    box.lineColor = 0x0000FF;
    box.lineWidth = 16;
    box.boxWidth = 120;
    box.textSize = 10;
    box.textWeight = 400;
    const Bytes record = {0xF6, 0x20, 0, 4, 0, 0, 0, 1, 0xD9, 0x07, 5, 6, 3, 0, 0xFF, 0, 0, 0,
                          0x78, 0, 0, 0, 0x0A, 0x90, 0, 0, 0, 0, 3, 0, 'b', 'o', 'x'};
    ChartItem expected = box;
    expected.end = {0, 3, 2009, 5, 6, 0, 0};
    ExpectSameItem(RoundTrip(box, record), expected);
}

TEST(DocumentFile, ScheduleRecordStoresTimesButNoLanes)
{
    ChartItem entry = MakeItem(Schedule, "mtg");
    entry.start = {0, 77, 2021, 7, 15, 9, 30};
    entry.end = {0, 88, 2021, 7, 15, 17, 45};
    entry.textSize = 14;
    entry.textWeight = 400;
    const Bytes record = {0xF7, 0x19, 0, 0, 0, 0, 0, 0xE5, 0x07, 7, 0x0F, 9, 0x1E, 0x11, 0x2D,
                          0x0E, 0x90, 0, 0, 0, 0, 3, 0, 'm', 't', 'g'};
    ChartItem expected = entry;
    expected.start.lane = 0;
    expected.end.lane = 0;
    expected.lineWidth = 16;
    ExpectSameItem(RoundTrip(entry, record), expected);
}

TEST(DocumentFile, WideValuesAreWrittenAsTheirLowBits)
{
    Document doc = NewProject();
    doc.RowAtPosition(0)->lanes = 0x102;
    ChartItem task = MakeItem(TaskBand);
    task.start.year = 0x10000 + 2009;
    task.lineWidth = 0x130;
    doc.AddItem(task);
    doc.AddItem(MakeItem(99));
    const Bytes image = DocumentImage(doc);
    EXPECT_EQ(image[24], 0x02);
    EXPECT_EQ(image[39], 0xF2);
    EXPECT_EQ(image[47], 0xD9);
    EXPECT_EQ(image[48], 0x07);
    EXPECT_EQ(image[56], 0x30);
    EXPECT_EQ(image.size(), 16u + 23 + 31 + 1) << "an item of unknown type is skipped";
    EXPECT_EQ(image[8], image.size());
}

TEST(DocumentFile, WeightByteMapsToNormalOrBold)
{
    const std::pair<int, int> cases[] = {{0xBC, 700}, {0x90, 400}, {0x00, 400}, {0xBD, 400}};
    for (auto [stored, weight] : cases) {
        const Bytes record = {0xF3, 0x18, 0, 0, 0, 0, 0, 0, 0xD9, 0x07, 4, 1, 101,
                              0, 0, 0, 0, 14, static_cast<uint8_t>(stored), 0, 0, 0, 0, 0, 0};
        ReadResult read = Read(Concat(Concat(Header("TDPF"), record), {0xFF}));
        ASSERT_EQ(read.kind, DocumentKind::Project);
        EXPECT_EQ(read.document.ItemPtr(0)->textWeight, weight) << stored;
    }
}

TEST(DocumentFile, VersionsUpToSixteenAreRead)
{
    const Bytes body = Concat(EmptyRow, {0xFF});
    EXPECT_EQ(Read(Concat(Header("TDPF", 0), body)).kind, DocumentKind::Project);
    EXPECT_EQ(Read(Concat(Header("TDSF", 16), body)).kind, DocumentKind::Schedule);
    for (uint32_t version : {17u, 0xFFFFFFFFu}) {
        ReadResult read = Read(Concat(Header("TDPF", version), body));
        EXPECT_EQ(read.kind, 0);
        EXPECT_EQ(read.messages, std::vector<std::string>{UnknownFileFormat});
    }
}

TEST(DocumentFile, WrongMagicOrShortFileIsNotOurType)
{
    for (const Bytes& image : {Header("TDXF"), Bytes{}, Bytes{'T', 'D', 'P'}, Bytes{'t', 'd', 'p', 'f'}}) {
        ReadResult read = Read(image);
        EXPECT_EQ(read.kind, 0);
        EXPECT_EQ(read.messages, std::vector<std::string>{IncorrectFileType});
        EXPECT_EQ(read.document.Kind(), 0);
    }
}

TEST(DocumentFile, CutOffHeaderIsADataError)
{
    const Bytes header = Header("TDPF");
    for (std::size_t size = 4; size <= header.size(); ++size) {
        ReadResult read = Read(Bytes(header.begin(), header.begin() + static_cast<long>(size)));
        EXPECT_EQ(read.messages, std::vector<std::string>{DataError}) << size;
    }
}

TEST(DocumentFile, BadTagsAreDataErrors)
{
    for (const Bytes& tail : {Bytes{}, Bytes{0xF8}, Bytes{0xFE}, Bytes{0x00}, Bytes{0xEF}}) {
        ReadResult read = Read(Concat(Concat(Header("TDPF"), EmptyRow), tail));
        EXPECT_EQ(read.kind, 0);
        EXPECT_EQ(read.messages, std::vector<std::string>{DataError});
        EXPECT_EQ(read.document.OrderCount(), 1) << "records before the failure stay";
    }
}

TEST(DocumentFile, EveryTruncationEndsInOneMessage)
{
    const Bytes image = DocumentImage(FullPlan());
    ASSERT_EQ(Read(image).kind, DocumentKind::Project);
    for (std::size_t size = 0; size < image.size(); ++size) {
        ReadResult read = Read(Bytes(image.begin(), image.begin() + static_cast<long>(size)));
        EXPECT_EQ(read.kind, 0) << size;
        EXPECT_EQ(read.messages.size(), 1u) << size;
    }
}

TEST(DocumentFile, StringLengthsPastTheEndAreDataErrors)
{
    const Bytes absurdName = RowRecord(0xFFFF, "abc");
    EXPECT_EQ(Read(Concat(Concat(Header("TDPF"), absurdName), {0xFF})).messages,
              std::vector<std::string>{DataError});

    Bytes task = {0xF1, 0x21, 0, 0, 0, 0, 0, 0, 0xD9, 0x07, 4, 1, 0xD9, 0x07, 4, 0x0A,
                  0, 0x10, 0, 0, 0, 0, 0x11, 0x0E, 0x90, 0, 0, 0, 0, 0x81, 0x00, 'x', 0xFF};
    EXPECT_EQ(Read(Concat(Concat(Header("TDPF"), EmptyRow), task)).messages,
              std::vector<std::string>{DataError});
}

TEST(DocumentFile, OverLongStringsKeepWhatFitsAndSkipTheRest)
{
    const std::string name(40, 'N');
    const std::string person = std::string(16, 'P') + "QQQQ";
    const Bytes image = Concat(Concat(Header("TDPF"), RowRecord(40, name, 20, person)),
                               Concat(EmptyRow, {0xFF}));
    ReadResult read = Read(image);
    ASSERT_EQ(read.kind, DocumentKind::Project);
    ASSERT_EQ(read.document.OrderCount(), 2);
    const ProjectRow& row = *read.document.RowAtPosition(0);
    EXPECT_EQ(std::string(row.name, sizeof row.name), std::string(32, 'N'));
    EXPECT_EQ(std::string(row.person, sizeof row.person), std::string(16, 'P'));
    EXPECT_EQ(row.comment[0], '\0');
}

TEST(DocumentFile, FullWidthStringsHaveNoTerminator)
{
    Document doc = NewProject();
    ProjectRow& row = *doc.RowAtPosition(0);
    std::memset(row.name, 'N', sizeof row.name);
    std::strcpy(row.person, "who");
    ChartItem task = MakeItem(TaskLine);
    std::memset(task.text, 'T', sizeof task.text);
    doc.AddItem(task);
    const Bytes image = DocumentImage(doc);
    EXPECT_EQ(image[33], 32);

    ReadResult read = Read(image);
    ASSERT_EQ(read.kind, DocumentKind::Project);
    const ProjectRow& back = *read.document.RowAtPosition(0);
    EXPECT_EQ(FieldLength(back.name), 32u);
    EXPECT_STREQ(back.person, "who");
    const ChartItem& item = *read.document.ItemPtr(0);
    EXPECT_EQ(FieldLength(item.text), 128u);
    EXPECT_EQ(std::string(item.text, 128), std::string(128, 'T'));
}

TEST(DocumentFile, RowsBeyondTheOrderAreRefused)
{
    Bytes rows;
    for (int i = 0; i < 256; ++i)
        rows = Concat(rows, EmptyRow);
    ReadResult full = Read(Concat(Concat(Header("TDPF"), rows), {0xFF}));
    EXPECT_EQ(full.kind, DocumentKind::Project);
    EXPECT_EQ(full.document.OrderCount(), 256);

    ReadResult over = Read(Concat(Concat(Header("TDPF"), Concat(rows, EmptyRow)), {0xFF}));
    EXPECT_EQ(over.kind, 0);
    EXPECT_EQ(over.messages, std::vector<std::string>{DataError});
    EXPECT_EQ(over.document.OrderCount(), 256);
}

TEST(DocumentFile, RowsLoadShownWithIdsAndSaneLevels)
{
    Document doc = FullPlan();
    doc.RowAtPosition(1)->id = 7;
    doc.SetSubtreeShown(0, false);
    ASSERT_EQ(doc.RowAtPosition(1)->state, RowHidden);
    ReadResult read = Read(DocumentImage(doc));
    ASSERT_EQ(read.kind, DocumentKind::Project);
    EXPECT_EQ(read.document.RowAtPosition(1)->state, RowShown);
    EXPECT_EQ(read.document.RowAtPosition(1)->level, 1);
    EXPECT_STREQ(read.document.RowAtPosition(1)->name, "child");
    EXPECT_EQ(read.document.RowAtPosition(0)->hasChildren, 1);
    EXPECT_EQ(read.document.NextRowId(), 8);
    EXPECT_EQ(read.document.FoldState(0), -1);

    Bytes damaged = EmptyRow;
    damaged[7] = 9;
    damaged[8] = 0;
    ReadResult clamped = Read(Concat(Concat(Header("TDPF"), damaged), {0xFF}));
    EXPECT_EQ(clamped.document.RowAtPosition(0)->level, 3);
    EXPECT_EQ(clamped.document.RowAtPosition(0)->lanes, 1);
}

TEST(DocumentFile, ItemTypesAreNotCheckedAgainstTheKind)
{
    const Bytes entry = {0xF7, 0x16, 0, 0, 0, 0, 0, 0xD9, 0x07, 4, 1, 9, 0, 10, 0, 14, 0x90, 0, 0, 0, 0, 0, 0};
    ReadResult read = Read(Concat(Concat(Header("TDPF"), EmptyRow), Concat(entry, {0xFF})));
    ASSERT_EQ(read.kind, DocumentKind::Project);
    ASSERT_EQ(read.document.ItemCount(), 1);
    EXPECT_EQ(read.document.ItemPtr(0)->type, Schedule);
    EXPECT_EQ(read.document.ItemPtr(0)->end.hour, 10);
}

TEST(DocumentFile, RecordLengthIsNotTrusted)
{
    Bytes row = EmptyRow;
    row[1] = 0xFF;
    row[2] = 0xFF;
    ReadResult read = Read(Concat(Concat(Header("TDPF"), row), Concat(EmptyRow, {0xFF})));
    EXPECT_EQ(read.kind, DocumentKind::Project);
    EXPECT_EQ(read.document.OrderCount(), 2);
}

TEST(DocumentFile, FilesRoundTripAndReplaceTheOldOne)
{
    ScratchDirectory dir;
    const fs::path path = dir / "plan.tdp";
    PutFile(path, Bytes(100, 'x'));
    chmod(path.c_str(), 0640);
    Document doc = FullPlan();
    std::strcpy(doc.Path(), path.c_str());
    CollectingReporter errors;
    ASSERT_EQ(WriteDocument(doc, errors), 1);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(FileBytes(path), DocumentImage(doc));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plan.tdp"});
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    Document loaded;
    std::strcpy(loaded.Path(), path.c_str());
    EXPECT_EQ(ReadDocument(loaded, errors), DocumentKind::Project);
    EXPECT_EQ(DocumentImage(loaded), DocumentImage(doc));
}

TEST(DocumentFile, SavingThroughALinkUpdatesItsTarget)
{
    ScratchDirectory dir;
    PutFile(dir / "real.tdp", Bytes(3, 'x'));
    fs::create_symlink(dir / "real.tdp", dir / "link.tdp");
    CollectingReporter errors;
    ASSERT_EQ(WriteDocument(NewProject(), (dir / "link.tdp").string(), errors), 1);
    EXPECT_TRUE(fs::is_symlink(dir / "link.tdp"));
    EXPECT_EQ(FileBytes(dir / "real.tdp").size(), 40u);
}

TEST(DocumentFile, UnreadableFilesAreFileOpenErrors)
{
    ScratchDirectory dir;
    for (const fs::path& path : {dir / "missing.tdp", dir / "", fs::path()}) {
        Document doc;
        std::strcpy(doc.Path(), path.c_str());
        CollectingReporter errors;
        EXPECT_EQ(ReadDocument(doc, errors), 0);
        EXPECT_EQ(errors.messages, std::vector<std::string>{FileOpenError}) << path;
    }
}

TEST(DocumentFile, FailedWritesLeaveNothingBehind)
{
    ScratchDirectory dir;
    PutFile(dir / "plain", Bytes(5, 'x'));
    fs::create_directory(dir / "occupied.tdp");
    PutFile(dir / "occupied.tdp" / "inside", Bytes(5, 'y'));
    const std::vector<fs::path> targets = {dir / "nowhere" / "plan.tdp", dir / "plain" / "plan.tdp",
                                           dir / "occupied.tdp", fs::path()};
    for (const fs::path& path : targets) {
        CollectingReporter errors;
        EXPECT_EQ(WriteDocument(NewProject(), path.string(), errors), 0) << path;
        EXPECT_EQ(errors.messages, std::vector<std::string>{FileOpenError}) << path;
    }
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"occupied.tdp", "plain"}));
    EXPECT_EQ(FileBytes(dir / "plain"), Bytes(5, 'x'));
    EXPECT_EQ(FileBytes(dir / "occupied.tdp" / "inside"), Bytes(5, 'y'));
}

TEST(DocumentFile, WriteCutShortKeepsTheOldFile)
{
    ScratchDirectory dir;
    const fs::path path = dir / "plan.tdp";
    const Bytes old = DocumentImage(NewProject());
    PutFile(path, old);
    Document big = NewProject();
    for (int i = 0; i < 100; ++i)
        big.AddItem(MakeItem(TaskLine, "a text long enough to pass the file size limit"));

    // A file size limit makes the write itself fail, even for root.
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit limited = saved;
    limited.rlim_cur = 1024;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    CollectingReporter errors;
    const int written = WriteDocument(big, path.string(), errors);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(written, 0);
    EXPECT_EQ(errors.messages, std::vector<std::string>{FileOpenError});
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plan.tdp"});
}

TEST(DocumentFile, PlansBeyondSixtyFourKilobytesRoundTrip)
{
    ScratchDirectory dir;
    Document doc = NewProject();
    for (int i = 0; i < 200; ++i)
        doc.AddRow(1 + i % 3);
    std::string text(128, 'x');
    for (int i = 0; i < 1000; ++i) {
        ChartItem item = MakeItem(TaskLine + i % 7);
        std::memcpy(item.text, text.data(), text.size());
        item.start.rowId = i % 201;
        item.boxWidth = i;
        item.textWeight = 400;
        doc.AddItem(item);
    }
    const Bytes image = DocumentImage(doc);
    ASSERT_GT(image.size(), 65535u);
    CollectingReporter errors;
    ASSERT_EQ(WriteDocument(doc, (dir / "big.tdp").string(), errors), 1);

    Document loaded;
    std::strcpy(loaded.Path(), (dir / "big.tdp").c_str());
    ASSERT_EQ(ReadDocument(loaded, errors), DocumentKind::Project);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(loaded.OrderCount(), 201);
    EXPECT_EQ(loaded.ItemCount(), 1000);
    EXPECT_EQ(DocumentImage(loaded), image);
}

}  // namespace
}  // namespace td
