#pragma once

#include "model/DocumentRecords.h"

#include <string>

namespace td {

// The project format dialog's colour lists as indexes (-1 for no selection) and its three texts
// as code page 932 bytes.
struct RowChoice {
    int backColor = -1;
    int textColor = -1;
    std::string name;
    std::string person;
    std::string comment;
};

RowChoice ReadRowChoice(const ProjectRow& row);
// Each text keeps its field's terminator; a list without a selection leaves its colour.
void ApplyRowChoice(const RowChoice& choice, ProjectRow& row);

}  // namespace td
