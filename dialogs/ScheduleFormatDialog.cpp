#include "dialogs/ScheduleFormatDialog.h"

#include "calendar/Dates.h"
#include "dialogs/SelectedItems.h"
#include "dialogs/TextLimit.h"
#include "model/AttributeValues.h"
#include "model/Workspace.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace td {

namespace {

constexpr int NumberWidth = 60;
// Four digits and the drop-down arrow need more than the other number lists.
constexpr int YearWidth = 80;
constexpr int MinuteX = 260;
constexpr int MinuteLabelX = 196;
constexpr int ListWidth = 200;
constexpr int ListHeight = 24;
constexpr int TextHeight = 88;
constexpr int TextLimit = sizeof ChartItem::text;

}  // namespace

ScheduleFormatDialog::ScheduleFormatDialog(Workspace& workspace, QWidget* parent)
    : FormDialog("スケジュールの書式設定", parent), workspace(workspace)
{
    const std::vector<ChartItem> items = SelectedItems(workspace);
    shown = ReadScheduleChoice(items.empty() ? ChartItem {} : items.front());
    year = ShownList(NumberList(FirstYear, YearCount, "year"), shown.year);
    PlaceRow(0, "年", year, YearWidth, ListHeight);
    month = ShownList(NumberList(1, 12, "month"), shown.month);
    PlaceRow(1, "月", month, NumberWidth, ListHeight);
    day = ShownList(NumberList(1, 31, "day"), shown.day);
    PlaceRow(2, "日", day, NumberWidth, ListHeight);
    startHour = ShownList(NumberList(0, HourCount, "startHour"), shown.startHour);
    PlaceRow(3, "開始（時）", startHour, NumberWidth, ListHeight);
    PlaceLabel(3, MinuteLabelX, "（分）");
    startMinute = ShownList(NumberList(0, MinuteCount, "startMinute"), shown.startMinute);
    PlaceControl(3, MinuteX, startMinute, NumberWidth, ListHeight);
    endHour = ShownList(NumberList(0, HourCount, "endHour"), shown.endHour);
    PlaceRow(4, "終了（時）", endHour, NumberWidth, ListHeight);
    PlaceLabel(4, MinuteLabelX, "（分）");
    endMinute = ShownList(NumberList(0, MinuteCount, "endMinute"), shown.endMinute);
    PlaceControl(4, MinuteX, endMinute, NumberWidth, ListHeight);
    textSize = ShownList(AttributeList(TextSizes(), "textSize"), shown.textSize);
    PlaceRow(5, "テキストのサイズ", textSize, ListWidth, ListHeight);
    textWeight = ShownList(AttributeList(TextWeights(), "textWeight"), shown.textWeight);
    PlaceRow(6, "テキストの太さ", textWeight, ListWidth, ListHeight);
    textColor = ShownList(AttributeList(ColorPalette(), ColorListCount, "textColor"), shown.textColor);
    PlaceRow(7, "テキストの色", textColor, ListWidth, ListHeight);
    text = new QPlainTextEdit(this);
    text->setObjectName("text");
    text->setTabChangesFocus(true);
    ShowLimitedText(text, shown.text, TextLimit);
    PlaceRow(8, "テキスト", text, ListWidth, TextHeight);
    FinishRows();
}

QComboBox* ScheduleFormatDialog::ShownList(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    return list;
}

void ScheduleFormatDialog::Write()
{
    ScheduleChoice choice = shown;
    choice.year = year->currentIndex();
    choice.month = month->currentIndex();
    choice.day = day->currentIndex();
    choice.startHour = startHour->currentIndex();
    choice.startMinute = startMinute->currentIndex();
    choice.endHour = endHour->currentIndex();
    choice.endMinute = endMinute->currentIndex();
    choice.textSize = textSize->currentIndex();
    choice.textWeight = textWeight->currentIndex();
    choice.textColor = textColor->currentIndex();
    TakeEditedText(text, choice.text);
    EditSelectedItems(workspace, [&](ChartItem& item) { ApplyScheduleChoice(choice, item); });
}

}  // namespace td
