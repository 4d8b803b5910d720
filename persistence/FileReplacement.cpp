#include "persistence/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace td {

namespace {

bool WriteFromStart(int fd, std::string_view bytes)
{
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t put = pwrite(fd, bytes.data(), bytes.size(), offset);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(put));
        offset += put;
    }
    return true;
}

bool ReadFromStart(int fd, std::string& bytes)
{
    char chunk[16384];
    for (;;) {
        const ssize_t got = pread(fd, chunk, sizeof chunk, static_cast<off_t>(bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        bytes.append(chunk, static_cast<size_t>(got));
    }
}

// Saving through a link updates the file it points to, as writing into it directly would.
std::filesystem::path ResolvedTarget(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::path(path) : target;
}

// The target as it is now: its write access decides, as a direct open would, whether the user
// may replace it at all. Only a readable one can be overwritten in place, as its old bytes must
// be at hand to put back.
struct Existing {
    int fd = -1;
    bool readable = false;
    struct stat info {};
};

enum class Access { Missing, Writable, Refused };

Access OpenExisting(const std::filesystem::path& target, Existing& existing)
{
    constexpr int Flags = O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    existing.fd = open(target.c_str(), O_RDWR | Flags);
    existing.readable = existing.fd >= 0;
    if (existing.fd < 0 && errno == EACCES)
        existing.fd = open(target.c_str(), O_WRONLY | Flags);
    if (existing.fd < 0)
        return errno == ENOENT ? Access::Missing : Access::Refused;
    if (fstat(existing.fd, &existing.info) != 0 || !S_ISREG(existing.info.st_mode)) {
        close(existing.fd);
        existing.fd = -1;
        return Access::Refused;
    }
    return Access::Writable;
}

// A new file gets the mode that creating it directly would have given (mkstemp makes 0600).
bool GiveMode(int fd, const Existing& existing)
{
    if (existing.fd >= 0) {
        // Only root or the owner may hand the file back; a file saved as one's own must not keep
        // another owner's set-id bits.
        const bool ownerKept = fchown(fd, existing.info.st_uid, existing.info.st_gid) == 0;
        const mode_t mode = existing.info.st_mode & 07777;
        return fchmod(fd, ownerKept ? mode : mode & ~(S_ISUID | S_ISGID)) == 0;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return fchmod(fd, 0666 & ~mask) == 0;
}

std::filesystem::path FolderOf(const std::filesystem::path& path)
{
    const std::filesystem::path parent = path.parent_path();
    return parent.empty() ? "." : parent;
}

// Durability of the rename itself; a failure here does not undo a completed save.
void SyncDirectoryOf(const std::filesystem::path& path)
{
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// The whole new length is reserved before any old byte is overwritten, so the write cannot run
// out of space half way, and the file only gets shorter once the new bytes are all in.
bool Overwrite(int fd, std::string_view bytes)
{
    const off_t size = static_cast<off_t>(bytes.size());
    return (size == 0 || posix_fallocate(fd, 0, size) == 0) && WriteFromStart(fd, bytes)
        && ftruncate(fd, size) == 0 && fsync(fd) == 0;
}

// Only where no temporary file can be made. Any failure the process survives puts the old bytes
// back; they need no more room than the file held before. A kill during the write itself can
// still leave a mix of old and new bytes, though never a file shorter than the old one.
bool WriteInPlace(const Existing& existing, std::string_view bytes)
{
    std::string old;
    if (!existing.readable || !ReadFromStart(existing.fd, old))
        return false;
    if (Overwrite(existing.fd, bytes))
        return true;
    if (WriteFromStart(existing.fd, old) && ftruncate(existing.fd, static_cast<off_t>(old.size())) == 0)
        fsync(existing.fd);
    return false;
}

// The temporaries of one target share a prefix made from its name, so that a save can find
// those a killed save of the same file left behind. A hash of the name keeps the prefix short,
// so that a target whose own name is near the limit can still be saved; a rare clash only lets
// another file's leftovers be removed too.
std::string TemporaryPrefix(const std::filesystem::path& target)
{
    uint32_t hash = 2166136261u;
    for (const unsigned char c : target.filename().string())
        hash = (hash ^ c) * 16777619u;
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, ".tdsave-%08x-", static_cast<unsigned>(hash));
    return prefix;
}

constexpr std::size_t UniqueSuffix = 6;  // mkstemp's "XXXXXX".

// A save holds a lock on its temporary until the rename; one that nobody holds was left by a
// save that died. It is removed only if the name still belongs to the file that was checked.
void RemoveIfUnlocked(int folder, const char* name)
{
    const int fd = openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return;
    struct stat opened {};
    struct stat named {};
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
        && fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino)
        unlinkat(folder, name, 0);
    close(fd);
}

void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& prefix)
{
    DIR* listing = opendir(folder.c_str());
    if (!listing)
        return;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + UniqueSuffix && name.starts_with(prefix))
            RemoveIfUnlocked(dirfd(listing), entry->d_name);
    }
    closedir(listing);
}

// The temporary lives beside the target so that the rename stays within one file system. Its
// lock is held until it has been renamed, so that no other save takes it for a leftover; one
// that does so in the instant before the lock makes this save fail, with the target untouched.
bool WriteThroughTemporary(int fd, const std::string& temporary, const std::filesystem::path& target,
                           const Existing& existing, std::string_view bytes)
{
    flock(fd, LOCK_EX | LOCK_NB);
    const bool ok = WriteFromStart(fd, bytes) && GiveMode(fd, existing) && fsync(fd) == 0
        && std::rename(temporary.c_str(), target.c_str()) == 0;
    close(fd);
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    SyncDirectoryOf(target);
    return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        return false;
    const std::filesystem::path target = ResolvedTarget(path);
    Existing existing;
    if (OpenExisting(target, existing) == Access::Refused)
        return false;
    const std::string prefix = TemporaryPrefix(target);
    RemoveStaleTemporaries(FolderOf(target), prefix);
    std::string temporary = (FolderOf(target) / (prefix + "XXXXXX")).string();
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    bool saved = false;
    if (fd >= 0)
        saved = WriteThroughTemporary(fd, temporary, target, existing, bytes);
    else if (existing.fd >= 0)
        saved = WriteInPlace(existing, bytes);
    if (existing.fd >= 0)
        close(existing.fd);
    return saved;
}

bool ReadUpTo(int fd, std::string& bytes, std::size_t limit)
{
    bytes.clear();
    char chunk[65536];
    while (bytes.size() < limit) {
        const ssize_t got = read(fd, chunk, std::min(sizeof chunk, limit - bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<size_t>(got));
    }
    return true;
}

int OpenRegularFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    // Regular files never block; reads go back to the usual blocking mode.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace td
