#include "persistence/FileCommands.h"

#include "model/Workspace.h"
#include "persistence/DocumentFile.h"
#include "tests/app/AppFakes.h"
#include "tests/app/TempDir.h"
#include "tests/persistence/PersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace td {
namespace {

using fakes::FakeFileChooser;
using fakes::FakeMessageBoxes;
using testing::FileBytes;
using testing::TempDir;
using Errors = std::vector<std::string>;

ChartItem Task(int rowId, int day)
{
    return testing::MakeItem(TaskLine, {rowId, 0, 2009, 5, day}, {0, 0, 2009, 5, day + 3});
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
        std::strcpy(ws.Doc(doc)->Path(), path.c_str());
        return doc;
    }

    TempDir dir;
    Workspace ws;
    FakeFileChooser chooser;
    FakeMessageBoxes boxes;
    FileCommands files {ws, chooser, boxes};
};

TEST(DocumentExtension, AcceptsOnlyTdpAndTdsInAnyCaseAtTheEndOfTheName)
{
    for (const char* path : {"/a/plan.tdp", "/a/plan.TDS", "/a/plan.Tdp", "/a/plans.2009/a.tdp"})
        EXPECT_TRUE(HasDocumentExtension(path)) << path;
    for (const char* path : {"/a/plan.txt", "/a/plan.tdpx", "/a/plan.tdp.bak", "/a/plans.tdp/plan", ""})
        EXPECT_FALSE(HasDocumentExtension(path)) << path;
}

TEST_F(FileCommandsTest, SaveOfAnUnnamedDocumentAsksAndKeepsTheChosenNameEvenWhenRefused)
{
    const int doc = AddModifiedProject("");
    EXPECT_EQ((std::pair {files.SaveAll(false), chooser.Asked()}), (std::pair {0, 1}));
    EXPECT_STREQ(ws.Doc(doc)->Path(), "");

    const int undoCount = ws.Undo().Count();
    chooser.Answer(dir.Path("plan.doc"));
    EXPECT_EQ(files.SaveAll(false), 0);
    EXPECT_EQ(boxes.errors, Errors {"Invalid File Extension !!"});
    EXPECT_EQ(ws.Doc(doc)->Path(), dir.Path("plan.doc"));
    EXPECT_EQ((std::pair {ws.Doc(doc)->ModState(), ws.Undo().Count()}), (std::pair {int(Modified), undoCount}));

    // A name of PathSize bytes leaves no room for the field's NUL.
    chooser.Answer(std::string(PathSize - 4, 'a') + ".tdp");
    EXPECT_EQ(files.SaveAll(true), 0);
    EXPECT_EQ(boxes.errors.back(), "File Open Error !!");
    EXPECT_EQ(ws.Doc(doc)->Path(), dir.Path("plan.doc"));

    chooser.Answer(dir.Path("plan.tdp"));
    EXPECT_EQ(files.SaveAll(true), 1);
    EXPECT_EQ((std::pair {chooser.saveKinds.back(), chooser.savePaths.back()}), (std::pair {DocumentKind::Project, dir.Path("plan.doc")}));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plan.tdp")));
}

TEST_F(FileCommandsTest, SaveAsWithNothingModifiedAsksNothingAndEmptiesTheUndoLog)
{
    ws.Doc(AddModifiedProject(dir.Path("plan.tdp")))->SetModState(Clean);
    ASSERT_GT(ws.Undo().Count(), 0);
    EXPECT_EQ((std::vector<int> {files.SaveAll(true), chooser.Asked(), ws.Undo().Count()}), (std::vector<int> {1, 0, 0}));
}

TEST_F(FileCommandsTest, AFailedSaveStopsAndLeavesLaterDocumentsModified)
{
    const int first = AddModifiedProject(dir.Path("missing/plan.tdp"), 2);
    ws.SelectItem(0, 0);
    ws.DeleteSelectedItems(true, true);
    const int undoCount = ws.Undo().Count();
    const int second = AddModifiedProject(dir.Path("other.tdp"));
    EXPECT_EQ(files.SaveAll(false), 0);
    EXPECT_EQ(boxes.errors, Errors {"File Open Error !!"});
    EXPECT_EQ((std::pair {ws.Doc(first)->ModState(), ws.Doc(second)->ModState()}), (std::pair {int(Modified), int(Modified)}));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("other.tdp")));
    // Nothing was written, so the deleted item and the entries that can revive it stay.
    EXPECT_EQ((std::pair {ws.ItemCount(first), ws.Undo().Count()}), (std::pair {2, undoCount + 1}));
}

TEST_F(FileCommandsTest, OpenRefusalsLeaveTheWorkspaceAsItWas)
{
    AddModifiedProject(dir.Path("plan.tdp"));
    testing::WriteBytes(dir.Path("bad.tdp"), "TDPF garbage that is not a document");
    chooser.Answer(dir.Path("bad.tdp"));
    EXPECT_EQ(files.OpenDocument(), 0);
    EXPECT_EQ(files.OpenDocument(), 0) << "a cancelled dialog";
    EXPECT_EQ(files.OpenDocumentFile(std::string(PathSize - 4, 'a') + ".tdp"), 0);
    EXPECT_EQ(boxes.errors, (Errors {"Unknown File Format !!", "File Open Error !!"}));
    EXPECT_EQ((std::pair {ws.DocumentCount(), ws.VisibleRowCount()}), (std::pair {1, 1}));
}

// Asked for all documents, a cancel or a failed yes stops the questions; asked for one, its
// answer is the result, and a clean document is not asked about.
TEST_F(FileCommandsTest, SavePromptAnswersYesNoAndCancelForOneOrAllDocuments)
{
    const int doc = AddModifiedProject(dir.Path("plan.tdp"));
    AddModifiedProject(dir.Path("b.txt"));
    for (SaveAnswer answer : {SaveAnswer::No, SaveAnswer::Cancel, SaveAnswer::No, SaveAnswer::Yes})
        boxes.Answer(answer);
    EXPECT_EQ(files.ConfirmSave(-1) + files.ConfirmSave(-1), 0);
    EXPECT_EQ(boxes.errors, Errors {"Invalid File Extension !!"});
    boxes.Answer(SaveAnswer::No);
    boxes.Answer(SaveAnswer::No);
    EXPECT_EQ(files.ConfirmSave(-1), 1);

    const struct { SaveAnswer answer; int result, state; bool saved; } steps[] = {
        {SaveAnswer::No, 1, Modified, false}, {SaveAnswer::Cancel, 0, Modified, false}, {SaveAnswer::Yes, 1, Clean, true}};
    for (const auto& step : steps) {
        boxes.Answer(step.answer);
        EXPECT_EQ((std::pair {files.ConfirmSave(doc), ws.Doc(doc)->ModState()}), (std::pair {step.result, step.state}));
        EXPECT_EQ(std::filesystem::exists(dir.Path("plan.tdp")), step.saved);
    }
    EXPECT_EQ((std::pair {files.ConfirmSave(doc), boxes.prompts}), (std::pair {1, 9}));
}

// The save compacts the closing document and renumbers its records; only its own undo entries
// may go with that.
TEST_F(FileCommandsTest, ClosingOneOfTwoDocumentsWithYesKeepsTheOthersUndo)
{
    const int closing = AddModifiedProject(dir.Path("a.tdp"), 2);
    ws.Doc(closing)->DeleteItem(0);
    AddModifiedProject(dir.Path("b.tdp"), 1);
    boxes.Answer(SaveAnswer::Cancel);
    EXPECT_EQ(ws.CloseDocument(0, files), 0);
    boxes.Answer(SaveAnswer::Yes);
    EXPECT_EQ(ws.CloseDocument(0, files), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("a.tdp")));
    ASSERT_EQ(ws.DocumentCount(), 1);
    EXPECT_EQ((std::pair {ws.UndoLast(), ws.ItemState(0, 0)}), (std::pair {1, int(ItemDeleted)}));
}

// A dotted folder and an upper-case extension are no obstacle to the save.
TEST_F(FileCommandsTest, CutSavePasteGivesTheCutItemsBack)
{
    std::filesystem::create_directory(dir.Path("plans.2009"));
    const int doc = AddModifiedProject(dir.Path("plans.2009/plan.TDP"), 2);
    ws.AddSubProject(0);
    ASSERT_EQ(ws.SelectItem(0, 0) + ws.SelectItem(0, 1), 2);
    ws.CopySelection();
    ws.DeleteSelectedItems(true, true);
    ASSERT_EQ(files.SaveAll(false), 1);
    EXPECT_EQ((std::vector<int> {chooser.Asked(), ws.Doc(doc)->ModState(), ws.ItemCount(doc)}), (std::vector<int> {0, Clean, 0}));
    ASSERT_EQ(ws.PasteClipboard(1), 1);
    ASSERT_EQ(ws.ItemCount(doc), 2);
    EXPECT_EQ((std::pair {ws.ItemPtr(doc, 1)->start.day, ws.ItemPtr(doc, 1)->start.rowId}), (std::pair {2, ws.RowIdAt(1)}));
}

}  // namespace
}  // namespace td
