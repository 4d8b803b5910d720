#pragma once

#include <QImage>

namespace td {

// The chart's bitmap strips, by resource name ("IDB_PLUS_MINUS", "IDB_TRIANGLE"), loaded once
// from the Qt resources. A null image for an unknown name.
const QImage& ViewBitmap(const char* name);

// Width of one colour's cell in the arrow-head strip "IDB_TRIANGLE".
inline constexpr int GlyphCell = 16;

}  // namespace td
