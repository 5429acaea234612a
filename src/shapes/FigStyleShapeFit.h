#pragma once
// Fitting a style's special shape to the style's own size.
class CFigStyle;
class SymbolLibrary;

// The compartments of the style's special shape laid out for the rectangle
// (0, 0, Width, Height): every text box of its symbol is fitted to its
// compartment inset by the margins. Nothing happens for a style that shows
// a picture, or whose symbol is missing or not a special shape. Whether the
// symbol was fitted.
bool FitSpecialShape(const CFigStyle& style, SymbolLibrary& symbols, int left, int right, int top, int bottom);
