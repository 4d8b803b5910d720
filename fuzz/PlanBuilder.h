#pragma once

#include "fuzz/FuzzInput.h"
#include "model/Workspace.h"

#include <string>
#include <vector>

namespace td::fuzz {

class EditingSession;

// A date of 2000..2099, most often near 2009-04 or at either end of the calendar.
DateTriple PickDate(FuzzInput& input);

// The plan an input starts from: 1 to 4 documents of both kinds, built from the input or copied
// from the examples, written as files in `directory` and opened as the window opens files given
// at start; then some rows are folded and the view set. The files, a damaged one, a missing one
// and a folder become the Open dialog's choices.
void BuildPlan(FuzzInput& input, EditingSession& session, const std::string& directory,
               const std::vector<std::string>& examples);

}  // namespace td::fuzz
