#include "app/QtMessageBoxes.h"

#include <QMessageBox>

namespace td {

void QtMessageBoxes::ShowError(std::string_view text)
{
    QMessageBox::critical(owner, ErrorTitle, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

SaveAnswer QtMessageBoxes::AskSave()
{
    const auto answer = QMessageBox::question(owner, SavePromptTitle, SavePromptText,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (answer == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

}  // namespace td
