#pragma once

#include <cstdint>
#include <string>

namespace td {

// What a document's file held when the document last read or wrote it, so that a save can
// notice another writer.
struct FileStamp {
    std::string path;
    int64_t size = 0;
    int64_t modified = 0;  // nanoseconds since the epoch
    uint64_t hash = 0;
};

}  // namespace td
