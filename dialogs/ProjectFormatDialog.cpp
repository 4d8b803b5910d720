#include "dialogs/ProjectFormatDialog.h"

#include "dialogs/TextLimit.h"
#include "model/AttributeValues.h"
#include "model/Workspace.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace td {

namespace {

constexpr int ControlWidth = 200;
constexpr int ListHeight = 24;
constexpr int EditHeight = 22;
constexpr int CommentHeight = 88;

// Each text limit leaves room for the field's terminator.
constexpr int NameLimit = sizeof ProjectRow::name - 1;
constexpr int PersonLimit = sizeof ProjectRow::person - 1;
constexpr int CommentLimit = sizeof ProjectRow::comment - 1;

}  // namespace

ProjectFormatDialog::ProjectFormatDialog(Workspace& workspace, QWidget* parent)
    : FormDialog("プロジェクトの書式設定", parent), workspace(workspace)
{
    ProjectRow row;
    workspace.GetSelectedRow(row);
    shown = ReadRowChoice(row);
    backColor = AttributeList(ColorPalette(), BackColorListCount, "backColor");
    backColor->setCurrentIndex(shown.backColor);
    PlaceRow(0, "背景の色", backColor, ControlWidth, ListHeight);
    textColor = AttributeList(ColorPalette(), ColorListCount, "textColor");
    textColor->setCurrentIndex(shown.textColor);
    PlaceRow(1, "テキストの色", textColor, ControlWidth, ListHeight);
    name = TextEdit(shown.name, NameLimit, "name");
    PlaceRow(2, "プロジェクト名", name, ControlWidth, EditHeight);
    person = TextEdit(shown.person, PersonLimit, "person");
    PlaceRow(3, "担当者", person, ControlWidth, EditHeight);
    comment = new QPlainTextEdit(this);
    comment->setObjectName("comment");
    comment->setTabChangesFocus(true);
    ShowLimitedText(comment, shown.comment, CommentLimit);
    PlaceRow(4, "コメント", comment, ControlWidth, CommentHeight);
    FinishRows();
}

QLineEdit* ProjectFormatDialog::TextEdit(const std::string& bytes, int maxBytes, const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    ShowLimitedText(edit, bytes, maxBytes);
    return edit;
}

void ProjectFormatDialog::Write()
{
    ProjectRow row;
    if (!workspace.GetSelectedRow(row))
        return;
    RowChoice choice = shown;
    choice.backColor = backColor->currentIndex();
    choice.textColor = textColor->currentIndex();
    TakeEditedText(name, choice.name);
    TakeEditedText(person, choice.person);
    TakeEditedText(comment, choice.comment);
    ApplyRowChoice(choice, row);
    workspace.ReplaceSelectedRow(row);
}

}  // namespace td
