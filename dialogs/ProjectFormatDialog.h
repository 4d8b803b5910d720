#pragma once

#include "dialogs/FormDialog.h"
#include "dialogs/RowFormat.h"

class QLineEdit;
class QPlainTextEdit;

namespace td {

class Workspace;

// "プロジェクトの書式設定": the colours and texts of the Workspace's selected row.
class ProjectFormatDialog final : public FormDialog {
public:
    ProjectFormatDialog(Workspace& workspace, QWidget* parent);

private:
    void Write() override;
    QLineEdit* TextEdit(const std::string& bytes, int maxBytes, const char* name);

    Workspace& workspace;
    RowChoice shown;
    QComboBox* backColor = nullptr;
    QComboBox* textColor = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* person = nullptr;
    QPlainTextEdit* comment = nullptr;
};

}  // namespace td
