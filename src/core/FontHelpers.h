#pragma once
// Fonts of the display. Face names are Windows-1252 text (std::string) as a
// LOGFONT holds them; heights are in pixels of the display.
#include "platform/LogFont.h"

#include <string>
#include <vector>

// The display's font families that a LOGFONT can name: Windows-1252 names
// shorter than LF_FACESIZE. Each name once, in the font database's order; a
// family that several makers supply is listed once by its own name.
std::vector<std::string> GetDisplayFontFamilies();

// Fills `lf` with the family's default logical font: face name as the font
// database spells it, a positive cell height for the application's default
// point size, normal weight (bold when the family has no lighter style),
// charset and pitch. False, `lf` unchanged, when the display has no such
// family (the name is compared case-blind).
bool GetFontLogFont(const std::string& face, LOGFONT& lf);

// For a positive height (a cell height, as a positive lfHeight means): replaces
// it with external leading + internal leading - height of the application's
// default font at that cell height, which is the negative character height
// (a negative lfHeight). Other heights, and heights above 32767, stay as they are.
void FontHeightToCellHeight(LONG& height);
