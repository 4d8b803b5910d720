#include "tools/ExportCommand.h"
#include "tools/HolidaysCommand.h"
#include "tools/ImportCommand.h"
#include "tools/InfoCommand.h"
#include "tools/PrintCommand.h"
#include "tools/RenderCommand.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

// Handlers return 2 for wrong usage; the usage line is printed here, once for all of them.
constexpr Command Commands[] = {
    {"info", "tdtool info FILE", td::RunInfo},
    {"export", "tdtool export FILE [--ics OUT] [--csv-rows OUT] [--csv-items OUT]", td::RunExport},
    {"import", "tdtool import JSON OUT", td::RunImport},
    {"render",
     "tdtool render FILE... [--png OUT] [--svg OUT] [--width W] [--height H] [--zoom Z] "
     "[--first-date YYYY-MM-DD] [--first-row N]",
     td::RunRender},
    {"print",
     "tdtool print FILE... --pdf OUT [--dpi N] [--paper A4|A3|Letter] [--landscape] [--zoom Z] "
     "[--first-date YYYY-MM-DD] [--pages FROM-TO]",
     td::RunPrint},
    {"holidays",
     "tdtool holidays import CALENDAR.ics [--dir DIR] [--years FROM-TO] [--replace]\n"
     "  tdtool holidays list YEAR [--dir DIR]",
     td::RunHolidays},
};

constexpr int UsageExit = 2;

int PrintUsage()
{
    std::cerr << "usage:\n";
    for (const Command& command : Commands)
        std::cerr << "  " << command.usage << '\n';
    return UsageExit;
}

}  // namespace

int main(int argc, char** argv)
{
    // Over a file size limit a write then fails with the command's message and exit code instead
    // of the signal ending the tool half way.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2)
        return PrintUsage();
    for (const Command& command : Commands) {
        if (std::strcmp(argv[1], command.name) != 0)
            continue;
        const int result = command.run(std::vector<std::string>(argv + 2, argv + argc));
        if (result == UsageExit)
            std::cerr << "usage: " << command.usage << '\n';
        return result;
    }
    return PrintUsage();
}
