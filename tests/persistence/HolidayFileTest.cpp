#include "persistence/HolidayFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

namespace td {
namespace {

namespace fs = std::filesystem;

const std::string Header = "# TimelineDraft Holiday File\r\n";

class HolidayFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "td-holidays-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        SetHolidayDirectory(dir);
    }

    void TearDown() override { fs::remove_all(dir); }

    std::string PathOf(int year) const { return dir + "/" + std::to_string(year) + ".cal"; }

    void WriteRaw(int year, const std::string& bytes) const
    {
        std::ofstream(PathOf(year), std::ios::binary) << bytes;
    }

    std::string ReadRaw(int year) const
    {
        std::ifstream in(PathOf(year), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::vector<int> LoadedDays(int year) const
    {
        int table[HolidayTableSize] = {};
        EXPECT_EQ(LoadHolidayFile(year, table), 1);
        return SetIndices(table);
    }

    std::vector<int> ParsedDays(const std::string& bytes) const
    {
        WriteRaw(2009, bytes);
        return LoadedDays(2009);
    }

    static std::vector<int> SetIndices(const int (&table)[HolidayTableSize])
    {
        std::vector<int> days;
        for (int i = 0; i < HolidayTableSize; ++i) {
            if (table[i])
                days.push_back(i);
        }
        return days;
    }

    std::vector<std::string> DirectoryEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::string dir;
};

using Days = std::vector<int>;

TEST_F(HolidayFileTest, DigitsFormGroupsOfFourAcrossLineBreaks)
{
    EXPECT_EQ(ParsedDays(Header + "0132\r\n"), Days{});
    EXPECT_EQ(ParsedDays(Header + "1301\r\n"), Days{});
    EXPECT_EQ(ParsedDays(Header + "1301\r\n0505\r\n"), Days{4});
    EXPECT_EQ(ParsedDays(Header + "0229\r\n"), Days{59});
    EXPECT_EQ(ParsedDays(Header + "0431\r\n"), Days{121});
}

TEST_F(HolidayFileTest, GroupsNamingNoDayAreIgnored)
{
    EXPECT_EQ(ParsedDays(Header + "0001\r\n0100\r\n0000\r\n0505\r\n"), Days{125});
}

TEST_F(HolidayFileTest, CommentsAndLineEndsDoNotDisturbTheScan)
{
    EXPECT_EQ(ParsedDays(Header + "0101\r\n# 1231 is no holiday\r\n0202\r\n"), (Days{0, 32}));
    EXPECT_EQ(ParsedDays("0101\r\n1231"), (Days{0, 365}));
    EXPECT_EQ(ParsedDays("0101\n1231\n"), (Days{0, 365}));
    EXPECT_EQ(ParsedDays("01 01\t1231"), (Days{0, 365}));
    EXPECT_EQ(ParsedDays("0101\r\n# comment without an end 1231"), Days{0});
    EXPECT_EQ(ParsedDays("0101\r\n#\r"), Days{0});
    EXPECT_EQ(ParsedDays("0101\r"), Days{0});
    EXPECT_EQ(ParsedDays(""), Days{});
}

TEST_F(HolidayFileTest, BytesBeyondTheReadLimitAreIgnored)
{
    auto fileWithGroupAt = [](size_t offset) {
        std::string file = "0101\r\n#";
        file.append(offset - 9, 'x');
        return file + "\r\n1231\r\n0601\r\n";
    };
    std::string lastFitting = fileWithGroupAt(4091);
    ASSERT_EQ(lastFitting.find("1231"), 4091u);
    EXPECT_EQ(ParsedDays(lastFitting), (Days{0, 365}));
    EXPECT_EQ(ParsedDays(fileWithGroupAt(4092)), Days{0});
}

TEST_F(HolidayFileTest, LoadOnlySetsEntriesTheFileNames)
{
    WriteRaw(2009, Header + "0101\r\n");
    int table[HolidayTableSize] = {};
    table[10] = 1;
    EXPECT_EQ(LoadHolidayFile(2009, table), 1);
    EXPECT_EQ(SetIndices(table), (Days{0, 10}));
}

TEST_F(HolidayFileTest, MissingOrUnreadableFileLoadsNothing)
{
    int table[HolidayTableSize] = {};
    EXPECT_EQ(LoadHolidayFile(2009, table), 0);
    fs::create_directory(PathOf(2010));
    EXPECT_EQ(LoadHolidayFile(2010, table), 0);
    EXPECT_EQ(SetIndices(table), Days{});
}

TEST_F(HolidayFileTest, SaveWritesOneLinePerHolidayAndReadsBack)
{
    int table[HolidayTableSize] = {};
    table[0] = 1;
    table[365] = 1;
    EXPECT_EQ(SaveHolidayFile(2009, table), 1);
    EXPECT_EQ(ReadRaw(2009), Header + "0101\r\n1231\r\n");
    EXPECT_EQ(ReadRaw(2009).size(), 42u);
    EXPECT_EQ(LoadedDays(2009), (Days{0, 365}));
}

TEST_F(HolidayFileTest, SaveOfAYearWithoutHolidaysIsTheHeaderAlone)
{
    int table[HolidayTableSize] = {};
    EXPECT_EQ(SaveHolidayFile(2009, table), 1);
    EXPECT_EQ(ReadRaw(2009), Header);
}

TEST_F(HolidayFileTest, SaveOfEveryDayRoundTripsAndReplacesTheOldFile)
{
    int table[HolidayTableSize];
    std::fill(std::begin(table), std::end(table), 1);
    EXPECT_EQ(SaveHolidayFile(2008, table), 1);
    std::string text = ReadRaw(2008);
    EXPECT_EQ(text.size(), 30u + 366u * 6u);
    EXPECT_NE(text.find("0229\r\n0301\r\n"), std::string::npos);
    EXPECT_EQ(LoadedDays(2008).size(), 366u);

    int one[HolidayTableSize] = {};
    one[59] = 1;
    EXPECT_EQ(SaveHolidayFile(2008, one), 1);
    EXPECT_EQ(ReadRaw(2008), Header + "0229\r\n");
}

TEST_F(HolidayFileTest, SavedFileIsNotPrivateToItsOwner)
{
    int table[HolidayTableSize] = {};
    ASSERT_EQ(SaveHolidayFile(2009, table), 1);
    mode_t mask = umask(0);
    umask(mask);
    struct stat info {};
    ASSERT_EQ(stat(PathOf(2009).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(HolidayFileTest, YearsOutsideTheCenturyHaveNoFile)
{
    int table[HolidayTableSize] = {};
    table[0] = 1;
    WriteRaw(1999, Header + "0101\r\n");
    WriteRaw(2100, Header + "0101\r\n");
    int loaded[HolidayTableSize] = {};
    EXPECT_EQ(LoadHolidayFile(1999, loaded), 0);
    EXPECT_EQ(LoadHolidayFile(2100, loaded), 0);
    EXPECT_EQ(SetIndices(loaded), Days{});
    EXPECT_EQ(SaveHolidayFile(1999, table), 0);
    EXPECT_EQ(SaveHolidayFile(2100, table), 0);
    EXPECT_EQ(ReadRaw(2100), Header + "0101\r\n");
    EXPECT_FALSE(fs::exists(PathOf(2101)));
}

TEST_F(HolidayFileTest, FailedSaveLeavesNothingBehind)
{
    int table[HolidayTableSize] = {};
    table[0] = 1;
    std::string home = dir;

    SetHolidayDirectory(home + "/missing");
    EXPECT_EQ(SaveHolidayFile(2009, table), 0);

    WriteRaw(2009, Header + "0505\r\n");
    SetHolidayDirectory(PathOf(2009));
    EXPECT_EQ(SaveHolidayFile(2009, table), 0);

    // A directory in the file's place cannot be replaced: the write fails after the temporary
    // file exists, which must go again.
    SetHolidayDirectory(home);
    fs::create_directory(PathOf(2010));
    std::ofstream(PathOf(2010) + "/keep") << "x";
    EXPECT_EQ(SaveHolidayFile(2010, table), 0);
    EXPECT_TRUE(fs::exists(PathOf(2010) + "/keep"));

    EXPECT_EQ(ReadRaw(2009), Header + "0505\r\n");
    std::vector<std::string> entries = DirectoryEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"2009.cal", "2010.cal"}));
}

TEST_F(HolidayFileTest, FileNameIsTheDirectoryAndTheYearAndFixKeepsIt)
{
    SetHolidayDirectory(dir + "/");
    FixHolidayDirectory();
    EXPECT_EQ(HolidayDirectory(), dir + "/");
    EXPECT_EQ(HolidayFileName(2009), dir + "/2009.cal");
    EXPECT_EQ(HolidayFileName(2000), dir + "/2000.cal");
}

}  // namespace
}  // namespace td
