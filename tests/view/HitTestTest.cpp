#include "ChartFixture.h"

#include "view/EditMode.h"
#include "view/HitTest.h"

#include <gtest/gtest.h>

namespace td {
namespace {

// One project row of two lanes (65..85, 85..105) at 80 pixels a day from 1 April 2009: the
// items span 2..3 April (x 420..580), an event lies on 3 April (x 500..580, middle 540), a text
// box of one lane starts on 2 April and is 100 pixels wide.
TEST(HitTest, EachShapeIsHitWithinItsBandAndHandlesAtItsEnds)
{
    ChartFixture f;
    f.AddProject({2});
    f.ShowApril();
    const auto item = [&f](int type, int startDay) {
        ChartItem it = f.AprilItem(type, 0, 0, startDay, type == TextBox ? startDay : 3);
        it.boxWidth = 100;
        return it;
    };
    const struct {
        int type, startDay, x, y, lane, part;
    } cases[] = {
        {TaskBand, 2, 500, 69, 0, HitBody},        {TaskBand, 2, 500, 79, 0, HitBody},
        {TaskBand, 2, 500, 68, 0, HitNone},        {TaskBand, 2, 500, 80, 0, HitNone},
        {TaskBand, 2, 421, 74, 0, HitStartHandle}, {TaskBand, 2, 578, 74, 0, HitEndHandle},
        {TaskBand, 2, 583, 74, 0, HitNone},        {TaskBand, 2, 500, 94, 1, HitNone},
        {TaskLine, 2, 500, 72, 0, HitBody},        {TaskLine, 2, 500, 76, 0, HitBody},
        {TaskLine, 2, 500, 71, 0, HitNone},        {TaskLine, 2, 500, 77, 0, HitNone},
        {Progress, 2, 417, 74, 0, HitNone},        {Progress, 2, 418, 74, 0, HitStartHandle},
        {Event, 3, 533, 69, 0, HitBody},           {Event, 3, 547, 81, 0, HitBody},
        {Event, 3, 532, 74, 0, HitNone},           {Event, 3, 548, 74, 0, HitNone},
        {Event, 3, 540, 68, 0, HitNone},           {Event, 3, 540, 82, 0, HitNone},
        {TextBox, 2, 470, 80, 0, HitBody},         {TextBox, 2, 470, 81, 0, HitNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HitTestItem(f.workspace, f.view.Layout(), 0, 0, c.lane, c.x, c.y, item(c.type, c.startDay)),
                  c.part)
            << c.type << " at " << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace td
