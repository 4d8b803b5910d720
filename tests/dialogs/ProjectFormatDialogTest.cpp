#include "dialogs/ProjectFormatDialog.h"

#include "DialogFixture.h"
#include "view/ShiftJis.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

namespace td {
namespace {

using namespace testing;

void Commit(QWidget* edit, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

struct ProjectFormatDialogTest : ::testing::Test {
    ProjectFormatDialogTest() { ws.AddDocument(DocumentKind::Project); }
    Workspace ws;
};

TEST_F(ProjectFormatDialogTest, NewRowOpensWhiteOnBlackAndKeepsAWhiteTextColour)
{
    ProjectFormatDialog fresh(ws, nullptr);
    EXPECT_EQ(Shown(&fresh, "backColor") + "/" + Shown(&fresh, "textColor"), "WHITE/BLACK");

    ws.RowAt(0)->textColor = 0xFFFFFF;
    ProjectFormatDialog white(ws, nullptr);
    EXPECT_EQ(Control<QComboBox>(&white, "textColor")->currentIndex(), -1);
    Click(&white, "ok");
    EXPECT_EQ(ws.RowAt(0)->textColor, 0xFFFFFFu);
}

TEST_F(ProjectFormatDialogTest, NameCountsCodePage932BytesAndKeepsCharactersWhole)
{
    ProjectFormatDialog dialog(ws, nullptr);
    auto* name = Control<QLineEdit>(&dialog, "name");
    name->clear();
    const QString whole = QString::fromUtf8("Plan計画表の第三版ABC工程表です");  // 31 bytes
    Commit(name, whole);
    Commit(name, QString::fromUtf8("字"));
    QTest::keyClicks(Control<QLineEdit>(&dialog, "person"), "ABCDEFGHIJKLMNOPQ");
    Click(&dialog, "ok");
    const ProjectRow& row = *ws.RowAt(0);
    EXPECT_EQ(FromShiftJis(row.name), whole) << "a whole character that no longer fits is left out";
    EXPECT_EQ(std::string(row.person), "ABCDEFGHIJKLMNO");
}

}  // namespace
}  // namespace td
