#pragma once

#include <string>
#include <vector>

namespace td {

// `tdtool export FILE [--ics OUT] [--csv-rows OUT] [--csv-items OUT]`: the document as JSON on
// stdout, or in the formats of the options into their files. `args` are the words after
// "export". Returns the process exit code.
int RunExport(const std::vector<std::string>& args);

}  // namespace td
