#pragma once

#include "persistence/FileChooser.h"
#include "persistence/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace td::fakes {

// Answers the file dialogs from a queue; an empty queue answers like Cancel.
class FakeFileChooser final : public FileChooser {
public:
    std::optional<std::string> ChooseOpenFile() override { return Next(); }
    std::optional<std::string> ChooseSaveFile(int kind, const std::string& currentPath) override
    {
        saveKinds.push_back(kind);
        savePaths.push_back(currentPath);
        return Next();
    }
    void Answer(std::optional<std::string> path) { answers.push_back(std::move(path)); }
    int Asked() const { return asked; }

    std::vector<int> saveKinds;
    std::vector<std::string> savePaths;

private:
    std::optional<std::string> Next()
    {
        ++asked;
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers;
    int asked = 0;
};

// Collects error texts and answers the save question from a queue (Cancel when empty) and
// every yes-or-no question with `yes`.
class FakeMessageBoxes final : public MessageBoxes {
public:
    void ShowError(std::string_view text) override { errors.emplace_back(text); }
    SaveAnswer AskSave() override
    {
        ++prompts;
        if (answers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool AskYesNo(std::string_view title, std::string_view, bool) override
    {
        questions.emplace_back(title);
        return yes;
    }
    void Answer(SaveAnswer answer) { answers.push_back(answer); }

    std::vector<std::string> errors;
    std::vector<std::string> questions;
    bool yes = true;
    std::deque<SaveAnswer> answers;
    int prompts = 0;
};

}  // namespace td::fakes
