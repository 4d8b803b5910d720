#include "tools/CommandReporter.h"

#include <iostream>

namespace td {

void PrintCommandError(const std::string& command, const std::string& text)
{
    std::cerr << "tdtool " << command << ": " << text << '\n';
}

void CommandReporter::ShowError(std::string_view text)
{
    PrintCommandError(command, file + ": " + std::string(text));
}

}  // namespace td
