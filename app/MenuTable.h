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
    std::span<const MenuEntry> entries;
};

struct Accelerator {
    const char* key;
    int command;
};

// IDR_MENU1, the main menu bar.
std::span<const MenuColumn> MainMenu();
// IDR_ACCELERATOR1.
std::span<const Accelerator> Accelerators();

}  // namespace td
