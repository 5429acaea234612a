#pragma once
// The starting format of a text: font (height as negative points, 0 = none
// given), colour (-1 = not set), alignment word, subscript and superscript,
// and whether ColorIndex words may change the colour.
#include "platform/Colorref.h"
#include "platform/LogFont.h"

#include <cstdint>
#include <string>

constexpr COLORREF kNoColor = 0xFFFFFFFFu;

struct TextFormatRec {
    LOGFONT font;
    COLORREF color = kNoColor;
    uint16_t align = 0;
    int32_t sub = 0;
    int32_t super = 0;
    int32_t colorFixed = 0;

    // Height 0, colour -1, the other fields 0.
    void Init();
    // Alignment, font and (when the prefix holds one) colour from a format
    // prefix; nothing for an empty prefix.
    void SetFromMarkup(const std::string& prefix);
    // Changes only the arguments that are not -1 (size: not 0; face: not null;
    // align: not 0 in its low 16 bits). size in points.
    void SetAttributes(int bold, int italic, int underline, int subscript, int superscript, COLORREF textColor,
                       int size, const char* face, uint32_t alignWord);
    // The format prefix of this format (limit 1024).
    bool BuildPrefix(std::string& out) const;
};

// A format with the face at a size in points (height -points), alignment and
// colour, everything else as Init leaves it.
TextFormatRec MakeTextFormat(const char* face, int points, uint16_t align, COLORREF color = kNoColor);
