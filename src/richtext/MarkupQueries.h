#pragma once
// Queries on a markup text: format at a range, alignment, colour and face of a
// format prefix, the smallest font size, long-text test and search.
#include "richtext/MarkupScanner.h"

#include <string>

// Scans from the start; commits when the scan reaches startOffset, stops at
// endOffset. The committed values are then the format at the start, the
// current values and changed flags describe the range.
bool ScanMarkupRange(const std::string& text, int startOffset, int endOffset, const TextFormatRec* format,
                     MarkupScanner& scanner);
bool ScanMarkupCharRange(const std::string& text, int first, int last, const TextFormatRec* format,
                         MarkupScanner& scanner, bool includeCodes);

bool MarkupHasFormatting(const std::string& text);
bool GetAlignFromMarkup(const std::string& text, uint16_t& align);
bool GetColorFromMarkup(const std::string& text, COLORREF& color);
bool GetFontNameFromMarkup(const std::string& text, std::string& face);
bool GetCharFormatFromMarkup(const std::string& text, LOGFONT& logfont);

// The format of a character range; mixed attributes come back as 0 (flags),
// -1 (colour), 0 (size and alignment) and "" (face).
struct RangeFormat {
    int bold = 0, italic = 0, underline = 0, sub = 0, super = 0;
    COLORREF color = kNoColor;
    uint16_t align = 0;
    int size = 0;
    std::string face;
};
bool GetRangeFormat(const std::string& text, int first, int last, const TextFormatRec* format, RangeFormat& out);
int SmallestFontSizeInUse(const std::string& text, const LOGFONT& logfont);
bool IsLongText(const std::string& text);
bool FindInMarkup(const std::string& text, const char* pattern, bool matchCase, bool wholeWord, int fromIndex,
                  int& start, int& end);
