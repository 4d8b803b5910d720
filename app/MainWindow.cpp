#include "app/MainWindow.h"

#include "app/AppIcon.h"
#include "app/ChartWidget.h"
#include "app/CommandId.h"
#include "app/DroppedDocuments.h"
#include "app/MenuTable.h"
#include "app/NewDialog.h"
#include "app/QtFileChooser.h"
#include "app/QtMessageBoxes.h"
#include "app/VersionDialog.h"
#include "view/EditMode.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>

namespace td {

namespace {

template <typename Interface, typename QtImplementation>
Interface& Pick(Interface* given, std::unique_ptr<Interface>& own, QWidget* owner)
{
    if (given)
        return *given;
    own = std::make_unique<QtImplementation>(owner);
    return *own;
}

QSize ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

}  // namespace

MainWindow::MainWindow(WindowServices services)
    : view(workspace, calendar, ScreenSize().width(), ScreenSize().height())
    , files(workspace, Pick<FileChooser, QtFileChooser>(services.chooser, ownChooser, this),
            Pick<MessageBoxes, QtMessageBoxes>(services.boxes, ownBoxes, this))
{
    setWindowTitle("Timeline Draft");
    setWindowIcon(AppIcon());
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    chart = new ChartWidget(view, client);
    vBar = new QScrollBar(Qt::Vertical, client);
    hBar = new QScrollBar(Qt::Horizontal, client);
    grid->addWidget(chart, 0, 0);
    grid->addWidget(vBar, 0, 1);
    grid->addWidget(hBar, 1, 0);
    setCentralWidget(client);

    toolBar.Create(chart, [this](int id) { RunCommand(id); });
    BuildMenus();
    BuildAccelerators();
    previewMode = std::make_unique<PreviewMode>(*this, *chart,
                                                std::vector<QWidget*>{toolBar.Bar(), hBar, vBar},
                                                workspace, calendar, view);
    previewMode->SetRoute([this](int id) { RunCommand(id); });
    view.currentTool = toolBar.CurrentTool();

    chart->onResize = [this] { ChartResized(); };
    connect(vBar, &QScrollBar::actionTriggered, this, &MainWindow::VerticalAction);
    connect(hBar, &QScrollBar::actionTriggered, this, &MainWindow::HorizontalAction);
    connect(vBar, &QScrollBar::sliderReleased, this, &MainWindow::VerticalReleased);
    connect(hBar, &QScrollBar::sliderReleased, this, &MainWindow::HorizontalReleased);

    resize(ScreenSize() * 3 / 4);
}

MainWindow::~MainWindow() = default;

const std::vector<MainWindow::Route>& MainWindow::Routes()
{
    // Commands without a handler belong to the editing, dialog and printing work still to come;
    // they are routed here already so that the menus and keys are complete.
    static const std::vector<Route> routes {
        { CmdNew, &MainWindow::New, Repaint::Whole },
        { CmdOpen, &MainWindow::Open, Repaint::Whole },
        { CmdExit, &MainWindow::Exit, Repaint::None },
        { CmdSave, &MainWindow::Save, Repaint::None },
        { CmdSaveAs, &MainWindow::Save, Repaint::None },
        { CmdUndo, &MainWindow::Undo, Repaint::Whole },
        { CmdAddSubProject, nullptr, Repaint::Whole },
        { CmdDeleteSubProject, nullptr, Repaint::Whole },
        { CmdCloseProject, nullptr, Repaint::Whole },
        { CmdDelete, nullptr, Repaint::Chart },
        { CmdCopy, nullptr, Repaint::Chart },
        { CmdPaste, nullptr, Repaint::Whole },
        { CmdCut, nullptr, Repaint::Chart },
        { CmdItemFormat, nullptr, Repaint::Chart },
        { CmdProjectFormat, nullptr, Repaint::ChartFromLeft },
        { CmdHolidays, nullptr, Repaint::Whole },
        { CmdHelp, &MainWindow::ShowHelp, Repaint::None },
        { CmdVersion, &MainWindow::ShowVersion, Repaint::None },
        { CmdPrintPreview, &MainWindow::PreviewCommand, Repaint::Whole },
        { CmdPrint, &MainWindow::PreviewCommand, Repaint::Whole },
        { CmdClosePreview, &MainWindow::PreviewCommand, Repaint::Whole },
        { CmdPreviousPage, &MainWindow::PreviewCommand, Repaint::Whole },
        { CmdNextPage, &MainWindow::PreviewCommand, Repaint::Whole },
        { CmdToolSelect, &MainWindow::SelectTool, Repaint::None },
        { CmdToolTaskLine, &MainWindow::SelectTool, Repaint::None },
        { CmdToolTaskBand, &MainWindow::SelectTool, Repaint::None },
        { CmdToolEvent, &MainWindow::SelectTool, Repaint::None },
        { CmdToolProgress, &MainWindow::SelectTool, Repaint::None },
        { CmdToolLine, &MainWindow::SelectTool, Repaint::None },
        { CmdToolTextBox, &MainWindow::SelectTool, Repaint::None },
        { CmdToolSchedule, &MainWindow::SelectTool, Repaint::None },
        { CmdZoomWider, &MainWindow::Zoom, Repaint::Whole },
        { CmdZoomNarrower, &MainWindow::Zoom, Repaint::Whole },
        { CmdRowUp, nullptr, Repaint::Whole },
        { CmdRowDown, nullptr, Repaint::Whole },
        { CmdRowOutdent, nullptr, Repaint::Whole },
        { CmdRowIndent, nullptr, Repaint::Whole },
    };
    return routes;
}

void MainWindow::RunCommand(int id)
{
    const auto& routes = Routes();
    const auto route = std::find_if(routes.begin(), routes.end(), [id](const Route& r) { return r.id == id; });
    if (route == routes.end() || !route->handler)
        return;
    if ((this->*route->handler)(id))
        ApplyRepaint(route->repaint);
}

QAction* MainWindow::Action(int id) const
{
    for (QAction* action : commandActions) {
        if (action->data().toInt() == id)
            return action;
    }
    return nullptr;
}

QAction* MainWindow::CommandAction(int id, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    commandActions.push_back(action);
    return action;
}

void MainWindow::BuildMenus()
{
    for (const MenuColumn& column : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(column.title));
        for (const MenuEntry& entry : column.entries) {
            if (entry.command == 0) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(CommandAction(entry.command, QString::fromUtf8(entry.text)));
        }
    }
}

// The keys live on the window itself rather than on the menu entries, so that they keep
// working whichever menu bar is shown.
void MainWindow::BuildAccelerators()
{
    for (const Accelerator& accelerator : Accelerators()) {
        QAction* action = CommandAction(accelerator.command, QString());
        action->setShortcut(QKeySequence(QString::fromLatin1(accelerator.key)));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

void MainWindow::ApplyRepaint(Repaint repaint)
{
    if (repaint == Repaint::None)
        return;
    chart->update();
}

void MainWindow::ChartResized()
{
    toolBar.AutoSize(chart->width());
    view.Resize(chart->width(), chart->height());
    SyncScrollBars();
    chart->update();
}

void MainWindow::OpenFiles(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        if (AfterOpen(files.OpenDocumentFile(path)))
            ApplyRepaint(Repaint::Whole);
    }
}

int MainWindow::AfterOpen(int kind)
{
    if (kind == 0)
        return 0;
    if (kind == DocumentKind::Schedule && view.zoomLevel < ScheduleZoomLevel)
        view.zoomLevel = ScheduleZoomLevel;
    view.UpdateVerticalScroll();
    view.UpdateHorizontalScroll();
    SyncScrollBars();
    view.Redraw();
    return 1;
}

int MainWindow::New(int)
{
    NewDialog dialog(this);
    const int answer = dialog.exec();
    if (answer != NewProjectButton && answer != NewScheduleButton)
        return 0;
    const int kind = answer == NewProjectButton ? DocumentKind::Project : DocumentKind::Schedule;
    workspace.AddDocument(kind);
    return AfterOpen(kind);
}

int MainWindow::Open(int)
{
    return AfterOpen(files.OpenDocument());
}

int MainWindow::Exit(int)
{
    exiting = true;
    close();
    return 0;
}

int MainWindow::Save(int id)
{
    if (DropSelection())
        chart->update();
    files.SaveAll(id == CmdSaveAs);
    return 0;
}

int MainWindow::Undo(int)
{
    if (!workspace.UndoLast())
        return 0;
    view.editMode = Idle;
    view.Redraw();
    return 1;
}

int MainWindow::PreviewCommand(int id)
{
    if (id == CmdPrintPreview || (id == CmdPrint && !previewMode->Active()))
        DropSelection();
    return previewMode->Run(id);
}

int MainWindow::DropSelection()
{
    if (view.editMode != Selected)
        return 0;
    workspace.ClearSelection();
    view.editMode = Idle;
    view.Redraw();
    return 1;
}

int MainWindow::ShowHelp(int)
{
    if (DropSelection())
        chart->update();
    help.Show(this);
    return 0;
}

int MainWindow::ShowVersion(int)
{
    if (DropSelection())
        chart->update();
    VersionDialog dialog(this);
    dialog.exec();
    return 0;
}

int MainWindow::SelectTool(int id)
{
    if (DropSelection())
        chart->update();
    toolBar.SelectTool(id);
    view.currentTool = toolBar.CurrentTool();
    return 0;
}

int MainWindow::Zoom(int id)
{
    const int changed = view.ChangeZoom(id == CmdZoomWider ? 1 : -1);
    SyncScrollBars();
    return changed;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (exiting) {
        event->accept();
        return;
    }
    if (DropSelection())
        chart->update();
    if (!files.ConfirmSave(-1)) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedDocuments(*event->mimeData()).empty())
        event->acceptProposedAction();
}

// The files open after the drop has ended, so that a message box about a damaged one does not
// hold the file manager's drag.
void MainWindow::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths = DroppedDocuments(*event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(this, [this, paths = std::move(paths)] { OpenFiles(paths); },
                              Qt::QueuedConnection);
}

// Win32 keeps the page inside the range; a Qt bar's maximum is the last top position instead.
void MainWindow::SyncScrollBars()
{
    const auto apply = [](QScrollBar* bar, const ScrollInfo& info, bool disableWhenFull) {
        const int page = std::max(info.page, 0);
        const int last = std::max(info.min, info.max - page + 1);
        const QSignalBlocker blocker(bar);
        bar->setRange(info.min, last);
        bar->setPageStep(page);
        bar->setSingleStep(1);
        bar->setSliderPosition(std::clamp(info.position, info.min, last));
        bar->setValue(std::clamp(info.position, info.min, last));
        if (disableWhenFull)
            bar->setEnabled(info.max - info.min + 1 > page);
    };
    apply(vBar, view.vScroll, true);
    apply(hBar, view.hScroll, false);
}

namespace {

int ScrollCodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return PageDown;
    case QAbstractSlider::SliderMove:
        return ThumbTrack;
    case QAbstractSlider::SliderToMinimum:
        return ScrollTop;
    case QAbstractSlider::SliderToMaximum:
        return ScrollBottom;
    default:
        return -1;
    }
}

}  // namespace

// The bar moves its thumb itself after this returns, so the thumb is put where the view says.
void MainWindow::VerticalAction(int action)
{
    const int code = ScrollCodeOf(action);
    if (code < 0)
        return;
    view.vScroll.trackPosition = vBar->sliderPosition();
    if (view.OnVScroll(code, vBar->sliderPosition()))
        chart->update();
    if (code != ThumbTrack)
        SyncScrollBars();
}

void MainWindow::HorizontalAction(int action)
{
    const int code = ScrollCodeOf(action);
    if (code < 0)
        return;
    view.hScroll.trackPosition = hBar->sliderPosition();
    if (view.OnHScroll(code, hBar->sliderPosition()))
        chart->update();
    if (code != ThumbTrack)
        SyncScrollBars();
}

void MainWindow::VerticalReleased()
{
    if (view.OnVScroll(ThumbPosition, vBar->sliderPosition()))
        chart->update();
    SyncScrollBars();
}

void MainWindow::HorizontalReleased()
{
    if (view.OnHScroll(ThumbPosition, hBar->sliderPosition()))
        chart->update();
    view.OnHScroll(EndScroll, hBar->sliderPosition());
    SyncScrollBars();
}

}  // namespace td
