#pragma once
// A figure's text in canonical markup, as a save writes it.
#include <string>

class CFigure;

// Normalises every section of `text` (the figure's sections, separated by
// "\sect ") against the section's own format; false, with `text` as it was,
// when a section cannot be normalised within 4095 characters.
bool NormalizeFigureText(CFigure& fig, std::string& text);
