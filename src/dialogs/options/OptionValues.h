#pragma once
// The program options the Options sheet edits, as plain copies: the pages
// edit these, never the settings; after OK the command compares them with
// the settings and stores what differs.
#include "platform/Colorref.h"
#include "platform/WinTypes.h"

#include <array>
#include <span>
#include <string>

// One item of an options check list and the setting it shows.
struct OptionCheckItem {
    enum Kind { Plain, Inverted, IsOne };
    UINT textId;
    int* setting;
    Kind kind;
};
// Whether the setting shows as checked.
bool OptionItemChecked(const OptionCheckItem& item);
// The setting's value for a check state: Plain 1/0, Inverted 0/1, IsOne 1/0.
int OptionItemValue(const OptionCheckItem& item, bool checked);

inline constexpr int kGeneralItems = 23;
inline constexpr int kViewItems = 8;
std::span<const OptionCheckItem> GeneralOptionItems();
std::span<const OptionCheckItem> ViewOptionItems();
// The view items that the frame's own bar toggles keep: standard toolbar,
// property bar and style bar, with their toggle commands.
inline constexpr int kViewStdToolBar = 1, kViewPropertyBar = 2, kViewStyleBar = 3;
int ViewItemToggleCommand(int item);   // 0 for an item without one

// The colours of the Colors page, with their controls and defaults.
struct OptionColor {
    int ctrlId;
    const char* label;
    COLORREF* setting;
    COLORREF defaultColor;
};
inline constexpr int kOptionColors = 7;
std::span<const OptionColor> OptionColors();

inline constexpr int kScaleImportLow = 10, kScaleImportHigh = 400, kScaleImportShown = 100;
inline constexpr int kZoomLow = 10, kZoomHigh = 1000;
inline constexpr int kAutoSaveLow = 2, kAutoSaveHigh = 60, kAutoSavePageDefault = 10;
inline constexpr int kBranchLabels = 4;

struct OptionValues {
    int metric = 0;
    int scaleImport = kScaleImportShown;
    std::array<bool, kGeneralItems> general{};
    int gridDots = 0;
    std::array<bool, kViewItems> view{};
    std::array<int, 6> zoom{};
    double screenHeight = 0;   // inches
    std::array<COLORREF, kOptionColors> colors{};
    int autoBackup = 0, autoSave = 0, autoSaveMinutes = kAutoSavePageDefault;
    int autoLabelDecision = 0;
    // The four labels round the decision picture, sections 1 to 4 of the
    // setting's text.
    std::array<std::string, kBranchLabels> branchLabels;

    // Copies of the settings as they stand (a stored ScaleImport outside
    // its range shows as 100, minutes outside theirs as the page's 10).
    static OptionValues FromSettings();
};

// The decision labels as sections of "\sect "-separated text, and back.
std::array<std::string, kBranchLabels> SplitBranchLabels(const std::string& text);
std::string JoinBranchLabels(const std::array<std::string, kBranchLabels>& labels);
