#pragma once

#include "calendar/HolidayCalendar.h"
#include "model/Workspace.h"
#include "persistence/HolidayFile.h"
#include "view/ChartView.h"

#include <QImage>

#include <gtest/gtest.h>

#include <initializer_list>

namespace td {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Red = 0xFFFF0000;

// Pixels of x0..x1-1 by y0..y1-1 that have (or, with `other`, do not have) `color`.
inline int CountColor(const QImage& image, QRgb color, int x0, int y0, int x1, int y1, bool other = false)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += (image.pixel(x, y) == color) != other;
    return count;
}

// Text is checked by its region only: some pixel of the region is not white.
inline bool Inked(const QImage& image, int x0, int y0, int x1, int y1)
{
    return CountColor(image, White, x0, y0, x1, y1, true) > 0;
}

struct Px { int x, y; QRgb color; };

inline void ExpectPixels(const QImage& image, std::initializer_list<Px> pixels)
{
    for (const Px& p : pixels)
        EXPECT_EQ(image.pixel(p.x, p.y), p.color) << p.x << "," << p.y;
}

struct Date { int year = 0, month = 0, day = 0; bool operator==(const Date&) const = default; };

// A chart over a real workspace, its buffer 1920 x 400 unless a test needs another size.
struct ChartFixture {
    explicit ChartFixture(int screenWidth = 1600, int screenHeight = 400)
        : view(workspace, holidays, screenWidth, screenHeight) {}
    // One project whose rows have the given lane counts, in the April window.
    explicit ChartFixture(std::initializer_list<int> lanes) : ChartFixture() { AddProject(lanes), ShowApril(); }

    void SetFirstDate(int year, int month, int day) { view.SetView(view.Layout().Zoom(), {year, month, day}); }
    void SetZoom(int zoom) { view.SetView(zoom, view.Layout().FirstDate()); }
    Date First() const { return {view.Layout().FirstDate().year, view.Layout().FirstDate().month, view.Layout().FirstDate().day}; }

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

    // An 800 x 300 window on April 2009, at 80 pixels a day at zoom 7: day n starts at x
    // 340 + 80 (n - 1).
    void ShowApril(int zoom = 7) { view.Resize(800, 300), view.SetView(zoom, {2009, 4, 1}); }

    // An item of April 2009 on flattened row `row` from `startDay` to `endDay`.
    ChartItem AprilItem(int type, int row, int lane, int startDay, int endDay) const
    {
        ChartItem item;
        item.type = type, item.state = ItemNormal, item.textWeight = 400;
        item.start = {workspace.RowIdAt(row), static_cast<uint8_t>(lane), 2009, 4, startDay, 0, 0};
        item.end = {0, 0, 2009, 4, endDay, 0, 0};
        return item;
    }

    // A press and release in place, as a click selects what lies under it.
    void Click(int x, int y) { view.OnButtonDown(x, y), view.OnButtonUp(x, y); }
    void Drag(int fromX, int fromY, int toX, int toY)
    {
        view.OnButtonDown(fromX, fromY), view.OnMouseMove(true, toX, toY), view.OnButtonUp(toX, toY);
    }

    QRgb Pixel(int x, int y) const { return view.BackBuffer().pixel(x, y); }
    bool Inked(int x0, int y0, int x1, int y1) const { return td::Inked(view.BackBuffer(), x0, y0, x1, y1); }

    Workspace workspace;
    HolidayFiles holidayFiles;
    HolidayCalendar holidays{holidayFiles};
    ChartView view;
};

}  // namespace td
