#include "persistence/FileReplacement.h"

#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "persistence/HolidayFile.h"
#include "tests/app/TempDir.h"
#include "tests/persistence/PersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace td {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::Reporter;
using testing::TempDir;
using testing::WriteBytes;
using Errors = std::vector<std::string>;

constexpr uid_t Nobody = 65534;

std::vector<char> Chars(const std::string& text) { return {text.begin(), text.end()}; }

// Saves a new project to `path`: 1 when saved silently, 2 when refused with "File Open Error !!".
int SaveNewProject(const std::string& path)
{
    Reporter errors;
    if (WriteDocument(testing::NewProject(), path, errors) == 1 && errors.messages.empty())
        return 1;
    return errors.messages == Errors {FileOpenError} ? 2 : 3;
}

// Runs `step` as the user nobody in a child process and returns its result; -1 when privileges
// cannot be dropped. An unprivileged test run needs no child.
int RunUnprivileged(const std::function<int()>& step)
{
    if (geteuid() != 0)
        return step();
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgroups(0, nullptr) == 0 && setgid(Nobody) == 0 && setuid(Nobody) == 0;
        // exit, not _exit, so that a coverage build records what the child ran.
        std::exit(dropped ? step() : 100);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100)
        return -1;
    return WEXITSTATUS(status);
}

// Files the unprivileged user owns when the tests run as root.
void GiveToNobody(const std::string& path, mode_t mode)
{
    if (geteuid() == 0) {
        ASSERT_EQ(chown(path.c_str(), Nobody, Nobody), 0);
    }
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
}

class FileReplacementTest : public ::testing::Test {
protected:
    void SetUp() override { chmod(dir.Path("").c_str(), 0755); }

    std::vector<std::string> Entries(const std::string& folder = "") const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path(folder)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // `name` is all that `folder` holds, with `content`.
    void ExpectOnly(const std::string& folder, const std::string& name, const std::string& content) const
    {
        EXPECT_EQ(FileBytes(dir.Path(folder + name)), Chars(content));
        EXPECT_EQ(Entries(folder), Errors {name});
    }

    TempDir dir;
};

TEST_F(FileReplacementTest, ALinkIsFollowedAndStays)
{
    fs::create_directory(dir.Path("shared"));
    WriteBytes(dir.Path("shared/2009.cal"), "old");
    fs::create_symlink("shared/2009.cal", dir.Path("2009.cal"));
    SetHolidayDirectory(dir.Path(""));
    int table[HolidayTableSize] = {1};
    ASSERT_EQ(SaveHolidayFile(2009, table), 1);
    EXPECT_TRUE(fs::is_symlink(dir.Path("2009.cal")));
    EXPECT_EQ(FileBytes(dir.Path("shared/2009.cal")), Chars(HolidayText(table)));
}

// A FIFO with a reader opens for writing like a file, so only its type can refuse it.
TEST_F(FileReplacementTest, FailedWritesChangeNothing)
{
    WriteBytes(dir.Path("plain"), "x");
    fs::create_directory(dir.Path("occupied.tdp"));
    ASSERT_EQ(mkfifo(dir.Path("pipe.tdp").c_str(), 0644), 0);
    const int reader = open(dir.Path("pipe.tdp").c_str(), O_RDONLY | O_NONBLOCK);
    for (const std::string& path : {dir.Path("nowhere/plan.tdp"), dir.Path("plain/plan.tdp"),
                                    dir.Path("occupied.tdp"), dir.Path("pipe.tdp"), std::string()})
        EXPECT_EQ(SaveNewProject(path), 2) << path;
    close(reader);
    EXPECT_EQ(Entries(), (Errors {"occupied.tdp", "pipe.tdp", "plain"}));
    EXPECT_TRUE(fs::is_fifo(dir.Path("pipe.tdp")));
    EXPECT_EQ(FileBytes(dir.Path("plain")), Chars("x"));
}

// The file is replaced keeping its mode and leaving no temporary file. A file size limit makes the
// write itself fail, even for root: the old file stays. With no file descriptor left for a
// temporary file, a writable file is still saved, overwritten in place.
TEST_F(FileReplacementTest, ReplacesKeepingTheModeAndAWriteCutShortKeepsTheOldFileAndNoTemporaryFileSavesInPlace)
{
    const int lowestFree = dup(0);
    close(lowestFree);
    const struct { int resource; rlim_t limit; std::string bytes; bool saved; std::string content; } cases[] = {
        {RLIMIT_NOFILE, rlim_t(lowestFree + 8), "new", true, "new"},
        {RLIMIT_FSIZE, 1024, std::string(4096, 'n'), false, std::string(100, 'o')},
        {RLIMIT_NOFILE, rlim_t(lowestFree + 1), "new", true, "new"},
    };
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& c : cases) {
        WriteBytes(dir.Path("plan.tdp"), std::string(100, 'o'));
        chmod(dir.Path("plan.tdp").c_str(), 0640);
        rlimit saved {};
        getrlimit(c.resource, &saved);
        const rlimit limited {c.limit, saved.rlim_max};
        setrlimit(c.resource, &limited);
        const bool replaced = ReplaceFile(dir.Path("plan.tdp"), c.bytes);
        setrlimit(c.resource, &saved);
        EXPECT_EQ(replaced, c.saved);
        ExpectOnly("", "plan.tdp", c.content);
        struct stat info {};
        ASSERT_EQ(stat(dir.Path("plan.tdp").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u) << c.limit;
    }
    std::signal(SIGXFSZ, previous);
}

// Saves `path` in a child process that a file size limit kills during the write, as a full disk
// or a kill would end a save half way.
void KilledSave(const std::string& path)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit {1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        ReplaceFile(path, std::string(4096, 'k'));
        std::exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
}

// A save removes what killed saves of its file left behind, but not the temporary file that a
// running save holds.
TEST_F(FileReplacementTest, ASaveRemovesTheTemporariesThatKilledSavesOfItsFileLeft)
{
    WriteBytes(dir.Path("plan.tdp"), "old");
    KilledSave(dir.Path("plan.tdp"));
    const std::string held = Entries()[0];
    const int running = open(dir.Path(held).c_str(), O_RDONLY);
    ASSERT_EQ(flock(running, LOCK_EX), 0);
    KilledSave(dir.Path("plan.tdp"));
    ASSERT_EQ(Entries().size(), 3u);
    ASSERT_TRUE(ReplaceFile(dir.Path("plan.tdp"), "new"));
    EXPECT_EQ(Entries(), (Errors {held, "plan.tdp"}));
    close(running);
    EXPECT_EQ(FileBytes(dir.Path("plan.tdp")), Chars("new"));
}

// As the user nobody: a file it may not write is refused even in a writable directory, and a file
// it may write is saved in place even in a read-only one.
TEST_F(FileReplacementTest, WriteProtectionOfTheFileDecidesNotThatOfTheDirectory)
{
    const auto image = DocumentImage(testing::NewProject());
    const struct { const char* folder; mode_t fileMode, dirMode; int result; std::string content; } cases[] = {
        {"mine/", 0444, 0755, 2, "old"}, {"locked/", 0664, 0555, 1, std::string(image.begin(), image.end())}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        fs::create_directory(dir.Path(c.folder));
        GiveToNobody(dir.Path(c.folder), c.dirMode | 0200);
        WriteBytes(dir.Path(c.folder) + "plan.tdp", "old");
        GiveToNobody(dir.Path(c.folder) + "plan.tdp", c.fileMode);
        ASSERT_EQ(chmod(dir.Path(c.folder).c_str(), c.dirMode), 0);
        const int result = RunUnprivileged([&] { return SaveNewProject(dir.Path(c.folder) + "plan.tdp"); });
        chmod(dir.Path(c.folder).c_str(), 0755);
        if (result < 0)
            GTEST_SKIP() << "cannot run as the user nobody to check write protection";
        EXPECT_EQ(result, c.result);
        ExpectOnly(c.folder, "plan.tdp", c.content);
    }
}

// Neither a FIFO nor a huge file that is not a plan may hang the editor or fill its memory.
TEST_F(FileReplacementTest, TheReaderRefusesAFifoAndAHugeForeignFileAtOnce)
{
    ASSERT_EQ(mkfifo(dir.Path("pipe.tdp").c_str(), 0644), 0);
    WriteBytes(dir.Path("zeros.tdp"), "");
    ASSERT_EQ(truncate(dir.Path("zeros.tdp").c_str(), off_t {2} << 30), 0);
    const struct { std::string path; const char* message; } cases[] = {{dir.Path("pipe.tdp"), FileOpenError}, {dir.Path("zeros.tdp"), IncorrectFileType}};
    for (const auto& [path, message] : cases) {
        const auto start = std::chrono::steady_clock::now();
        Document doc;
        std::strcpy(doc.Path(), path.c_str());
        Reporter errors;
        EXPECT_EQ(ReadDocument(doc, errors), 0);
        EXPECT_EQ(errors.messages, Errors {message});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << path;
    }
    fs::rename(dir.Path("pipe.tdp"), dir.Path("2009.cal"));
    SetHolidayDirectory(dir.Path(""));
    int table[HolidayTableSize] = {};
    EXPECT_EQ(LoadHolidayFile(2009, table), 0);
}

}  // namespace
}  // namespace td
