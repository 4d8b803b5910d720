#pragma once

#include <array>
#include <functional>

class QAction;
class QToolBar;
class QToolButton;
class QWidget;

namespace td {

class ChartView;

// One entry of the button table; command 0 is a separator, whose image is never shown.
struct ToolButtonEntry {
    int image;
    int command;
    const char* tooltip;
};

inline constexpr int ToolButtonCount = 22;
extern const std::array<ToolButtonEntry, ToolButtonCount> ToolButtonTable;

// The main window's toolbar: five groups of buttons cut from one image strip, and the tool
// group of which exactly one button, the view's current tool, is held down.
class ToolBar {
public:
    explicit ToolBar(ChartView& view)
        : view(view)
    {
    }

    // The bar is a child of `parent`; each button shows and runs the action of its command.
    QToolBar* Create(QWidget* parent, const std::function<QAction*(int)>& actionOf);
    // Makes the command the view's tool and holds its button down, even when it already was.
    void SelectTool(int command);
    void Show(bool shown);
    // Fits the bar to the parent's width, within the band above the chart's header.
    void AutoSize(int width);
    QToolBar* Bar() const { return bar; }
    QToolButton* Button(int command) const;

private:
    void SetHeld(int command, bool held);

    ChartView& view;
    QToolBar* bar = nullptr;
    std::array<QToolButton*, ToolButtonCount> buttons = {};
};

}  // namespace td
