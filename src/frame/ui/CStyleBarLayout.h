#pragma once
// The arithmetic of the style bar: how many lines of buttons each of its
// three rows gets in the bar's height, and how a row's scroll offset moves.
// Kept apart from the widgets so that it tests without a window.
#include <array>

// Row order on the bar, top to bottom.
enum StyleBarRowKind : int { kLabelRow = 0, kFigureRow = 1, kConnectorRow = 2 };
constexpr int kStyleBarRows = 3;

// Heights of a row's fixed controls and of the strip kept free at the bar's
// bottom for its picture, in pixels.
constexpr int kStyleBarPickerHeight = 23;
constexpr int kStyleBarComboHeight = 23;
constexpr int kStyleBarBottomStrip = 36;

struct StyleRowFit {
    // In: what the row holds.
    bool hasPicker = false;
    bool hasCombo = false;
    int count = 0;        // layout entries
    int columns = 0;
    int btnHeight = 0;
    int capacity = 0;     // buttons the row can make
    // Out.
    int gridLines = 0;
    int visible = 0;      // buttons made, empty slots included
    bool scroll = false;
    int maxOffset = 0;    // largest scroll offset, in entries
};

// Lines of a row: its entries in whole lines of its columns, no more lines
// than its button array fills. A row without columns or button height has
// none (nothing to divide by, nothing to draw).
int StyleRowLines(int count, int columns, int btnHeight, int capacity);

// Lays out the three rows in a bar window of the given height: every row
// all its lines when they fit, else the shares described in the bar's code.
void LayoutStyleBarRows(std::array<StyleRowFit, kStyleBarRows>& rows, int windowHeight);

// Hidden entries rounded up to whole lines, in entries; 0 without columns.
int StyleRowMaxOffset(int count, int visible, int columns);

// Scroll-bar codes as the rows take them.
enum StyleScrollCode : int {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
};

// The offset after a scroll code, clamped to 0..maxOffset; thumb positions
// count in lines. The offset stays a multiple of the columns.
int StyleRowScroll(int code, int thumbPos, int offset, int columns, int gridLines, int maxOffset);

// The offset that brings layout entry `entry` into view: the start of its
// line, moved back so that the entry shows in the last visible line when it
// lies at or after the current offset.
int StyleRowOffsetToShow(int entry, int offset, int columns, int gridLines, int maxOffset);
