#include "keyword/KeywordTable.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {
constexpr const char* g_names[] = {
#define KW(name) #name,
#include "keyword/KeywordList.inc"
#undef KW
};
static_assert(std::size(g_names) == KW_Count);

// The keys in text order, for a binary search by word.
struct SortedKeys {
    std::array<EKeyword, KW_Count> order{};
    SortedKeys()
    {
        for (int i = 0; i < KW_Count; ++i)
            order[size_t(i)] = EKeyword(i);
        std::sort(order.begin(), order.end(), [](EKeyword a, EKeyword b) {
            return std::string_view(g_names[a]) < std::string_view(g_names[b]);
        });
    }
};
} // namespace

const char* KeywordName(EKeyword kw)
{
    return kw < KW_Count ? g_names[kw] : "";
}

EKeyword LookupKeyword(std::string_view word)
{
    static const SortedKeys keys;
    auto it = std::lower_bound(keys.order.begin(), keys.order.end(), word,
                               [](EKeyword k, std::string_view w) { return std::string_view(g_names[k]) < w; });
    if (it != keys.order.end() && word == g_names[*it])
        return *it;
    return KW_Count;
}
