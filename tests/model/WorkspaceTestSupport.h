#pragma once

#include "model/Workspace.h"
#include "model/SavePrompt.h"

#include <initializer_list>
#include <vector>

namespace td::fixtures {

// Adds a project document whose rows have the given levels (the first is the project line).
inline int AddProject(Workspace& ws, std::initializer_list<int> levels)
{
    ws.AddDocument(DocumentKind::Project);
    const int doc = ws.DocumentCount() - 1;
    bool first = true;
    for (int level : levels) {
        if (!first)
            ws.Doc(doc)->AddRow(level);
        first = false;
    }
    ws.RebuildVisibleRows();
    return doc;
}

inline ChartItem Task(int rowId, int lane, int startDay, int endDay, int month = 5)
{
    ChartItem item;
    item.type = TaskLine;
    item.state = ItemNormal;
    item.start = ItemPoint {rowId, static_cast<uint8_t>(lane), 2009, month, startDay, 0, 0};
    item.end = ItemPoint {0, 0, 2009, month, endDay, 0, 0};
    item.lineWidth = 16;
    return item;
}

inline ChartItem LineItem(int startRowId, int startLane, int endRowId, int endLane)
{
    ChartItem item = Task(startRowId, startLane, 10, 12);
    item.type = Line;
    item.end.rowId = endRowId;
    item.end.lane = static_cast<uint8_t>(endLane);
    return item;
}

// A rectangle corner: only the start point's lane and date are read.
inline ChartItem Corner(int lane, int day) { return Task(0, lane, day, day); }

inline ChartItem SelectedItem(const Workspace& ws, int doc, int n)
{
    ChartItem item;
    ws.GetSelectedItem(doc, n, item);
    return item;
}

// The states of the given items of one document, to check several in one expectation.
inline std::vector<int> States(const Workspace& ws, int doc, std::initializer_list<int> items)
{
    std::vector<int> states;
    for (int index : items)
        states.push_back(ws.ItemState(doc, index));
    return states;
}

class FakeSavePrompt : public SavePrompt {
public:
    explicit FakeSavePrompt(int answer) : answer(answer) {}
    int ConfirmSave(Document& document) override
    {
        ++calls;
        asked = &document;
        return answer;
    }

    int answer;
    int calls = 0;
    Document* asked = nullptr;
};

}  // namespace td::fixtures
