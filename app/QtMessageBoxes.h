#pragma once

#include "persistence/MessageBoxes.h"

class QWidget;

namespace td {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* owner)
        : owner(owner)
    {
    }
    void ShowError(std::string_view text) override;
    SaveAnswer AskSave() override;
    bool AskYesNo(std::string_view title, std::string_view text, bool yesByDefault) override;

private:
    QWidget* owner;
};

}  // namespace td
