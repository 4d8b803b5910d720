#include "dialogs/ScheduleFormatDialog.h"

#include "DialogFixture.h"

#include <QPlainTextEdit>

#include <utility>
#include <vector>

namespace td {
namespace {

using namespace testing;

// What the schedule tool makes on 10 May 2009.
ChartItem NewEntry(int day = 10)
{
    ChartItem entry = Item(Schedule);
    entry.start = ItemPoint {0, 0, 2009, 5, day, 0, 0};
    entry.end = entry.start;
    return entry;
}

TEST(ScheduleFormatDialog, NewEntryOpensWithItsValuesAndCancelKeepsThem)
{
    SelectedWorkspace s(DocumentKind::Schedule, {NewEntry()});
    ScheduleFormatDialog dialog(s.ws, nullptr);
    const std::pair<const char*, const char*> shown[] = {
        {"year", "2009"}, {"month", "5"}, {"day", "10"}, {"startHour", "0"},
        {"startMinute", "0"}, {"endHour", "0"}, {"endMinute", "0"}, {"textSize", "11"},
        {"textWeight", "NORMAL"}, {"textColor", "BLACK"},
    };
    for (auto [list, text] : shown)
        EXPECT_EQ(Shown(&dialog, list), text) << list;
    Control<QComboBox>(&dialog, "day")->setCurrentIndex(0);
    Click(&dialog, "cancel");
    EXPECT_EQ((std::pair {dialog.result(), s.Selected(0).start.day}), (std::pair {int(DialogCancel), 10}));
}

TEST(ScheduleFormatDialog, EverySelectedEntryTakesTheDialogsValues)
{
    SelectedWorkspace s(DocumentKind::Schedule, {NewEntry(10), NewEntry(11), NewEntry(12)});
    ScheduleFormatDialog dialog(s.ws, nullptr);
    for (auto [list, index] : {std::pair {"year", 10}, {"month", 1}, {"day", 30}, {"startHour", 9}, {"endMinute", 30}})
        Control<QComboBox>(&dialog, list)->setCurrentIndex(index);
    QTest::keyClicks(Control<QPlainTextEdit>(&dialog, "text"), "meet");
    Click(&dialog, "ok");
    for (int n = 0; n < 3; ++n) {
        const ChartItem entry = s.Selected(n);
        // 31 February is not a date: the day stops at the month's end.
        EXPECT_EQ((std::vector<int> {entry.start.year * 10000 + entry.start.month * 100 + entry.start.day,
                                     entry.end.year * 10000 + entry.end.month * 100 + entry.end.day, entry.start.hour, entry.end.minute}),
                  (std::vector<int> {20100228, 20100228, 9, 30}));
        EXPECT_STREQ(entry.text, "meet");
    }
}

}  // namespace
}  // namespace td
