#pragma once

#include "view/FormatDialogs.h"

#include <QDialog>

namespace td {

// The program's dialogs centre themselves on the screen, not on their parent.
class CenteredDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace td
