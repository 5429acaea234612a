#pragma once
// The main menu bar as a table: top-level popups, items (command id and
// text, Windows-1252 with '&' and a tab before the shortcut), submenus and
// separators.
#include <vector>

struct MenuEntry {
    int id = 0;                          // 0 with no children: a separator
    const char* text = "";
    std::vector<MenuEntry> children;     // a popup when not empty
};

const std::vector<MenuEntry>& MainMenuTable();
