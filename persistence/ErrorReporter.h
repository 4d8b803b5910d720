#pragma once

#include <string_view>

namespace td {

// Where core operations send the program's error texts ("Data Error !!", ...). The editor shows
// them in a message box titled "Error"; tests and tdtool collect or print them.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ShowError(std::string_view text) = 0;
};

}  // namespace td
