#pragma once

#include <span>

namespace td {

// A command of the menus, keys and toolbar: its id, the text its menu entry shows (a tab
// separates the shortcut's text) and the window shortcut that runs it, if any.
struct CommandEntry {
    int command;
    const char* text;
    const char* shortcut;
};

std::span<const CommandEntry> Commands();

}  // namespace td
