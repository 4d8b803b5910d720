#include "tools/ChartOptions.h"

#include "calendar/Dates.h"
#include "model/Document.h"
#include "tools/CommandReporter.h"
#include "tools/DocumentLoader.h"
#include "view/ChartView.h"

#include <cstdio>
#include <cstdlib>

namespace td {

namespace {

// Opens one file the way the Open command does; the kind, or 0 after an error was reported.
int OpenFile(const std::string& command, Workspace& workspace, const std::string& file)
{
    if (workspace.AddDocument(0) != 1) {
        PrintCommandError(command, file + ": too many documents (at most 16)");
        return 0;
    }
    const int slot = workspace.DocumentCount() - 1;
    Document& document = *workspace.Doc(slot);
    if (!LoadDocumentFile(command, file, document)) {
        workspace.RemoveDocument(slot);
        return 0;
    }
    document.SetModState(Clean);
    workspace.RebuildVisibleRows();
    workspace.UpdateDateRange(nullptr);
    return document.Kind();
}

}  // namespace

bool ParseInt(const std::string& text, int low, int high, int& value)
{
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseRange(const std::string& text, int low, int high, int& from, int& to)
{
    const size_t dash = text.find('-');
    return dash != std::string::npos && ParseInt(text.substr(0, dash), low, high, from)
        && ParseInt(text.substr(dash + 1), from, high, to);
}

bool ParseDate(const std::string& text, DateTriple& date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3)
        return false;
    if (year < FirstYear || year >= EndYear || month < 1 || month > 12 || day < 1
        || day > DaysInMonth(year, month))
        return false;
    date = {year, month, day};
    return true;
}

bool ParseViewOption(const std::string& option, const std::string& value, ChartOptions& options,
                     std::string& error)
{
    if (option == "--zoom") {
        int zoom = 0;
        if (ParseInt(value, 0, MaxZoomLevel, zoom))
            options.zoom = zoom;
        else
            error = "--zoom must be 0 to 9";
        return true;
    }
    if (option == "--first-date") {
        DateTriple date;
        if (ParseDate(value, date))
            options.firstDate = date;
        else
            error = "--first-date must be a date YYYY-MM-DD in 2000..2099";
        return true;
    }
    return false;
}

bool OpenCharts(const std::string& command, const ChartOptions& options, Workspace& workspace,
                ChartView& view)
{
    bool hasSchedule = false;
    for (const std::string& file : options.files) {
        const int kind = OpenFile(command, workspace, file);
        if (kind == 0)
            return false;
        hasSchedule = hasSchedule || kind == DocumentKind::Schedule;
    }
    int zoom = view.Layout().Zoom();
    if (options.zoom)
        zoom = *options.zoom;
    else if (hasSchedule && zoom < ScheduleZoomLevel)
        zoom = ScheduleZoomLevel;
    view.SetView(zoom, options.firstDate.value_or(view.Layout().FirstDate()));
    return true;
}

std::unique_ptr<QGuiApplication> EnsureApplication()
{
    if (QGuiApplication::instance())
        return nullptr;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "tdtool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace td
