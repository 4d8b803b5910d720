#include "tools/ChartSvg.h"

#include "calendar/HolidayCalendar.h"
#include "view/ChartRenderer.h"
#include "view/ChartView.h"

#include <QBuffer>
#include <QFontInfo>
#include <QSvgGenerator>

namespace td {

namespace {

// CSS pixels: a viewer at its usual scale shows one SVG unit as one screen pixel.
constexpr int CssDpi = 96;

const QByteArray ChartFace = QByteArrayLiteral("ＭＳ Ｐゴシック");

// Qt names the face the chart asks for, which few systems have; the substitute that drew the
// PNG follows it. The chart's shapes and text are drawn without antialiasing, and so is the SVG.
QByteArray ForViewers(QByteArray svg)
{
    Surface::InstallFontSubstitution();
    const QByteArray substitute = QFontInfo(QFont(QString::fromUtf8(ChartFace))).family().toUtf8();
    svg.replace("font-family=\"" + ChartFace + "\"",
                "font-family=\"'" + ChartFace + "', '" + substitute + "', sans-serif\"");
    svg.replace("<svg ", "<svg shape-rendering=\"crispEdges\" text-rendering=\"optimizeSpeed\" ");
    return svg;
}

}  // namespace

QByteArray ChartSvg(Workspace& workspace, const ChartView& view, HolidayCalendar& holidays)
{
    const ChartLayout& layout = view.Layout();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(layout.BufferWidth(), layout.BufferHeight()));
    generator.setViewBox(QRect(0, 0, layout.BufferWidth(), layout.BufferHeight()));
    generator.setResolution(CssDpi);
    generator.setTitle(QStringLiteral("TimelineDraft"));
    generator.setDescription(QStringLiteral("TimelineDraft chart"));
    {
        const ChartGeometry geometry = view.Geometry();
        const ChartFrame frame = ScreenFrame(layout.BufferWidth());
        const HolidayDays days =
            holidays.DaysFrom(layout.FirstDate(), DayColumnCount(geometry.dates, frame.right));
        ItemMonthIndex months;
        Surface s(generator);
        ChartRenderer(workspace, geometry, frame, days).Draw(s, view.SelectedViewRow(), &months);
    }
    return ForViewers(buffer.data());
}

}  // namespace td
