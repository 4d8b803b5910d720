#include "dialogs/DialogImages.h"
#include "dialogs/FieldValues.h"
#include "dialogs/HolidayDialog.h"
#include "dialogs/ProjectFormatDialog.h"
#include "dialogs/QtFormatDialogs.h"
#include "dialogs/ScheduleFormatDialog.h"
#include "dialogs/TaskFormatDialog.h"
#include "dialogs/TextLimit.h"

#include "calendar/Dates.h"
#include "tests/app/TempDir.h"
#include "tests/model/WorkspaceTestSupport.h"
#include "tests/persistence/PersistenceTestSupport.h"
#include "model/AttributeValues.h"
#include "view/ShiftJis.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace td {
namespace {

using namespace testing;

constexpr Color Red = 0x0000FF;
constexpr Color Blue = 0xFF0000;

// A control of a dialog by its object name; fails the test when it is missing.
template <typename Widget>
Widget* Control(QWidget* dialog, const char* name)
{
    auto* widget = dialog->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Click(QWidget* dialog, const char* name) { QTest::mouseClick(Control<QAbstractButton>(dialog, name), Qt::LeftButton); }
QString Shown(QWidget* dialog, const char* list) { return Control<QComboBox>(dialog, list)->currentText(); }

// A project or schedule document of one row whose items are all selected, in the given order.
struct SelectedWorkspace {
    SelectedWorkspace(int kind, std::initializer_list<ChartItem> items)
    {
        ws.AddDocument(kind);
        for (const ChartItem& item : items)
            ws.SelectItem(0, ws.AddItem(0, item));
    }
    ChartItem Selected(int n) const { return fixtures::SelectedItem(ws, 0, n); }

    Workspace ws;
};

// An item of 10 to 12 May 2009 on the first row, its text at size 14 and weight 400.
ChartItem Item(int type, Color lineColor = 0, const char* text = "")
{
    ChartItem item = fixtures::Task(0, 1, 10, 12);
    item.type = type, item.lineColor = lineColor, item.textSize = 14, item.textWeight = 400;
    std::snprintf(item.text, sizeof item.text, "%s", text);
    return item;
}

// Of a mixed selection a list left unchosen, the text and the progress keep each item's own
// value whatever was typed or slid (tasks have no progress), and a chosen colour goes to every
// item; Return is OK and Escape is Cancel.
TEST(TaskFormatDialog, MixedValuesStayEachItemsOwnUnlessChosen)
{
    for (auto [chosen, key, first, second] :
         {std::tuple {-1, Qt::Key_Return, Progress, Progress}, {1, Qt::Key_Return, TaskLine, TaskBand}, {1, Qt::Key_Escape, Progress, Progress}}) {
        ChartItem a = Item(first, Red, "first"), b = Item(second, Blue, "second");
        a.progress = 10, b.progress = 20;
        SelectedWorkspace s(DocumentKind::Project, {a, b});
        Reporter reporter;
        QtFormatDialogs dialogs(s.ws, reporter, nullptr);
        QTimer::singleShot(0, [chosen = chosen, key = key] {
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
    EXPECT_EQ(std::pair(Control<QComboBox>(&dialog, "textSize")->count(), Control<QWidget>(&dialog, "lineColor")->isEnabled()), std::pair(0, true));
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
    const auto date = [](const ItemPoint& p) { return p.year * 10000 + p.month * 100 + p.day; };
    for (int n = 0; n < 3; ++n) {
        const ChartItem entry = s.Selected(n);
        // 31 February is not a date: the day stops at the month's end.
        EXPECT_EQ(std::tuple(date(entry.start), date(entry.end), entry.start.hour, entry.end.minute, std::string(entry.text)),
                  std::tuple(20100228, 20100228, 9, 30, std::string("meet")));
    }
}

// A new row opens white on black; a white text colour, which the list lacks, shows no entry and
// stays white. A name committed by an input method counts its code page 932 bytes and keeps
// characters whole.
TEST(ProjectFormatDialog, KeepsAWhiteTextColourAndCountsTheNamesCodePage932Bytes)
{
    Workspace ws;
    ws.AddDocument(DocumentKind::Project);
    ProjectFormatDialog fresh(ws, nullptr);
    EXPECT_EQ(Shown(&fresh, "backColor") + "/" + Shown(&fresh, "textColor"), "WHITE/BLACK");
    ws.RowAt(0)->textColor = 0xFFFFFF;
    ProjectFormatDialog dialog(ws, nullptr);
    EXPECT_EQ(Control<QComboBox>(&dialog, "textColor")->currentIndex(), -1);
    auto* name = Control<QLineEdit>(&dialog, "name");
    name->clear();
    const QString whole = QString::fromUtf8("Plan計画表の第三版ABC工程表です");  // 31 bytes
    QInputMethodEvent commit;
    commit.setCommitString(whole + QString::fromUtf8("字"));
    QApplication::sendEvent(name, &commit);
    QTest::keyClicks(Control<QLineEdit>(&dialog, "person"), "ABCDEFGHIJKLMNOPQ");
    Click(&dialog, "ok");
    EXPECT_EQ(ws.RowAt(0)->textColor, 0xFFFFFFu);
    EXPECT_EQ(FromShiftJis(ws.RowAt(0)->name), whole) << "a whole character that no longer fits is left out";
    EXPECT_EQ(std::string(ws.RowAt(0)->person), "ABCDEFGHIJKLMNO");
}

// On a screen of twice the device pixels, a list entry's picture of pens, widths, colours and
// line arrows is the unscaled one with each pixel doubled, shown at the same logical size (band
// arrows slant, and a slanting line is drawn anew in device pixels).
TEST(AttributeImage, AtRatioTwoIsTheUnscaledPictureDoubled)
{
    for (const AttributeTable* table : {&PenStyles(), &LineWidths(), &ColorPalette(), &Arrows()}) {
        for (int i = 0; i < table->Count(); ++i) {
            const QImage once = AttributeImage(*table, i);
            const QImage twice = AttributeImage(*table, i, 2);
            ASSERT_EQ(twice.deviceIndependentSize(), QSizeF(once.size()));
            int differing = 0;
            for (int y = 0; y < twice.height(); ++y)
                for (int x = 0; x < twice.width(); ++x)
                    differing += twice.pixel(x, y) != once.pixel(x / 2, y / 2);
            EXPECT_EQ(differing, 0) << table->bitmapStrip << " " << i;
        }
    }
}

TEST(TextLimit, InsertionKeepsTheWholeCharactersThatFit)
{
    const struct { const char* text; int cursor, limit; const char* kept; int keptCursor; } cases[] = {
        {"abcdef", 6, 4, "abcd", 4},
        {"ab日本cd", 4, 6, "ab日cd", 3},    // the insertion before the cursor goes first
        {"日本語", 3, 5, "日本", 2},         // never half a character
        {"a😀b", 3, 10, "ab", 1},           // code page 932 has no emoji
        {"行1\n行2", 5, 7, "行1\n行", 4},     // a line break is stored as CR LF
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(FitBeforeCursor(text, c.cursor, c.limit), c.keptCursor) << c.text;
        EXPECT_EQ(text, QString::fromUtf8(c.kept)) << c.text;
    }
}

TEST(TextLimit, FieldCopyNeverCutsADoubleByteCharacter)
{
    char name[4] = {'x', 'x', 'x', 'x'};
    CopyTextField(name, "a\x93\xfa\x96\x7b", true);
    EXPECT_EQ(std::string(name), "a\x93\xfa");
    char text[4];
    CopyTextField(text, "ab\x93\xfa", false);
    EXPECT_EQ(std::string(text, 4), "ab\x93\xfa");
    // At the ends of the lead-byte ranges: a lead byte takes its trail along, any other byte is one
    // character of its own.
    const std::pair<unsigned char, bool> firsts[] = {{0x80, false}, {0x81, true},  {0x9F, true},  {0xA0, false},
                                                     {0xDF, false}, {0xE0, true},  {0xFC, true},  {0xFD, false}};
    for (const auto& [first, lead] : firsts) {
        char three[3];
        CopyTextField(three, std::string("a") + char(first) + "\x40", true);
        EXPECT_EQ(std::string(three), lead ? "a" : std::string("a") + char(first)) << int(first);
    }
}

struct HolidayFixture : ::testing::Test {
    HolidayFixture() { SetHolidayDirectory(dir.Path("")); }

    bool IsHoliday(int year, int month, int day)
    {
        int table[HolidayTableSize] = {};
        LoadHolidayFile(year, table);
        return table[DayIndex(month, day)] == 1;
    }
    QPushButton* Cell(HolidayDialog& dialog, int cell) { return Control<QPushButton>(&dialog, ("cell" + std::to_string(cell)).c_str()); }
    QString YearMonth(HolidayDialog& d) { return Control<QLineEdit>(&d, "year")->text() + "/" + Control<QLineEdit>(&d, "month")->text(); }

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
    for (const char* button : {"cell4", "SAT", "next"})
        Click(&dialog, button);
    EXPECT_EQ(YearMonth(dialog), "2010/1");
    EXPECT_TRUE(Cell(dialog, 5)->isChecked());
    Click(&dialog, "previous");
    EXPECT_EQ(std::pair(Cell(dialog, 4)->text(), Cell(dialog, 4)->isChecked()), std::pair(QString("3"), true));
    Click(&dialog, "ok");
    EXPECT_EQ(dialog.result(), DialogOk);
    for (int day : {3, 5, 12, 19, 26})
        EXPECT_TRUE(IsHoliday(2009, 12, day)) << day;
    EXPECT_FALSE(IsHoliday(2009, 12, 4) || IsHoliday(2009, 12, 6));
    EXPECT_TRUE(IsHoliday(2010, 1, 1));
    EXPECT_TRUE(errors.messages.empty());
}

// The dialog opens and steps within 2000..2099; Cancel writes nothing; a file that cannot be
// written is reported.
TEST_F(HolidayFixture, OpensAndStepsWithinTheCenturyCancelWritesNothingAndAFailedWriteIsReported)
{
    const struct { QDate today; const char* shown; const char* button; } cases[] = {
        {QDate(1999, 7, 1), "2000/1", "previous"}, {QDate(2105, 7, 1), "2099/1", nullptr}, {QDate(2099, 12, 1), "2099/12", "next"}};
    for (const auto& c : cases) {
        HolidayDialog dialog(c.today, errors, nullptr);
        Click(&dialog, "cell12");
        if (c.button)
            Click(&dialog, c.button);
        EXPECT_EQ(YearMonth(dialog), c.shown);
        Click(&dialog, "cancel");
        EXPECT_EQ(dialog.result(), DialogCancel);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("")));
    SetHolidayDirectory(dir.Path("missing"));
    HolidayDialog unwritable(QDate(2009, 5, 1), errors, nullptr);
    Click(&unwritable, "ok");
    EXPECT_EQ(errors.messages, std::vector<std::string> {"File Open Error !!"});
}

}  // namespace
}  // namespace td
