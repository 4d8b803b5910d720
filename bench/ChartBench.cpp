#include "calendar/Dates.h"
#include "calendar/HolidayCalendar.h"
#include "model/Document.h"
#include "model/Workspace.h"
#include "view/ChartView.h"
#include "view/EditMode.h"
#include "view/Surface.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace td {
namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
constexpr int RowsPerDocument = MaxVisibleRows / MaxDocuments;
constexpr int ItemsPerRow = 16;
constexpr int SpanDays = 60;
constexpr int ScheduleDocuments = 2;
constexpr int DraggedItems = 64;

constexpr ItemType ProjectTypes[] = {TaskLine, TaskBand, Event, Progress, Line, TextBox};

ItemPoint Point(int rowId, int lane, int dayOffset, int hour)
{
    int year = 2009;
    int month = 4;
    int day = 1;
    StepDate(year, month, day, nullptr, 0, dayOffset);
    ItemPoint p;
    p.rowId = rowId;
    p.lane = static_cast<uint8_t>(lane);
    p.year = year;
    p.month = month;
    p.day = day;
    p.hour = hour;
    return p;
}

ChartItem MakeItem(ItemType type, int rowId, int nextRowId, int n)
{
    ChartItem item;
    item.type = type;
    item.state = 1;
    item.lineColor = n % 2 ? 0x0000FF : 0x000000;
    item.lineWidth = 16;
    item.lineStyle = n % 5;
    item.arrow = type == Line ? 0 : 17;
    item.progress = 50;
    item.progressColor = 0x00FF00;
    item.boxWidth = 120;
    item.textSize = 14;
    item.textWeight = 400;
    std::snprintf(item.text, sizeof item.text, "item %d", n);
    const int first = (n * 7) % (SpanDays - 6);
    const int lane = n % 2;
    item.start = Point(rowId, lane, first, 9);
    item.end = Point(type == Line ? nextRowId : rowId, lane, first + 1 + n % 5, 17);
    if (type == Event)
        item.lineStyle = 101 + n % 8;
    return item;
}

ChartItem MakeScheduleEntry(int rowId, int n)
{
    ChartItem item;
    item.type = Schedule;
    item.state = 1;
    item.textSize = 14;
    item.textWeight = 400;
    item.textColor = 0x000000;
    std::snprintf(item.text, sizeof item.text, "meeting %d", n);
    item.start = Point(rowId, 0, n % SpanDays, 9 + n % 8);
    item.end = Point(rowId, 0, n % SpanDays, 10 + n % 8);
    return item;
}

void FillDocument(Workspace& workspace, int slot, int kind)
{
    workspace.AddDocument(kind);
    Document& doc = *workspace.Doc(slot);
    for (int r = 1; r < RowsPerDocument; ++r)
        doc.AddRow(1);
    workspace.RebuildVisibleRows();
    const int firstVisible = workspace.VisibleRowCount() - RowsPerDocument;
    for (int r = 0; r < RowsPerDocument; ++r) {
        const int rowId = workspace.RowAt(firstVisible + r)->id;
        const int nextId = workspace.RowAt(firstVisible + (r + 1) % RowsPerDocument)->id;
        for (int i = 0; i < ItemsPerRow; ++i) {
            const int n = r * ItemsPerRow + i;
            if (kind == DocumentKind::Schedule)
                doc.AddItem(MakeScheduleEntry(rowId, n));
            else
                doc.AddItem(MakeItem(ProjectTypes[n % 6], rowId, nextId, n));
        }
    }
}

// 16 documents, 256 rows, 4,096 items over 60 days, day mode, a 2240 x 1080 buffer.
struct LargeChart {
    LargeChart() : view(workspace, holidays, ScreenWidth, ScreenHeight)
    {
        for (int d = 0; d < MaxDocuments; ++d)
            FillDocument(workspace, d,
                         d < MaxDocuments - ScheduleDocuments ? DocumentKind::Project
                                                              : DocumentKind::Schedule);
        workspace.UpdateDateRange(nullptr);
        view.zoomLevel = 5;
        view.firstDate = {2009, 4, 1};
        view.Resize(ScreenWidth, ScreenHeight);
    }

    Workspace workspace;
    HolidayCalendar holidays;
    ChartView view;
};

LargeChart& Chart()
{
    static LargeChart chart;
    return chart;
}

void BM_Redraw(benchmark::State& state)
{
    LargeChart& chart = Chart();
    chart.workspace.ClearSelection();
    chart.view.editMode = Idle;
    for (auto _ : state) {
        chart.view.Redraw();
        benchmark::DoNotOptimize(chart.view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond);

void BM_OverlayDrag(benchmark::State& state)
{
    LargeChart& chart = Chart();
    Workspace& workspace = chart.workspace;
    workspace.ClearSelection();
    // The first document's rows start the flattened list, so visible row 0 addresses it.
    // Every fourth item, shifted so that all six item types are among the dragged ones.
    for (int i = 0; i < DraggedItems; ++i)
        workspace.SelectItem(0, i * 4 + i % 4);
    ChartView& view = chart.view;
    view.editMode = Selected;
    view.Redraw();
    // As the first move of a drag does: the dragged items leave the chart and only their
    // feedback follows the pointer.
    view.editMode = MoveItems;
    workspace.DeleteSelectedItems(false, false);
    view.Redraw();
    view.downX = 800;
    view.downY = 200;
    int step = 0;
    for (auto _ : state) {
        view.mouseX = view.downX + (step % 40) * 3;
        view.mouseY = view.downY + (step % 7) * 10;
        ++step;
        view.DrawOverlay();
        benchmark::DoNotOptimize(view.BackBuffer().constBits());
    }
    state.counters["selected"] = workspace.SelectionCount();
    view.editMode = Idle;
    workspace.ClearSelection();
}
BENCHMARK(BM_OverlayDrag)->Unit(benchmark::kMicrosecond);

// One step of a real drag: the mouse-move handler draws the overlay, then the window copies
// the area it reports (the old and the new feedback) from the back buffer to the screen.
void BM_DragStep(benchmark::State& state)
{
    LargeChart& chart = Chart();
    Workspace& workspace = chart.workspace;
    ChartView& view = chart.view;
    workspace.ClearSelection();
    view.editMode = Idle;
    view.Redraw();
    for (int i = 0; i < DraggedItems; ++i)
        workspace.SelectItem(0, i * 4 + i % 4);
    view.editMode = Selected;
    view.Redraw();
    // As after a press on a selected item; the first move takes the items out of the chart.
    view.downX = 800;
    view.downY = 200;
    view.OnMouseMove(true, 801, 200);
    QImage screen(ScreenWidth, ScreenHeight, QImage::Format_RGB32);
    int step = 0;
    long pixels = 0;
    for (auto _ : state) {
        view.OnMouseMove(true, 800 + (step % 40) * 3, 200 + (step % 7) * 10);
        ++step;
        const OverlayRect area = view.TakeRepaintArea();
        QPainter painter(&screen);
        painter.drawImage(QPoint(area.x, area.y), view.BackBuffer(), QRect(area.x, area.y, area.width, area.height));
        pixels += static_cast<long>(area.width) * area.height;
        benchmark::DoNotOptimize(screen.constBits());
    }
    state.counters["selected"] = workspace.SelectionCount();
    state.counters["repainted px"] = benchmark::Counter(static_cast<double>(pixels) / std::max<int64_t>(1, state.iterations()));
    workspace.ClearSelection();
    view.editMode = Idle;
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

void BM_PlainFill(benchmark::State& state)
{
    QImage buffer(ScreenWidth + BufferExtraWidth, ScreenHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        Surface surface(buffer);
        surface.FillRect(0, 0, buffer.width(), buffer.height(), 0xFFFFFF);
        benchmark::DoNotOptimize(buffer.constBits());
    }
}
BENCHMARK(BM_PlainFill)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace td

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
