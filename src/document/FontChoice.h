#pragma once
// The font change the style bar's font controls make on the selection
// (CKavoDoc::ApplyFontToSel): each value says "unchanged" with -1 (0 for
// the height, an empty face name).
#include <cstdint>
#include <string>

struct FontChoice {
    int bold = -1;        // 1 bold (weight 700), 0 normal (weight 0)
    int italic = -1;      // 0 or 1
    int underline = -1;   // 0 or 1
    int height = 0;       // character height in logical units; stored negative
    int64_t color = -1;   // text colour (COLORREF)
    std::string face;     // its pitch, family and character set are looked up
};
