#include "ChartFixture.h"
#include "view/Surface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace td {
namespace {

QImage Blank(int width = 1200, int height = 100)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool Dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// Lengths of alternating runs (on first) along a row, from x.
std::vector<int> Runs(const QImage& image, int y, int x, int count)
{
    std::vector<int> runs;
    bool on = true;
    int length = 0;
    for (; x < image.width() && static_cast<int>(runs.size()) < count; ++x) {
        if (Dark(image, x, y) == on) {
            ++length;
            continue;
        }
        runs.push_back(length);
        on = !on;
        length = 1;
    }
    return runs;
}

// Level and upright segments have their own test; a slanted line leaves out its end point too.
TEST(Surface, SlantedLinesLeaveOutTheirEndPoint)
{
    QImage image = Blank();
    {
        Surface s(image);
        s.Segment(20, 20, 40, 40);
    }
    ExpectPixels(image, {{20, 20, Black}, {39, 39, Black}, {40, 40, White}, {11, 11, White}});
}

TEST(Surface, FillsLeaveOutRightAndBottomEdges)
{
    QImage image = Blank();
    {
        Surface s(image);
        s.FillRect(10, 20, 30, 50, 0x0000FF);
        s.FillRect(60, 20, 60, 50, 0x0000FF);
        s.FillRect(70, 50, 80, 20, 0x0000FF);
    }
    ExpectPixels(image, {{10, 20, Red}, {29, 49, Red}, {30, 49, White}, {29, 50, White}, {9, 20, White},
                         {60, 30, White}, {75, 30, White}});
}

TEST(Surface, PenStylesDrawDistinctDashPatterns)
{
    QImage image = Blank();
    {
        Surface s(image);
        for (int style = PenSolid; style <= PenDashDotDot; ++style) {
            s.SelectPen(style, 0);
            s.Segment(0, 10 + style * 10, 200, 10 + style * 10);
        }
    }
    std::set<std::vector<int>> patterns;
    for (int style = PenSolid; style <= PenDashDotDot; ++style)
        patterns.insert(Runs(image, 10 + style * 10, 0, 6));
    EXPECT_EQ(patterns.size(), 5u);
    EXPECT_EQ(Runs(image, 20, 0, 2), (std::vector<int>{18, 6}));
    EXPECT_EQ(Runs(image, 30, 0, 2), (std::vector<int>{3, 3}));
    EXPECT_EQ(Runs(image, 40, 0, 4), (std::vector<int>{9, 6, 3, 6}));
    EXPECT_EQ(Runs(image, 50, 0, 6), (std::vector<int>{9, 3, 3, 3, 3, 3}));
    for (int x = 0; x < 200; ++x)
        ASSERT_TRUE(Dark(image, x, 10)) << x;
}

TEST(Surface, AndBlitKeepsDarkAndTintsWhite)
{
    QImage image = Blank();
    QImage glyph(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        glyph.setPixel(x, 0, x % 2 ? Red : White);
    QImage tint(1, 1, QImage::Format_RGB32);
    tint.setPixel(0, 0, qRgb(255, 127, 255));
    {
        Surface s(image);
        s.FillRect(10, 0, 11, 100, 0);
        s.Blit(8, 5, 4, 1, glyph, 0, 0, BlitOp::And);
        s.Stretch(30, 10, 20, 30, tint, 0, 0, 1, 1, BlitOp::And);
        s.FillRect(35, 50, 36, 60, 0);
        s.Stretch(30, 50, 20, 30, tint, 0, 0, 1, 1, BlitOp::And);
    }
    const QRgb tinted = qRgb(255, 127, 255);
    ExpectPixels(image, {{8, 5, White}, {9, 5, Red}, {10, 5, Black}, {11, 5, Red}, {30, 10, tinted},
                         {49, 39, tinted}, {50, 39, White}, {49, 40, White}, {35, 55, Black}});
}

TEST(Surface, CopyBlitReplacesDestination)
{
    QImage image = Blank();
    QImage source(3, 3, QImage::Format_RGB32);
    source.fill(qRgb(0, 0, 255));
    source.setPixel(1, 1, White);
    {
        Surface s(image);
        s.FillRect(0, 0, 20, 20, 0);
        s.Blit(5, 5, 2, 2, source, 1, 1);
    }
    ExpectPixels(image, {{5, 5, White}, {6, 6, qRgb(0, 0, 255)}, {7, 7, Black}});
}

QRect InkBounds(const QImage& image, QRgb background)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

TEST(Surface, TextIsOpaqueAndAlignedToItsAnchor)
{
    QImage image = Blank(400, 100);
    image.fill(qRgb(0, 0, 255));
    {
        Surface s(image);
        s.SelectFont(14, 400);
        s.TextOut(20, 10, QStringLiteral("担当 12"));
    }
    QRect ink = InkBounds(image, qRgb(0, 0, 255));
    EXPECT_EQ(ink.topLeft(), QPoint(20, 10));
    EXPECT_GE(ink.bottom(), 20);
    EXPECT_LE(ink.bottom(), 26);
    EXPECT_EQ(image.pixel(ink.left(), ink.top()), White);

    image.fill(qRgb(0, 0, 255));
    {
        Surface s(image);
        s.SelectFont(14, 400);
        s.TextOut(200, 50, QStringLiteral("○"), TextAlign::CenterBottom);
    }
    ink = InkBounds(image, qRgb(0, 0, 255));
    EXPECT_EQ(ink.bottom(), 49);
    EXPECT_LE(std::abs(ink.center().x() - 200), 1);
}

TEST(Surface, WrappedTextReportsItsHeightAndStaysInItsRectangle)
{
    QImage image = Blank(400, 200);
    image.fill(qRgb(0, 0, 255));
    int oneLine = 0;
    int wrapped = 0;
    int lineHeight = 0;
    {
        Surface s(image);
        s.SelectFont(14, 400);
        lineHeight = s.LineHeight();
        oneLine = s.DrawWrapped(10, 10, 300, 30, QStringLiteral("短い"));
        wrapped = s.DrawWrapped(10, 50, 60, 80, QStringLiteral("プロジェクトの長い名前です"));
    }
    EXPECT_EQ(oneLine, lineHeight);
    EXPECT_GE(wrapped, 3 * lineHeight);
    QRect ink = InkBounds(image.copy(0, 40, 400, 160), qRgb(0, 0, 255)).translated(0, 40);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.right(), 59);
    EXPECT_LE(ink.bottom(), 79);
}

}  // namespace
}  // namespace td
