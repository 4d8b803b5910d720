#include "view/Surface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>

namespace td {
namespace {

struct LevelSegment {
    int x1, y1, x2, y2;
};

// Solid level and upright segments take a faster way than slanted ones; they must still paint
// from their start up to, not including, their end, whichever way they run and wherever they
// leave the surface.
TEST(SurfaceSegment, SolidLevelAndUprightSegmentsPaintStartToBeforeEnd)
{
    const LevelSegment segments[] = {
        {10, 5, 30, 5},  {30, 7, 10, 7},  {-20, 9, 15, 9}, {15, 11, -20, 11}, {90, 13, 140, 13},
        {40, 15, 41, 15}, {41, 17, 40, 17}, {5, 20, 5, 40}, {7, 40, 7, 20},    {9, -10, 9, 25},
        {11, 45, 11, 90}, {13, 30, 13, 31}, {15, 31, 15, 30}};
    for (const LevelSegment& segment : segments) {
        QImage drawn(100, 50, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        {
            Surface s(drawn);
            s.Segment(segment.x1, segment.y1, segment.x2, segment.y2);
        }
        QImage expected(100, 50, QImage::Format_RGB32);
        expected.fill(Qt::white);
        const int dx = (segment.x2 > segment.x1) - (segment.x2 < segment.x1);
        const int dy = (segment.y2 > segment.y1) - (segment.y2 < segment.y1);
        for (int x = segment.x1, y = segment.y1; x != segment.x2 || y != segment.y2;
             x += dx, y += dy) {
            if (expected.valid(x, y))
                expected.setPixel(x, y, qRgb(0, 0, 0));
        }
        EXPECT_TRUE(drawn == expected) << segment.x1 << ',' << segment.y1 << " to " << segment.x2
                                       << ',' << segment.y2;
    }
}

}  // namespace
}  // namespace td
