#pragma once

#include <QIcon>
#include <QImage>

namespace td {

struct AttributeTable;

inline constexpr int AttributeImageWidth = 64;
inline constexpr int AttributeImageHeight = 15;

// The image of one entry of an attribute list (the strips IDB_COLOR_SEL, IDB_PEN_STYLE, ...):
// what the entry's value draws on the chart, 64 x 15 pixels on white, drawn in the device
// pixels of a screen of the given device pixel ratio.
QImage AttributeImage(const AttributeTable& table, int index, double ratio = 1);
// IDB_BUTTON_LEFT and IDB_BUTTON_RIGHT of the holiday dialog.
QImage MonthArrowImage(bool next);
// The icon of the program's dialogs.
QIcon DialogIcon();

}  // namespace td
