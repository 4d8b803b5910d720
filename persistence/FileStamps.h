#pragma once

#include "model/FileStamp.h"

#include <optional>
#include <string>

namespace td {

// The file at `path` as it is now: size, modification time and a hash of its bytes. Nothing
// when it cannot be read (deleted, not a regular file).
std::optional<FileStamp> ReadFileStamp(const std::string& path);

// Whether the file the stamp names now holds other bytes than it did. A file that is gone has
// nothing to lose, so it counts as unchanged; so does one merely touched.
bool ChangedOnDisk(const FileStamp& known);

}  // namespace td
