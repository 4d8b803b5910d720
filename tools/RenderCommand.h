#pragma once

#include <string>
#include <vector>

namespace td {

// `tdtool render FILE... [--png OUT] [--svg OUT] [--width W] [--height H] [--zoom Z]
// [--first-date YYYY-MM-DD] [--first-row N] [--scale S]`: paints the chart of the files into a
// PNG, an SVG or both without a window; the PNG as a screen of device pixel ratio S shows it.
// `args` are the words after "render". Returns the process exit code.
int RunRender(const std::vector<std::string>& args);

}  // namespace td
