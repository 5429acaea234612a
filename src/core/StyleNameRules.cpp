#include "core/StyleNameRules.h"

#include "core/TextStrings.h"

UINT StyleNameCaptionId(bool label, bool copy, bool rename)
{
    UINT id = rename ? 657 : copy ? 402 : 493;
    // The label variant of each caption is the entry just below it.
    return label ? id - 1 : id;
}

UINT ConStyleNameCaptionId(bool copy, bool rename)
{
    return copy ? 403 : rename ? 658 : 659;
}

bool StyleNameShowsReminder(bool label, bool copy, bool rename, bool showReminder)
{
    return !(copy || rename || label || !showReminder);
}

bool IsValidStyleName(const std::string& name)
{
    return !IsBlankString(name) && name.find('"') == std::string::npos;
}
