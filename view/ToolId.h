#pragma once

#include "model/DocumentRecords.h"

#include <cstdint>

namespace td {

// Command ids of the toolbar's eight chart tools; the current tool is one of them.
struct ToolId {
    static constexpr int32_t Select = 41000;
    static constexpr int32_t TaskLine = 41004;
    static constexpr int32_t TaskBand = 41005;
    static constexpr int32_t Event = 41006;
    static constexpr int32_t Progress = 41007;
    static constexpr int32_t Line = 41008;
    static constexpr int32_t TextBox = 41009;
    static constexpr int32_t Schedule = 41010;
};

// The item type a task-creating tool makes; 0 for the other tools.
inline int TaskTypeOfTool(int tool)
{
    switch (tool) {
    case ToolId::TaskLine:
        return TaskLine;
    case ToolId::TaskBand:
        return TaskBand;
    case ToolId::Progress:
        return Progress;
    default:
        return 0;
    }
}

}  // namespace td
