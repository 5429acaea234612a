#pragma once
// Wrapping a text to a width with soft breaks, and the figure size at which a
// text area of the figure's symbol reaches a wanted size.
#include "richtext/TextFormatRec.h"
#include "platform/CRect.h"

#include <string>

class CDC;
class CFigure;

// Wraps text to the rectangle's width (its height with vertical) by inserting
// and removing soft breaks, measured on the display with the text's fonts;
// caret and selection move with the breaks. False, with text and indexes as
// they were, when a break would take the text past 4095 characters.
bool FitTextToArea(std::string& text, const RECT& rect, const TextFormatRec& format, bool vertical, int& caret,
                   int& selStart, int& selEnd, bool& changed);

// The number of visible positions from index `first` that fit in width before
// a hard break or the end (soft breaks are counted and take no width; a blank
// never overflows). overflow tells whether a character did not fit.
int CountFittingPositions(const std::string& text, int first, const TextFormatRec& format, CDC* dc, int width,
                          bool& overflow);

// The figure width (height) at which text area `section` reaches the wanted
// width (height): 0 for 0, -1 when the section has no text rectangle.
int FigWidthForTextWidth(const CFigure& fig, int section, int wantedWidth, bool additive);
int FigHeightForTextHeight(const CFigure& fig, int section, int wantedHeight, bool additive);
