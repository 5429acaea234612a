#pragma once
// The figure text renderer: draws one text piece of a figure's text box
// through the rich-text line renderer, with the figure's font, alignment and
// colour as the starting format.
class CDC;
struct FigTextPiece;

void RenderFigTextPiece(CDC& dc, const FigTextPiece& piece);
// Installs RenderFigTextPiece as the figure drawing's text renderer.
void InstallFigTextRenderer();
