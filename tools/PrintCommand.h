#pragma once

#include <string>
#include <vector>

namespace td {

// tdtool print FILE... --pdf OUT [--dpi N] [--paper A4|A3|Letter] [--landscape] [--zoom Z]
// [--first-date YYYY-MM-DD] [--pages FROM-TO]: the print command's pages as a PDF.
int RunPrint(const std::vector<std::string>& args);

}  // namespace td
