#include "dialogs/HolidayDialog.h"

#include "calendar/Dates.h"
#include "dialogs/DialogImages.h"
#include "persistence/DocumentFile.h"
#include "persistence/ErrorReporter.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace td {

namespace {

constexpr int GridLeft = 28;
constexpr int CellStep = 44;
constexpr int CellWidth = 40;
constexpr int CellHeight = 28;
constexpr int HeaderY = 16;
constexpr int WeekdayY = 56;
constexpr int GridTop = 88;
constexpr int RowStep = 32;

const char* const WeekdayNames[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

// The grid's buttons toggle or mark; Return stays with OK.
QPushButton* GridButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* ShownNumber(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

}  // namespace

HolidayDialog::HolidayDialog(const QDate& today, ErrorReporter& reporter, QWidget* parent)
    : FormDialog("休日設定", parent), reporter(reporter)
{
    year = std::clamp(today.year(), FirstYear, EndYear - 1);
    month = year == today.year() ? today.month() : 1;
    copy.EnsureYear(year);
    BuildHeader();
    BuildGrid();
    FinishRows();
    ShowMonth();
}

void HolidayDialog::BuildHeader()
{
    QPushButton* previous = GridButton({}, "previous", this);
    previous->setIcon(QPixmap::fromImage(MonthArrowImage(false)));
    previous->setGeometry(GridLeft, HeaderY, CellWidth, CellHeight);
    yearEdit = ShownNumber("year", this);
    yearEdit->setGeometry(GridLeft + 2 * CellStep, HeaderY, 64, CellHeight);
    monthEdit = ShownNumber("month", this);
    monthEdit->setGeometry(GridLeft + 4 * CellStep - 8, HeaderY, 40, CellHeight);
    QPushButton* next = GridButton({}, "next", this);
    next->setIcon(QPixmap::fromImage(MonthArrowImage(true)));
    next->setGeometry(GridLeft + 6 * CellStep, HeaderY, CellWidth, CellHeight);
    connect(previous, &QPushButton::clicked, this, [this] { StepMonth(-1); });
    connect(next, &QPushButton::clicked, this, [this] { StepMonth(1); });
}

void HolidayDialog::BuildGrid()
{
    for (int weekday = 0; weekday < 7; ++weekday) {
        const char* name = WeekdayNames[weekday];
        QPushButton* button = GridButton(QString::fromLatin1(name), name, this);
        button->setGeometry(GridLeft + weekday * CellStep, WeekdayY, CellWidth, CellHeight);
        connect(button, &QPushButton::clicked, this, [this, weekday] { MarkWeekday(weekday); });
    }
    for (int cell = 0; cell < GridCells; ++cell) {
        const QByteArray name = "cell" + QByteArray::number(cell);
        cells[cell] = GridButton({}, name.constData(), this);
        cells[cell]->setCheckable(true);
        cells[cell]->setGeometry(GridLeft + cell % 7 * CellStep, GridTop + cell / 7 * RowStep,
                                 CellWidth, CellHeight);
    }
}

// Blank cells show pressed in and cannot be toggled.
void HolidayDialog::ShowMonth()
{
    yearEdit->setText(QString::number(year));
    monthEdit->setText(QString::number(month));
    grid = MonthGrid(year, month);
    for (int cell = 0; cell < GridCells; ++cell) {
        const int day = grid[cell];
        cells[cell]->setEnabled(day != 0);
        cells[cell]->setText(day != 0 ? QString::number(day) : QStringLiteral(" "));
        cells[cell]->setChecked(day == 0 || copy.IsHoliday(year, month, day));
    }
}

void HolidayDialog::SaveMonth()
{
    for (int cell = 0; cell < GridCells; ++cell) {
        if (grid[cell] != 0)
            copy.SetHoliday(year, month, grid[cell], cells[cell]->isChecked());
    }
}

void HolidayDialog::StepMonth(int step)
{
    SaveMonth();
    if (!td::StepMonth(year, month, step))
        return;
    copy.EnsureYear(year);
    ShowMonth();
}

// Marks only: days already marked in the column stay marked, none is cleared.
void HolidayDialog::MarkWeekday(int weekday)
{
    for (int row = 0; row < GridWeeks; ++row)
        cells[row * 7 + weekday]->setChecked(true);
}

void HolidayDialog::Write()
{
    SaveMonth();
    if (!copy.SaveAll())
        reporter.ShowError(FileOpenError);
}

}  // namespace td
