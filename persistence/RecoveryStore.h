#pragma once

#include "model/FileStamp.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace td {

class Document;

// A recovery copy: the document's file image and a small record of where it belongs.
struct RecoveryCopy {
    std::string imagePath;
    std::string recordPath;
    std::string originalPath;  // empty for a plan never saved
    int64_t savedAt = 0;       // seconds since the epoch
    // The original file as the copy's editor last read or wrote it.
    std::optional<FileStamp> stamp;
};

// The recovery copies of unsaved documents in the per-user state directory. Each running editor
// holds a lock on its own session file; copies of a session nobody holds were left by an editor
// that died, and the first editor to lock that session takes them, so that two editors never
// offer the same copy.
class RecoveryStore {
public:
    explicit RecoveryStore(std::string directory);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // $XDG_STATE_HOME/timeline-draft, or ~/.local/state/timeline-draft.
    static std::string DefaultDirectory();

    // False when the directory or the session lock could not be made; nothing is kept then.
    bool Ready() const { return lockFd >= 0; }
    const std::string& Directory() const { return directory; }
    // Writes copy `key` of the document (compacted, in the document file format) through the
    // safe file replacement, then its record.
    bool Write(int key, const Document& document);
    void Remove(int key);
    // A clean exit: this editor's copies and its lock go.
    void RemoveAll();
    // An exit that leaves copies for the next start: only the lock goes.
    void Unlock();

    // Copies of editors no longer running, now this editor's to offer; their sessions stay
    // locked until ReleaseClaims. A record that does not parse comes back with no image read.
    std::vector<RecoveryCopy> ClaimOrphans();
    std::optional<std::vector<uint8_t>> ReadImage(const RecoveryCopy& copy) const;
    // The copy is gone (restored elsewhere, or declined).
    void Discard(const RecoveryCopy& copy);
    // A copy that does not read back is renamed so it is never offered again, and kept for the
    // user; returns the name it now has.
    std::string SetAside(const RecoveryCopy& copy);
    void ReleaseClaims();

private:
    std::string SessionPath(const std::string& session, const std::string& suffix) const;
    std::string CopyPath(int key, const char* extension) const;
    bool Claim(const std::string& session);

    std::string directory;
    std::string session;
    int lockFd = -1;
    struct Claimed {
        std::string session;
        int fd;
    };
    std::vector<Claimed> claims;
};

// The record of a copy: what it belongs to, in a few text lines.
std::string RecoveryRecordText(const std::string& originalPath, int64_t savedAt,
                               const std::optional<FileStamp>& stamp);
// False when the text is not such a record.
bool ParseRecoveryRecord(const std::string& text, RecoveryCopy& copy);

}  // namespace td
