#include "ChartFixture.h"
#include "view/Surface.h"
#include "view/TextCache.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace td {
namespace {

constexpr QRgb Blue = 0xFF0000FF;

QImage Filled(int width, int height, QRgb color = White)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// A row of the image from x 0, dark pixels as '#' and light ones as '.'.
std::string Row(const QImage& image, int y, int width)
{
    std::string row;
    for (int x = 0; x < width; ++x)
        row += qGray(image.pixel(x, y)) < 128 ? '#' : '.';
    return row;
}

QRect InkBounds(const QImage& image, QRgb background)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Solid level and upright segments take a faster way than slanted ones; they must still paint
// from their start up to, not including, their end, whichever way they run and wherever they
// leave the surface.
TEST(Surface, SolidLevelAndUprightSegmentsPaintStartToBeforeEnd)
{
    const std::array<int, 4> segments[] = {
        {10, 5, 30, 5},  {30, 7, 10, 7},  {-20, 9, 15, 9}, {15, 11, -20, 11}, {90, 13, 140, 13},
        {40, 15, 41, 15}, {41, 17, 40, 17}, {5, 20, 5, 40}, {7, 40, 7, 20},    {9, -10, 9, 25},
        {11, 45, 11, 90}, {13, 30, 13, 31}, {15, 31, 15, 30}};
    for (const auto& [x1, y1, x2, y2] : segments) {
        QImage drawn = Filled(100, 50);
        Surface(drawn).Segment(x1, y1, x2, y2);
        QImage expected = Filled(100, 50);
        const int dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
        for (int x = x1, y = y1; x != x2 || y != y2; x += dx, y += dy)
            if (expected.valid(x, y))
                expected.setPixel(x, y, Black);
        EXPECT_TRUE(drawn == expected) << x1 << ',' << y1 << " to " << x2 << ',' << y2;
    }
}

// A slanted line leaves out its end point too; fills leave out their right and bottom edges, and
// an empty one draws nothing; a copy blit replaces what lies below it; an AND blit or stretch
// keeps dark pixels and tints white ones. Pens are solid to their end point or dashed: 18 and 6,
// dots of 3 and 3, dash-dot 9, 6, 3, 6, dash-dot-dot 9, 3, 3, 3, 3, 3.
TEST(Surface, LinesFillsBlitsAndPens)
{
    QImage image = Filled(220, 100);
    QImage glyph = Filled(4, 1);
    glyph.setPixel(1, 0, Red);
    glyph.setPixel(3, 0, Red);
    QImage source = Filled(3, 3, Blue);
    source.setPixel(1, 1, White);
    const QImage tint = Filled(1, 1, qRgb(255, 127, 255));
    {
        Surface s(image);
        s.Segment(20, 20, 40, 40);
        s.FillRect(60, 20, 80, 50, 0x0000FF);
        s.FillRect(90, 20, 90, 50, 0x0000FF);
        s.FillRect(100, 50, 110, 20, 0x0000FF);
        s.FillRect(120, 0, 140, 20, 0);
        s.Blit(125, 5, 2, 2, source, 1, 1);
        s.FillRect(10, 60, 11, 90, 0);
        s.Blit(8, 65, 4, 1, glyph, 0, 0, BlitOp::And);
        s.Stretch(30, 60, 20, 30, tint, 0, 0, 1, 1, BlitOp::And);
        s.FillRect(150, 60, 151, 70, 0);
        s.Stretch(145, 60, 20, 30, tint, 0, 0, 1, 1, BlitOp::And);
        for (int style = PenSolid; style <= PenDashDotDot; ++style)
            s.SelectPen(style, 0), s.Segment(0, 91 + style, 200, 91 + style);
    }
    const QRgb tinted = qRgb(255, 127, 255);
    ExpectPixels(image, {{20, 20, Black}, {39, 39, Black}, {40, 40, White}, {11, 11, White}, {60, 20, Red}, {79, 49, Red},
                         {80, 49, White}, {79, 50, White}, {59, 20, White}, {90, 30, White}, {105, 30, White}, {125, 5, White},
                         {126, 6, Blue}, {127, 7, Black}, {8, 65, White}, {9, 65, Red}, {10, 65, Black}, {11, 65, Red},
                         {30, 60, tinted}, {49, 89, tinted}, {50, 89, White}, {49, 90, White}, {150, 65, Black}});
    EXPECT_EQ(Row(image, 91, 220), std::string(200, '#') + std::string(20, '.'));
    EXPECT_EQ(Row(image, 92, 30), "##################......######");
    EXPECT_EQ(Row(image, 93, 13), "###...###...#");
    EXPECT_EQ(Row(image, 94, 25), "#########......###......#");
    EXPECT_EQ(Row(image, 95, 25), "#########...###...###...#");
}

// Wrapped text reports its height and stays in its rectangle.
TEST(Surface, WrappedTextReportsItsHeightAndStaysInItsRectangle)
{
    QImage image = Filled(400, 200, Blue);
    int lineHeight = 0, oneLine = 0, wrapped = 0;
    {
        Surface s(image);
        s.SelectFont(14, 400);
        lineHeight = s.LineHeight();
        oneLine = s.DrawWrapped(10, 10, 300, 30, QStringLiteral("短い"));
        wrapped = s.DrawWrapped(10, 50, 60, 80, QStringLiteral("プロジェクトの長い名前です"));
    }
    EXPECT_EQ(oneLine, lineHeight);
    EXPECT_GE(wrapped, 3 * lineHeight);
    const QRect ink = InkBounds(image.copy(0, 40, 400, 160), Blue).translated(0, 40);
    EXPECT_TRUE(ink.left() >= 10 && ink.right() <= 59 && ink.bottom() <= 79) << ink.left() << " " << ink.right();
}

// Everything the chart draws but text and slanting lines, once per surface: fills, level and
// upright segments of every pen both ways, wide pens, copy and AND blits and stretches, a tint,
// and a part of an image drawn at the surface's own scale.
void DrawScene(Surface& s, const QImage& atScale)
{
    QImage glyph = Filled(4, 2);
    glyph.setPixel(1, 0, Red);
    glyph.setPixel(2, 1, Blue);
    for (int x = 0; x < 20; ++x)
        s.FillRect(x, 0, x + 1, 8, x % 2 ? 0x0000FF : 0xFF0000);
    for (int style = PenSolid; style <= PenDashDotDot; ++style) {
        s.SelectPen(style, 0);
        s.Segment(3, 12 + 2 * style, 97, 12 + 2 * style);
        s.Segment(97, 23 + 2 * style, 3, 23 + 2 * style);
        s.Segment(100 + 2 * style, 2, 100 + 2 * style, 60);
        s.Segment(111 + 2 * style, 60, 111 + 2 * style, 2);
    }
    for (int width : {3, 4}) {
        s.SelectWidePen(width, 0x00FF00);
        s.Segment(5, 34 + 3 * width, 60, 34 + 3 * width);
        s.Segment(70 + 3 * width, 40, 70 + 3 * width, 58);
    }
    s.Blit(30, 0, 4, 2, glyph, 0, 0);
    s.Blit(40, 1, 4, 2, glyph, 0, 0, BlitOp::And);
    s.Stretch(50, 0, 12, 6, glyph, 0, 0, 4, 2, BlitOp::And);
    s.BeginTint({QRect(2, 50, 40, 8)}, 0x7FFF7F);
    s.FillRect(10, 52, 20, 56, 0x00FFFF);
    s.EndTint();
    s.CopyAtScale(130, 10, atScale, QRect(0, 0, 20, 30));
}

QImage SceneAt(const DeviceScale& pixels)
{
    QImage atScale = Filled(pixels.Covering(20), pixels.Covering(30), Blue);
    {
        Surface s(atScale, pixels);
        s.FillRect(5, 5, 15, 25, 0xFF0000);
    }
    QImage image = Filled(pixels.Covering(160), pixels.Covering(64));
    Surface s(image, pixels);
    DrawScene(s, atScale);
    return image;
}

// At twice the device pixels, the picture is the unscaled one with every pixel doubled.
TEST(Surface, AtRatioTwoEveryRuleFillAndBlitIsTheUnscaledPictureDoubled)
{
    const QImage once = SceneAt(DeviceScale(1));
    const QImage twice = SceneAt(DeviceScale(2));
    ASSERT_EQ(twice.size(), once.size() * 2);
    int differing = 0;
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x)
            differing += twice.pixel(x, y) != once.pixel(x / 2, y / 2);
    EXPECT_EQ(differing, 0);
}

// Every label of a screen of many is kept from one redraw to the next; labels scrolled out of
// sight are let go.
TEST(TextCache, KeepsAScreenOfLabelsAndLetsScrolledOutOnesGo)
{
    TextCache<int> cache;
    // One redraw asking for `count` labels numbered from `first`; returns how many were not kept.
    const auto redraw = [&cache](int first, int count) {
        cache.BeginPass();
        int misses = 0;
        for (int n = first; n < first + count; ++n) {
            TextKey key{14 << 16 | 400, 0, QString::number(n)};
            if (!cache.Find(key))
                ++misses, cache.Insert(key, n);
        }
        return misses;
    };
    redraw(0, 20000);
    EXPECT_EQ(redraw(0, 20000), 0);
    for (int screen = 0; screen < 50; ++screen)
        redraw(screen * 3000, 3000);
    EXPECT_LE(cache.Size(), 4u * 3000);
}

}  // namespace
}  // namespace td
