#include "persistence/HolidayFile.h"

#include "tests/app/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace td {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::WriteBytes;
using Days = std::vector<int>;

const std::string Header = "# TimelineDraft Holiday File\r\n";

Days SetIndices(const int (&table)[HolidayTableSize])
{
    Days days;
    for (int i = 0; i < HolidayTableSize; ++i) {
        if (table[i])
            days.push_back(i);
    }
    return days;
}

Days Scanned(const std::string& text)
{
    int table[HolidayTableSize] = {};
    ScanHolidayText(text, table);
    return SetIndices(table);
}

std::string Text(const std::vector<char>& bytes) { return {bytes.begin(), bytes.end()}; }

class HolidayFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetHolidayDirectory(dir.Path("")); }
    std::string PathOf(int year) const { return dir.Path(std::to_string(year) + ".cal"); }

    testing::TempDir dir;
};

TEST(HolidayText, DigitsFormGroupsOfFourThatMustNameADay)
{
    const struct { std::string text; Days days; } cases[] = {
        {Header + "0132\r\n", {}},
        {Header + "1301\r\n", {}},
        {Header + "1301\r\n0505\r\n", {4}},
        {Header + "0229\r\n", {59}},
        {Header + "0431\r\n", {121}},
        {Header + "0001\r\n0100\r\n0000\r\n0505\r\n", {125}},
        {Header + "0101\r\n# 1231 is no holiday\r\n0202\r\n", {0, 32}},
        {"0101\n1231\n", {0, 365}},
        {"01 01\t1231", {0, 365}},
        {"0101\r\n# comment without an end 1231", {0}},
        {"0101\r\n#\r", {0}},
        {"0101\r", {0}},
        {"", {}},
    };
    for (const auto& [text, days] : cases)
        EXPECT_EQ(Scanned(text), days) << text;
}

TEST_F(HolidayFileTest, LoadReadsTheFirst4095BytesAndOnlySetsEntries)
{
    const auto fileWithGroupAt = [](size_t offset) {
        return "0101\r\n#" + std::string(offset - 9, 'x') + "\r\n1231\r\n0601\r\n";
    };
    int table[HolidayTableSize] = {};
    table[10] = 1;
    WriteBytes(PathOf(2009), fileWithGroupAt(4091));
    EXPECT_EQ(LoadHolidayFile(2009, table), 1);
    EXPECT_EQ(SetIndices(table), (Days {0, 10, 365}));
    WriteBytes(PathOf(2010), fileWithGroupAt(4092));
    int cut[HolidayTableSize] = {};
    EXPECT_EQ(LoadHolidayFile(2010, cut), 1);
    EXPECT_EQ(SetIndices(cut), Days {0}) << "the group that the 4095th byte cuts";
}

// The file name is the directory and the year; fixing the directory later keeps the one set.
TEST_F(HolidayFileTest, SaveWritesOneLinePerHolidayReplacingTheOldFile)
{
    FixHolidayDirectory();
    EXPECT_EQ(HolidayFileName(2009), dir.Path("2009.cal"));
    int table[HolidayTableSize] = {};
    EXPECT_EQ(SaveHolidayFile(2009, table), 1);
    EXPECT_EQ(Text(FileBytes(PathOf(2009))), Header);
    table[0] = table[365] = 1;
    EXPECT_EQ(SaveHolidayFile(2009, table), 1);
    EXPECT_EQ(Text(FileBytes(PathOf(2009))), Header + "0101\r\n1231\r\n");

    std::fill(std::begin(table), std::end(table), 1);
    EXPECT_EQ(SaveHolidayFile(2008, table), 1);
    const std::string every = Text(FileBytes(PathOf(2008)));
    EXPECT_EQ(every.size(), 30u + 366u * 6u);
    EXPECT_NE(every.find("0229\r\n0301\r\n"), std::string::npos);
    int loaded[HolidayTableSize] = {};
    EXPECT_EQ(LoadHolidayFile(2008, loaded), 1);
    EXPECT_EQ(SetIndices(loaded).size(), 366u);

    const mode_t mask = umask(0);
    umask(mask);
    struct stat info {};
    ASSERT_EQ(stat(PathOf(2009).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << "a holiday file is not private to its owner";
}

TEST_F(HolidayFileTest, YearsWithoutAFileAndFailedSavesChangeNothing)
{
    int table[HolidayTableSize] = {1};
    WriteBytes(PathOf(2100), Header);
    fs::create_directory(PathOf(2010));
    // 2009 has no file; 2010's is a directory.
    for (const int year : {1999, 2100, 2009, 2010})
        EXPECT_EQ(LoadHolidayFile(year, table), 0) << year;
    EXPECT_EQ(SetIndices(table), Days {0});
    for (const int year : {1999, 2100, 2010})
        EXPECT_EQ(SaveHolidayFile(year, table), 0) << year;
    EXPECT_EQ(Text(FileBytes(PathOf(2100))), Header);
    EXPECT_TRUE(fs::is_directory(PathOf(2010)));
}

}  // namespace
}  // namespace td
