#pragma once
// The tidying a user save does before the diagram is written: connection
// points numbered 1..n with the connectors following them, and figure texts
// in their canonical markup.
#include <string>

class CFigure;
class CKavoDoc;

// Every connector end attached at a connection point refers to it by its
// position in the figure's list + 1 (-1 when the figure has no such point);
// then the points of every figure and figure style get ids 1..n in order.
void NormalizeConPtIds(CKavoDoc& doc);

// Rewrites one figure's text (all its sections) in canonical form; false
// leaves it as it was. Installed by the rich-text layer.
using FigTextNormalizer = bool (*)(CFigure& fig, std::string& text);
void SetFigTextNormalizer(FigTextNormalizer normalizer);
// Every figure with text gets its canonical text (at most 4095 characters);
// nothing without a normalizer.
void NormalizeFigTexts(CKavoDoc& doc);
