#include "tools/PrintCommand.h"

#include "calendar/HolidayCalendar.h"
#include "model/Workspace.h"
#include "persistence/HolidayFile.h"
#include "print/PrintPreview.h"
#include "print/PrintRun.h"
#include "tools/ChartOptions.h"
#include "tools/CommandReporter.h"
#include "tools/PdfTarget.h"
#include "view/ChartView.h"


#include <cstdio>
#include <string>

namespace td {

namespace {

constexpr int MinDpi = 72;
constexpr int MaxDpi = 2400;

struct PrintOptions {
    ChartOptions chart;
    std::string pdf;
    int dpi = 600;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int fromPage = 1;
    int toPage = MaxPages;
};

bool Fail(const std::string& text)
{
    PrintCommandError("print", text);
    return false;
}

bool ParsePaper(const std::string& text, QPageSize::PageSizeId& paper)
{
    if (text == "A4")
        paper = QPageSize::A4;
    else if (text == "A3")
        paper = QPageSize::A3;
    else if (text == "Letter")
        paper = QPageSize::Letter;
    else
        return false;
    return true;
}

bool ParseValueOption(const std::string& arg, const std::string& value, PrintOptions& options)
{
    std::string error;
    if (ParseViewOption(arg, value, options.chart, error))
        return error.empty() || Fail(error);
    if (arg == "--pdf") {
        options.pdf = value;
        return true;
    }
    if (arg == "--dpi")
        return ParseInt(value, MinDpi, MaxDpi, options.dpi) || Fail("--dpi must be 72 to 2400");
    if (arg == "--paper")
        return ParsePaper(value, options.paper) || Fail("--paper must be A4, A3 or Letter");
    if (arg == "--pages")
        return ParseRange(value, 1, MaxPages, options.fromPage, options.toPage)
            || Fail("--pages must be FROM-TO within 1-64");
    return Fail("unknown option " + arg);
}

bool ParseOptions(const std::vector<std::string>& args, PrintOptions& options)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            options.chart.files.push_back(arg);
        } else if (arg == "--landscape") {
            options.orientation = QPageLayout::Landscape;
        } else if (i + 1 >= args.size()) {
            return Fail(arg + " needs a value");
        } else if (!ParseValueOption(arg, args[++i], options)) {
            return false;
        }
    }
    if (options.chart.files.empty())
        return Fail("no document given");
    if (options.pdf.empty())
        return Fail("--pdf OUT is required");
    return true;
}

}  // namespace

int RunPrint(const std::vector<std::string>& args)
{
    PrintOptions options;
    if (!ParseOptions(args, options))
        return 2;
    auto application = EnsureApplication();

    Workspace workspace;
    HolidayFiles holidayFiles;
    HolidayCalendar holidays(holidayFiles);
    ChartView view(workspace, holidays, 0, 0);
    if (!OpenCharts("print", options.chart, workspace, view))
        return 1;
    PdfTarget target(QString::fromStdString(options.pdf), options.paper, options.orientation,
                     options.dpi, options.fromPage, options.toPage);
    PrintPreview pages(workspace, holidays);
    PrintRun(pages).Print(target, view);
    if (options.fromPage > pages.PageCount()) {
        Fail("--pages " + std::to_string(options.fromPage) + "-" + std::to_string(options.toPage)
             + " holds no page: the last page is " + std::to_string(pages.PageCount()));
        return 1;
    }
    if (!target.Save()) {
        Fail("cannot write " + options.pdf);
        return 1;
    }
    std::printf("pages: %d\n", pages.PageCount());
    return 0;
}

}  // namespace td
