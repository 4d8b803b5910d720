#pragma once

#include "persistence/ErrorReporter.h"

#include <string>

namespace td {

// Prints "tdtool COMMAND: TEXT" on stderr.
void PrintCommandError(const std::string& command, const std::string& text);

// Sends the core's messages ("Data Error !!", ...) to stderr, naming the command and the file.
class CommandReporter : public ErrorReporter {
public:
    CommandReporter(std::string command, std::string file)
        : command(std::move(command)), file(std::move(file)) { }
    void ShowError(std::string_view text) override;

private:
    std::string command;
    std::string file;
};

}  // namespace td
