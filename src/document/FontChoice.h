#pragma once
// The font change the property bar's text controls make
// (CKavoDoc::ApplyFontToSel): each value says "unchanged" with -1 (0 for
// the height, an empty face name).
#include <cstdint>
#include <string>

class CFigure;
struct CFigProps;

struct FontChoice {
    int bold = -1;        // 1 bold (weight 700), 0 normal (weight 0)
    int italic = -1;      // 0 or 1
    int underline = -1;   // 0 or 1
    int height = 0;       // character height in points, as the font record keeps it; stored negative
    int64_t color = -1;   // text colour (COLORREF)
    std::string face;     // its pitch, family and character set are looked up
};

// The properties with the choice applied; whether any of them changed.
bool ApplyFontChoice(const FontChoice& choice, CFigProps& props);

// Whether the figure's text takes a character format: a figure with text
// areas, or one whose symbol has no text boxes (labels among them), which
// shows its text in the whole figure. Pictures and junctions show none.
bool TakesCharFormat(const CFigure& fig);
