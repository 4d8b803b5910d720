#pragma once

#include "dialogs/CenteredDialog.h"

class QComboBox;

namespace td {

struct AttributeTable;

inline constexpr int ControlX = 130;

// The format dialogs: a label column and a column of controls 200 pixels wide at x 130, one row
// every 40 pixels from y 40, then OK and Cancel. OK writes and ends with 1; Cancel, Escape and
// the close box end with 2 and change nothing.
class FormDialog : public CenteredDialog {
public:
    FormDialog(const char* title, QWidget* parent);

    void accept() override;
    void reject() override { done(DialogCancel); }

protected:
    // Places a control on a row with its label; controls are created in the order of the rows,
    // which is the order Tab walks them.
    void PlaceRow(int row, const char* label, QWidget* control, int width, int height);
    void PlaceLabel(int row, int x, const char* label);
    void PlaceControl(int row, int x, QWidget* control, int width, int height);
    // Adds OK and Cancel below the rows and fixes the dialog's size.
    void FinishRows();
    // An extended drop-down list of the first `count` entries of a table, with their images.
    QComboBox* AttributeList(const AttributeTable& table, int count, const char* name);
    QComboBox* AttributeList(const AttributeTable& table, const char* name);
    // A list of the decimal numbers first .. first + count - 1.
    QComboBox* NumberList(int first, int count, const char* name);

    // Writes the dialog's values into the model.
    virtual void Write() = 0;
};

}  // namespace td
