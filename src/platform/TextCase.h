#pragma once
// Case-blind text comparison of Windows-1252 bytes: ASCII letters only, as the
// C library does in the "C" locale, so results never depend on the user's
// locale.
#include <string>
#include <string_view>

char ToLowerAscii(char c);
std::string ToLowerAscii(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
