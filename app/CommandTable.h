#pragma once

#include <span>

namespace td {

// A command of the menus, keys and toolbar: its id, the text its menu entry shows, the window
// shortcut that runs it, if any, and whether its menu entry shows that shortcut.
struct CommandEntry {
    int command;
    const char* text;
    const char* shortcut;
    bool shortcutShown = false;
};

std::span<const CommandEntry> Commands();

}  // namespace td
