#include "fuzz/PlanBuilder.h"

#include "calendar/Dates.h"
#include "fuzz/EditingSession.h"
#include "fuzz/StepTrace.h"
#include "model/AttributeValues.h"
#include "persistence/DocumentFile.h"

#include <algorithm>
#include <fstream>

namespace td::fuzz {

namespace {

constexpr DateTriple ClusterDate = {2009, 4, 1};
constexpr int MaxPlanRows = 48;
constexpr int MaxPlanItems = 64;

DateTriple Stepped(DateTriple date, int days)
{
    StepDate(date.year, date.month, date.day, nullptr, 0, days);
    return date;
}

void SetDate(ItemPoint& point, const DateTriple& date)
{
    point.year = date.year;
    point.month = date.month;
    point.day = date.day;
}

template <typename Field>
void PickValue(FuzzInput& input, const AttributeTable& table, Field& field)
{
    field = static_cast<Field>(table.entries[static_cast<size_t>(input.Below(table.Count()))].value);
}

int PickLanes(FuzzInput& input)
{
    switch (input.Below(8)) {
    case 5: return input.Between(4, 12);
    case 6: return 255;
    case 7: return input.Between(1, 255);
    default: return input.Between(1, 3);
    }
}

// Colours and texts now and then, so that most of the input's bytes go to the steps.
ProjectRow PickRow(FuzzInput& input, int id, int level)
{
    ProjectRow row;
    row.id = id;
    row.state = RowShown;
    row.level = level;
    row.lanes = PickLanes(input);
    row.backColor = 0xFFFFFF;
    if (!input.OneIn(4))
        return row;
    PickValue(input, ColorPalette(), row.backColor);
    PickValue(input, ColorPalette(), row.textColor);
    const std::string name = input.Text(sizeof row.name - 1);
    const std::string person = input.Text(sizeof row.person - 1);
    const std::string comment = input.Text(sizeof row.comment - 1);
    std::copy(name.begin(), name.end(), row.name);
    std::copy(person.begin(), person.end(), row.person);
    std::copy(comment.begin(), comment.end(), row.comment);
    return row;
}

void PickText(FuzzInput& input, ChartItem& item)
{
    PickValue(input, TextSizes(), item.textSize);
    PickValue(input, TextWeights(), item.textWeight);
    PickValue(input, ColorPalette(), item.textColor);
    const std::string text = input.Text(sizeof item.text);
    std::copy(text.begin(), text.end(), item.text);
}

// The tools' defaults, or now and then any values of the attribute lists.
void PickLook(FuzzInput& input, ChartItem& item)
{
    item.lineStyle = item.type == Event ? MarkCircle : 0;
    item.lineWidth = PlainLineWidth;
    item.arrow = item.type == Line ? ArrowNone : ArrowBoth;
    item.textSize = item.type == Line ? 0 : 14;
    item.textWeight = item.type == Line ? 0 : WeightNormal;
    item.progressColor = item.type == Progress ? 0x00FF00 : 0;
    item.boxWidth = input.Below(400);
    if (!input.OneIn(4))
        return;
    PickValue(input, item.type == Event ? EventMarks() : PenStyles(), item.lineStyle);
    PickValue(input, LineWidths(), item.lineWidth);
    PickValue(input, ColorPalette(), item.lineColor);
    PickValue(input, Arrows(), item.arrow);
    item.progress = input.Between(0, 100);
    PickValue(input, ColorPalette(), item.progressColor);
    if (item.type != Line)
        PickText(input, item);
}

void PickTimes(FuzzInput& input, ChartItem& item)
{
    item.start.hour = input.Below(24);
    item.start.minute = input.Below(60);
    item.end.hour = input.Below(24);
    item.end.minute = input.Below(60);
}

ChartItem PickItem(FuzzInput& input, int kind, const std::vector<ProjectRow>& rows)
{
    ChartItem item;
    item.type = kind == DocumentKind::Schedule ? Schedule : TaskLine + input.Below(Schedule - TaskLine);
    item.state = ItemNormal;
    const ProjectRow& row = rows[static_cast<size_t>(input.Below(static_cast<int>(rows.size())))];
    item.start.rowId = row.id;
    item.start.lane = static_cast<uint8_t>(input.Below(row.lanes));
    const DateTriple start = PickDate(input);
    SetDate(item.start, start);
    SetDate(item.end, Stepped(start, input.Below(60)));
    if (item.type == Line) {
        const ProjectRow& end = rows[static_cast<size_t>(input.Below(static_cast<int>(rows.size())))];
        item.end.rowId = end.id;
        item.end.lane = static_cast<uint8_t>(input.Below(end.lanes));
        SetDate(item.end, Stepped(start, input.Between(-30, 30)));
    }
    if (item.type == TextBox)
        item.end.lane = static_cast<uint8_t>(input.Between(item.start.lane, row.lanes - 1));
    if (item.type == Schedule)
        PickTimes(input, item);
    PickLook(input, item);
    return item;
}

// A schedule document has its one row, now and then a few more, as a file may have.
std::vector<uint8_t> BuildImage(FuzzInput& input, int kind)
{
    Document document;
    document.SetKind(kind);
    std::vector<ProjectRow> rows;
    const int rowCount = kind == DocumentKind::Schedule ? (input.OneIn(4) ? input.Between(2, 3) : 1)
                                                        : (input.OneIn(4) ? input.Between(1, MaxPlanRows) : input.Between(1, 6));
    for (int id = 0; static_cast<int>(rows.size()) < rowCount; id += input.OneIn(8) ? input.Between(2, 5) : 1) {
        rows.push_back(PickRow(input, id, rows.empty() ? 0 : input.Below(MaxLevel + 1)));
        document.AppendRow(rows.back());
    }
    for (int n = input.OneIn(4) ? input.Below(MaxPlanItems + 1) : input.Below(9); n > 0; --n)
        document.AddItem(PickItem(input, kind, rows));
    return DocumentImage(document);
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Some rows with children are folded, as a press on their box would.
void FoldSomeRows(FuzzInput& input, EditingSession& session)
{
    Workspace& workspace = session.workspace;
    for (int n = input.Below(4); n > 0; --n) {
        const int row = input.Below(workspace.VisibleRowCount());
        if (workspace.FoldState(row) < 0)
            workspace.ShowSubtree(row, false);
    }
    session.view.UpdateVerticalScroll();
    session.view.Redraw();
}

}  // namespace

DateTriple PickDate(FuzzInput& input)
{
    switch (input.Below(4)) {
    case 1:
        return Stepped({FirstYear, 1, 1}, input.Below(90));
    case 2:
        return Stepped({EndYear - 1, 12, 31}, -input.Below(90));
    case 3: {
        const int year = FirstYear + input.Below(EndYear - FirstYear);
        const int month = 1 + input.Below(12);
        return {year, month, 1 + input.Below(DaysInMonth(year, month))};
    }
    default:
        return Stepped(ClusterDate, input.Between(-200, 200));
    }
}

void BuildPlan(FuzzInput& input, EditingSession& session, const std::string& directory,
               const std::vector<std::string>& examples)
{
    std::vector<std::string>& choices = session.chooser.openChoices;
    choices = {directory + "/damaged.tdp", directory + "/missing.tds", directory};
    std::vector<uint8_t> firstImage;
    for (int n = input.Between(1, 4); n > 0; --n) {
        std::string path;
        if (input.OneIn(6) && !examples.empty()) {
            path = examples[static_cast<size_t>(input.Below(static_cast<int>(examples.size())))];
        } else {
            const bool schedule = input.OneIn(3);
            const std::vector<uint8_t> image =
                BuildImage(input, schedule ? DocumentKind::Schedule : DocumentKind::Project);
            path = directory + "/plan-" + std::to_string(n) + (schedule ? ".tds" : ".tdp");
            WriteFile(path, image);
            if (firstImage.empty())
                firstImage = image;
        }
        choices.push_back(path);
        Trace("open %s", path.c_str());
        session.OpenFile(path);
    }
    firstImage.resize(static_cast<size_t>(input.Below(static_cast<int>(firstImage.size()))));
    WriteFile(choices.front(), firstImage);
    FoldSomeRows(input, session);
    const int zoom = input.Below(MaxZoomLevel + 1);
    const DateTriple first = PickDate(input);
    Trace("view at zoom %d from %d-%d-%d", zoom, first.year, first.month, first.day);
    session.view.SetView(zoom, first);
}

}  // namespace td::fuzz
