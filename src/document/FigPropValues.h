#pragma once
// What the figure property sheet hands to the document: a property record,
// the sheet-only values (place, size, style, texts, connection points) and
// which of the sheet-only values the mask's sheet flags select.
#include "shapes/CConPtList.h"
#include "shapes/CFigProps.h"

#include <string>

// Positions in CFigPropMask::m_bSheet.
enum FigSheetFlag : int {
    kSheetX = 0,
    kSheetY = 1,
    kSheetWidth = 2,
    kSheetHeight = 3,
    kSheetStyle = 4,
    kSheetText = 5,
    kSheetConPts = 6,
};

struct FigPropValues {
    CFigProps props;
    int x = 0, y = 0, width = 0, height = 0;
    int style = -1;
    std::string text, secondText;
    const CConPtList* conPts = nullptr;   // null: back to the style's points
};

// Flags of the behaviour word that lock properties against edits.
constexpr DWORD kLockTextFormat = 0x100000;
constexpr DWORD kLockPosition = 0x1000;
constexpr DWORD kLockSize = 0x2000;
// The requests (high word) to snap the width and the height to the grid,
// dropped when the sheet gives a width or height.
constexpr DWORD kWidthSnapBits = 64 | 2;
constexpr DWORD kHeightSnapBits = 128 | 1;
// The width (0x80) and height (0x100) follow the text; coming on, they ask
// for the figure to be laid out again.
constexpr DWORD kFollowTextFlags = 0x80 | 0x100;
// A behaviour bit whose change re-lays the figure out like a resize.
constexpr DWORD kResizeClassFlag = 0x1000000;
