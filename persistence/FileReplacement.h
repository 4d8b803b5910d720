#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace td {

// Replaces the file at `path` with `bytes` so that a failed save never leaves it half written.
// A link is followed (its target is replaced, the link stays); the file keeps its mode and, where
// permitted, its owner. A file the user may not write is refused, as a direct open would be. The
// bytes go to a temporary file beside the target that is flushed and renamed over it; the
// temporaries that killed saves of the same file left are removed first. Only where no temporary
// file can be made is a readable and writable file overwritten in place (and flushed).
// False when nothing could be written; the file is then as it was.
bool ReplaceFile(const std::string& path, std::string_view bytes);

// Opens an existing regular file for reading without blocking on a FIFO or a device; -1 for
// anything else.
int OpenRegularFile(const std::string& path);

// Reads from the file's position to its end, or `limit` bytes if it holds more; false on a read
// error.
bool ReadUpTo(int fd, std::string& bytes, std::size_t limit = std::string::npos);

}  // namespace td
