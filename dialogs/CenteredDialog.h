#pragma once

#include <QDialog>

namespace td {

// The end codes of the program's dialogs.
inline constexpr int DialogOk = 1;
inline constexpr int DialogCancel = 2;

// The program's dialogs centre themselves on the screen, not on their parent.
class CenteredDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace td
