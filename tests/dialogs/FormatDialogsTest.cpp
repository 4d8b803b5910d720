#include "dialogs/ProjectFormatDialog.h"
#include "dialogs/QtFormatDialogs.h"
#include "dialogs/ScheduleFormatDialog.h"
#include "dialogs/TaskFormatDialog.h"

#include "DialogFixture.h"
#include "tests/persistence/PersistenceTestSupport.h"
#include "view/ShiftJis.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTimer>

#include <tuple>
#include <utility>
#include <vector>

namespace td {
namespace {

using namespace testing;

constexpr Color Red = 0x0000FF;
constexpr Color Blue = 0xFF0000;

// Of a mixed selection a list left unchosen, the text and the progress keep each item's own
// value whatever was typed or slid, and a chosen colour goes to every item; Return is OK and
// Escape is Cancel.
TEST(TaskFormatDialog, MixedValuesStayEachItemsOwnUnlessChosen)
{
    for (auto [chosen, key] : {std::pair {-1, Qt::Key_Return}, {1, Qt::Key_Return}, {1, Qt::Key_Escape}}) {
        ChartItem a = Item(Progress, Red, "first"), b = Item(Progress, Blue, "second");
        a.progress = 10;
        b.progress = 20;
        SelectedWorkspace s(DocumentKind::Project, {a, b});
        Reporter reporter;
        QtFormatDialogs dialogs(s.ws, reporter, nullptr);
        QTimer::singleShot(0, [chosen, key] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* colors = Control<QComboBox>(dialog, "lineColor");
            auto* text = Control<QLineEdit>(dialog, "text");
            EXPECT_EQ(std::pair(colors->currentIndex(), text->text()), std::pair(-1, QString()));
            colors->setCurrentIndex(chosen);
            QTest::keyClicks(text, "typed");
            Control<QSlider>(dialog, "progress")->setValue(50);
            QTest::keyClick(text, key);
        });
        EXPECT_EQ(dialogs.TaskFormat(), key == Qt::Key_Return ? DialogOk : DialogCancel);
        EXPECT_EQ(std::tuple(s.Selected(0).lineColor, s.Selected(1).lineColor, s.Selected(0).progress, s.Selected(1).progress),
                  std::tuple(Red, chosen == 1 && key == Qt::Key_Return ? Red : Blue, 10, 20));
        EXPECT_EQ(std::string(s.Selected(0).text) + "/" + s.Selected(1).text, "first/second");
        EXPECT_TRUE(reporter.messages.empty());
    }
}

TEST(TaskFormatDialog, LineDisablesTheTextAttributes)
{
    SelectedWorkspace s(DocumentKind::Project, {Item(TaskLine), Item(Line)});
    TaskFormatDialog dialog(s.ws, nullptr);
    for (const char* name : {"textSize", "textWeight", "textColor", "text", "lineWidth", "arrow"})
        EXPECT_FALSE(Control<QWidget>(&dialog, name)->isEnabled()) << name;
    EXPECT_EQ(Control<QComboBox>(&dialog, "textSize")->count(), 0);
    EXPECT_TRUE(Control<QWidget>(&dialog, "lineColor")->isEnabled());
}

// One index gives an event a mark and a task a pen style; typing a label picks its entry.
TEST(TaskFormatDialog, OneIndexGivesAnEventAMarkAndATaskAPenStyle)
{
    for (auto [index, mark, style] : {std::tuple {2, 103, 2}, {6, 107, 0}}) {
        ChartItem event = Item(Event);
        event.lineStyle = 101;
        SelectedWorkspace s(DocumentKind::Project, {event, Item(TaskLine)});
        TaskFormatDialog dialog(s.ws, nullptr);
        auto* styles = Control<QComboBox>(&dialog, "lineStyle");
        ASSERT_EQ(std::pair(styles->count(), styles->itemText(0)), std::pair(8, QString("CIRCLE")));
        styles->setCurrentIndex(index);
        EXPECT_EQ(Shown(&dialog, "textSize"), "11");
        QTest::keyClicks(Control<QComboBox>(&dialog, "textSize"), "12");
        EXPECT_EQ(Shown(&dialog, "textSize"), "12");
        Click(&dialog, "ok");
        EXPECT_EQ(std::tuple(s.Selected(0).lineStyle, s.Selected(1).lineStyle, s.Selected(0).textSize, s.Selected(1).textSize),
                  std::tuple(mark, style, 16, 16));
    }
}

// What the schedule tool makes on a day of May 2009.
ChartItem NewEntry(int day)
{
    ChartItem entry = Item(Schedule);
    entry.start = ItemPoint {0, 0, 2009, 5, day, 0, 0};
    entry.end = entry.start;
    return entry;
}

// The dialog shows the first selected entry; Cancel keeps the entries, OK gives each the
// dialog's values.
TEST(ScheduleFormatDialog, ShowsTheFirstEntryAndOkGivesEveryEntryTheDialogsValues)
{
    SelectedWorkspace s(DocumentKind::Schedule, {NewEntry(10), NewEntry(11), NewEntry(12)});
    ScheduleFormatDialog cancelled(s.ws, nullptr);
    const std::pair<const char*, const char*> shown[] = {
        {"year", "2009"}, {"month", "5"}, {"day", "10"}, {"startHour", "0"}, {"startMinute", "0"},
        {"endHour", "0"}, {"endMinute", "0"}, {"textSize", "11"}, {"textWeight", "NORMAL"}, {"textColor", "BLACK"},
    };
    for (auto [list, text] : shown)
        EXPECT_EQ(Shown(&cancelled, list), text) << list;
    Control<QComboBox>(&cancelled, "day")->setCurrentIndex(0);
    Click(&cancelled, "cancel");
    EXPECT_EQ((std::pair {cancelled.result(), s.Selected(0).start.day}), (std::pair {int(DialogCancel), 10}));

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

struct ProjectFormatDialogTest : ::testing::Test {
    ProjectFormatDialogTest() { ws.AddDocument(DocumentKind::Project); }
    Workspace ws;
};

TEST_F(ProjectFormatDialogTest, NewRowOpensWhiteOnBlackAndKeepsAWhiteTextColour)
{
    ProjectFormatDialog fresh(ws, nullptr);
    EXPECT_EQ(Shown(&fresh, "backColor") + "/" + Shown(&fresh, "textColor"), "WHITE/BLACK");

    ws.RowAt(0)->textColor = 0xFFFFFF;
    ProjectFormatDialog white(ws, nullptr);
    EXPECT_EQ(Control<QComboBox>(&white, "textColor")->currentIndex(), -1);
    Click(&white, "ok");
    EXPECT_EQ(ws.RowAt(0)->textColor, 0xFFFFFFu);
}

// Text committed by an input method counts its code page 932 bytes and keeps characters whole.
TEST_F(ProjectFormatDialogTest, NameCountsCodePage932BytesAndKeepsCharactersWhole)
{
    ProjectFormatDialog dialog(ws, nullptr);
    auto* name = Control<QLineEdit>(&dialog, "name");
    name->clear();
    const QString whole = QString::fromUtf8("Plan計画表の第三版ABC工程表です");  // 31 bytes
    for (const QString& text : {whole, QString::fromUtf8("字")}) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(name, &event);
    }
    QTest::keyClicks(Control<QLineEdit>(&dialog, "person"), "ABCDEFGHIJKLMNOPQ");
    Click(&dialog, "ok");
    const ProjectRow& row = *ws.RowAt(0);
    EXPECT_EQ(FromShiftJis(row.name), whole) << "a whole character that no longer fits is left out";
    EXPECT_EQ(std::string(row.person), "ABCDEFGHIJKLMNO");
}

}  // namespace
}  // namespace td
