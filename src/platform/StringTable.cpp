#include "platform/StringTable.h"

#include <algorithm>
#include <vector>

namespace {
struct Entry {
    UINT id;
    const char* text;
};

const std::vector<Entry>& Table()
{
    static const std::vector<Entry> table = [] {
        std::vector<Entry> t = {
#define STRING_ENTRY(id, text) {UINT(id), text},
#include "StringTableData.inc"
#undef STRING_ENTRY
        };
        std::sort(t.begin(), t.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
        return t;
    }();
    return table;
}
} // namespace

const char* FindResString(UINT id)
{
    const auto& t = Table();
    auto it = std::lower_bound(t.begin(), t.end(), id,
                               [](const Entry& e, UINT v) { return e.id < v; });
    return (it != t.end() && it->id == id) ? it->text : nullptr;
}
