#include "document/CFontList.h"

#include <new>

int CFontList::AddUnique(const LOGFONT& lf, bool reuseEqual)
{
    try {
        auto desc = std::make_unique<CFontDesc>(lf);
        if (reuseEqual)
            for (size_t i = 0; i < m_fonts.size(); ++i)
                if (m_fonts[i]->IsEqual(*desc))
                    return int(i);
        if (GetCount() >= kMaxFonts)
            return -1;
        m_fonts.push_back(std::move(desc));
        return GetCount() - 1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

const CFontDesc* CFontList::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_fonts[size_t(index)].get() : nullptr;
}
