#pragma once
// Text widths from a table of ABC widths indexed by character code (256
// entries, one per Windows-1252 byte).
#include "platform/AbcWidths.h"

#include <functional>
#include <string>
#include <string_view>

constexpr int kAbcTableSize = 256;

// Sums a + b + c of the first count characters of text (length characters;
// length 0 takes the text's own length; count is the length unless partial).
// A whole measure adds back a negative a of the first and a negative c of the
// last character, so that the width covers the ink. A partial measure drops the
// c of the last character when it reaches the end, and takes the a of the first
// when it measures nothing. Returns the left overhang (-a of the first
// character when that is negative in a whole measure, else 0). Counts past the
// text are cut to it.
int MeasureTextWidth(const ABC* table, int& width, const char* text, int length, int count,
                     bool partial);
// Width of a whole string, 0 without a table, text or length.
int GetTextWidthFromTable(const ABC* table, const char* text, int length);

// Shortens text word by word from its end until it plus "..." fits in width
// (as measured), and appends "..."; unchanged when it fits, empty when even
// "..." does not fit. Returns whether the text was shortened.
using TextWidthFn = std::function<int(std::string_view)>;
bool FitTextToWidth(std::string& text, int width, const TextWidthFn& measure);
// Fits text into a first width; what did not fit, left-trimmed, goes into the
// second, itself fitted.
void SplitTextOverTwoWidths(const std::string& text, std::string& first, std::string& second,
                            int width, const TextWidthFn& measure);
