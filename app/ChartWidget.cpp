#include "app/ChartWidget.h"

#include "view/ChartView.h"

#include <QPainter>
#include <QPaintEvent>

namespace td {

namespace {

template <typename Event>
void Forward(const std::function<void(Event*)>& handler, Event* event)
{
    if (handler)
        handler(event);
}

}  // namespace

ChartWidget::ChartWidget(ChartView& view, QWidget* parent)
    : QWidget(parent)
    , view(view)
{
    // The back buffer covers the whole area, so nothing is ever erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
}

// The window may have moved to a screen of another device pixel ratio, or the screen's
// scale changed: the chart is drawn again at the new ratio before it is shown.
void ChartWidget::paintEvent(QPaintEvent* event)
{
    if (DeviceScale(devicePixelRatioF()).Ratio() != view.Pixels().Ratio()) {
        view.SetDeviceScale(devicePixelRatioF());
        update();
    }
    if (view.BackBuffer().isNull())
        return;
    QPainter painter(this);
    view.PaintArea(painter, event->rect());
}

void ChartWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (onResize)
        onResize();
}

void ChartWidget::mousePressEvent(QMouseEvent* event) { Forward(onPress, event); }

void ChartWidget::mouseMoveEvent(QMouseEvent* event) { Forward(onMove, event); }

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) { Forward(onRelease, event); }

void ChartWidget::wheelEvent(QWheelEvent* event) { Forward(onWheel, event); }

}  // namespace td
