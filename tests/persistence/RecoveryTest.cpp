#include "persistence/Recovery.h"

#include "model/Workspace.h"
#include "persistence/DocumentFile.h"
#include "persistence/FileCommands.h"
#include "persistence/RecoveryStore.h"
#include "tests/app/AppFakes.h"
#include "tests/app/TempDir.h"
#include "tests/persistence/PersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace td {
namespace {

using fakes::FakeFileChooser;
using fakes::FakeMessageBoxes;
using testing::FileBytes;
using testing::TempDir;

// One editor: its workspace, file commands and recovery copies in a shared state directory.
struct Editor {
    explicit Editor(const std::string& stateDir) : store(stateDir) { }

    int AddModifiedProject(const std::string& path, int day)
    {
        ws.AddDocument(DocumentKind::Project);
        const int doc = ws.DocumentCount() - 1;
        const int row = ws.VisibleRowCount() - 1;
        ws.AddItem(row, testing::MakeItem(TaskLine, {ws.RowAt(row)->id, 0, 2009, 5, day}, {0, 0, 2009, 5, day + 3}));
        std::strcpy(ws.Doc(doc)->Path(), path.c_str());
        return doc;
    }

    Workspace ws;
    FakeFileChooser chooser;
    FakeMessageBoxes boxes;
    FileCommands files {ws, chooser, boxes};
    RecoveryStore store;
    Recovery recovery {ws, files, boxes, store};
};

std::vector<std::string> Names(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class RecoveryTest : public ::testing::Test {
protected:
    std::string State() const { return dir.Path("state"); }
    TempDir dir;
};

TEST_F(RecoveryTest, ACopyOfADeadEditorIsRestoredUnderItsNameAndSavingWritesTheOriginal)
{
    const std::string plan = dir.Path("plan.tdp");
    std::vector<uint8_t> expected;
    {
        auto dead = std::make_unique<Editor>(State());
        dead->AddModifiedProject(plan, 4);
        EXPECT_TRUE(dead->recovery.Behind());
        EXPECT_EQ(dead->recovery.KeepCopies(), 1);
        EXPECT_FALSE(dead->recovery.Behind());
        EXPECT_EQ(dead->recovery.KeepCopies(), 0);
        Document compacted = *dead->ws.Doc(0);
        compacted.Compact();
        expected = DocumentImage(compacted);
        // Ends without Finish, as a killed editor does: its lock goes with it.
    }
    Editor running(State());
    Editor next(State());
    ASSERT_EQ(next.recovery.OfferOrphans(), 1);
    EXPECT_EQ(running.recovery.OfferOrphans(), 0);
    EXPECT_EQ(next.boxes.questions, std::vector<std::string> {RestoreTitle});
    ASSERT_EQ(next.ws.DocumentCount(), 1);
    EXPECT_EQ(DocumentPath(*next.ws.Doc(0)), plan);
    EXPECT_EQ(next.ws.Doc(0)->ModState(), Modified);
    // The restored plan is kept by the new editor at once; the dead editor's copy and lock are
    // gone: two locks, one image and its record are left.
    EXPECT_EQ(Names(State()).size(), 4u);
    ASSERT_EQ(next.files.SaveAll(false), 1);
    EXPECT_EQ(FileBytes(plan), std::vector<char>(expected.begin(), expected.end()));
    next.recovery.Prune();
    next.recovery.Finish();
    running.recovery.Finish();
    EXPECT_TRUE(Names(State()).empty());
}

TEST_F(RecoveryTest, NoDeletesTheCopyAndADamagedCopyIsSetAsideAndReportedOnce)
{
    {
        Editor dead(State());
        dead.AddModifiedProject(dir.Path("a.tdp"), 4);
        dead.AddModifiedProject(dir.Path("b.tdp"), 9);
        ASSERT_EQ(dead.recovery.KeepCopies(), 2);
    }
    std::vector<std::string> images;
    for (const std::string& name : Names(State())) {
        if (name.ends_with(".tdp"))
            images.push_back(State() + "/" + name);
    }
    ASSERT_EQ(images.size(), 2u);
    std::ofstream(images[1], std::ios::binary | std::ios::trunc) << "damaged";
    Editor next(State());
    next.boxes.yes = false;
    EXPECT_EQ(next.recovery.OfferOrphans(), 0);
    EXPECT_EQ(next.ws.DocumentCount(), 0);
    ASSERT_EQ(next.boxes.errors.size(), 1u);
    EXPECT_NE(next.boxes.errors[0].find(images[1] + ".damaged"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(images[1] + ".damaged"));
    EXPECT_FALSE(std::filesystem::exists(images[0]));
    Editor again(State());
    EXPECT_EQ(again.recovery.OfferOrphans(), 0);
    EXPECT_TRUE(again.boxes.errors.empty() && again.boxes.questions.empty());
}

TEST_F(RecoveryTest, CopiesFollowTheDocumentAndGoWhenItIsSavedOrClosed)
{
    Editor editor(State());
    const int doc = editor.AddModifiedProject(dir.Path("plan.tdp"), 4);
    ASSERT_EQ(editor.recovery.KeepCopies(), 1);
    editor.ws.AddItem(0, testing::MakeItem(TaskLine, {editor.ws.RowAt(0)->id, 0, 2009, 6, 1}, {0, 0, 2009, 6, 2}));
    EXPECT_TRUE(editor.recovery.Behind());
    EXPECT_EQ(editor.recovery.KeepCopies(), 1);
    ASSERT_EQ(editor.files.SaveAll(false), 1);
    editor.recovery.Prune();
    EXPECT_EQ(Names(State()).size(), 1u);  // the lock only
    editor.AddModifiedProject("", 7);
    ASSERT_EQ(editor.recovery.KeepCopies(), 1);
    editor.ws.RemoveDocument(doc + 1);
    editor.recovery.Prune();
    EXPECT_EQ(Names(State()).size(), 1u);
}

TEST(RecoveryRecord, PathsOfAnyBytesComeBackAndDamagedRecordsAreRefused)
{
    const FileStamp stamp {"/a/\\b\nc.tdp", 10, 20, 30};
    RecoveryCopy copy;
    ASSERT_TRUE(ParseRecoveryRecord(RecoveryRecordText(stamp.path, 1234, stamp), copy));
    EXPECT_EQ((std::tuple {copy.originalPath, copy.savedAt, copy.stamp->size, copy.stamp->modified, copy.stamp->hash}),
              (std::tuple {stamp.path, int64_t {1234}, int64_t {10}, int64_t {20}, uint64_t {30}}));
    const std::string good = RecoveryRecordText("/a.tdp", 5, std::nullopt);
    for (const std::string& bad : {std::string(), good.substr(1), good + "path \\x\n", good.substr(0, good.find("path")),
                                   good + "stamp 1 2\n", good + "other\n"}) {
        RecoveryCopy parsed;
        EXPECT_FALSE(ParseRecoveryRecord(bad, parsed)) << bad;
    }
}

// A colleague's save of the same file between this editor's open and save.
TEST_F(RecoveryTest, ASaveOverAFileAnotherWriterChangedAsksFirst)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> meanwhile;
        bool yes;
        bool asked;
        bool written;
    };
    const std::vector<Case> cases {
        {"changed, answered No", [](const std::string& p) { std::ofstream(p, std::ios::binary | std::ios::app) << "x"; }, false, true, false},
        {"changed, answered Yes", [](const std::string& p) { std::ofstream(p, std::ios::binary | std::ios::app) << "x"; }, true, true, true},
        {"deleted", [](const std::string& p) { std::filesystem::remove(p); }, false, false, true},
        {"touched only", [](const std::string& p) {
             std::filesystem::last_write_time(p, std::filesystem::last_write_time(p) + std::chrono::seconds(5));
         }, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor editor(State());
        const std::string plan = dir.Path("plan.tdp");
        std::filesystem::remove(plan);
        editor.AddModifiedProject(plan, 4);
        ASSERT_EQ(editor.files.SaveAll(false), 1);
        editor.AddModifiedProject(dir.Path("other.tdp"), 2);
        editor.ws.AddItem(0, testing::MakeItem(TaskLine, {editor.ws.RowAt(0)->id, 0, 2009, 6, 1}, {0, 0, 2009, 6, 2}));
        c.meanwhile(plan);
        const bool existed = std::filesystem::exists(plan);
        const std::vector<char> before = existed ? FileBytes(plan) : std::vector<char> {};
        editor.boxes.yes = c.yes;
        EXPECT_EQ(editor.files.SaveAll(false), c.written ? 1 : 0);
        EXPECT_EQ(editor.boxes.questions.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(editor.ws.Doc(0)->ModState(), c.written ? Clean : Modified);
        EXPECT_EQ(existed && FileBytes(plan) == before, !c.written);
    }
}

}  // namespace
}  // namespace td
