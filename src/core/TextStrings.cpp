#include "core/TextStrings.h"

bool IsBlankString(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

size_t FindSectionBreak(std::string_view text, size_t from)
{
    static constexpr std::string_view kBreak = "\\sect ";
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] != '\\')
            continue;
        if (i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '{' || text[i + 1] == '}')) {
            ++i;  // an escaped character
            continue;
        }
        if (text.substr(i, kBreak.size()) == kBreak)
            return i;
    }
    return std::string_view::npos;
}
