#include "fuzz/EditingSession.h"

#include "app/CommandId.h"
#include "fuzz/StepTrace.h"

#include <array>
#include <cstdlib>
#include <span>

namespace td::fuzz {

namespace {

constexpr std::array TaskMenu = {CmdCut, CmdCopy, CmdPaste, CmdDelete, CmdItemFormat};
constexpr std::array ProjectMenu = {CmdCloseProject, CmdAddSubProject, CmdDeleteSubProject,
                                    CmdProjectFormat};

bool IsSubProjectCommand(int id)
{
    return id == CmdAddSubProject || id == CmdDeleteSubProject;
}

}  // namespace

EditingSession::EditingSession(FuzzInput& input, const std::string& directory, int screenWidth,
                               int screenHeight)
    : input(input)
    , view(workspace, holidays, screenWidth, screenHeight)
    , boxes(input)
    , chooser(input, directory)
    , dialogs(workspace, input)
    , files(workspace, chooser, boxes)
{
    view.SetDialogs(&dialogs);
}

void EditingSession::RunCommand(int id)
{
    if (view.Dragging())
        return;
    if (IsToolCommand(id)) {
        SelectTool(id);
        return;
    }
    if (RunViewCommand(id) || RunRowCommand(id))
        return;
    switch (id) {
    case CmdNew:
        New();
        return;
    case CmdOpen:
        Open();
        return;
    case CmdSave:
    case CmdSaveAs:
        Save(id == CmdSaveAs);
        return;
    case CmdHelp:
    case CmdVersion:
    case CmdPrintPreview:
        view.DropSelection();
        return;
    default:
        return;
    }
}

// False when `id` is not one of these commands.
bool EditingSession::RunViewCommand(int id)
{
    switch (id) {
    case CmdUndo: view.Undo(); return true;
    case CmdRedo: events.redone = view.Redo() != 0; return true;
    case CmdDelete: view.Delete(); return true;
    case CmdCopy: view.Copy(); return true;
    case CmdCut: view.Cut(); return true;
    case CmdPaste: Paste(); return true;
    case CmdItemFormat: view.ItemFormat(); return true;
    case CmdProjectFormat: view.ProjectFormat(); return true;
    case CmdHolidays: view.HolidaySettings(); return true;
    case CmdAddSubProject: view.AddSubProject(); return true;
    case CmdDeleteSubProject: view.DeleteSubProject(); return true;
    case CmdCloseProject: view.CloseProject(files); return true;
    case CmdZoomWider: view.ChangeZoom(1); return true;
    case CmdZoomNarrower: view.ChangeZoom(-1); return true;
    default: return false;
    }
}

bool EditingSession::RunRowCommand(int id)
{
    if (id < CmdRowUp || id > CmdRowIndent)
        return false;
    view.MoveRow(id);
    return true;
}

// The menu is shown only outside a drag; an entry may be chosen, or the menu dismissed.
void EditingSession::RightClick(int x, int y)
{
    if (view.Dragging())
        return;
    const ContextMenu menu = view.OnContextMenu(x, y);
    if (menu == ContextMenu::None)
        return;
    const std::span<const CommandId> entries = menu == ContextMenu::Task ? std::span<const CommandId>(TaskMenu)
                                                                         : std::span<const CommandId>(ProjectMenu);
    const int chosen = input.Below(static_cast<int>(entries.size()) + 1) - 1;
    if (chosen < 0 || (menu == ContextMenu::ScheduleProject && IsSubProjectCommand(entries[chosen])))
        return;
    RunCommand(entries[chosen]);
}

void EditingSession::Wheel(int notches, bool control, bool shift)
{
    const int step = notches > 0 ? 1 : -1;
    for (int n = 0; n < std::abs(notches); ++n) {
        if (control)
            view.ChangeZoom(step);
        else if (shift)
            view.OnHScroll(notches > 0 ? LineUp : LineDown, 0);
        else
            view.OnVScroll(notches > 0 ? LineUp : LineDown, 0);
    }
}

void EditingSession::ScrollBar(bool vertical, int code, int position)
{
    if (vertical) {
        view.OnVScroll(code, position);
        return;
    }
    view.OnHScroll(code, position);
    if (code == ThumbPosition)
        view.OnHScroll(EndScroll, position);
}

bool EditingSession::CloseWindow()
{
    view.CancelDrag();
    view.DropSelection();
    return files.ConfirmSave(-1) == 1;
}

void EditingSession::OpenFile(const std::string& path)
{
    const int before = workspace.DocumentCount();
    view.DocumentAdded(files.OpenDocumentFile(path));
    NoteAdded(before);
}

void EditingSession::New()
{
    static constexpr std::array Answers = {0, DocumentKind::Project, DocumentKind::Schedule};
    const int kind = input.Pick(Answers);
    const int before = workspace.DocumentCount();
    if (kind == 0 || !workspace.AddDocument(kind))
        return;
    view.DocumentAdded(kind);
    NoteAdded(before);
}

void EditingSession::Open()
{
    const int before = workspace.DocumentCount();
    view.DocumentAdded(files.OpenDocument());
    NoteAdded(before);
}

// Opening a plan already open adds nothing.
void EditingSession::NoteAdded(int countBefore)
{
    if (workspace.DocumentCount() > countBefore)
        events.added.push_back(workspace.Doc(workspace.DocumentCount() - 1));
}

void EditingSession::Save(bool saveAs)
{
    view.DropSelection();
    const int shownBefore = boxes.shown;
    events.savedAll = files.SaveAll(saveAs) == 1;
    Trace("  saved all: %d, %d messages", events.savedAll, boxes.shown - shownBefore);
}

void EditingSession::Paste()
{
    int doc = -1;
    workspace.VisibleRowDocument(view.Layout().FirstRow() + view.SelectedViewRow(), doc);
    const Document* target = workspace.Doc(doc);
    if (view.Paste())
        events.pastedInto = target;
}

void EditingSession::SelectTool(int tool)
{
    view.DropSelection();
    view.SelectTool(tool);
}

}  // namespace td::fuzz
