#pragma once

#include <span>

namespace td {

// One menu entry; command 0 is a separator. A tab in the text separates the shortcut's text.
struct MenuEntry {
    int command;
    const char* text;
};

struct MenuColumn {
    const char* title;
    // Command ids, 0 for a separator; their texts are the commands' own.
    std::span<const int> commands;
};

// IDR_MENU1, the main menu bar.
std::span<const MenuColumn> MainMenu();
// IDR_MENU_PROJECT and IDR_MENU_TASK, the right button's pop-ups, with texts of their own.
std::span<const MenuEntry> ProjectMenu();
std::span<const MenuEntry> TaskMenu();

}  // namespace td
