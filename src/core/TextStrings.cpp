#include "core/TextStrings.h"

bool IsBlankString(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}
