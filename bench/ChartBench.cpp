#include "calendar/Dates.h"
#include "calendar/HolidayCalendar.h"
#include "model/Document.h"
#include "model/Workspace.h"
#include "persistence/DocumentFile.h"
#include "persistence/HolidayFile.h"
#include "persistence/RecoveryStore.h"
#include "view/ChartView.h"
#include "view/EditMode.h"
#include "view/Surface.h"

#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

namespace td {
namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
constexpr int WindowDays = 60;
constexpr int ScheduleDocuments = 2;
constexpr int DraggedItems = 64;
constexpr int TenYears = 3520;
// Spread items start at least this many days after the window's start: beyond the widest view
// of the benchmarks (zoom 5 shows 95 days).
constexpr int SpreadGap = 120;
constexpr DateTriple BenchWindow = {2009, 4, 1};

constexpr ItemType ProjectTypes[] = {TaskLine, TaskBand, Event, Progress, Line, TextBox};

// How a generated plan is laid out: every document gets 256 / documents rows; each row holds
// `inView` items within the 60-day window that the view shows, and `spread` more whose days lie
// outside the view, spread over ten years around it.
struct PlanShape {
    int documents = MaxDocuments;
    int schedules = ScheduleDocuments;
    int inView = 16;
    int spread = 0;
};

constexpr PlanShape WorstScreen = {MaxDocuments, ScheduleDocuments, 16, 0};
constexpr PlanShape SpreadPlan = {MaxDocuments, ScheduleDocuments, 16, 240};
constexpr PlanShape AllInView = {MaxDocuments, ScheduleDocuments, 256, 0};
constexpr PlanShape OneDocumentPlan = {1, 0, 16, 240};
constexpr PlanShape OneDocumentCrowded = {1, 0, 256, 0};

ItemPoint Point(const DateTriple& window, int rowId, int lane, int dayOffset, int hour)
{
    DateTriple date = window;
    StepDate(date.year, date.month, date.day, nullptr, 0, dayOffset);
    ItemPoint p;
    p.rowId = rowId;
    p.lane = static_cast<uint8_t>(lane);
    p.year = date.year;
    p.month = date.month;
    p.day = date.day;
    p.hour = hour;
    return p;
}

// Day offset from the window's start of the n-th item of a row: inside the window for the
// first `inView` items, else before or after the view, five years either way.
int FirstDay(const PlanShape& shape, int n)
{
    if (n < shape.inView)
        return (n * 7) % (WindowDays - 6);
    const int spot = (n * 37) % TenYears;
    return spot < TenYears / 2 ? spot - TenYears / 2 - 10 : spot - TenYears / 2 + SpreadGap;
}

ChartItem MakeItem(const DateTriple& window, ItemType type, int rowId, int nextRowId, int first,
                   int n)
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
    const int lane = n % 2;
    item.start = Point(window, rowId, lane, first, 9);
    item.end = Point(window, type == Line ? nextRowId : rowId, lane, first + 1 + n % 5, 17);
    if (type == Event)
        item.lineStyle = 101 + n % 8;
    return item;
}

ChartItem MakeScheduleEntry(const DateTriple& window, int rowId, int first, int n)
{
    ChartItem item;
    item.type = Schedule;
    item.state = 1;
    item.textSize = 14;
    item.textWeight = 400;
    item.textColor = 0x000000;
    std::snprintf(item.text, sizeof item.text, "meeting %d", n);
    item.start = Point(window, rowId, 0, first, 9 + n % 8);
    item.end = Point(window, rowId, 0, first, 10 + n % 8);
    return item;
}

void FillDocument(Workspace& workspace, const PlanShape& shape, const DateTriple& window, int slot,
                  int kind)
{
    const int rows = MaxVisibleRows / shape.documents;
    workspace.AddDocument(kind);
    Document& doc = *workspace.Doc(slot);
    for (int r = 1; r < rows; ++r)
        doc.AddRow(1);
    workspace.RebuildVisibleRows();
    const int firstVisible = workspace.VisibleRowCount() - rows;
    const int perRow = shape.inView + shape.spread;
    for (int r = 0; r < rows; ++r) {
        const int rowId = workspace.RowAt(firstVisible + r)->id;
        const int nextId = workspace.RowAt(firstVisible + (r + 1) % rows)->id;
        for (int i = 0; i < perRow; ++i) {
            const int n = r * perRow + i;
            const int first = FirstDay(shape, i);
            if (kind == DocumentKind::Schedule)
                doc.AddItem(MakeScheduleEntry(window, rowId, first, n));
            else
                doc.AddItem(MakeItem(window, ProjectTypes[n % 6], rowId, nextId, first, n));
        }
    }
}

void FillWorkspace(Workspace& workspace, const PlanShape& shape, const DateTriple& window)
{
    for (int d = 0; d < shape.documents; ++d)
        FillDocument(workspace, shape, window, d,
                     d < shape.documents - shape.schedules ? DocumentKind::Project
                                                           : DocumentKind::Schedule);
    workspace.UpdateDateRange(nullptr);
}

void ShowWindow(ChartView& view, const DateTriple& window)
{
    view.SetView(5, window);
    view.Resize(ScreenWidth, ScreenHeight);
}

// A day-mode view of a generated plan on a 2240 x 1080 buffer, of 4,480 x 2,160 device pixels
// at a device pixel ratio of 2.
struct BenchChart {
    BenchChart(const PlanShape& shape, int ratio)
        : view(workspace, holidays, ScreenWidth, ScreenHeight)
    {
        FillWorkspace(workspace, shape, BenchWindow);
        view.SetDeviceScale(ratio);
        ShowWindow(view, BenchWindow);
    }

    Workspace workspace;
    HolidayFiles holidayFiles;
    HolidayCalendar holidays{holidayFiles};
    ChartView view;
};

BenchChart& Chart(const PlanShape& shape, int ratio = 1)
{
    static BenchChart worst(WorstScreen, 1);
    static BenchChart worstAtTwo(WorstScreen, 2);
    static BenchChart spread(SpreadPlan, 1);
    static BenchChart allInView(AllInView, 1);
    if (&shape == &SpreadPlan)
        return spread;
    if (&shape == &AllInView)
        return allInView;
    return ratio == 2 ? worstAtTwo : worst;
}

int ItemsInAllDocuments(const Workspace& workspace)
{
    int total = 0;
    for (int d = 0; d < workspace.DocumentCount(); ++d)
        total += workspace.ItemCount(d);
    return total;
}

void RunRedraw(benchmark::State& state, const PlanShape& shape, int ratio = 1)
{
    BenchChart& chart = Chart(shape, ratio);
    chart.view.DropSelection();
    for (auto _ : state) {
        chart.view.Redraw();
        benchmark::DoNotOptimize(chart.view.BackBuffer().constBits());
    }
    state.counters["items"] = ItemsInAllDocuments(chart.workspace);
}

// (a) 16 documents, 256 rows, 4,096 items in the view; at device pixel ratios 1 and 2.
void BM_RedrawWorstScreen(benchmark::State& state)
{
    RunRedraw(state, WorstScreen, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_RedrawWorstScreen)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// (b) The worst screen with 61,440 more items over ten years outside the view.
void BM_RedrawSpread(benchmark::State& state)
{
    RunRedraw(state, SpreadPlan);
}
BENCHMARK(BM_RedrawSpread)->Unit(benchmark::kMillisecond);

// (c) 65,536 items, all within the view's dates.
void BM_RedrawAllInView(benchmark::State& state)
{
    RunRedraw(state, AllInView);
}
BENCHMARK(BM_RedrawAllInView)->Unit(benchmark::kMillisecond);

std::string PlanPath()
{
    return QDir::temp().filePath(QStringLiteral("td-bench-%1.tdp").arg(getpid())).toStdString();
}

class SilentReporter : public ErrorReporter {
public:
    void ShowError(std::string_view text) override { std::cerr << text << '\n'; }
};

bool WritePlan(const PlanShape& shape, const DateTriple& window, const std::string& path)
{
    Workspace workspace;
    FillWorkspace(workspace, shape, window);
    SilentReporter errors;
    return WriteDocument(*workspace.Doc(0), path, errors) == 1;
}

// (d) Opening a 65,536-item plan as the Open command does, and its first redraw.
void BM_ReadAndFirstRedraw(benchmark::State& state)
{
    const std::string path = PlanPath();
    if (!WritePlan(OneDocumentPlan, BenchWindow, path)) {
        state.SkipWithError("cannot write the plan");
        return;
    }
    SilentReporter errors;
    for (auto _ : state) {
        Workspace workspace;
        HolidayFiles holidayFiles;
        HolidayCalendar holidays(holidayFiles);
        ChartView view(workspace, holidays, ScreenWidth, ScreenHeight);
        workspace.AddDocument(0);
        Document& document = *workspace.Doc(0);
        std::strncpy(document.Path(), path.c_str(), PathSize - 1);
        if (ReadDocument(document, errors) == 0) {
            state.SkipWithError("cannot read the plan");
            break;
        }
        workspace.RebuildVisibleRows();
        workspace.UpdateDateRange(nullptr);
        ShowWindow(view, BenchWindow);
        benchmark::DoNotOptimize(view.BackBuffer().constBits());
        state.counters["items"] = workspace.ItemCount(0);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadAndFirstRedraw)->Unit(benchmark::kMillisecond);

// (d2) Writing the recovery copy of a modified 65,536-item plan, as the editor does when the
// user pauses: compaction, the file image, the safe replacement of copy and record.
void BM_RecoveryCopy(benchmark::State& state)
{
    Workspace workspace;
    FillWorkspace(workspace, OneDocumentPlan, BenchWindow);
    const std::string directory = QDir::temp().filePath(QStringLiteral("td-bench-recovery-%1").arg(getpid())).toStdString();
    RecoveryStore store(directory);
    for (auto _ : state) {
        if (!store.Write(0, *workspace.Doc(0))) {
            state.SkipWithError("cannot write the copy");
            break;
        }
    }
    state.counters["items"] = workspace.ItemCount(0);
    store.RemoveAll();
    QDir(QString::fromStdString(directory)).removeRecursively();
}
BENCHMARK(BM_RecoveryCopy)->Unit(benchmark::kMillisecond);

// (e) One scroll step on the worst screen: down and back up by a row, right and back by a day.
void RunScroll(benchmark::State& state, int (ChartView::*scroll)(int, int), int forward, int back)
{
    ChartView& view = Chart(WorstScreen).view;
    view.DropSelection();
    int step = 0;
    for (auto _ : state) {
        (view.*scroll)(step++ % 2 ? back : forward, 0);
        benchmark::DoNotOptimize(view.BackBuffer().constBits());
    }
    if (step % 2)
        (view.*scroll)(back, 0);
}

void BM_ScrollRow(benchmark::State& state)
{
    RunScroll(state, &ChartView::OnVScroll, LineDown, LineUp);
}
BENCHMARK(BM_ScrollRow)->Unit(benchmark::kMillisecond);

void BM_ScrollDay(benchmark::State& state)
{
    RunScroll(state, &ChartView::OnHScroll, LineRight, LineLeft);
}
BENCHMARK(BM_ScrollDay)->Unit(benchmark::kMillisecond);

// A point on the body of item `index` of document 0, which must show on the first row.
QPoint BodyOf(const ChartView& view, const Workspace& workspace, int index)
{
    const ChartItem& item = *workspace.ItemPtr(0, index);
    const ChartLayout& layout = view.Layout();
    for (int y = layout.RowTop(0); y < layout.RowTop(1); ++y) {
        for (int x = TimelineFirstX; x < layout.BufferWidth(); ++x) {
            if (view.HitTestItem(0, 0, (y - layout.RowTop(0)) / LaneHeight, x, y, item) == HitBody)
                return {x, y};
        }
    }
    std::cerr << "item " << index << " shows nowhere on the first row\n";
    std::exit(1);
}

// (f) One step of a drag of 64 items on the worst screen, at device pixel ratios 1 and 2: the
// mouse-move handler draws the overlay, then the window copies the area it reports (the old and
// the new feedback) from the back buffer to the screen, as the chart widget does.
void BM_DragStep(benchmark::State& state)
{
    const int ratio = static_cast<int>(state.range(0));
    BenchChart& chart = Chart(WorstScreen, ratio);
    Workspace& workspace = chart.workspace;
    ChartView& view = chart.view;
    view.DropSelection();
    // A click selects the first item; the others join its selection, and a press on it takes
    // them all up.
    const QPoint body = BodyOf(view, workspace, 0);
    view.OnButtonDown(body.x(), body.y());
    view.OnButtonUp(body.x(), body.y());
    for (int i = 1; i < DraggedItems; ++i)
        workspace.SelectItem(0, i * 4 + i % 4);
    view.Redraw();
    view.OnButtonDown(body.x(), body.y());
    view.OnMouseMove(true, body.x() + 1, body.y());
    QImage screen(ScreenWidth * ratio, ScreenHeight * ratio, QImage::Format_RGB32);
    screen.setDevicePixelRatio(ratio);
    int step = 0;
    long pixels = 0;
    for (auto _ : state) {
        view.OnMouseMove(true, 800 + (step % 40) * 3, 200 + (step % 7) * 10);
        ++step;
        const OverlayRect area = view.TakeRepaintArea();
        const QRect logical(area.x, area.y, area.width, area.height);
        QPainter painter(&screen);
        view.PaintArea(painter, logical);
        const QRect from = view.Pixels()(logical);
        pixels += static_cast<long>(from.width()) * from.height();
        benchmark::DoNotOptimize(screen.constBits());
    }
    state.counters["selected"] = workspace.SelectionCount();
    state.counters["repainted px"] = benchmark::Counter(
        static_cast<double>(pixels) / std::max<int64_t>(1, state.iterations()));
    view.CancelDrag();
    view.OnButtonUp(body.x(), body.y());
    view.DropSelection();
}
BENCHMARK(BM_DragStep)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

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

// `--write-plan spread|crowded FILE`: a one-document plan of 65,536 items with its window at
// today's date, the date the editor shows first, for timing the editor's start: the plan of (d),
// or one with every item in the window.
int WriteTodayPlan(std::string_view shape, const char* path)
{
    if (shape != "spread" && shape != "crowded")
        return 2;
    const QDate today = QDate::currentDate();
    const DateTriple window = {today.year(), today.month(), today.day()};
    const PlanShape& plan = shape == "spread" ? OneDocumentPlan : OneDocumentCrowded;
    return WritePlan(plan, window, path) ? 0 : 1;
}

}  // namespace
}  // namespace td

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--write-plan") == 0)
        return td::WriteTodayPlan(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
