#pragma once

#include "persistence/ErrorReporter.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace td::fuzz {

// A property that does not hold is a fault like a crash: libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property does not hold: %s\n", property);
    std::abort();
}

class MessageCount final : public ErrorReporter {
public:
    void ShowError(std::string_view) override { ++shown; }
    int shown = 0;
};

}  // namespace td::fuzz
