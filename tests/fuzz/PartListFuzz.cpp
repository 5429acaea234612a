// Feeds arbitrary text to the part-list reader of dropped pictures: it must
// stay within its 512 parts and never read past a line; a refused text
// leaves the record empty.
#include "fileformat/CPartListRecord.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CPartListRecord r;
    if (!r.ParseText(text) && (r.m_nParts != 0 || r.m_bBoundsFound || r.m_bDescriptionFound))
        std::abort(); // a refused text keeps nothing
    if (r.m_nParts < 0 || r.m_nParts > CPartListRecord::kMaxParts)
        std::abort();
    if (r.m_strDescription.size() > CPartListRecord::kMaxLineLength)
        std::abort();
    return 0;
}
