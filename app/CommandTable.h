#pragma once

#include <span>

namespace td {

// A command of the menus, keys and toolbar: its id, the text its menu entry shows, the window
// shortcuts that run it ("; " between two), if any, and whether its menu entry shows them.
struct CommandEntry {
    int command;
    const char* text;
    const char* shortcut;
    bool shortcutShown = false;
};

std::span<const CommandEntry> Commands();

}  // namespace td
