#include "app/StartOptions.h"

#include "calendar/Dates.h"
#include "view/ChartView.h"

#include <QDate>
#include <QFile>

namespace td {

namespace {

std::optional<DateTriple> ParseFirstDate(const QString& text)
{
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid() || date.year() < FirstYear || date.year() >= EndYear)
        return std::nullopt;
    return DateTriple { date.year(), date.month(), date.day() };
}

std::optional<int> ParseZoom(const QString& text)
{
    bool ok = false;
    const int zoom = text.toInt(&ok);
    if (!ok || zoom < 0 || zoom > MaxZoomLevel)
        return std::nullopt;
    return zoom;
}

}  // namespace

std::optional<StartOptions> ParseStartOptions(const QStringList& arguments, std::string& error)
{
    StartOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool dateOption = argument == "--first-date";
        if (!dateOption && argument != "--zoom") {
            options.files.push_back(QFile::encodeName(argument).toStdString());
            continue;
        }
        const QString value = i + 1 < arguments.size() ? arguments[++i] : QString();
        if (dateOption)
            options.firstDate = ParseFirstDate(value);
        else
            options.zoom = ParseZoom(value);
        if (!(dateOption ? options.firstDate.has_value() : options.zoom.has_value())) {
            error = dateOption ? "--first-date must be a date YYYY-MM-DD in 2000..2099" : "--zoom must be 0 to 9";
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace td
