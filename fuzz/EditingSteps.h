#pragma once

#include "fuzz/EditingProperties.h"
#include "fuzz/EditingSession.h"

#include <cstdint>
#include <functional>

namespace td::fuzz {

// Turns the input into what a user does at the window: gestures of the left button (on items,
// row boundaries and fold boxes too), right clicks, the wheel, the scroll bars, resizes, Escape,
// the commands and closing the window. Every property is checked after every call on the view.
class EditingSteps {
public:
    EditingSteps(FuzzInput& input, EditingSession& session);

    // Opens the plan the input starts from; its documents are the first baselines.
    void Start(const std::function<void()>& openPlan) { Step(openPlan); }
    // One action chosen by the input; false once the window has closed.
    bool Next();
    // Escape, drop the selection and undo until the log is empty: each document must then be as
    // it was at its last open or save.
    void UndoEverything();

    static uint64_t StepCount() { return steps; }

private:
    using Action = void (EditingSteps::*)();
    static const Action Actions[];

    void Step(const std::function<void()>& call);
    void CheckAll();
    void CheckPicture();

    void Press(int x, int y);
    void Move(int x, int y);
    void Release(int x, int y);
    void DragTo(int x, int y, int dx, int dy);

    void Gesture();
    void ItemGesture();
    void BoundaryGesture();
    void FoldBoxClick();
    void LonePress() { Press(PickX(), PickY()); }
    void LoneMove() { Move(PickX(), PickY()); }
    void LoneRelease() { Release(PickX(), PickY()); }
    void Hover();
    void Command();
    void Tool();
    void RightClick();
    void Wheel();
    void ScrollBar();
    void Resize();
    void Escape();
    void UndoAll();
    void UndoRedo();
    void CloseWindow();

    bool ItemPosition(int& x, int& y);
    int PickX();
    int PickY();
    int ColumnWidth() const;

    FuzzInput& input;
    EditingSession& session;
    CreationCheck creation;
    UndoBaselines baselines;
    int lastX = 0;
    int lastY = 0;
    bool closed = false;

    static inline uint64_t steps = 0;
};

}  // namespace td::fuzz
