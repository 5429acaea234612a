#include "document/OldNames.h"

#include "core/StringHelpers.h"

namespace {
struct OldNameRow {
    double version;
    const char* oldName;
    const char* newName;
};

constexpr OldNameRow kSymbolRows[] = {
    {5.06, "[swim lanes 2]", "[partition 1x2]"}, {5.06, "[swim lanes 3]", "[partition 1x3]"},
    {5.06, "[swim lanes 4]", "[partition 1x4]"}, {5.06, "[swim lanes 5]", "[partition 1x5]"},
    {5.06, "[swim lanes 6]", "[partition 1x6]"}, {5.06, "[swim lanes 7]", "[partition 1x7]"},
    {5.06, "[swim lanes 8]", "[partition 1x8]"},
};

constexpr OldNameRow kStyleRows[] = {
    {5.06, "Swim Lanes (2)", "Partition 1x2"}, {5.06, "Swim Lanes (3)", "Partition 1x3"},
    {5.06, "Swim Lanes (4)", "Partition 1x4"}, {5.06, "Swim Lanes (5)", "Partition 1x5"},
    {5.06, "Swim Lanes (6)", "Partition 1x6"}, {5.06, "Swim Lanes (7)", "Partition 1x7"},
    {5.06, "Swim Lanes (8)", "Partition 1x8"},
};

template <size_t N>
const char* FindNewName(const OldNameRow (&rows)[N], double fileVersion, const std::string& name)
{
    for (const OldNameRow& row : rows) {
        if (row.version > fileVersion && name == row.oldName)
            return row.newName;
    }
    return nullptr;
}
} // namespace

bool RenameOldSwimLaneSymbol(double fileVersion, std::string& name)
{
    const char* newName = FindNewName(kSymbolRows, fileVersion, StripColonSuffix(name));
    if (!newName)
        return false;
    const int suffix = GetColonSuffixNumber(name);
    name = newName;
    SetColonSuffixNumber(name, suffix);
    return true;
}

bool RenameOldSwimLaneStyle(double fileVersion, std::string& name)
{
    const char* newName = FindNewName(kStyleRows, fileVersion, name);
    if (!newName)
        return false;
    name = newName;
    return true;
}
