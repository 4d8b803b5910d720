#pragma once

#include <QIcon>

namespace td {

// The program's icon, drawn for each size it is shown at rather than scaled from one image.
QIcon AppIcon();

// The size the version box shows the icon at, that of a dialog icon.
inline constexpr int DialogIconSize = 32;

}  // namespace td
