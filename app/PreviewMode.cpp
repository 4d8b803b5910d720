#include "app/PreviewMode.h"

#include "app/CommandId.h"
#include "app/PrintJob.h"
#include "print/PrintRun.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPaintEvent>

namespace td {

namespace {

// IDR_MENU_PREVIEW: four top-level items, no pop-ups.
constexpr int PreviewMenu[] = {CmdPrint, CmdClosePreview, CmdPreviousPage, CmdNextPage};

}  // namespace

PreviewPage::PreviewPage(QWidget* chart) : QWidget(chart)
{
    chart->installEventFilter(this);
    setGeometry(chart->rect());
    hide();
}

bool PreviewPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == parentWidget())
        setGeometry(parentWidget()->rect());
    return false;
}

void PreviewPage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::lightGray);
    if (!preview)
        return;
    int left = 0;
    int top = 0;
    int right = width();
    int bottom = height();
    preview->FitPreviewRect(left, top, right, bottom);
    painter.drawImage(QRect(left, top, right - left, bottom - top), preview->PreviewImage());
}

PreviewMode::PreviewMode(QMainWindow& window, QWidget& chart, std::vector<QWidget*> chartControls,
                         const std::function<QAction*(int)>& actionOf, Workspace& workspace,
                         HolidayCalendar& holidays, ChartView& view)
    : window(window)
    , chartControls(std::move(chartControls))
    , workspace(workspace)
    , holidays(holidays)
    , view(view)
    , page(new PreviewPage(&chart))
    , makeTarget([&window] { return std::make_unique<PrintJob>(&window); })
    , previousPage(actionOf(CmdPreviousPage))
    , nextPage(actionOf(CmdNextPage))
{
    for (const int command : PreviewMenu)
        previewActions.push_back(actionOf(command));
}

PreviewMode::~PreviewMode() = default;

int PreviewMode::Run(int id)
{
    switch (id) {
    case CmdPrintPreview:
        return Enter();
    case CmdPrint:
        return Print();
    case CmdClosePreview:
        return active ? Leave() : 0;
    case CmdPreviousPage:
        return Turn(-1);
    case CmdNextPage:
        return Turn(1);
    default:
        return 0;
    }
}

int PreviewMode::Enter()
{
    if (active)
        return 0;
    auto next = std::make_unique<PrintPreview>(workspace, holidays);
    const auto target = makeTarget();
    if (!next->PreparePreview(*target))
        return 0;
    preview = std::move(next);
    for (QWidget* control : chartControls)
        control->hide();
    preview->ShowPage(0);
    preview->RenderPreviewPage(view);
    QMenuBar* bar = window.menuBar();
    const QList<QAction*> shown = bar->actions();
    mainActions.assign(shown.begin(), shown.end());
    for (QAction* action : mainActions)
        bar->removeAction(action);
    for (QAction* action : previewActions)
        bar->addAction(action);
    EnablePageArrows();
    active = true;
    page->preview = preview.get();
    page->show();
    page->raise();
    page->update();
    return 1;
}

int PreviewMode::Leave()
{
    active = false;
    page->hide();
    page->preview = nullptr;
    preview.reset();
    QMenuBar* bar = window.menuBar();
    for (QAction* action : previewActions)
        bar->removeAction(action);
    for (QAction* action : mainActions)
        bar->addAction(action);
    mainActions.clear();
    for (QWidget* control : chartControls)
        control->show();
    return 1;
}

int PreviewMode::Print()
{
    if (active)
        Leave();
    PrintPreview pages(workspace, holidays);
    const auto target = makeTarget();
    PrintRun(pages).Print(*target, view);
    return 1;
}

// The greying keeps the page index within the pages: "<<" and ">>" run only while enabled.
int PreviewMode::Turn(int step)
{
    const QAction* arrow = step < 0 ? previousPage : nextPage;
    if (!active || !arrow->isEnabled())
        return 0;
    preview->ShowPage(preview->CurrentPage() + step);
    preview->RenderPreviewPage(view);
    EnablePageArrows();
    page->update();
    return 1;
}

void PreviewMode::EnablePageArrows()
{
    previousPage->setEnabled(preview->CurrentPage() > 0);
    nextPage->setEnabled(preview->CurrentPage() + 1 < preview->PageCount());
}

}  // namespace td
