#pragma once

#include "model/Workspace.h"

#include <QGuiApplication>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace td {

class ChartView;

// The options that render and print share: the documents and the view they are drawn in.
struct ChartOptions {
    std::vector<std::string> files;
    std::optional<int> zoom;
    std::optional<DateTriple> firstDate;
};

bool ParseInt(const std::string& text, int low, int high, int& value);
// FROM-TO with low <= FROM <= TO <= high.
bool ParseRange(const std::string& text, int low, int high, int& from, int& to);
bool ParseDate(const std::string& text, DateTriple& date);
// Takes --zoom and --first-date into `options`; false for another option. `error` is set when
// the option was one of these but its value was wrong.
bool ParseViewOption(const std::string& option, const std::string& value, ChartOptions& options,
                     std::string& error);
// Opens every file the way the editor's Open command does and sets the view as the options
// and the documents ask; false after an error was reported under `command`.
bool OpenCharts(const std::string& command, const ChartOptions& options, Workspace& workspace,
                ChartView& view);
// Fonts need a GUI application; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> EnsureApplication();

}  // namespace td
