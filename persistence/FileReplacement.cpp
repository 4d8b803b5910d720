#include "persistence/FileReplacement.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace td {

namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(put));
    }
    return true;
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
// may replace it at all.
struct Existing {
    int fd = -1;
    struct stat info {};
};

enum class Access { Missing, Writable, Refused };

Access OpenExisting(const std::filesystem::path& target, Existing& existing)
{
    existing.fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
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

// Durability of the rename itself; a failure here does not undo a completed save.
void SyncDirectoryOf(const std::filesystem::path& path)
{
    const std::filesystem::path parent = path.parent_path();
    const int fd = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

bool WriteInPlace(int fd, std::string_view bytes)
{
    return ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes)
        && fsync(fd) == 0;
}

// The temporary lives beside the target so that the rename stays within one file system; its
// name is short so that a target whose own name is near the limit can still be saved.
bool WriteThroughTemporary(int fd, std::string& temporary, const std::filesystem::path& target,
                           const Existing& existing, std::string_view bytes)
{
    bool ok = WriteAll(fd, bytes) && GiveMode(fd, existing) && fsync(fd) == 0;
    if (close(fd) != 0)
        ok = false;
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0)
        ok = false;
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
    std::string temporary = (target.parent_path() / ".tdsave-XXXXXX").string();
    const int fd = mkstemp(temporary.data());
    bool saved = false;
    if (fd >= 0)
        saved = WriteThroughTemporary(fd, temporary, target, existing, bytes);
    else if (existing.fd >= 0)
        saved = WriteInPlace(existing.fd, bytes);
    if (existing.fd >= 0)
        close(existing.fd);
    return saved;
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
