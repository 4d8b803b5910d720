#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace td::fuzz {

// With TD_FUZZ_TRACE set, the editing harness prints every step it takes, so that the sequence
// behind a fault can be read from a run of its input.
inline bool Tracing()
{
    static const bool tracing = std::getenv("TD_FUZZ_TRACE") != nullptr;
    return tracing;
}

__attribute__((format(printf, 1, 2))) inline void Trace(const char* format, ...)
{
    if (!Tracing())
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fputc('\n', stderr);
}

}  // namespace td::fuzz
