#include "AppFakes.h"
#include "TempDir.h"
#include "app/FileCommands.h"
#include "model/Workspace.h"
#include "persistence/DocumentFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace td {
namespace {

using fakes::FakeFileChooser;
using fakes::FakeMessageBoxes;
using testing::FileBytes;
using testing::TempDir;

ChartItem Task(int rowId, int day)
{
    ChartItem item;
    item.type = TaskLine;
    item.state = ItemNormal;
    item.start = ItemPoint { rowId, 0, 2009, 5, day, 0, 0 };
    item.end = ItemPoint { 0, 0, 2009, 5, day + 3, 0, 0 };
    item.lineWidth = 16;
    item.textWeight = 400;
    return item;
}

void SetPath(Document& document, const std::string& path)
{
    std::memset(document.Path(), 0, PathSize);
    std::memcpy(document.Path(), path.data(), path.size());
}

class FileCommandsTest : public ::testing::Test {
protected:
    int AddModifiedProject(const std::string& path, int items = 1)
    {
        ws.AddDocument(DocumentKind::Project);
        const int doc = ws.DocumentCount() - 1;
        const int row = ws.VisibleRowCount() - 1;
        for (int n = 0; n < items; ++n)
            ws.AddItem(row, Task(ws.RowAt(row)->id, 1 + n % 20));
        SetPath(*ws.Doc(doc), path);
        ws.Doc(doc)->SetModState(Modified);
        return doc;
    }

    TempDir dir;
    Workspace ws;
    FakeFileChooser chooser;
    FakeMessageBoxes boxes;
    FileCommands files { ws, chooser, boxes };
};

TEST(DocumentExtension, AcceptsOnlyTdpAndTdsInAnyCaseAtTheEndOfTheName)
{
    EXPECT_TRUE(HasDocumentExtension("/a/plan.tdp"));
    EXPECT_TRUE(HasDocumentExtension("/a/plan.TDS"));
    EXPECT_TRUE(HasDocumentExtension("/a/plan.Tdp"));
    EXPECT_TRUE(HasDocumentExtension("/a/plans.2009/a.tdp"));
    EXPECT_FALSE(HasDocumentExtension("/a/plan.txt"));
    EXPECT_FALSE(HasDocumentExtension("/a/plan.tdpx"));
    EXPECT_FALSE(HasDocumentExtension("/a/plan.tdp.bak"));
    EXPECT_FALSE(HasDocumentExtension("/a/plans.tdp/plan"));
    EXPECT_FALSE(HasDocumentExtension("/a/plan"));
    EXPECT_FALSE(HasDocumentExtension(""));
}

TEST_F(FileCommandsTest, SaveWritesAModifiedDocumentWithoutADialogAndReopensIdentical)
{
    const std::string path = dir.Path("plans.2009/plan.TDP");
    std::filesystem::create_directory(dir.Path("plans.2009"));
    const int doc = AddModifiedProject(path, 3);

    ASSERT_EQ(files.SaveAll(false), 1);
    EXPECT_EQ(chooser.Asked(), 0);
    EXPECT_TRUE(boxes.errors.empty());
    EXPECT_EQ(ws.Doc(doc)->ModState(), Clean);
    EXPECT_EQ(ws.Undo().Count(), 0);

    chooser.Answer(path);
    ASSERT_EQ(files.OpenDocument(), DocumentKind::Project);
    ASSERT_EQ(ws.DocumentCount(), 2);
    EXPECT_EQ(ws.Doc(1)->ModState(), Clean);
    const auto written = FileBytes(path);
    const auto reread = DocumentImage(*ws.Doc(1));
    EXPECT_EQ(std::vector<char>(reread.begin(), reread.end()), written);
    EXPECT_EQ(ws.Doc(1)->ItemCount(), 3);
    EXPECT_EQ(std::string(ws.Doc(1)->Path()), path);
}

TEST_F(FileCommandsTest, SaveWithAWrongExtensionReportsItAndKeepsTheDocumentModified)
{
    const std::string path = dir.Path("plan.txt");
    const int doc = AddModifiedProject(path);
    const int undoCount = ws.Undo().Count();

    EXPECT_EQ(files.SaveAll(false), 0);
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "Invalid File Extension !!" });
    EXPECT_EQ(ws.Doc(doc)->ModState(), Modified);
    EXPECT_EQ(ws.Undo().Count(), undoCount);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(FileCommandsTest, SaveOfAnUnnamedDocumentAsksAndKeepsTheChosenNameEvenWhenRefused)
{
    const int doc = AddModifiedProject("");
    EXPECT_EQ(files.SaveAll(false), 0);
    EXPECT_EQ(chooser.Asked(), 1);
    EXPECT_TRUE(boxes.errors.empty());
    EXPECT_STREQ(ws.Doc(doc)->Path(), "");

    chooser.Answer(dir.Path("plan.doc"));
    EXPECT_EQ(files.SaveAll(false), 0);
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "Invalid File Extension !!" });
    EXPECT_EQ(std::string(ws.Doc(doc)->Path()), dir.Path("plan.doc"));

    chooser.Answer(dir.Path("plan.tdp"));
    EXPECT_EQ(files.SaveAll(true), 1);
    EXPECT_EQ(chooser.saveKinds.back(), DocumentKind::Project);
    EXPECT_EQ(chooser.savePaths.back(), dir.Path("plan.doc"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plan.tdp")));
}

TEST_F(FileCommandsTest, SaveAsWithNothingModifiedAsksNothingAndEmptiesTheUndoLog)
{
    const int doc = AddModifiedProject(dir.Path("plan.tdp"));
    ws.Doc(doc)->SetModState(Clean);
    ASSERT_GT(ws.Undo().Count(), 0);

    EXPECT_EQ(files.SaveAll(true), 1);
    EXPECT_EQ(chooser.Asked(), 0);
    EXPECT_EQ(ws.Undo().Count(), 0);
}

TEST_F(FileCommandsTest, AFailedSaveStopsAndLeavesTheOldFileAndLaterDocumentsAsTheyWere)
{
    const std::string path = dir.Path("plan.tdp");
    const int first = AddModifiedProject(path);
    ASSERT_EQ(files.SaveAll(false), 1);
    const auto before = FileBytes(path);
    const int second = AddModifiedProject(dir.Path("other.tdp"));
    for (int n = 0; n < 200; ++n)
        ws.AddItem(0, Task(ws.RowAt(0)->id, 1 + n % 20));
    ASSERT_EQ(ws.Doc(first)->ModState(), Modified);

    // A file-size limit below the new image makes the write itself fail.
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = before.size() + 16;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    const int result = files.SaveAll(false);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "File Open Error !!" });
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(ws.Doc(first)->ModState(), Modified);
    EXPECT_EQ(ws.Doc(second)->ModState(), Modified);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("other.tdp")));
}

TEST_F(FileCommandsTest, OpenOfADamagedFileReportsTheReaderAndLeavesTheWorkspace)
{
    AddModifiedProject(dir.Path("plan.tdp"));
    testing::WriteBytes(dir.Path("bad.tdp"), "TDPF garbage that is not a document");
    chooser.Answer(dir.Path("bad.tdp"));
    EXPECT_EQ(files.OpenDocument(), 0);
    EXPECT_EQ(ws.DocumentCount(), 1);
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(ws.VisibleRowCount(), 1);

    EXPECT_EQ(files.OpenDocument(), 0);
    EXPECT_EQ(boxes.errors.size(), 1u);
}

TEST_F(FileCommandsTest, OpenRefusesAPathLongerThanTheDocumentCanHold)
{
    EXPECT_EQ(files.OpenDocumentFile(std::string(PathSize, 'a') + ".tdp"), 0);
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "File Open Error !!" });
    EXPECT_EQ(ws.DocumentCount(), 0);
}

TEST_F(FileCommandsTest, SavePromptAnswersYesNoAndCancel)
{
    const int doc = AddModifiedProject(dir.Path("plan.tdp"));
    boxes.Answer(SaveAnswer::No);
    EXPECT_EQ(files.ConfirmSave(doc), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("plan.tdp")));
    boxes.Answer(SaveAnswer::Cancel);
    EXPECT_EQ(files.ConfirmSave(doc), 0);
    boxes.Answer(SaveAnswer::Yes);
    EXPECT_EQ(files.ConfirmSave(doc), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plan.tdp")));
    EXPECT_EQ(ws.Doc(doc)->ModState(), Clean);
    EXPECT_EQ(files.ConfirmSave(doc), 1);
    EXPECT_EQ(boxes.prompts, 3);
}

TEST_F(FileCommandsTest, PromptForAllStopsAtCancelAndAtAFailedYes)
{
    AddModifiedProject(dir.Path("a.tdp"));
    AddModifiedProject(dir.Path("b.txt"));
    boxes.Answer(SaveAnswer::No);
    boxes.Answer(SaveAnswer::Cancel);
    EXPECT_EQ(files.ConfirmSave(-1), 0);
    EXPECT_EQ(ws.Doc(0)->ModState(), Modified);
    EXPECT_EQ(ws.Doc(1)->ModState(), Modified);

    boxes.Answer(SaveAnswer::No);
    boxes.Answer(SaveAnswer::Yes);
    EXPECT_EQ(files.ConfirmSave(-1), 0);
    EXPECT_EQ(boxes.errors, std::vector<std::string> { "Invalid File Extension !!" });

    boxes.Answer(SaveAnswer::No);
    boxes.Answer(SaveAnswer::No);
    EXPECT_EQ(files.ConfirmSave(-1), 1);
}

TEST_F(FileCommandsTest, ClosingADocumentThroughTheWorkspaceUsesThePrompt)
{
    AddModifiedProject(dir.Path("a.tdp"));
    boxes.Answer(SaveAnswer::Cancel);
    EXPECT_EQ(ws.CloseDocument(0, files), 0);
    EXPECT_EQ(ws.DocumentCount(), 1);
    boxes.Answer(SaveAnswer::Yes);
    EXPECT_EQ(ws.CloseDocument(0, files), 1);
    EXPECT_EQ(ws.DocumentCount(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("a.tdp")));
}

TEST_F(FileCommandsTest, CompactingOnSaveKeepsUndoFromNamingRenumberedRecords)
{
    const int doc = AddModifiedProject(dir.Path("a.tdp"), 2);
    ws.Doc(doc)->DeleteItem(0);
    AddModifiedProject(dir.Path("b.txt"));
    EXPECT_EQ(files.SaveAll(false), 0);
    EXPECT_EQ(ws.Doc(doc)->ItemCount(), 1);
    EXPECT_EQ(ws.Undo().Count(), 0);
    EXPECT_EQ(ws.UndoLast(), 0);
}

}  // namespace
}  // namespace td
