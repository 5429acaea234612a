#pragma once
// Writing markup: format prefixes, format codes, colour and font tables,
// typing and deleting by visible index, normalisation, formatting a range,
// extracting and inserting self-contained markup, and the RTF wrapper.
// Every operation works in place and leaves the text as it was on failure.
#include "richtext/MarkupScanner.h"

#include <string>
#include <vector>

// ---- prefixes and codes
bool BuildMarkupFontPrefix(std::string& out, uint16_t align, const LOGFONT& logfont, COLORREF color, int limit);
bool BuildAlignPrefix(std::string& text, uint16_t align, int limit);
bool RemoveAlignmentWords(std::string& text, bool horizontal, bool vertical);
// The control words from the scanner's committed values to its current ones
// (all: every attribute). Colours and faces are found in or added to the
// tables of text; format gives the defaults of a table that has to be made.
void BuildFormatCodes(std::string& out, std::string& text, const MarkupScanner& scanner, bool all,
                      const TextFormatRec* format);

// ---- typing and deleting (indexes are visible positions)
bool InsertCharAt(std::string& text, int index, char ch, int limit);
bool InsertStringAt(std::string& text, int index, const std::string& str, int limit, bool beforeCodes);
// Deletes the token at offset; the number of characters deleted (0: none).
int DeleteTokenAt(std::string& text, int offset);
bool DeleteCharRange(std::string& text, int first, int last);
bool DeleteRangeKeepFormat(std::string& text, int first, int last, const TextFormatRec* format);
// str: markup of plain characters (escaped); it takes the format of first.
bool ReplaceCharRange(std::string& text, int first, int last, const TextFormatRec* format, const std::string& str);
bool RemoveMarkupTokens(std::string& text, int startOffset, int endOffset, bool& colorRemoved, bool& fontRemoved,
                        const std::vector<int>& kinds);
bool RemoveMarkupTokensAll(std::string& text, bool& colorRemoved, bool& fontRemoved, const std::vector<int>& kinds);

// ---- tables
bool FindColorTableSpan(const std::string& text, int& offset, int& length);
bool FindFontTableSpan(const std::string& text, int& offset, int& length);
bool WriteColorTable(std::string& text, int count, const COLORREF* colors);
bool WriteFontTable(std::string& text, int count, const char (*faces)[kMarkupFaceLen]);
int FindOrAddColor(std::string& text, COLORREF color, COLORREF defaultColor);
int FindOrAddFont(std::string& text, const char* face, const char* defaultFace);
// Reads the tables at the start of text into a fresh scanner.
void ReadMarkupTables(const std::string& text, MarkupScanner& scanner);
// Rewrites the number of the Font, FontSize or ColorIndex word at offset; the
// new length of the word, -1 on failure.
int SetControlWordNumber(std::string& text, int offset, int number, int limit);

// ---- tidying
bool CompactMarkupColorTable(std::string& text, int limit, bool keepFirst);
bool CompactMarkupFontTable(std::string& text, int limit, bool keepFirst);
bool NormalizeMarkup(std::string& text, const TextFormatRec* format, int limit, bool keepLeading);

// ---- ranges
// What ApplyFormatToRange sets: -1 / kNoColor / 0 / empty leave an attribute.
struct FormatRequest {
    int bold = -1, italic = -1, underline = -1, sub = -1, super = -1;
    COLORREF color = kNoColor;
    int size = 0;          // points
    std::string face;
    uint16_t align = 0;
};
bool ApplyFormatToRange(std::string& text, int first, int last, const TextFormatRec* format,
                        const FormatRequest& request, int limit, bool keepOldCodes);
bool ExtractRangeAsMarkup(const std::string& text, std::string& out, const TextFormatRec* format, int first, int last);
bool InsertMarkupAt(std::string& text, const TextFormatRec* format, const std::string& markup, int index, int limit);
bool ScaleFontSizes(std::string& text, int numerator, int denominator, int limit);

// "{\rtf1\ansi\deff0\deftab720" + markup (+ "\par ") + "}".
std::string BuildRtfDocument(const std::string& markup, bool addPar);
