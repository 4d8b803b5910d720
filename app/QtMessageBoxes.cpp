#include "app/QtMessageBoxes.h"

#include <QMessageBox>

namespace td {

void QtMessageBoxes::ShowError(std::string_view text)
{
    QMessageBox::critical(owner, ErrorTitle, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool QtMessageBoxes::AskYesNo(std::string_view title, std::string_view text, bool yesByDefault)
{
    const auto answer = QMessageBox::question(
        owner, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Yes | QMessageBox::No,
        yesByDefault ? QMessageBox::Yes : QMessageBox::No);
    return answer == QMessageBox::Yes;
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
