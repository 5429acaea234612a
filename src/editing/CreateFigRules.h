#pragma once
// The arithmetic of creating a figure with the mouse, kept apart from the
// view so that it tests headless: how a style is drawn (preview, drag to
// size, size from text), the flag word of the rubber figure, the handle a
// drag moves, the movement threshold and the smallest figure kept.
#include "platform/CRect.h"
#include "shapes/FigFlags.h"

#include <string>

// A side below this (logical units) is no figure; the rubber figure's text
// minimum is raised to it while it is dragged.
constexpr int kMinCreateSide = 8;

// How a style is drawn: without a default width or height it is dragged out
// from the press point; a system shape ("[" name) with a default size is
// dragged too, no smaller than its text (a width of 8 counts, a height of 8
// does not).
struct CreateStyleMode {
    bool dragToSize = false;
    bool sizeFromText = false;
};
CreateStyleMode CreateModeForStyle(const std::string& symbolName, int defaultWidth, int defaultHeight);

// The flag word of the rubber figure from the style's: x and y snapping
// requests 2 and 16 (1 and 32 when sized from its text), each set in its
// exclusive group.
FigFlagSet RubberFigFlags(FigFlagSet styleFlags, bool sizeFromText);
// Then, on the made figure: 128 and 64 cleared, 0x200000 set; without a
// first text also 256 cleared.
FigFlagSet RubberFigMadeFlags(FigFlagSet flags, bool hasText);

// Stock kinds that a press creates at once, at their default size.
bool CreatesOnPress(int stockKind);

// The handle a creation drag moves: 9 (bottom right); with the trunk switch
// on, not dragging to size, and a style with high bit 4 and not high bit
// 512, 8 for a wide style (height < width) else 6.
int CreateHandleFor(bool trunkDiagrams, bool dragToSize, FigFlagSet styleFlags, int defaultWidth,
                    int defaultHeight);

// The drag counts once the pointer is twice the double-click width away
// from the press point (client pixels). Measured from the press, not the
// last move, so that a slow drag gets there too.
bool PassedCreateThreshold(const CPoint& pressClient, const CPoint& client, int doubleClickWidth);

// Whether the released rectangle is too small to keep: a side below 8, or,
// for a figure sized from its text, a side not larger than the text's.
bool CreateTooSmall(const CRect& rc, bool sizeFromText, const CSize& textMin);

// Which status text describes the drag: the size when both sides exceed the
// double-click width (logical units), else the position.
bool DescribeCreateBySize(const CRect& rc, int doubleClickWidth);

// The first and second texts of a "Decision" style when automatic decision
// labels are on: an empty first text (or one of separators only) becomes
// the decision text ("\sect y\sect n" when that is empty) and the second
// text is emptied. False when nothing changes.
bool ApplyDecisionTexts(const std::string& styleName, std::string& text, std::string& secondText,
                        const std::string& decisionText);
