#pragma once

#include "model/Workspace.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace td {

// `timeline-draft [--first-date YYYY-MM-DD] [--zoom N] FILE...`
struct StartOptions {
    std::optional<DateTriple> firstDate;
    std::optional<int> zoom;
    std::vector<std::string> files;
};

inline constexpr char StartUsage[] = "usage: timeline-draft [--first-date YYYY-MM-DD] [--zoom 0-9] FILE...";

// The options and files after the program's name; nullopt with `error` set when they are bad.
std::optional<StartOptions> ParseStartOptions(const QStringList& arguments, std::string& error);

}  // namespace td
