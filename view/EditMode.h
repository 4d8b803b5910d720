#pragma once

#include <cstdint>

namespace td {

// What the left mouse button is doing in the chart: resting (Idle, Selected) or one drag.
enum EditMode : int32_t {
    Idle = 0,
    Create = 16,
    RowResize = 33,
    RubberBand = 49,
    Selected = 50,
    MoveItems = 51,
    DragStart = 52,
    DragEnd = 53,
};

// What a press lands on within an item.
enum HitPart : int32_t {
    HitNone = 0,
    HitBody = 51,
    HitStartHandle = 52,
    HitEndHandle = 53,
};

// The end a handle press drags.
inline EditMode EndOfPart(int part)
{
    return part == HitStartHandle ? DragStart : DragEnd;
}

}  // namespace td
