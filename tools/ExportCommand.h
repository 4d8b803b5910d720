#pragma once

#include <string>
#include <vector>

namespace td {

// `tdtool export FILE`: the document as JSON on stdout. `args` are the words after "export".
// Returns the process exit code.
int RunExport(const std::vector<std::string>& args);

}  // namespace td
