#include "calendar/HolidayCalendar.h"
#include "persistence/HolidayFile.h"
#include "tests/app/TempDir.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace td {
namespace {

class HolidayCalendarTest : public ::testing::Test {
protected:
    void SetUp() override { SetHolidayDirectory(dir.Path("")); }

    // One holiday in January of the year, on the day given.
    static void SaveJanuaryHoliday(int year, int day)
    {
        int table[HolidayTableSize] = {};
        table[day - 1] = 1;
        ASSERT_EQ(SaveHolidayFile(year, table), 1);
    }

    void ExpectCached(int first, int second) const
    {
        EXPECT_EQ((std::pair {calendar.CachedYear(0), calendar.CachedYear(1)}), (std::pair {first, second}));
    }

    testing::TempDir dir;
    HolidayFiles holidayFiles;
    HolidayCalendar calendar{holidayFiles};
};

// Dates outside the table load nothing; a year without a file, or outside the range, is cached
// as having no holidays.
TEST_F(HolidayCalendarTest, ReplacesTheTableFartherFromTheAskedYear)
{
    for (int year = 2008; year <= 2011; ++year)
        SaveJanuaryHoliday(year, year - 2000);
    testing::WriteBytes(dir.Path("2100.cal"), "# TimelineDraft Holiday File\r\n0101\r\n");
    for (const auto& [month, day] : {std::pair {0, 1}, {13, 1}, {1, 0}, {1, 32}, {-1, -1}})
        EXPECT_EQ(calendar.IsHoliday(2009, month, day), 0) << month << "/" << day;
    ExpectCached(0, 0);
    const struct { int year, day, holiday, cached0, cached1; } steps[] = {
        {2009, 9, 1, 2009, 0}, {2010, 10, 1, 2009, 2010}, {2009, 10, 0, 2009, 2010}, {2010, 9, 0, 2009, 2010},
        {2011, 11, 1, 2011, 2010}, {2008, 8, 1, 2008, 2010}, {2008, 11, 0, 2008, 2010}, {2010, 10, 1, 2008, 2010},
        {2100, 1, 0, 2100, 2010}, {2012, 12, 0, 2012, 2010},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.year * 100 + step.day);
        EXPECT_EQ(calendar.IsHoliday(step.year, 1, step.day), step.holiday);
        ExpectCached(step.cached0, step.cached1);
    }
}

// A reload rereads the cached years and leaves empty tables empty.
TEST_F(HolidayCalendarTest, ChangedFilesAreSeenAfterReload)
{
    SaveJanuaryHoliday(2009, 1);
    calendar.ReloadHolidays();
    ExpectCached(0, 0);
    EXPECT_EQ((std::pair {calendar.IsHoliday(2009, 1, 1), calendar.IsHoliday(2010, 1, 2)}), (std::pair {1, 0}));
    SaveJanuaryHoliday(2009, 3);
    SaveJanuaryHoliday(2010, 2);
    EXPECT_EQ((std::pair {calendar.IsHoliday(2009, 1, 1), calendar.IsHoliday(2010, 1, 2)}), (std::pair {1, 0}));
    calendar.ReloadHolidays();
    EXPECT_EQ((std::vector<int> {calendar.IsHoliday(2009, 1, 1), calendar.IsHoliday(2009, 1, 3), calendar.IsHoliday(2010, 1, 2)}),
              (std::vector<int> {0, 1, 1}));
    ExpectCached(2009, 2010);
}

TEST_F(HolidayCalendarTest, ARunOfDaysAgreesWithEachDateAcrossTheNewYear)
{
    int table[HolidayTableSize] = {};
    table[DayIndex(12, 30)] = 1;
    ASSERT_EQ(SaveHolidayFile(2009, table), 1);
    SaveJanuaryHoliday(2010, 2);
    const HolidayDays run = calendar.DaysFrom({2009, 12, 28}, 8);
    std::vector<int> fromRun;
    std::vector<int> fromDates;
    DateTriple date = {2009, 12, 28};
    for (int i = -1; i <= 8; ++i) {
        fromRun.push_back(run.IsHoliday(i));
        const bool inRun = i >= 0 && i < 8;
        fromDates.push_back(inRun ? calendar.IsHoliday(date.year, date.month, date.day) : 0);
        if (inRun)
            StepDate(date.year, date.month, date.day, nullptr, 0, 1);
    }
    EXPECT_EQ(fromRun, fromDates);
    EXPECT_EQ(fromRun, (std::vector<int> {0, 0, 0, 1, 0, 0, 1, 0, 0, 0}));
}

}  // namespace
}  // namespace td
