#include "persistence/FileStamps.h"

#include "persistence/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace td {

namespace {

int64_t ModifiedNanoseconds(const struct stat& info)
{
    return static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// FNV-1a: stable across runs, and a plan file is read at memory speed anyway.
std::optional<uint64_t> HashContent(int fd)
{
    std::string bytes;
    if (!ReadUpTo(fd, bytes))
        return std::nullopt;
    uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash;
}

}  // namespace

std::optional<FileStamp> ReadFileStamp(const std::string& path)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<uint64_t> hash;
    if (fstat(fd, &info) == 0)
        hash = HashContent(fd);
    close(fd);
    if (!hash)
        return std::nullopt;
    return FileStamp {path, static_cast<int64_t>(info.st_size), ModifiedNanoseconds(info), *hash};
}

bool ChangedOnDisk(const FileStamp& known)
{
    struct stat info {};
    if (stat(known.path.c_str(), &info) != 0)
        return false;
    if (static_cast<int64_t>(info.st_size) == known.size && ModifiedNanoseconds(info) == known.modified)
        return false;
    const std::optional<FileStamp> now = ReadFileStamp(known.path);
    return now && (now->size != known.size || now->hash != known.hash);
}

}  // namespace td
