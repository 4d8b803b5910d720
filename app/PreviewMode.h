#pragma once

#include "print/PrintPreview.h"
#include "print/PrintTarget.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMainWindow;

namespace td {

class ChartView;
class HolidayCalendar;
class ToolBar;
class Workspace;

// The page image of the preview, stretched into the chart area on light grey.
class PreviewPage final : public QWidget {
public:
    explicit PreviewPage(QWidget* chart);
    const PrintPreview* preview = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The print preview in the main window and the print command: swaps the menu bar for
// IDR_MENU_PREVIEW, hides the toolbar and the scroll bars, pages through the preview and
// sends print jobs.
class PreviewMode {
public:
    using TargetFactory = std::function<std::unique_ptr<PrintTarget>()>;

    // The preview's menu bar shows the window's own actions, which `actionOf` finds by id.
    PreviewMode(QMainWindow& window, QWidget& chart, std::vector<QWidget*> chartControls,
                const std::function<QAction*(int)>& actionOf, Workspace& workspace,
                HolidayCalendar& holidays, ChartView& view);
    ~PreviewMode();

    // Runs 40025 to 40029.
    int Run(int id);
    // Where previews and print jobs get their device; the Qt printer unless a test says else.
    void SetTargetFactory(TargetFactory factory) { makeTarget = std::move(factory); }

    bool Active() const { return active; }
    const PrintPreview* Preview() const { return preview.get(); }

private:
    int Enter();
    int Leave();
    int Print();
    int Turn(int step);
    void EnablePageArrows();

    QMainWindow& window;
    std::vector<QWidget*> chartControls;
    Workspace& workspace;
    HolidayCalendar& holidays;
    ChartView& view;
    PreviewPage* page;
    TargetFactory makeTarget;
    std::vector<QAction*> previewActions;
    QAction* previousPage;
    QAction* nextPage;
    std::vector<QAction*> mainActions;
    std::unique_ptr<PrintPreview> preview;
    bool active = false;
};

}  // namespace td
