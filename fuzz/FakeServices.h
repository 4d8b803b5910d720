#pragma once

#include "fuzz/FuzzInput.h"
#include "persistence/FileChooser.h"
#include "persistence/MessageBoxes.h"
#include "view/FormatDialogs.h"

#include <string>
#include <vector>

namespace td {
class Workspace;
}

namespace td::fuzz {

// The format dialogs as a user who picks from the lists and types into the edits, then presses
// OK, or presses Cancel. They write through the same Workspace operations as the Qt dialogs.
class FakeDialogs final : public FormatDialogs {
public:
    FakeDialogs(Workspace& workspace, FuzzInput& input) : workspace(workspace), input(input) { }

    int TaskFormat() override;
    int ScheduleFormat() override;
    int ProjectFormat() override;
    int HolidaySettings() override;

private:
    bool Cancelled() { return input.OneIn(4); }

    Workspace& workspace;
    FuzzInput& input;
};

// The questions answered from the input; error boxes are only counted.
class FakeBoxes final : public MessageBoxes {
public:
    explicit FakeBoxes(FuzzInput& input) : input(input) { }

    void ShowError(std::string_view) override { ++shown; }
    SaveAnswer AskSave() override;
    bool AskYesNo(std::string_view, std::string_view, bool) override { return input.OneIn(2); }

    int shown = 0;

private:
    FuzzInput& input;
};

// The file dialogs: Open offers `openChoices`, Save offers names in `directory` of both
// extensions, a wrong one and one in a missing folder; either can be cancelled.
class FakeChooser final : public FileChooser {
public:
    FakeChooser(FuzzInput& input, std::string directory) : input(input), directory(std::move(directory)) { }

    std::optional<std::string> ChooseOpenFile() override;
    std::optional<std::string> ChooseSaveFile(int kind, const std::string& currentPath) override;

    std::vector<std::string> openChoices;

private:
    FuzzInput& input;
    std::string directory;
};

}  // namespace td::fuzz
