#include "app/QtFileChooser.h"

#include "model/DocumentRecords.h"

#include <QFile>
#include <QFileDialog>

namespace td {

namespace {

std::optional<std::string> RunDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

}  // namespace

std::optional<std::string> QtFileChooser::ChooseOpenFile()
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters({ "Timeline Draft File (*.tdp *.tds)", "Project File (*.tdp)", "Scedule File (*.tds)" });
    return RunDialog(dialog);
}

std::optional<std::string> QtFileChooser::ChooseSaveFile(int kind, const std::string& currentPath)
{
    const bool schedule = kind == DocumentKind::Schedule;
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(schedule ? "Scedule File (*.tds)" : "Project File (*.tdp)");
    dialog.setDefaultSuffix(schedule ? "tds" : "tdp");
    if (!currentPath.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(currentPath)));
    return RunDialog(dialog);
}

}  // namespace td
