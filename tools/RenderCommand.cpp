#include "tools/RenderCommand.h"

#include "calendar/HolidayCalendar.h"
#include "model/Workspace.h"
#include "persistence/FileReplacement.h"
#include "persistence/HolidayFile.h"
#include "tools/ChartOptions.h"
#include "tools/ChartSvg.h"
#include "tools/CommandReporter.h"
#include "view/ChartView.h"

#include <QBuffer>
#include <QString>

#include <algorithm>
#include <string_view>

namespace td {

namespace {

// Large enough for any screen, small enough that a typo cannot exhaust memory.
constexpr int MaxBufferSide = 16384;

struct RenderOptions {
    ChartOptions chart;
    std::string png;
    std::string svg;
    int width = 1920;
    int height = 1080;
    int firstRow = 0;
    double scale = 1;
};

bool Fail(const std::string& text)
{
    PrintCommandError("render", text);
    return false;
}

// Read without the locale: a comma is never the decimal point here.
bool ParseScale(const std::string& text, double& scale)
{
    bool ok = false;
    scale = QString::fromStdString(text).toDouble(&ok);
    return ok && scale >= DeviceScale::MinRatio && scale <= DeviceScale::MaxRatio;
}

bool ParseOptions(const std::vector<std::string>& args, RenderOptions& options)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            options.chart.files.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size())
            return Fail(arg + " needs a value");
        const std::string& value = args[++i];
        int number = 0;
        std::string error;
        if (ParseViewOption(arg, value, options.chart, error)) {
            if (!error.empty())
                return Fail(error);
        } else if (arg == "--png") {
            options.png = value;
        } else if (arg == "--svg") {
            options.svg = value;
        } else if (arg == "--width" || arg == "--height") {
            if (!ParseInt(value, 1, MaxBufferSide, number))
                return Fail(arg + " must be 1 to " + std::to_string(MaxBufferSide));
            (arg == "--width" ? options.width : options.height) = number;
        } else if (arg == "--scale") {
            if (!ParseScale(value, options.scale))
                return Fail("--scale must be 1 to 4");
        } else if (arg == "--first-row") {
            if (!ParseInt(value, 0, MaxVisibleRows - 1, number))
                return Fail("--first-row must be 0 to 255");
            options.firstRow = number;
        } else {
            return Fail("unknown option " + arg);
        }
    }
    if (options.chart.files.empty())
        return Fail("no document given");
    if (options.png.empty() && options.svg.empty())
        return Fail("--png OUT or --svg OUT is required");
    return true;
}

// Pictures are made in memory first, so that a failed write leaves no partial picture behind.
bool WritePicture(const std::string& path, const QByteArray& bytes)
{
    if (!bytes.isEmpty() && ReplaceFile(path, std::string_view(bytes.constData(), bytes.size())))
        return true;
    return Fail("cannot write " + path);
}

QByteArray PngBytes(const QImage& image)
{
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    return image.save(&png, "PNG") ? png.data() : QByteArray();
}

}  // namespace

int RunRender(const std::vector<std::string>& args)
{
    RenderOptions options;
    if (!ParseOptions(args, options))
        return 2;
    auto application = EnsureApplication();

    Workspace workspace;
    HolidayFiles holidayFiles;
    HolidayCalendar holidays(holidayFiles);
    ChartView view(workspace, holidays, options.width - BufferExtraWidth, options.height);
    view.SetDeviceScale(options.scale);
    if (!OpenCharts("render", options.chart, workspace, view))
        return 1;
    view.ScrollToRow(std::min(options.firstRow, std::max(0, workspace.VisibleRowCount() - 1)));
    if (!options.png.empty() && !WritePicture(options.png, PngBytes(view.BackBuffer())))
        return 1;
    if (!options.svg.empty() && !WritePicture(options.svg, ChartSvg(workspace, view, holidays)))
        return 1;
    return 0;
}

}  // namespace td
