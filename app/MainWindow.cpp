#include "app/MainWindow.h"

#include "app/AppIcon.h"
#include "app/ChartWidget.h"
#include "app/CommandId.h"
#include "app/CommandTable.h"
#include "app/DroppedDocuments.h"
#include "app/MenuTable.h"
#include "app/NewDialog.h"
#include "app/QtFileChooser.h"
#include "app/QtMessageBoxes.h"
#include "app/VersionDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QToolBar>

#include <cstdlib>

namespace td {

namespace {

// One notch of a mouse wheel, in eighths of a degree.
constexpr int WheelNotch = 120;

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

QRect ToRect(const OverlayRect& area)
{
    return QRect(area.x, area.y, area.width, area.height);
}

}  // namespace

MainWindow::MainWindow(WindowServices services)
    : view(workspace, calendar, ScreenSize().width(), ScreenSize().height())
    , files(workspace, Pick<FileChooser, QtFileChooser>(services.chooser, ownChooser, this),
            Pick<MessageBoxes, QtMessageBoxes>(services.boxes, ownBoxes, this))
    , formatDialogs(workspace, services.boxes ? *services.boxes : *ownBoxes, this)
    , recoveryStore(services.recoveryDirectory.empty() ? RecoveryStore::DefaultDirectory() : services.recoveryDirectory)
    , recovery(workspace, files, services.boxes ? *services.boxes : *ownBoxes, recoveryStore)
    , recoveryTimer(recovery, [this] { return view.Dragging(); })
{
    setWindowTitle("Timeline Draft");
    setWindowIcon(AppIcon());
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    chart = new ChartWidget(view, client);
    view.SetDeviceScale(chart->devicePixelRatioF());
    vBar = new QScrollBar(Qt::Vertical, client);
    hBar = new QScrollBar(Qt::Horizontal, client);
    grid->addWidget(chart, 0, 0);
    grid->addWidget(vBar, 0, 1);
    grid->addWidget(hBar, 1, 0);
    setCentralWidget(client);

    BuildActions();
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { RepaintIf(view.CancelDrag()); });
    toolBar.Create(chart, [this](int id) { return Action(id); });
    BuildMenus();
    previewMode = std::make_unique<PreviewMode>(*this, *chart,
                                                std::vector<QWidget*>{toolBar.Bar(), hBar, vBar},
                                                [this](int id) { return Action(id); },
                                                workspace, calendar, view);
    view.SetDialogs(&formatDialogs);

    chart->onResize = [this] { ChartResized(); };
    chart->onPress = [this](QMouseEvent* event) { ChartPressed(event); };
    chart->onMove = [this](QMouseEvent* event) { ChartMoved(event); };
    chart->onRelease = [this](QMouseEvent* event) { ChartReleased(event); };
    chart->onWheel = [this](QWheelEvent* event) { ChartWheel(event); };
    connect(vBar, &QScrollBar::actionTriggered, this, &MainWindow::VerticalAction);
    connect(hBar, &QScrollBar::actionTriggered, this, &MainWindow::HorizontalAction);
    connect(vBar, &QScrollBar::sliderReleased, this, &MainWindow::VerticalReleased);
    connect(hBar, &QScrollBar::sliderReleased, this, &MainWindow::HorizontalReleased);
    vBar->installEventFilter(this);
    hBar->installEventFilter(this);

    resize(ScreenSize() * 3 / 4);
}

MainWindow::~MainWindow() = default;

const std::vector<MainWindow::Route>& MainWindow::Routes()
{
    using W = MainWindow;
    static const std::vector<Route> routes {
        { CmdNew, [](W& w, int) { return w.New(); }, Repaint::Whole },
        { CmdOpen, [](W& w, int) { return w.view.DocumentAdded(w.files.OpenDocument()); }, Repaint::Whole },
        { CmdExit, [](W& w, int) { return w.Exit(); }, Repaint::None },
        { CmdSave, [](W& w, int id) { return w.Save(id); }, Repaint::None },
        { CmdSaveAs, [](W& w, int id) { return w.Save(id); }, Repaint::None },
        { CmdUndo, [](W& w, int) { return w.view.Undo(); }, Repaint::Whole },
        { CmdRedo, [](W& w, int) { return w.view.Redo(); }, Repaint::Whole },
        { CmdAddSubProject, [](W& w, int) { return w.view.AddSubProject(); }, Repaint::Whole },
        { CmdDeleteSubProject, [](W& w, int) { return w.view.DeleteSubProject(); }, Repaint::Whole },
        { CmdCloseProject, [](W& w, int) { return w.view.CloseProject(w.files); }, Repaint::Whole },
        { CmdDelete, [](W& w, int) { return w.view.Delete(); }, Repaint::Chart },
        { CmdCopy, [](W& w, int) { return w.view.Copy(); }, Repaint::Chart },
        { CmdPaste, [](W& w, int) { return w.view.Paste(); }, Repaint::Whole },
        { CmdCut, [](W& w, int) { return w.view.Cut(); }, Repaint::Chart },
        { CmdItemFormat, [](W& w, int) { return w.view.ItemFormat(); }, Repaint::Chart },
        { CmdProjectFormat, [](W& w, int) { return w.view.ProjectFormat(); }, Repaint::ChartFromLeft },
        { CmdHolidays, [](W& w, int) { return w.view.HolidaySettings(); }, Repaint::Whole },
        { CmdHelp, [](W& w, int) { return w.ShowHelp(); }, Repaint::None },
        { CmdVersion, [](W& w, int) { return w.ShowVersion(); }, Repaint::None },
        { CmdPrintPreview, [](W& w, int id) { return w.PreviewCommand(id); }, Repaint::Whole },
        { CmdPrint, [](W& w, int id) { return w.PreviewCommand(id); }, Repaint::Whole },
        { CmdClosePreview, [](W& w, int id) { return w.PreviewCommand(id); }, Repaint::Whole },
        { CmdPreviousPage, [](W& w, int id) { return w.PreviewCommand(id); }, Repaint::Whole },
        { CmdNextPage, [](W& w, int id) { return w.PreviewCommand(id); }, Repaint::Whole },
        { CmdToolSelect, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdToolTaskLine, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdToolTaskBand, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdToolEvent, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdToolProgress, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdToolLine, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdToolTextBox, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdToolSchedule, [](W& w, int id) { return w.SelectTool(id); }, Repaint::None },
        { CmdZoomWider, [](W& w, int) { return w.view.ChangeZoom(1); }, Repaint::Whole },
        { CmdZoomNarrower, [](W& w, int) { return w.view.ChangeZoom(-1); }, Repaint::Whole },
        { CmdRowUp, [](W& w, int id) { return w.view.MoveRow(id); }, Repaint::Whole },
        { CmdRowDown, [](W& w, int id) { return w.view.MoveRow(id); }, Repaint::Whole },
        { CmdRowOutdent, [](W& w, int id) { return w.view.MoveRow(id); }, Repaint::Whole },
        { CmdRowIndent, [](W& w, int id) { return w.view.MoveRow(id); }, Repaint::Whole },
    };
    return routes;
}

// The scroll bars follow the view after every command, whatever the command changed.
void MainWindow::RunCommand(int id)
{
    const auto& routes = Routes();
    const auto route = std::find_if(routes.begin(), routes.end(), [id](const Route& r) { return r.id == id; });
    // Nothing may change the plan under a drag: its release still has to land.
    if (route == routes.end() || !route->handler || view.Dragging())
        return;
    if (route->handler(*this, id))
        ApplyRepaint(route->repaint);
    SyncScrollBars();
    // A save or a close without saving takes the document's recovery copy away at once.
    recovery.Prune();
}

QAction* MainWindow::Action(int id) const
{
    for (QAction* action : commandActions) {
        if (action->data().toInt() == id)
            return action;
    }
    return nullptr;
}

// The keys live on the window itself rather than on the menu entries, so that they keep
// working whichever menu bar is shown.
void MainWindow::BuildActions()
{
    for (const CommandEntry& entry : Commands()) {
        auto* action = new QAction(QString::fromUtf8(entry.text), this);
        action->setData(entry.command);
        const int id = entry.command;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        if (entry.shortcut) {
            for (const QKeySequence& key : QKeySequence::listFromString(QString::fromLatin1(entry.shortcut)))
                BindKey(action, key, entry.shortcutShown);
        }
        commandActions.push_back(action);
    }
}

// A menu entry shows only the keys the menu names; the other keys run the same action without
// adding a shortcut column to the menu.
void MainWindow::BindKey(QAction* action, const QKeySequence& key, bool shownInMenu)
{
    if (!shownInMenu) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
        return;
    }
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
}

void MainWindow::BuildMenus()
{
    for (const MenuColumn& column : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(column.title));
        for (const int command : column.commands) {
            if (command == 0)
                menu->addSeparator();
            else
                menu->addAction(Action(command));
        }
    }
}

void MainWindow::ApplyRepaint(Repaint repaint)
{
    // The command's own area is repainted, whatever the view accumulated.
    view.TakeRepaintArea();
    switch (repaint) {
    case Repaint::None:
        return;
    case Repaint::Whole:
        chart->update();
        return;
    case Repaint::Chart:
    case Repaint::ChartFromLeft:
        chart->update(ToRect(view.ChartRect(repaint == Repaint::ChartFromLeft)));
        return;
    }
}

// Repaints only what the view changed: during a drag, the overlay's old and new places.
void MainWindow::RepaintIf(int changed)
{
    const OverlayRect area = view.TakeRepaintArea();
    if (changed)
        chart->update(ToRect(area));
}

void MainWindow::ChartResized()
{
    toolBar.AutoSize(chart->width());
    view.Resize(chart->width(), chart->height());
    SyncScrollBars();
    view.TakeRepaintArea();
    chart->update();
}

void MainWindow::ChartPressed(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        // A menu now would take the drag's release and move its press point.
        if (!view.Dragging())
            ShowContextMenu(at);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    RepaintIf(view.OnButtonDown(at.x(), at.y()));
    SyncScrollBars();
}

void MainWindow::ChartMoved(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    RepaintIf(view.OnMouseMove(event->buttons() & Qt::LeftButton, at.x(), at.y()));
}

void MainWindow::ChartReleased(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    RepaintIf(view.OnButtonUp(at.x(), at.y()));
    SyncScrollBars();
}

void MainWindow::ShowContextMenu(const QPoint& position)
{
    const ContextMenu kind = view.OnContextMenu(position.x(), position.y());
    if (kind == ContextMenu::None)
        return;
    QMenu menu(this);
    for (const MenuEntry& entry : kind == ContextMenu::Task ? TaskMenu() : ProjectMenu()) {
        if (entry.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* item = menu.addAction(QString::fromUtf8(entry.text));
        item->setData(entry.command);
        const bool subProject = entry.command == CmdAddSubProject || entry.command == CmdDeleteSubProject;
        item->setEnabled(!subProject || kind != ContextMenu::ScheduleProject);
    }
    if (const QAction* chosen = menu.exec(chart->mapToGlobal(position)))
        RunCommand(chosen->data().toInt());
}

int MainWindow::TakeNotches(int angleDelta)
{
    wheelRemainder += angleDelta;
    const int notches = wheelRemainder / WheelNotch;
    wheelRemainder -= notches * WheelNotch;
    return notches;
}

// The wheel scrolls rows, with Shift (or tilted) dates, and with Ctrl it zooms.
void MainWindow::ChartWheel(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const bool tilted = delta.y() == 0;
    const int notches = TakeNotches(tilted ? delta.x() : delta.y());
    if (event->modifiers() & Qt::ControlModifier) {
        int changed = 0;
        for (int n = 0; n < std::abs(notches); ++n)
            changed |= view.ChangeZoom(notches > 0 ? 1 : -1);
        RepaintIf(changed);
        SyncScrollBars();
        return;
    }
    const bool sideways = tilted || (event->modifiers() & Qt::ShiftModifier);
    ScrollByNotches(sideways ? Qt::Horizontal : Qt::Vertical, notches);
}

// A notch moves the chart as one press of the bar's arrow does; up and left are positive.
void MainWindow::ScrollByNotches(Qt::Orientation orientation, int notches)
{
    const int code = notches > 0 ? LineUp : LineDown;
    int changed = 0;
    for (int n = 0; n < std::abs(notches); ++n)
        changed |= orientation == Qt::Vertical ? view.OnVScroll(code, 0) : view.OnHScroll(code, 0);
    RepaintIf(changed);
    SyncScrollBars();
}

// Left to themselves the bars would move their thumbs without moving the chart.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel || (watched != vBar && watched != hBar))
        return QMainWindow::eventFilter(watched, event);
    const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
    ScrollByNotches(watched == vBar ? Qt::Vertical : Qt::Horizontal,
                    TakeNotches(delta.y() != 0 ? delta.y() : delta.x()));
    return true;
}

void MainWindow::OfferRecoveredPlans()
{
    if (!recovery.OfferOrphans())
        return;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
        view.DocumentAdded(workspace.DocumentKind(doc));
    ApplyRepaint(Repaint::Whole);
    SyncScrollBars();
}

void MainWindow::OpenFiles(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        if (view.DocumentAdded(files.OpenDocumentFile(path)))
            ApplyRepaint(Repaint::Whole);
    }
    SyncScrollBars();
}

void MainWindow::ShowView(std::optional<int> zoom, std::optional<DateTriple> firstDate)
{
    // Opening the command line's plans drew the chart already; a second drawing would only
    // delay the first paint of a large plan.
    if (!zoom && !firstDate)
        return;
    int currentZoom = 0;
    DateTriple current;
    view.GetView(currentZoom, current.year, current.month, current.day);
    view.SetView(zoom.value_or(currentZoom), firstDate.value_or(current));
    ApplyRepaint(Repaint::Whole);
    SyncScrollBars();
}

int MainWindow::New()
{
    NewDialog dialog(this);
    const int answer = dialog.exec();
    if (answer != NewProjectButton && answer != NewScheduleButton)
        return 0;
    const int kind = answer == NewProjectButton ? DocumentKind::Project : DocumentKind::Schedule;
    if (!workspace.AddDocument(kind))
        return 0;
    return view.DocumentAdded(kind);
}

int MainWindow::Exit()
{
    exiting = true;
    close();
    return 0;
}

int MainWindow::Save(int id)
{
    DropSelection();
    files.SaveAll(id == CmdSaveAs);
    return 0;
}

void MainWindow::DropSelection()
{
    if (view.DropSelection())
        ApplyRepaint(Repaint::Whole);
}

int MainWindow::PreviewCommand(int id)
{
    if (id == CmdPrintPreview || (id == CmdPrint && !previewMode->Active()))
        DropSelection();
    return previewMode->Run(id);
}

int MainWindow::ShowHelp()
{
    DropSelection();
    help.Show(this);
    return 0;
}

int MainWindow::ShowVersion()
{
    DropSelection();
    VersionDialog dialog(this);
    dialog.exec();
    return 0;
}

int MainWindow::SelectTool(int id)
{
    DropSelection();
    toolBar.SelectTool(id);
    return 0;
}

// The Exit command ends without the save prompt; what it leaves unsaved stays in the recovery
// copies, offered at the next start. Closing through the prompt leaves no copy behind.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (exiting) {
        recovery.LeaveUnsaved();
        event->accept();
        return;
    }
    RepaintIf(view.CancelDrag());
    DropSelection();
    if (!files.ConfirmSave(-1)) {
        event->ignore();
        return;
    }
    recovery.Finish();
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
    apply(vBar, view.VerticalScroll(), true);
    apply(hBar, view.HorizontalScroll(), false);
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
    RepaintIf(view.OnVScroll(code, vBar->sliderPosition()));
    if (code != ThumbTrack)
        SyncScrollBars();
}

void MainWindow::HorizontalAction(int action)
{
    const int code = ScrollCodeOf(action);
    if (code < 0)
        return;
    RepaintIf(view.OnHScroll(code, hBar->sliderPosition()));
    if (code != ThumbTrack)
        SyncScrollBars();
}

void MainWindow::VerticalReleased()
{
    RepaintIf(view.OnVScroll(ThumbPosition, vBar->sliderPosition()));
    SyncScrollBars();
}

void MainWindow::HorizontalReleased()
{
    RepaintIf(view.OnHScroll(ThumbPosition, hBar->sliderPosition()));
    view.OnHScroll(EndScroll, hBar->sliderPosition());
    SyncScrollBars();
}

}  // namespace td
