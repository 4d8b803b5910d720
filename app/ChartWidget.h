#pragma once

#include <QWidget>

#include <functional>

namespace td {

class ChartView;

// The chart area. Its coordinates are the chart's client coordinates; it paints only by copying
// from the view's back buffer.
class ChartWidget final : public QWidget {
public:
    ChartWidget(ChartView& view, QWidget* parent);
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ChartView& view;
};

}  // namespace td
