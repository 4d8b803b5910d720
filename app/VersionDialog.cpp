#include "app/VersionDialog.h"

#include "app/AppIcon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace td {

VersionDialog::VersionDialog(QWidget* parent)
    : CenteredDialog(parent)
{
    setWindowTitle("バージョン");
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon().pixmap(DialogIconSize));
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel("TimelineDraft", this));
    texts->addWidget(new QLabel("Version 1.00", this));
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

}  // namespace td
