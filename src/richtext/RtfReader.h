#pragma once
// Reading RTF from other programs (the clipboard's "text/rtf") into the
// system's markup: character formats, font and colour tables, paragraphs and
// line breaks, alignment, "\'hh" bytes and "\u" characters. Destinations that
// hold no visible text (style sheets, pictures, document information, any
// "\*" group) are skipped, and control words the markup does not know are
// dropped. The result carries its own tables and goes through InsertMarkupAt.
#include <string>

// Longest RTF read (longer input is refused).
constexpr size_t kRtfReadLimit = 1 << 20;

// False for input that is not an RTF document ("{\rtf" at the start) or too long.
bool RtfToMarkup(const std::string& rtf, std::string& markup);
