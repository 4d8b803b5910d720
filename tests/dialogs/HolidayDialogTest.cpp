#include "dialogs/HolidayDialog.h"

#include "DialogFixture.h"
#include "calendar/Dates.h"
#include "tests/app/TempDir.h"
#include "tests/persistence/PersistenceTestSupport.h"

#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <string>
#include <vector>

namespace td {
namespace {

using namespace testing;

struct HolidayFixture : ::testing::Test {
    HolidayFixture() { SetHolidayDirectory(dir.Path("")); }

    bool IsHoliday(int year, int month, int day)
    {
        int table[HolidayTableSize] = {};
        LoadHolidayFile(year, table);
        return table[DayIndex(month, day)] == 1;
    }
    QPushButton* Cell(HolidayDialog& dialog, int cell) { return Control<QPushButton>(&dialog, ("cell" + std::to_string(cell)).c_str()); }
    QString YearMonth(HolidayDialog& dialog)
    {
        return Control<QLineEdit>(&dialog, "year")->text() + "/" + Control<QLineEdit>(&dialog, "month")->text();
    }

    TempDir dir;
    Reporter errors;
};

TEST_F(HolidayFixture, GridsFillFromTheFirstWeekday)
{
    for (auto [month, firstCell] : {std::pair {QDate(2015, 2, 1), 0}, {QDate(2009, 8, 1), 6}}) {
        HolidayDialog dialog(month, errors, nullptr);
        for (int cell = 0; cell < GridCells; ++cell) {
            const int day = cell - firstCell + 1;
            const bool inMonth = day >= 1 && day <= month.daysInMonth();
            const QPushButton* button = Cell(dialog, cell);
            EXPECT_EQ(button->text(), inMonth ? QString::number(day) : " ") << cell;
            EXPECT_TRUE(button->isEnabled() == inMonth && button->isChecked() == !inMonth) << cell;
        }
    }
}

// A toggled day and a marked Saturday column survive stepping into the next year, whose file
// is read; OK writes both years.
TEST_F(HolidayFixture, MarksSurviveMonthStepsAndOkWritesEveryYear)
{
    WriteBytes(HolidayFileName(2010), "# TimelineDraft Holiday File\r\n0101\r\n");
    HolidayDialog dialog(QDate(2009, 12, 24), errors, nullptr);
    Click(&dialog, "cell4");
    Click(&dialog, "SAT");
    Click(&dialog, "next");
    EXPECT_EQ(YearMonth(dialog), "2010/1");
    EXPECT_TRUE(Cell(dialog, 5)->isChecked());
    Click(&dialog, "previous");
    EXPECT_EQ(Cell(dialog, 4)->text(), "3");
    EXPECT_TRUE(Cell(dialog, 4)->isChecked());
    Click(&dialog, "ok");
    EXPECT_EQ(dialog.result(), DialogOk);
    for (int day : {3, 5, 12, 19, 26})
        EXPECT_TRUE(IsHoliday(2009, 12, day)) << day;
    EXPECT_FALSE(IsHoliday(2009, 12, 4) || IsHoliday(2009, 12, 6));
    EXPECT_TRUE(IsHoliday(2010, 1, 1));
    EXPECT_TRUE(errors.messages.empty());
}

// The dialog opens and steps within 2000..2099; Cancel writes nothing.
TEST_F(HolidayFixture, OpensAndStepsWithinTheCenturyAndCancelWritesNothing)
{
    struct Case { QDate today; const char* shown; const char* button; };
    for (const Case& c : {Case {QDate(1999, 7, 1), "2000/1", "previous"}, Case {QDate(2105, 7, 1), "2099/1", nullptr},
                          Case {QDate(2099, 12, 1), "2099/12", "next"}}) {
        HolidayDialog dialog(c.today, errors, nullptr);
        Click(&dialog, "cell12");
        if (c.button)
            Click(&dialog, c.button);
        EXPECT_EQ(YearMonth(dialog), c.shown);
        Click(&dialog, "cancel");
        EXPECT_EQ(dialog.result(), DialogCancel);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("")));
}

TEST_F(HolidayFixture, UnwritableFileIsReported)
{
    SetHolidayDirectory(dir.Path("missing"));
    HolidayDialog dialog(QDate(2009, 5, 1), errors, nullptr);
    Click(&dialog, "ok");
    EXPECT_EQ(errors.messages, std::vector<std::string> {"File Open Error !!"});
}

}  // namespace
}  // namespace td
