#pragma once

#include "persistence/FileChooser.h"

class QWidget;

namespace td {

class QtFileChooser final : public FileChooser {
public:
    explicit QtFileChooser(QWidget* owner)
        : owner(owner)
    {
    }
    std::optional<std::string> ChooseOpenFile() override;
    std::optional<std::string> ChooseSaveFile(int kind, const std::string& currentPath) override;

private:
    QWidget* owner;
};

}  // namespace td
