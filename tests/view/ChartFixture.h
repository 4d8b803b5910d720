#pragma once

#include "calendar/HolidayCalendar.h"
#include "model/Workspace.h"
#include "view/ChartView.h"

#include <QImage>

namespace td {

// A chart over a real workspace, its buffer 1920 x 400 unless a test needs another size.
struct ChartFixture {
    explicit ChartFixture(int screenWidth = 1600, int screenHeight = 400)
        : view(workspace, holidays, screenWidth, screenHeight)
    {
    }

    void SetFirstDate(int year, int month, int day) { view.firstDate = {year, month, day}; }

    // One project document whose rows have the given lane counts, all at level 0.
    void AddProject(std::initializer_list<int> lanes)
    {
        workspace.AddDocument(DocumentKind::Project);
        Document* doc = workspace.Doc(workspace.DocumentCount() - 1);
        for (size_t i = 1; i < lanes.size(); ++i)
            doc->AddRow(0);
        workspace.RebuildVisibleRows();
        int first = workspace.VisibleRowCount() - static_cast<int>(lanes.size());
        int k = 0;
        for (int n : lanes)
            workspace.RowAt(first + k++)->lanes = n;
    }

    QRgb Pixel(int x, int y) const { return view.BackBuffer().pixel(x, y); }

    Workspace workspace;
    HolidayCalendar holidays;
    ChartView view;
};

}  // namespace td
