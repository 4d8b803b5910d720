#include "fuzz/FakeServices.h"

#include "calendar/Dates.h"
#include "dialogs/ItemFormat.h"
#include "dialogs/RowFormat.h"
#include "dialogs/ScheduleFormat.h"
#include "dialogs/SelectedItems.h"
#include "model/Workspace.h"
#include "persistence/HolidayFile.h"

#include <array>

namespace td::fuzz {

namespace {

constexpr int ItemTextLimit = sizeof ChartItem::text;

// A list the user may leave as it shows or set to any of its `count` entries.
void Choose(FuzzInput& input, int& index, int count)
{
    if (input.OneIn(2))
        index = input.Below(count);
}

void ChooseText(FuzzInput& input, std::string& text, int limit)
{
    if (input.OneIn(2))
        text = input.Text(limit);
}

}  // namespace

// As the task dialog: lists of attributes some selected item lacks stay empty and disabled, the
// slider shows the common progress or 0.
int FakeDialogs::TaskFormat()
{
    if (Cancelled())
        return DialogCancel;
    const std::vector<ChartItem> items = SelectedItems(workspace);
    const ChartItem reference = items.empty() ? ChartItem {} : items.front();
    const AttributeStates states = ReadAttributeStates(items);
    ItemFormatChoice choice = ReadItemFormatChoice(states, reference);
    for (int attribute = 0; attribute < ItemAttributeCount; ++attribute) {
        const int count = ItemListLength(attribute, reference.type);
        if (states[attribute] != AttributeNotApplicable && count > 0)
            Choose(input, choice.index[attribute], count);
    }
    if (states[AttrProgress] != AttributeNotApplicable && input.OneIn(2))
        choice.progress = input.Between(0, 100);
    if (states[AttrText] != AttributeNotApplicable)
        ChooseText(input, choice.text, ItemTextLimit);
    EditSelectedItems(workspace, [&](ChartItem& item) { ApplyItemFormat(states, choice, item); });
    return DialogOk;
}

int FakeDialogs::ScheduleFormat()
{
    if (Cancelled())
        return DialogCancel;
    const std::vector<ChartItem> items = SelectedItems(workspace);
    ScheduleChoice choice = ReadScheduleChoice(items.empty() ? ChartItem {} : items.front());
    Choose(input, choice.year, YearCount);
    Choose(input, choice.month, 12);
    Choose(input, choice.day, 31);
    Choose(input, choice.startHour, HourCount);
    Choose(input, choice.startMinute, MinuteCount);
    Choose(input, choice.endHour, HourCount);
    Choose(input, choice.endMinute, MinuteCount);
    Choose(input, choice.textSize, TextSizes().Count());
    Choose(input, choice.textWeight, TextWeights().Count());
    Choose(input, choice.textColor, ColorListCount);
    ChooseText(input, choice.text, ItemTextLimit);
    EditSelectedItems(workspace, [&](ChartItem& entry) { ApplyScheduleChoice(choice, entry); });
    return DialogOk;
}

int FakeDialogs::ProjectFormat()
{
    if (Cancelled())
        return DialogCancel;
    ProjectRow row;
    if (!workspace.GetSelectedRow(row))
        return DialogOk;
    RowChoice choice = ReadRowChoice(row);
    Choose(input, choice.backColor, BackColorListCount);
    Choose(input, choice.textColor, ColorListCount);
    ChooseText(input, choice.name, sizeof row.name - 1);
    ChooseText(input, choice.person, sizeof row.person - 1);
    ChooseText(input, choice.comment, sizeof row.comment - 1);
    ApplyRowChoice(choice, row);
    workspace.ReplaceSelectedRow(row);
    return DialogOk;
}

// OK may leave a year's holiday file changed, as the holiday dialog does.
int FakeDialogs::HolidaySettings()
{
    if (Cancelled())
        return DialogCancel;
    if (input.OneIn(2)) {
        int table[HolidayTableSize] = {};
        for (int n = input.Below(8); n > 0; --n)
            table[input.Below(HolidayTableSize)] = 1;
        SaveHolidayFile(FirstYear + input.Below(EndYear - FirstYear), table);
    }
    return DialogOk;
}

SaveAnswer FakeBoxes::AskSave()
{
    static constexpr std::array Answers = {SaveAnswer::Cancel, SaveAnswer::No, SaveAnswer::Yes};
    return input.Pick(Answers);
}

std::optional<std::string> FakeChooser::ChooseOpenFile()
{
    const int choice = input.Below(static_cast<int>(openChoices.size()) + 1);
    if (choice == 0)
        return std::nullopt;
    return openChoices[choice - 1];
}

std::optional<std::string> FakeChooser::ChooseSaveFile(int, const std::string& currentPath)
{
    static constexpr std::array<const char*, 4> Extensions = {".tdp", ".tds", ".TDP", ".txt"};
    switch (input.Below(4)) {
    case 0:
        return std::nullopt;
    case 1:
        if (!currentPath.empty())
            return currentPath;
        [[fallthrough]];
    case 2:
        return directory + "/missing/plan.tdp";
    default:
        return directory + "/save-" + std::to_string(input.Below(4)) + input.Pick(Extensions);
    }
}

}  // namespace td::fuzz
