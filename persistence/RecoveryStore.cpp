#include "persistence/RecoveryStore.h"

#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "persistence/FileReplacement.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace td {

namespace {

constexpr char RecordHeader[] = "timeline-draft recovery 1";
constexpr char ImageExtension[] = ".tdp";
constexpr char RecordExtension[] = ".record";
constexpr char LockExtension[] = ".lock";
constexpr char AsideExtension[] = ".damaged";

bool EndsWith(const std::string& text, std::string_view end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A path may hold any byte but NUL; the record keeps one per line.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> Unescaped(const std::string& text)
{
    std::string out;
    for (size_t n = 0; n < text.size(); ++n) {
        if (text[n] != '\\') {
            out += text[n];
            continue;
        }
        if (++n == text.size())
            return std::nullopt;
        if (text[n] == 'n')
            out += '\n';
        else if (text[n] == '\\')
            out += '\\';
        else
            return std::nullopt;
    }
    return out;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    const bool read = ReadUpTo(fd, bytes);
    close(fd);
    return read ? std::optional(std::move(bytes)) : std::nullopt;
}

// Built by appending: GCC 12 warns falsely on chains of + here.
std::string CopySuffix(int key, const char* extension)
{
    std::string suffix = "-";
    suffix += std::to_string(key);
    suffix += extension;
    return suffix;
}

int64_t ModifiedSeconds(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<int64_t>(info.st_mtime) : 0;
}

bool MakePrivateDirectory(const std::string& directory)
{
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    struct stat info {};
    if (stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    chmod(directory.c_str(), 0700);
    return access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string NewSessionName()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::ostringstream name;
    name << getpid() << '-' << std::hex << std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return name.str();
}

// Names are "<session>-<key>.tdp" and "<session>-<key>.record"; the session itself holds a dash.
bool SplitCopyName(const std::string& name, std::string& session, int& key)
{
    std::string stem;
    if (EndsWith(name, ImageExtension))
        stem = name.substr(0, name.size() - std::strlen(ImageExtension));
    else if (EndsWith(name, RecordExtension))
        stem = name.substr(0, name.size() - std::strlen(RecordExtension));
    else
        return false;
    const size_t dash = stem.find_last_of('-');
    if (dash == std::string::npos || dash == 0 || dash + 1 == stem.size())
        return false;
    char* end = nullptr;
    const long value = std::strtol(stem.c_str() + dash + 1, &end, 10);
    if (*end != '\0' || value < 0 || value > 1000000)
        return false;
    session = stem.substr(0, dash);
    key = static_cast<int>(value);
    return true;
}

}  // namespace

std::string RecoveryRecordText(const std::string& originalPath, int64_t savedAt,
                               const std::optional<FileStamp>& stamp)
{
    std::ostringstream text;
    text << RecordHeader << "\nsaved " << savedAt << '\n';
    if (stamp)
        text << "stamp " << stamp->size << ' ' << stamp->modified << ' ' << stamp->hash << '\n';
    text << "path " << Escaped(originalPath) << '\n';
    return text.str();
}

bool ParseRecoveryRecord(const std::string& text, RecoveryCopy& copy)
{
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != RecordHeader)
        return false;
    bool saved = false;
    bool path = false;
    std::optional<FileStamp> stamp;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name;
        fields >> name;
        if (name == "saved") {
            saved = static_cast<bool>(fields >> copy.savedAt);
        } else if (name == "stamp") {
            FileStamp read;
            if (!(fields >> read.size >> read.modified >> read.hash))
                return false;
            stamp = read;
        } else if (name == "path" && line.size() >= 5) {
            const auto original = Unescaped(line.substr(5));
            if (!original)
                return false;
            copy.originalPath = *original;
            path = true;
        } else {
            return false;
        }
    }
    if (stamp)
        stamp->path = copy.originalPath;
    copy.stamp = stamp;
    return saved && path;
}

RecoveryStore::RecoveryStore(std::string directoryPath)
    : directory(std::move(directoryPath))
    , session(NewSessionName())
{
    if (!MakePrivateDirectory(directory))
        return;
    const int fd = open(SessionPath(session, LockExtension).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0)
        lockFd = fd;
    else if (fd >= 0)
        close(fd);
}

RecoveryStore::~RecoveryStore()
{
    ReleaseClaims();
    if (lockFd >= 0)
        close(lockFd);
}

std::string RecoveryStore::DefaultDirectory()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/timeline-draft";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state/timeline-draft";
}

std::string RecoveryStore::SessionPath(const std::string& name, const std::string& suffix) const
{
    return directory + "/" + name + suffix;
}

std::string RecoveryStore::CopyPath(int key, const char* extension) const
{
    return SessionPath(session, CopySuffix(key, extension));
}

// The image goes first: a record always names a complete copy, and an image without a record
// is still offered, as a plan never saved.
bool RecoveryStore::Write(int key, const Document& document)
{
    if (!Ready())
        return false;
    Document compacted = document;
    compacted.Compact();
    const std::vector<uint8_t> image = DocumentImage(compacted);
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    if (!ReplaceFile(CopyPath(key, ImageExtension), bytes))
        return false;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::string record = RecoveryRecordText(
        DocumentPath(document), std::chrono::duration_cast<std::chrono::seconds>(now).count(), document.DiskStamp());
    return ReplaceFile(CopyPath(key, RecordExtension), record);
}

void RecoveryStore::Remove(int key)
{
    std::remove(CopyPath(key, RecordExtension).c_str());
    std::remove(CopyPath(key, ImageExtension).c_str());
}

void RecoveryStore::RemoveAll()
{
    if (!Ready())
        return;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        std::string owner;
        int key = 0;
        if (SplitCopyName(entry.path().filename().string(), owner, key) && owner == session)
            std::filesystem::remove(entry.path(), error);
    }
    Unlock();
}

void RecoveryStore::Unlock()
{
    if (!Ready())
        return;
    std::remove(SessionPath(session, LockExtension).c_str());
    close(lockFd);
    lockFd = -1;
}

bool RecoveryStore::Claim(const std::string& name)
{
    const int fd = open(SessionPath(name, LockExtension).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    claims.push_back(Claimed {name, fd});
    return true;
}

std::vector<RecoveryCopy> RecoveryStore::ClaimOrphans()
{
    std::vector<RecoveryCopy> copies;
    if (!Ready())
        return copies;
    std::map<std::string, std::set<int>> sessions;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        std::string owner;
        int key = 0;
        const std::string name = entry.path().filename().string();
        if (SplitCopyName(name, owner, key) && owner != session)
            sessions[owner].insert(key);
        // The lock of an editor killed with nothing unsaved is claimed only to be removed.
        else if (EndsWith(name, LockExtension) && name != session + LockExtension)
            sessions[name.substr(0, name.size() - std::strlen(LockExtension))];
    }
    for (const auto& [owner, keys] : sessions) {
        if (!Claim(owner))
            continue;
        for (const int key : keys) {
            RecoveryCopy copy;
            copy.imagePath = SessionPath(owner, CopySuffix(key, ImageExtension));
            copy.recordPath = SessionPath(owner, CopySuffix(key, RecordExtension));
            const auto record = ReadWholeFile(copy.recordPath);
            if (!record)
                copy.savedAt = ModifiedSeconds(copy.imagePath);
            else if (!ParseRecoveryRecord(*record, copy))
                copy.savedAt = -1;
            copies.push_back(copy);
        }
    }
    return copies;
}

std::optional<std::vector<uint8_t>> RecoveryStore::ReadImage(const RecoveryCopy& copy) const
{
    if (copy.savedAt < 0)
        return std::nullopt;
    const auto bytes = ReadWholeFile(copy.imagePath);
    if (!bytes)
        return std::nullopt;
    return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

void RecoveryStore::Discard(const RecoveryCopy& copy)
{
    std::remove(copy.recordPath.c_str());
    std::remove(copy.imagePath.c_str());
}

std::string RecoveryStore::SetAside(const RecoveryCopy& copy)
{
    std::rename(copy.recordPath.c_str(), (copy.recordPath + AsideExtension).c_str());
    const std::string aside = copy.imagePath + AsideExtension;
    return std::rename(copy.imagePath.c_str(), aside.c_str()) == 0 ? aside : copy.recordPath + AsideExtension;
}

// Whatever a claimed session still holds was handled (restored, declined or set aside).
void RecoveryStore::ReleaseClaims()
{
    for (const Claimed& claimed : claims) {
        std::remove(SessionPath(claimed.session, LockExtension).c_str());
        close(claimed.fd);
    }
    claims.clear();
}

}  // namespace td
