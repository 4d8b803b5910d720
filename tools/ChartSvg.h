#pragma once

#include <QByteArray>

namespace td {

class ChartView;
class HolidayCalendar;
class Workspace;

// The chart that the view shows, as SVG: the renderer draws it onto Qt's SVG generator the way
// it draws the view's buffer, at one SVG unit a pixel, with text as text in the chart's font.
QByteArray ChartSvg(Workspace& workspace, const ChartView& view, HolidayCalendar& holidays);

}  // namespace td
