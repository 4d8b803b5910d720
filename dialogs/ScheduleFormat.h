#pragma once

#include "model/DocumentRecords.h"

#include <string>

namespace td {

inline constexpr int YearCount = 100;
inline constexpr int HourCount = 24;
inline constexpr int MinuteCount = 60;

// The schedule format dialog's lists as indexes (-1 for no selection) and its text's bytes. The
// dialog shows one entry's values and applies them all to every selected entry.
struct ScheduleChoice {
    int year = -1;
    int month = -1;
    int day = -1;
    int startHour = -1;
    int startMinute = -1;
    int endHour = -1;
    int endMinute = -1;
    int textSize = -1;
    int textWeight = -1;
    int textColor = -1;
    std::string text;
};

ScheduleChoice ReadScheduleChoice(const ChartItem& entry);
// A list without a selection keeps the entry's own value for its field.
void ApplyScheduleChoice(const ScheduleChoice& choice, ChartItem& entry);

}  // namespace td
