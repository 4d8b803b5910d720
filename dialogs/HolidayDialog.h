#pragma once

#include "dialogs/FormDialog.h"
#include "dialogs/HolidayWorkingCopy.h"

#include <QDate>

#include <array>

class QLineEdit;
class QPushButton;

namespace td {

class ErrorReporter;

// "休日設定": a month of toggle buttons over the per-year holiday files. Every year it shows is
// kept in a working copy and written back on OK; Cancel discards them all.
class HolidayDialog final : public FormDialog {
public:
    // Opens at today's month, or at January of the nearest year when today lies outside
    // 2000..2099. A file that cannot be written is reported through `reporter`.
    HolidayDialog(const QDate& today, ErrorReporter& reporter, QWidget* parent);

private:
    void Write() override;
    void BuildHeader();
    void BuildGrid();
    void ShowMonth();
    void SaveMonth();
    void StepMonth(int step);
    void MarkWeekday(int weekday);

    ErrorReporter& reporter;
    HolidayWorkingCopy copy;
    int year = 0;
    int month = 0;
    std::array<int, GridCells> grid {};
    std::array<QPushButton*, GridCells> cells {};
    QLineEdit* yearEdit = nullptr;
    QLineEdit* monthEdit = nullptr;
};

}  // namespace td
