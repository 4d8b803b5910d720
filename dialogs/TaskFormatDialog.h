#pragma once

#include "dialogs/FormDialog.h"
#include "dialogs/ItemFormat.h"

class QLineEdit;
class QSlider;

namespace td {

class Workspace;

// "タスクの書式設定": the look of every selected chart item at once. Attributes on which the
// items differ open blank, those some item's type lacks are disabled.
class TaskFormatDialog final : public FormDialog {
public:
    TaskFormatDialog(Workspace& workspace, QWidget* parent);

private:
    void Write() override;
    QWidget* MakeControl(int attribute, int referenceType);

    Workspace& workspace;
    AttributeStates states {};
    ItemFormatChoice shown;
    std::array<QComboBox*, ItemAttributeCount> lists {};
    QSlider* progress = nullptr;
    QLineEdit* text = nullptr;
};

}  // namespace td
