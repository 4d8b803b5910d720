#pragma once

#include "dialogs/FormDialog.h"
#include "dialogs/ScheduleFormat.h"

class QPlainTextEdit;

namespace td {

class Workspace;

// "スケジュールの書式設定": shows the first selected schedule entry and gives its date, times and
// text to every selected entry.
class ScheduleFormatDialog final : public FormDialog {
public:
    ScheduleFormatDialog(Workspace& workspace, QWidget* parent);

private:
    void Write() override;
    QComboBox* ShownList(QComboBox* list, int index);

    Workspace& workspace;
    ScheduleChoice shown;
    QComboBox* year = nullptr;
    QComboBox* month = nullptr;
    QComboBox* day = nullptr;
    QComboBox* startHour = nullptr;
    QComboBox* startMinute = nullptr;
    QComboBox* endHour = nullptr;
    QComboBox* endMinute = nullptr;
    QComboBox* textSize = nullptr;
    QComboBox* textWeight = nullptr;
    QComboBox* textColor = nullptr;
    QPlainTextEdit* text = nullptr;
};

}  // namespace td
