#pragma once

#include "persistence/FileChooser.h"
#include "persistence/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace td::fakes {

// The next of the queued answers, or `none` once they are used up.
template <typename Answer>
Answer Next(std::deque<Answer>& answers, Answer none)
{
    if (answers.empty())
        return none;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

// Answers the file dialogs from a queue; an empty queue answers like Cancel.
class FakeFileChooser final : public FileChooser {
public:
    std::optional<std::string> ChooseOpenFile() override { ++asked; return Next(answers, {}); }
    // The same queue answers both dialogs.
    std::optional<std::string> ChooseSaveFile(int kind, const std::string& currentPath) override
    {
        saveKinds.push_back(kind), savePaths.push_back(currentPath);
        return ChooseOpenFile();
    }
    void Answer(std::optional<std::string> path) { answers.push_back(std::move(path)); }
    int Asked() const { return asked; }

    std::vector<int> saveKinds;
    std::vector<std::string> savePaths;

private:
    std::deque<std::optional<std::string>> answers;
    int asked = 0;
};

// Collects error texts and answers the save question from a queue (Cancel when empty) and
// every yes-or-no question with `yes`.
class FakeMessageBoxes final : public MessageBoxes {
public:
    void ShowError(std::string_view text) override { errors.emplace_back(text); }
    SaveAnswer AskSave() override { ++prompts; return Next(answers, SaveAnswer::Cancel); }
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
