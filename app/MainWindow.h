#pragma once

#include "app/HelpWindow.h"
#include "app/PreviewMode.h"
#include "app/RecoveryTimer.h"
#include "app/ToolBar.h"
#include "calendar/HolidayCalendar.h"
#include "dialogs/QtFormatDialogs.h"
#include "model/Workspace.h"
#include "persistence/FileCommands.h"
#include "persistence/HolidayFile.h"
#include "persistence/Recovery.h"
#include "persistence/RecoveryStore.h"
#include "view/ChartView.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QKeySequence;
class QScrollBar;

namespace td {

class ChartWidget;
class FileChooser;
class MessageBoxes;

// The file dialogs and message boxes the window uses; null members get the Qt ones. Recovery
// copies are kept in the user's state directory unless another is named.
struct WindowServices {
    FileChooser* chooser = nullptr;
    MessageBoxes* boxes = nullptr;
    std::string recoveryDirectory;
};

// The one top-level window: it owns the program's objects, translates Qt's input into the
// chart's operations, routes every command by its id through one table and repaints what a
// handler reports.
class MainWindow final : public QMainWindow {
public:
    explicit MainWindow(WindowServices services = {});
    ~MainWindow() override;

    // Opens files as Open would, in order (the command line's files).
    void OpenFiles(const std::vector<std::string>& paths);
    // At start, before any file is opened: offers the plans an editor that died left unsaved.
    void OfferRecoveredPlans();
    // Shows the chart from another zoom level or first date than the current ones.
    void ShowView(std::optional<int> zoom, std::optional<DateTriple> firstDate);
    void RunCommand(int id);
    QAction* Action(int id) const;

    Workspace& Model() { return workspace; }
    ChartView& View() { return view; }
    ToolBar& Tools() { return toolBar; }
    ChartWidget* Chart() const { return chart; }
    QScrollBar* VerticalBar() const { return vBar; }
    QScrollBar* HorizontalBar() const { return hBar; }
    HelpWindow& Help() { return help; }
    PreviewMode& Preview() { return *previewMode; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Repaint { None, Whole, Chart, ChartFromLeft };
    struct Route {
        int id;
        int (*handler)(MainWindow& window, int id);
        Repaint repaint;
    };
    static const std::vector<Route>& Routes();

    void BuildActions();
    void BindKey(QAction* action, const QKeySequence& key, bool shownInMenu);
    void BuildMenus();
    void ApplyRepaint(Repaint repaint);
    void RepaintIf(int changed);
    void ChartResized();
    void ChartPressed(QMouseEvent* event);
    void ChartMoved(QMouseEvent* event);
    void ChartReleased(QMouseEvent* event);
    void ChartWheel(QWheelEvent* event);
    void ShowContextMenu(const QPoint& position);
    void ScrollByNotches(Qt::Orientation orientation, int notches);
    int TakeNotches(int angleDelta);
    void SyncScrollBars();
    void VerticalAction(int action);
    void HorizontalAction(int action);
    void VerticalReleased();
    void HorizontalReleased();
    // Drops the item selection first, as Save, Help, Version, the tools and closing do.
    void DropSelection();

    int New();
    int Exit();
    int Save(int id);
    int ShowHelp();
    int ShowVersion();
    int SelectTool(int id);
    int PreviewCommand(int id);

    std::unique_ptr<FileChooser> ownChooser;
    std::unique_ptr<MessageBoxes> ownBoxes;
    HolidayFiles holidayFiles;
    HolidayCalendar calendar{holidayFiles};
    Workspace workspace;
    ChartView view;
    ToolBar toolBar{view};
    FileCommands files;
    QtFormatDialogs formatDialogs;
    RecoveryStore recoveryStore;
    Recovery recovery;
    RecoveryTimer recoveryTimer;
    HelpWindow help;
    ChartWidget* chart = nullptr;
    QScrollBar* vBar = nullptr;
    QScrollBar* hBar = nullptr;
    std::vector<QAction*> commandActions;
    // Wheel movement short of a whole notch, kept for the next event.
    int wheelRemainder = 0;
    std::unique_ptr<PreviewMode> previewMode;
    bool exiting = false;
};

}  // namespace td
