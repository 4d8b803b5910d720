#pragma once

#include <string>
#include <vector>

namespace td {

// `tdtool import JSON OUT`: writes the document file OUT from JSON in the layout of export;
// nothing is written when the JSON is refused. `args` are the words after "import". Returns the
// process exit code.
int RunImport(const std::vector<std::string>& args);

}  // namespace td
