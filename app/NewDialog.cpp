#include "app/NewDialog.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace td {

NewDialog::NewDialog(QWidget* parent)
    : CenteredDialog(parent)
{
    setWindowTitle("新規作成");
    auto* layout = new QHBoxLayout(this);
    const auto addButton = [this, layout](const char* text, int id, const char* name) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
        layout->addWidget(button);
    };
    addButton("プロジェクト", NewProjectButton, "project");
    addButton("スケジュール", NewScheduleButton, "schedule");
}

}  // namespace td
