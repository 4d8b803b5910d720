#pragma once

#include "calendar/HolidayCalendar.h"
#include "fuzz/FakeServices.h"
#include "model/Workspace.h"
#include "persistence/FileCommands.h"
#include "persistence/HolidayFile.h"
#include "view/ChartView.h"

#include <string>
#include <vector>

namespace td::fuzz {

// What a step did that the undo property must know: changes the undo log does not record.
struct StepEvents {
    std::vector<const Document*> added;
    const Document* pastedInto = nullptr;
    bool savedAll = false;
    bool redone = false;
};

// The main window around a ChartView: it routes presses, moves, releases, the wheel, the scroll
// bars, the context menus and the commands to the view as the window does, with fake dialogs.
class EditingSession {
public:
    EditingSession(FuzzInput& input, const std::string& directory, int screenWidth, int screenHeight);

    // The window's commands; like the window, every command waits for a drag's release.
    void RunCommand(int id);
    void Press(int x, int y) { view.OnButtonDown(x, y); }
    void Move(bool held, int x, int y) { view.OnMouseMove(held, x, y); }
    void Release(int x, int y) { view.OnButtonUp(x, y); }
    void RightClick(int x, int y);
    // Ctrl zooms, Shift scrolls dates, otherwise rows; up is positive.
    void Wheel(int notches, bool control, bool shift);
    // A scroll bar's action at the thumb's `position`; ThumbPosition is the thumb's release.
    void ScrollBar(bool vertical, int code, int position);
    void Escape() { view.CancelDrag(); }
    void Resize(int width, int height) { view.Resize(width, height); }
    // True when the window closes: every modified document was saved or let go.
    bool CloseWindow();
    void OpenFile(const std::string& path);

    FuzzInput& input;
    Workspace workspace;
    HolidayFiles holidayFiles;
    HolidayCalendar holidays{holidayFiles};
    ChartView view;
    FakeBoxes boxes;
    FakeChooser chooser;
    FakeDialogs dialogs;
    FileCommands files;
    StepEvents events;

private:
    void New();
    void Open();
    void Save(bool saveAs);
    void Paste();
    void SelectTool(int tool);
    bool RunViewCommand(int id);
    bool RunRowCommand(int id);
    void NoteAdded(int countBefore);
};

}  // namespace td::fuzz
