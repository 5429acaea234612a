#pragma once
// Small string operations on figure texts.
#include <string_view>

// True when every character is a blank or a tab (an empty text too).
bool IsBlankString(std::string_view text);
