#include "keyword/KeywordTable.h"

#include <array>
#include <string_view>

const std::string_view kKeywordTexts[KW_Count + 1] = {
#define KW(name) #name,
#include "keyword/KeywordList.inc"
#undef KW
    {},
};

namespace {

// The keys by the hash of their text: loading a large diagram looks up a
// key on nearly every line, and a search of the sorted names cost a
// comparison of whole texts at each of its steps.
class KeyHashTable {
public:
    KeyHashTable()
    {
        m_slots.fill(KW_Count);
        for (int i = 0; i < KW_Count; ++i) {
            size_t at = Hash(kKeywordTexts[i]) & kMask;
            while (m_slots[at] != KW_Count)
                at = (at + 1) & kMask;
            m_slots[at] = EKeyword(i);
        }
    }

    EKeyword Find(std::string_view word) const
    {
        for (size_t at = Hash(word) & kMask;; at = (at + 1) & kMask) {
            const EKeyword kw = m_slots[at];
            if (kw == KW_Count || kKeywordTexts[kw] == word)
                return kw;
        }
    }

private:
    // At most a quarter full, so probes stay short and always end at a free slot.
    static constexpr size_t kSlots = 1024;
    static constexpr size_t kMask = kSlots - 1;
    static_assert(kSlots >= 4 * KW_Count);

    // The length and three letters tell the keys apart well enough for
    // short probes, at a fraction of hashing every letter.
    static size_t Hash(std::string_view word)
    {
        const size_t n = word.size();
        if (n == 0)
            return 0;
        return n * 131 + uint8_t(word[0]) * 31 + uint8_t(word[n / 2]) * 7 + uint8_t(word[n - 1]);
    }

    std::array<EKeyword, kSlots> m_slots{};
};
} // namespace

const char* KeywordName(EKeyword kw)
{
    return kw < KW_Count ? kKeywordTexts[kw].data() : "";
}

EKeyword LookupKeyword(std::string_view word)
{
    static const KeyHashTable keys;
    return keys.Find(word);
}
