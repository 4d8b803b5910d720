#include "app/ToolBar.h"

#include "app/CommandId.h"
#include "view/ChartView.h"

#include <QAction>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

namespace td {

namespace {

constexpr int ImageWidth = 16;
constexpr int ImageHeight = 15;
constexpr int BandHeight = 28;

}  // namespace

const std::array<ToolButtonEntry, ToolButtonCount> ToolButtonTable { {
    { 0, CmdNew, "新規作成" },
    { 1, CmdOpen, "開く" },
    { 2, CmdSave, "上書き保存" },
    { 0, 0, nullptr },
    { 4, CmdUndo, "元に戻す" },
    { 0, 0, nullptr },
    { 6, CmdZoomWider, "広く" },
    { 7, CmdZoomNarrower, "狭く" },
    { 0, 0, nullptr },
    { 9, CmdToolSelect, "選択" },
    { 10, CmdToolTaskLine, "タスク（線）" },
    { 11, CmdToolTaskBand, "タスク（帯）" },
    { 12, CmdToolEvent, "イベント" },
    { 13, CmdToolProgress, "プログレス" },
    { 14, CmdToolLine, "線" },
    { 15, CmdToolTextBox, "テキストボックス" },
    { 16, CmdToolSchedule, "スケジュール" },
    { 0, 0, nullptr },
    { 18, CmdRowUp, "上" },
    { 19, CmdRowDown, "下" },
    { 20, CmdRowOutdent, "左" },
    { 21, CmdRowIndent, "右" },
} };

QToolBar* ToolBar::Create(QWidget* parent, const std::function<QAction*(int)>& actionOf)
{
    const QPixmap strip(":/toolbar.png");
    bar = new QToolBar(parent);
    bar->setObjectName("toolbar");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(ImageWidth, ImageHeight));
    for (size_t n = 0; n < ToolButtonTable.size(); ++n) {
        const ToolButtonEntry& entry = ToolButtonTable[n];
        if (entry.command == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = actionOf(entry.command);
        action->setIcon(strip.copy(entry.image * ImageWidth, 0, ImageWidth, ImageHeight));
        action->setIconVisibleInMenu(false);
        action->setToolTip(QString::fromUtf8(entry.tooltip));
        action->setCheckable(IsToolCommand(entry.command));
        auto* button = new QToolButton(bar);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setProperty("command", entry.command);
        bar->addWidget(button);
        buttons[n] = button;
    }
    SetHeld(view.CurrentTool(), true);
    return bar;
}

void ToolBar::SelectTool(int command)
{
    const int previous = view.CurrentTool();
    if (command != previous) {
        SetHeld(previous, false);
        view.SelectTool(command);
    }
    // A click on the held button has just released it.
    SetHeld(command, true);
}

void ToolBar::Show(bool shown)
{
    if (bar)
        bar->setVisible(shown);
}

void ToolBar::AutoSize(int width)
{
    if (bar)
        bar->setGeometry(0, 0, width, std::min(bar->sizeHint().height(), BandHeight));
}

QToolButton* ToolBar::Button(int command) const
{
    for (size_t n = 0; n < ToolButtonTable.size(); ++n) {
        if (ToolButtonTable[n].command == command && command != 0)
            return buttons[n];
    }
    return nullptr;
}

void ToolBar::SetHeld(int command, bool held)
{
    if (QToolButton* button = Button(command))
        button->defaultAction()->setChecked(held);
}

}  // namespace td
