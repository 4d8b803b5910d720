#pragma once

#include <string>
#include <vector>

namespace td {

// `tdtool info FILE`: kind, row count, item count per type and date range of a document file.
// `args` are the words after "info". Returns the process exit code.
int RunInfo(const std::vector<std::string>& args);

}  // namespace td
