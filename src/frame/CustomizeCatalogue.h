#pragma once
// The commands the Customize sheet offers for dragging onto a toolbar, by
// category, in the order its Commands page lists them.
#include <span>
#include <string>
#include <vector>

// Category ids of the Commands page (its list holds these in parallel with
// the names).
enum CommandCategory : int {
    CAT_FILE = 1,
    CAT_EDIT,
    CAT_TEXT,
    CAT_LINES,
    CAT_FIGURES,
    CAT_HYPER,
    CAT_VIEW,
    CAT_GENERAL,
};

struct CommandCatalogueEntry {
    int category;
    unsigned command;
};

std::span<const CommandCatalogueEntry> CommandCatalogue();
const char* CommandCategoryName(int category);
// The distinct non-zero categories of the catalogue in first-appearance
// order, at most `limit` of them.
std::vector<int> CollectCommandCategories(int limit = 50);
// What a list shows for a command prompt: the part after the newline, cut
// before the first "(" and trailing blanks; empty for no prompt.
std::string CommandItemText(const char* prompt);
// The first image of the command in the toolbar strip; 0 when it has none.
int CommandImageIndex(unsigned command);
