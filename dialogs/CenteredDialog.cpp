#include "dialogs/CenteredDialog.h"

#include <QScreen>

namespace td {

void CenteredDialog::showEvent(QShowEvent* event)
{
    if (const QScreen* shown = screen()) {
        const QRect area = shown->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    QDialog::showEvent(event);
}

}  // namespace td
