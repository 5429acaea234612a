#pragma once
// Device-context helpers: character width tables, the emboldening test,
// mapping copies, dotted XOR rectangles and bitmaps drawn with one colour left out.
#include "platform/CDC.h"

// ABC widths of the characters first..last into table[0 .. last - first]; for
// fonts without ABC widths the advance is b and a = c = 0.
void FillCharWidths(CDC* dc, UINT first, UINT last, ABC* table);
// True when the selected font is heavier than normal but its face is not bold
// itself (the weight is synthesised).
bool IsSimulatedBold(CDC* dc);
void CopyDCMapping(CDC* target, const CDC* source);
// A dotted black outline in R2_XORPEN (a second call erases it).
void DrawXorDotRect(int left, int top, int right, int bottom, CDC* dc);
// Draws the bitmap at (x, y) (logical) leaving the pixels of the transparent
// colour alone; with invert set only those pixels are drawn and the others kept.
void DrawTransparentBitmap(CDC* dc, CBitmap* bitmap, int x, int y, COLORREF transparent,
                           bool invert);
