#include "dialogs/TaskFormatDialog.h"

#include "dialogs/SelectedItems.h"
#include "dialogs/TextLimit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

namespace td {

namespace {

constexpr int ControlWidth = 200;
constexpr int ControlHeight = 22;
constexpr int ListHeight = 24;
constexpr int TextLimit = sizeof ChartItem::text;

struct AttributeRow {
    const char* label;
    const char* name;
};

constexpr AttributeRow Rows[ItemAttributeCount] = {
    {"線種", "lineStyle"},          {"線の太さ", "lineWidth"},
    {"線の色", "lineColor"},        {"矢印", "arrow"},
    {"プログレス値", "progress"},   {"プログレスの色", "progressColor"},
    {"テキストのサイズ", "textSize"}, {"テキストの太さ", "textWeight"},
    {"テキストの色", "textColor"},  {"テキスト", "text"},
};

}  // namespace

TaskFormatDialog::TaskFormatDialog(Workspace& workspace, QWidget* parent)
    : FormDialog("タスクの書式設定", parent), workspace(workspace)
{
    const std::vector<ChartItem> items = SelectedItems(workspace);
    const ChartItem reference = items.empty() ? ChartItem {} : items.front();
    states = ReadAttributeStates(items);
    shown = ReadItemFormatChoice(states, reference);
    for (int attribute = 0; attribute < ItemAttributeCount; ++attribute) {
        QWidget* control = MakeControl(attribute, reference.type);
        const bool list = lists[attribute] != nullptr;
        PlaceRow(attribute, Rows[attribute].label, control, ControlWidth,
                 list ? ListHeight : ControlHeight);
        control->setEnabled(states[attribute] != AttributeNotApplicable);
    }
    FinishRows();
}

QWidget* TaskFormatDialog::MakeControl(int attribute, int referenceType)
{
    const bool applicable = states[attribute] != AttributeNotApplicable;
    if (attribute == AttrProgress) {
        progress = new QSlider(Qt::Horizontal, this);
        progress->setObjectName(Rows[attribute].name);
        progress->setRange(0, 100);
        if (states[attribute] == AttributeUniform)
            progress->setValue(shown.progress);
        return progress;
    }
    if (attribute == AttrText) {
        text = new QLineEdit(this);
        text->setObjectName(Rows[attribute].name);
        ShowLimitedText(text, shown.text, TextLimit);
        return text;
    }
    const int count = applicable ? ItemListLength(attribute, referenceType) : 0;
    QComboBox* list =
        AttributeList(*ItemAttributeTable(attribute, referenceType), count, Rows[attribute].name);
    list->setCurrentIndex(shown.index[attribute]);
    lists[attribute] = list;
    return list;
}

void TaskFormatDialog::Write()
{
    ItemFormatChoice choice = shown;
    for (int attribute = 0; attribute < ItemAttributeCount; ++attribute) {
        if (lists[attribute])
            choice.index[attribute] = lists[attribute]->currentIndex();
    }
    choice.progress = progress->value();
    TakeEditedText(text, choice.text);
    EditSelectedItems(workspace, [&](ChartItem& item) { ApplyItemFormat(states, choice, item); });
}

}  // namespace td
