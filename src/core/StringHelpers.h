#pragma once
// String helpers: names with a ":number" suffix, line breaking, menu texts and
// the string table. Texts are Windows-1252 bytes.
#include "platform/WinTypes.h"

#include <cstddef>
#include <string>

// True when the text has more than one character and everything after its last
// ':' is one or more decimal digits; *colon gets the position of that ':'.
bool HasColonNumberSuffix(const std::string& text, size_t* colon = nullptr);
// The number after that ':' (clamped to the int range), or 0 without a suffix.
int GetColonSuffixNumber(const std::string& text);
// The text without its ":number" suffix.
std::string StripColonSuffix(const std::string& text);
// Sets the suffix to the number (none for 0) when it differs from the present
// one. A negative number is refused: it would make a name whose suffix is no
// longer recognised.
void SetColonSuffixNumber(std::string& text, int number);

// Cuts the text into pieces of width characters joined by "-\r\n". Nothing
// happens for a width below 1.
void BreakIntoLines(std::string& text, int width);
// Cuts a menu text at its first tab and removes every '&'.
void StripMenuText(std::string& text);

// Largest string-table text LoadResString copies, without its terminator.
constexpr size_t kResStringMax = 255;
// Copies entry id into buffer (at most size - 1 characters, terminated) and
// returns the buffer; null, with an empty buffer, when the entry is missing.
const char* LoadResString(char* buffer, size_t size, UINT id);
// Loads entry id into text (empty when missing) and returns it.
const std::string& LoadCStringRes(std::string& text, UINT id);
// Entry id as a string (empty when missing).
std::string ResText(UINT id);
