#include "app/AppIcon.h"

namespace td {

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : { 16, 32, 48, 128, 256 })
        icon.addFile(QString(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace td
