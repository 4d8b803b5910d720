#include "dialogs/ScheduleFormat.h"

#include "calendar/Dates.h"
#include "dialogs/FieldValues.h"
#include "model/AttributeValues.h"

#include <algorithm>

namespace td {

namespace {

void TakeNumber(int index, int first, int32_t& field)
{
    if (index >= 0)
        field = first + index;
}

}  // namespace

ScheduleChoice ReadScheduleChoice(const ChartItem& entry)
{
    ScheduleChoice choice;
    choice.year = NumberIndex(entry.start.year, FirstYear, YearCount);
    choice.month = NumberIndex(entry.start.month, 1, 12);
    choice.day = NumberIndex(entry.start.day, 1, 31);
    choice.startHour = NumberIndex(entry.start.hour, 0, HourCount);
    choice.startMinute = NumberIndex(entry.start.minute, 0, MinuteCount);
    choice.endHour = NumberIndex(entry.end.hour, 0, HourCount);
    choice.endMinute = NumberIndex(entry.end.minute, 0, MinuteCount);
    choice.textSize = TextSizes().IndexOf(static_cast<uint32_t>(entry.textSize));
    choice.textWeight = TextWeights().IndexOf(static_cast<uint32_t>(entry.textWeight));
    const int color = ColorPalette().IndexOf(entry.textColor);
    choice.textColor = color < ColorListCount ? color : -1;
    choice.text = FieldBytes(entry.text);
    return choice;
}

void ApplyScheduleChoice(const ScheduleChoice& choice, ChartItem& entry)
{
    TakeNumber(choice.year, FirstYear, entry.start.year);
    TakeNumber(choice.month, 1, entry.start.month);
    TakeNumber(choice.day, 1, entry.start.day);
    // The day list always offers 31 days; a day past the month's end would name no date.
    if (entry.start.year >= FirstYear && entry.start.year < EndYear && entry.start.month >= 1
        && entry.start.month <= 12)
        entry.start.day = std::min(entry.start.day, DaysInMonth(entry.start.year, entry.start.month));
    entry.end.year = entry.start.year;
    entry.end.month = entry.start.month;
    entry.end.day = entry.start.day;
    TakeNumber(choice.startHour, 0, entry.start.hour);
    TakeNumber(choice.startMinute, 0, entry.start.minute);
    TakeNumber(choice.endHour, 0, entry.end.hour);
    TakeNumber(choice.endMinute, 0, entry.end.minute);
    TakeListValue(TextSizes(), choice.textSize, entry.textSize);
    TakeListValue(TextWeights(), choice.textWeight, entry.textWeight);
    if (choice.textColor < ColorListCount)
        TakeListValue(ColorPalette(), choice.textColor, entry.textColor);
    CopyTextField(entry.text, choice.text, false);
}

}  // namespace td
