#pragma once
// Resizing special shapes: which rows and columns take up a size change (and
// how much each may give without squeezing its text), and the least size a
// special shape can have for its text.
#include "shapes/CFigSymbol.h"
#include "shapes/DividedShapeResizeArgs.h"

// Fills args for the symbol laid into the rectangle; minSizes (at most 32 are
// read) raise the least size of each section above 32 × 16.
void ResizeSpecialShape(const CFigSymbol& symbol, SpecialResizeArgs& args, const RECT& rect, int minCount,
                        const SIZE* minSizes);
// The least figure size for the text: the figure size less all slack, raised
// to the least corner size.
void GrowSpecialShapeForText(const CFigSymbol& symbol, SIZE& size, const RECT& rect, int minCount,
                             const SIZE* minSizes);
