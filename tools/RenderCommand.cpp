#include "tools/RenderCommand.h"

#include "calendar/Dates.h"
#include "calendar/HolidayCalendar.h"
#include "model/Document.h"
#include "model/Workspace.h"
#include "tools/CommandReporter.h"
#include "tools/DocumentLoader.h"
#include "view/ChartView.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace td {

namespace {

// Large enough for any screen, small enough that a typo cannot exhaust memory.
constexpr int MaxBufferSide = 16384;

struct RenderOptions {
    std::vector<std::string> files;
    std::string png;
    int width = 1920;
    int height = 1080;
    std::optional<int> zoom;
    std::optional<DateTriple> firstDate;
    int firstRow = 0;
};

bool ParseInt(const std::string& text, int low, int high, int& value)
{
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = static_cast<int>(parsed);
    return true;
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

bool Fail(const std::string& text)
{
    PrintCommandError("render", text);
    return false;
}

bool ParseOptions(const std::vector<std::string>& args, RenderOptions& options)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            options.files.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size())
            return Fail(arg + " needs a value");
        const std::string& value = args[++i];
        int number = 0;
        if (arg == "--png") {
            options.png = value;
        } else if (arg == "--width" || arg == "--height") {
            if (!ParseInt(value, 1, MaxBufferSide, number))
                return Fail(arg + " must be 1 to " + std::to_string(MaxBufferSide));
            (arg == "--width" ? options.width : options.height) = number;
        } else if (arg == "--zoom") {
            if (!ParseInt(value, 0, MaxZoomLevel, number))
                return Fail("--zoom must be 0 to 9");
            options.zoom = number;
        } else if (arg == "--first-date") {
            DateTriple date;
            if (!ParseDate(value, date))
                return Fail("--first-date must be a date YYYY-MM-DD in 2000..2099");
            options.firstDate = date;
        } else if (arg == "--first-row") {
            if (!ParseInt(value, 0, MaxVisibleRows - 1, number))
                return Fail("--first-row must be 0 to 255");
            options.firstRow = number;
        } else {
            return Fail("unknown option " + arg);
        }
    }
    if (options.files.empty())
        return Fail("no document given");
    if (options.png.empty())
        return Fail("--png OUT is required");
    return true;
}

// Opens one file the way the Open command does; the kind, or 0 after an error was reported.
int OpenFile(Workspace& workspace, const std::string& file)
{
    if (workspace.AddDocument(0) != 1) {
        Fail(file + ": too many documents (at most 16)");
        return 0;
    }
    const int slot = workspace.DocumentCount() - 1;
    Document& document = *workspace.Doc(slot);
    if (!LoadDocumentFile("render", file, document)) {
        workspace.RemoveDocument(slot);
        return 0;
    }
    document.SetModState(Clean);
    workspace.RebuildVisibleRows();
    workspace.UpdateDateRange(nullptr);
    return document.Kind();
}

// Fonts need a GUI application; without a display the offscreen platform serves.
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

}  // namespace

int RunRender(const std::vector<std::string>& args)
{
    RenderOptions options;
    if (!ParseOptions(args, options))
        return 2;
    auto application = EnsureApplication();

    Workspace workspace;
    HolidayCalendar holidays;
    ChartView view(workspace, holidays, options.width - BufferExtraWidth, options.height);
    bool hasSchedule = false;
    for (const std::string& file : options.files) {
        const int kind = OpenFile(workspace, file);
        if (kind == 0)
            return 1;
        hasSchedule = hasSchedule || kind == DocumentKind::Schedule;
    }
    if (options.zoom)
        view.zoomLevel = *options.zoom;
    else if (hasSchedule && view.zoomLevel < ScheduleZoomLevel)
        view.zoomLevel = ScheduleZoomLevel;
    if (options.firstDate)
        view.firstDate = *options.firstDate;
    view.firstRow = std::min(options.firstRow, std::max(0, workspace.VisibleRowCount() - 1));
    view.Redraw();
    if (!view.BackBuffer().save(QString::fromStdString(options.png), "PNG")) {
        Fail("cannot write " + options.png);
        return 1;
    }
    return 0;
}

}  // namespace td
