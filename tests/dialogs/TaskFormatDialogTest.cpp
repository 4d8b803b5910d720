#include "dialogs/QtFormatDialogs.h"
#include "dialogs/TaskFormatDialog.h"

#include "DialogFixture.h"
#include "calendar/HolidayCalendar.h"
#include "tests/persistence/PersistenceTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>

namespace td {
namespace {

using namespace testing;

constexpr Color Red = 0x0000FF;
constexpr Color Blue = 0xFF0000;

TEST(TaskFormatDialog, MixedColourKeepsEachUnlessOneIsChosen)
{
    for (int chosen : {-1, 1}) {
        SelectedWorkspace s(DocumentKind::Project, {Item(TaskLine, Red), Item(TaskBand, Blue)});
        TaskFormatDialog dialog(s.ws, nullptr);
        auto* colors = Control<QComboBox>(&dialog, "lineColor");
        EXPECT_EQ(colors->currentIndex(), -1);
        colors->setCurrentIndex(chosen);
        Click(&dialog, "ok");
        EXPECT_EQ(dialog.result(), DialogOk);
        EXPECT_EQ((std::pair {s.Selected(0).lineColor, s.Selected(1).lineColor}), (std::pair {Red, chosen == 1 ? Red : Blue}));
    }
}

TEST(TaskFormatDialog, MixedTextAndProgressIgnoreWhatIsEntered)
{
    ChartItem a = Item(Progress, 0, "first"), b = Item(Progress, 0, "second");
    a.progress = 10;
    b.progress = 20;
    SelectedWorkspace s(DocumentKind::Project, {a, b});
    TaskFormatDialog dialog(s.ws, nullptr);
    auto* text = Control<QLineEdit>(&dialog, "text");
    EXPECT_TRUE(text->text().isEmpty());
    QTest::keyClicks(text, "typed");
    Control<QSlider>(&dialog, "progress")->setValue(50);
    Click(&dialog, "ok");
    EXPECT_EQ(std::string(s.Selected(0).text) + "/" + s.Selected(1).text, "first/second");
    EXPECT_EQ((std::pair {s.Selected(0).progress, s.Selected(1).progress}), (std::pair {10, 20}));
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

TEST(TaskFormatDialog, TypingALabelPicksItsEntry)
{
    SelectedWorkspace s(DocumentKind::Project, {Item(TaskLine)});
    TaskFormatDialog dialog(s.ws, nullptr);
    EXPECT_EQ(Shown(&dialog, "textSize"), "11");
    QTest::keyClicks(Control<QComboBox>(&dialog, "textSize"), "12");
    EXPECT_EQ(Shown(&dialog, "textSize"), "12");
    Click(&dialog, "ok");
    EXPECT_EQ(s.Selected(0).textSize, 16);
}

TEST(TaskFormatDialog, OneIndexGivesAnEventAMarkAndATaskAPenStyle)
{
    struct Case { int index; int32_t mark, style; };
    for (const Case& c : {Case {2, 103, 2}, Case {6, 107, 0}}) {
        ChartItem event = Item(Event);
        event.lineStyle = 101;
        SelectedWorkspace s(DocumentKind::Project, {event, Item(TaskLine)});
        TaskFormatDialog dialog(s.ws, nullptr);
        auto* styles = Control<QComboBox>(&dialog, "lineStyle");
        ASSERT_EQ(styles->count(), 8);
        EXPECT_EQ(styles->itemText(0), "CIRCLE");
        styles->setCurrentIndex(c.index);
        Click(&dialog, "ok");
        EXPECT_EQ((std::pair {s.Selected(0).lineStyle, s.Selected(1).lineStyle}), (std::pair {c.mark, c.style}));
    }
}

TEST(TaskFormatDialog, ReturnIsOkAndEscapeIsCancel)
{
    for (auto [key, result] : {std::pair {Qt::Key_Return, DialogOk}, {Qt::Key_Escape, DialogCancel}}) {
        SelectedWorkspace s(DocumentKind::Project, {Item(TaskLine, Red)});
        Reporter reporter;
        QtFormatDialogs dialogs(s.ws, reporter, nullptr);
        QTimer::singleShot(0, [key] {
            QWidget* dialog = QApplication::activeModalWidget();
            Control<QComboBox>(dialog, "lineColor")->setCurrentIndex(2);
            QTest::keyClick(Control<QLineEdit>(dialog, "text"), key);
        });
        EXPECT_EQ(dialogs.TaskFormat(), result);
        EXPECT_EQ(s.Selected(0).lineColor, result == DialogOk ? 0x00FF00u : Red);
        EXPECT_TRUE(reporter.messages.empty());
    }
}

}  // namespace
}  // namespace td
