#pragma once

#include <optional>
#include <string>

namespace td {

// The open and save file dialogs. A save answer already carries the default extension of the
// document's kind when the typed name had none, as the platform dialog appends it.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<std::string> ChooseOpenFile() = 0;
    virtual std::optional<std::string> ChooseSaveFile(int kind, const std::string& currentPath) = 0;
};

}  // namespace td
