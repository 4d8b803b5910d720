#pragma once

#include "persistence/FileCommands.h"
#include "app/HelpWindow.h"
#include "app/PreviewMode.h"
#include "app/ToolBar.h"
#include "calendar/HolidayCalendar.h"
#include "model/Workspace.h"
#include "view/ChartView.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QScrollBar;

namespace td {

class ChartWidget;
class FileChooser;
class MessageBoxes;

// The file dialogs and message boxes the window uses; null members get the Qt ones.
struct WindowServices {
    FileChooser* chooser = nullptr;
    MessageBoxes* boxes = nullptr;
};

// The one top-level window: it owns the program's objects, routes every command by its id
// through one table and turns a handler's 1 into a repaint.
class MainWindow final : public QMainWindow {
public:
    explicit MainWindow(WindowServices services = {});
    ~MainWindow() override;

    // Opens files as Open would, in order (the command line's files).
    void OpenFiles(const std::vector<std::string>& paths);
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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Repaint { None, Whole, Chart, ChartFromLeft };
    struct Route {
        int id;
        int (MainWindow::*handler)(int id);
        Repaint repaint;
    };
    static const std::vector<Route>& Routes();

    void BuildMenus();
    void BuildAccelerators();
    QAction* CommandAction(int id, const QString& text);
    void ApplyRepaint(Repaint repaint);
    void ChartResized();
    void SyncScrollBars();
    void VerticalAction(int action);
    void HorizontalAction(int action);
    void VerticalReleased();
    void HorizontalReleased();
    int AfterOpen(int kind);
    int DropSelection();

    int New(int id);
    int Open(int id);
    int Exit(int id);
    int Save(int id);
    int Undo(int id);
    int ShowHelp(int id);
    int ShowVersion(int id);
    int SelectTool(int id);
    int Zoom(int id);
    int PreviewCommand(int id);

    std::unique_ptr<FileChooser> ownChooser;
    std::unique_ptr<MessageBoxes> ownBoxes;
    HolidayCalendar calendar;
    Workspace workspace;
    ChartView view;
    ToolBar toolBar;
    FileCommands files;
    HelpWindow help;
    ChartWidget* chart = nullptr;
    QScrollBar* vBar = nullptr;
    QScrollBar* hBar = nullptr;
    std::vector<QAction*> commandActions;
    std::unique_ptr<PreviewMode> previewMode;
    bool exiting = false;
};

}  // namespace td
