#pragma once

#include "model/DocumentRecords.h"

#include <array>

namespace td {

// The item types by their names, TaskLine first.
inline constexpr std::array<const char*, Schedule - TaskLine + 1> ItemTypeNames = {
    "TaskLine", "TaskBand", "Event", "Progress", "Line", "TextBox", "Schedule",
};

inline const char* ItemTypeName(int32_t type)
{
    return IsItemType(type) ? ItemTypeNames[static_cast<std::size_t>(type - TaskLine)] : "";
}

}  // namespace td
