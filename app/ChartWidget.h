#pragma once

#include <QWidget>

#include <functional>

namespace td {

class ChartView;

// The chart area. Its coordinates are the chart's client coordinates; it paints only by copying
// from the view's back buffer and hands its input to the window.
class ChartWidget final : public QWidget {
public:
    ChartWidget(ChartView& view, QWidget* parent);
    std::function<void()> onResize;
    std::function<void(QMouseEvent*)> onPress;
    std::function<void(QMouseEvent*)> onMove;
    std::function<void(QMouseEvent*)> onRelease;
    std::function<void(QWheelEvent*)> onWheel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The second press of a double click is swallowed: it does nothing beyond the first.
    void mouseDoubleClickEvent(QMouseEvent*) override {}
    void wheelEvent(QWheelEvent* event) override;

private:
    ChartView& view;
};

}  // namespace td
