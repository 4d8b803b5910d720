#include "ChartFixture.h"

#include "calendar/Dates.h"
#include "persistence/HolidayFile.h"
#include "view/ViewBitmaps.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace td {
namespace {

constexpr QRgb Tint = 0xFFFF7FFF;

// Rightmost inked column of a band, or -1.
int InkRight(const QImage& image, int x0, int y0, int x1, int y1)
{
    for (int x = x1 - 1; x >= x0; --x)
        if (Inked(image, x, y0, x + 1, y1))
            return x;
    return -1;
}

// The header's rules frame the titles of the row columns; the lower band of the date scale labels
// each day or month, the upper band each new month or year, and the day scale stops before a
// column would pass the right edge.
TEST(ChartRenderer, HeaderAndDateScales)
{
    const struct {
        int zoom;
        Date first;
        std::initializer_list<std::array<int, 4>> columns;  // x, y0, y1, black (else white)
        std::initializer_list<std::array<int, 5>> regions;  // x0, y0, x1, y1, inked
    } cases[] = {
        // Title columns from x 20, 140, 220; days from 340 (30 April), 420 (1 May), 500, 580.
        {7, {2009, 4, 30}, {{0, 28, 29, 1}, {1918, 28, 29, 1}, {1919, 28, 29, 0}, {0, 64, 65, 1}, {339, 46, 47, 0},
                            {10, 29, 64, 0}, {20, 27, 28, 0}, {20, 28, 65, 1}, {140, 28, 65, 1}, {220, 28, 65, 1},
                            {340, 28, 65, 1}, {420, 46, 65, 1}, {500, 46, 65, 1}, {580, 46, 65, 1}, {420, 28, 46, 1},
                            {500, 29, 46, 0}},
         {{23, 49, 139, 64, 1}, {143, 49, 219, 64, 1}, {223, 49, 339, 64, 1}, {21, 29, 140, 46, 0},
          {141, 29, 220, 46, 0}, {221, 29, 340, 46, 0}, {343, 49, 419, 64, 1}, {423, 49, 499, 64, 1},
          {503, 49, 579, 64, 1}, {583, 49, 659, 64, 1}, {343, 31, 419, 46, 1}, {423, 31, 499, 46, 1},
          {501, 29, 1500, 46, 0}}},
        // Columns at 340, 660, 980, 1300; the one at 1620 would reach 1940 > 1920.
        {9, {2009, 4, 1}, {{1620, 46, 65, 1}}, {{1303, 49, 1619, 64, 1}, {1621, 47, 1920, 64, 0}}},
        // November at 340, December at 420, January 2010 at 500, all 80 wide.
        {2, {2009, 11, 20}, {{420, 46, 65, 1}, {500, 46, 65, 1}, {580, 46, 65, 1}, {420, 29, 46, 0}, {500, 28, 46, 1}},
         {{343, 31, 419, 46, 1}, {421, 29, 499, 46, 0}, {503, 31, 579, 46, 1}, {423, 49, 499, 64, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        ChartFixture f;
        f.SetZoom(c.zoom);
        f.SetFirstDate(c.first.year, c.first.month, c.first.day);
        f.view.Redraw();
        for (const auto& [x, y0, y1, black] : c.columns)
            EXPECT_EQ(CountColor(f.view.BackBuffer(), black ? Black : White, x, y0, x + 1, y1), y1 - y0) << x << "," << y0;
        for (const auto& [x0, y0, x1, y1, inked] : c.regions)
            EXPECT_EQ(f.Inked(x0, y0, x1, y1), inked != 0) << x0 << "," << y0;
    }
}

// Rows are ruled from the tree column, a document's last row from the left edge; a coloured row
// is filled inside its rules; an empty name draws "no name". Scrolled, the rows start at the
// first row shown, and a document above it rules nothing.
TEST(ChartRenderer, RowRulesAndFill)
{
    ChartFixture f;
    f.AddProject({1, 2});
    f.AddProject({1, 3});
    f.workspace.RowAt(0)->backColor = 0x0000FF;  // red, as 0x00BBGGRR
    f.workspace.RowAt(3)->backColor = 0x00FF00;
    f.view.Redraw();
    const int right = f.view.Layout().BufferWidth();
    // Rows 65..85, 85..125 (the document's last), 125..145 and 145..205.
    ExpectPixels(f.view.BackBuffer(), {{500, 65, Red}, {21, 83, Red}, {19, 70, White}, {500, 84, Black},
                                       {19, 84, White}, {20, 84, Black}, {right - 2, 84, Black}, {right - 1, 84, White},
                                       {0, 124, Black}, {500, 100, White}, {500, 125, White}, {340, 205, White}});
    for (int x : {20, 140, 220, 340})
        EXPECT_EQ(CountColor(f.view.BackBuffer(), Black, x, 65, x + 1, 205), 140) << x;
    EXPECT_TRUE(f.Inked(36, 87, 138, 122));

    f.view.ScrollToRow(2);
    f.view.Redraw();
    ASSERT_EQ(f.view.Layout().RowCount(), 2);
    ExpectPixels(f.view.BackBuffer(), {{0, 84, White}, {20, 84, Black}, {500, 85, 0xFF00FF00}, {0, 144, Black}});
}

TEST(ChartRenderer, TreeGlyphShowsTheFoldState)
{
    ChartFixture f;
    f.AddProject({1});
    ASSERT_EQ(f.workspace.AddSubProject(0), 1);
    f.workspace.RebuildVisibleRows();
    const QImage glyphs = ViewBitmap("IDB_PLUS_MINUS").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(glyphs.size(), QSize(18, 9));
    f.view.Redraw();
    ASSERT_EQ(f.workspace.FoldState(0), -1);
    EXPECT_EQ(f.view.BackBuffer().copy(23, 70, 9, 9), glyphs.copy(9, 0, 9, 9));
    EXPECT_FALSE(f.Inked(32, 90, 41, 99)) << "a row without children has no glyph";

    ASSERT_EQ(f.workspace.ShowSubtree(0, false), 1);
    f.view.Redraw();
    ASSERT_EQ(f.workspace.FoldState(0), 1);
    EXPECT_EQ(f.view.BackBuffer().copy(23, 70, 9, 9), glyphs.copy(0, 0, 9, 9));
}

// The selected row's name is bolder. A full-width name draws all its bytes; a full person field
// runs straight into the comment field in memory, and only its own bytes show.
TEST(ChartRenderer, RowNamesAndPersons)
{
    ChartFixture f;
    f.AddProject({1, 1});
    for (int row : {0, 1})
        std::memcpy(f.workspace.RowAt(row)->name, "Alpha", 5), std::memcpy(f.workspace.RowAt(row)->person, "Bob", 3);
    f.view.Resize(800, 300);
    f.Click(100, 95);
    const QImage& image = f.view.BackBuffer();
    EXPECT_GT(InkRight(image, 36, 86, 138, 104), InkRight(image, 36, 66, 138, 84));
    EXPECT_EQ(InkRight(image, 142, 86, 218, 104), InkRight(image, 142, 66, 218, 84));

    ChartFixture full;
    full.AddProject({3, 3});
    std::memset(full.workspace.RowAt(0)->name, 'i', sizeof(ProjectRow::name));
    std::memset(full.workspace.RowAt(1)->name, 'i', sizeof(ProjectRow::name) - 1);
    std::memset(full.workspace.RowAt(0)->person, 'i', sizeof(ProjectRow::person));
    full.view.Redraw();
    const QImage& names = full.view.BackBuffer();
    EXPECT_GT(CountColor(names, White, 36, 66, 138, 124, true), CountColor(names, White, 36, 126, 138, 184, true));
    EXPECT_FALSE(Inked(names, 222, 66, 338, 124));
}

// 1 May 2009 is a holiday: from 30 April at zoom 7 its column is 420..500. The tint covers the day
// band and the rows (down to the first row's top when there are none), not filled rows, and is
// not drawn in month mode.
TEST(ChartRenderer, HolidayTint)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetHolidayDirectory(QDir(dir.path()).absolutePath().toStdString() + "/");
    int table[HolidayTableSize] = {};
    table[DayIndex(5, 1)] = 1;
    ASSERT_EQ(SaveHolidayFile(2009, table), 1);
    const struct {
        std::initializer_list<int> lanes;
        Color fill;
        int zoom;
        std::initializer_list<Px> pixels;
    } cases[] = {
        {{2}, 0xFFFFFF, 7, {{421, 45, White}, {421, 47, Tint}, {499, 90, Tint}, {421, 104, Black},
                            {421, 105, White}, {500, 90, White}, {419, 90, White}, {420, 50, Black}}},
        {{}, 0, 7, {{450, 63, Tint}, {450, 64, Black}, {450, 65, White}}},
        {{}, 0, 4, {{450, 63, White}}},
        {{1}, 0xC0C0C0, 7, {{450, 70, 0xFFC0C0C0}, {450, 50, Tint}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom * 100 + static_cast<int>(c.lanes.size()));
        ChartFixture f;
        if (c.lanes.size()) {
            f.AddProject(c.lanes);
            f.workspace.RowAt(0)->backColor = c.fill;
        }
        f.SetZoom(c.zoom);
        f.SetFirstDate(2009, 4, 30);
        f.view.Redraw();
        ExpectPixels(f.view.BackBuffer(), c.pixels);
    }
}

}  // namespace
}  // namespace td
