#pragma once
// The figure text renderer: draws one text box's piece of a figure's text
// with the rich-text layout, in the piece's font, colour and alignment word,
// with the box's own format markup applied, clipped to the box. Installed as
// the figure shape drawing's text hook at start-up (SetFigTextRenderer).
#include "render/FigShapeDraw.h"

void RenderFigTextPiece(CDC& dc, const FigTextPiece& piece);
