#include "dialogs/FormDialog.h"

#include "dialogs/DialogImages.h"
#include "model/AttributeValues.h"
#include "view/Surface.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace td {

namespace {

constexpr int LabelX = 16;
constexpr int FirstRowY = 40;
constexpr int RowStep = 40;
constexpr int DialogWidth = 360;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 26;
constexpr int DroppedRows = 10;

int RowY(int row)
{
    return FirstRowY + row * RowStep;
}

}  // namespace

FormDialog::FormDialog(const char* title, QWidget* parent)
    : CenteredDialog(parent)
{
    Surface::InstallFontSubstitution();
    QFont dialogFont(QStringLiteral("ＭＳ Ｐゴシック"));
    dialogFont.setPixelSize(14);
    dialogFont.setWeight(QFont::Normal);
    setFont(dialogFont);
    setWindowTitle(QString::fromUtf8(title));
    setWindowIcon(DialogIcon());
}

void FormDialog::accept()
{
    Write();
    done(DialogOk);
}

void FormDialog::PlaceRow(int row, const char* label, QWidget* control, int width, int height)
{
    PlaceLabel(row, LabelX, label);
    PlaceControl(row, ControlX, control, width, height);
}

void FormDialog::PlaceControl(int row, int x, QWidget* control, int width, int height)
{
    control->setGeometry(x, RowY(row), width, height);
}

void FormDialog::PlaceLabel(int row, int x, const char* label)
{
    auto* text = new QLabel(QString::fromUtf8(label), this);
    text->move(x, RowY(row) + 3);
}

void FormDialog::FinishRows()
{
    const int y = childrenRect().bottom() + 16;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    ok->setObjectName("ok");
    cancel->setObjectName("cancel");
    ok->setDefault(true);
    ok->setGeometry(DialogWidth - 2 * ButtonWidth - 30, y, ButtonWidth, ButtonHeight);
    cancel->setGeometry(DialogWidth - ButtonWidth - 20, y, ButtonWidth, ButtonHeight);
    connect(ok, &QPushButton::clicked, this, &FormDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FormDialog::reject);
    setFixedSize(DialogWidth, y + ButtonHeight + 16);
}

QComboBox* FormDialog::AttributeList(const AttributeTable& table, int count, const char* name)
{
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->setIconSize(QSize(AttributeImageWidth, AttributeImageHeight));
    list->setMaxVisibleItems(DroppedRows);
    for (int i = 0; i < count; ++i)
        list->addItem(QPixmap::fromImage(AttributeImage(table, i, list->devicePixelRatioF())),
                      QString::fromLatin1(table.LabelAt(i)));
    list->setCurrentIndex(-1);
    return list;
}

QComboBox* FormDialog::AttributeList(const AttributeTable& table, const char* name)
{
    return AttributeList(table, table.Count(), name);
}

QComboBox* FormDialog::NumberList(int first, int count, const char* name)
{
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->setMaxVisibleItems(DroppedRows);
    for (int i = 0; i < count; ++i)
        list->addItem(QString::number(first + i));
    list->setCurrentIndex(-1);
    return list;
}

}  // namespace td
