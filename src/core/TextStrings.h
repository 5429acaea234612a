#pragma once
// Small string operations on figure texts.
#include <string_view>

// True when every character is a blank or a tab (an empty text too).
bool IsBlankString(std::string_view text);

// The position of the next section break ("\sect ") of a figure text at or
// after `from`, or npos. Escaped characters ("\\", "\{", "\}") are stepped
// over, so a text backslash before the letters "sect" is no break.
size_t FindSectionBreak(std::string_view text, size_t from);
