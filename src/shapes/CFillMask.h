#pragma once
// Which parts of a fill a change touches: the first colour, the second colour
// and everything else (kind, gamma, angle, percentages, variant).
#include <cstdint>

struct CFillMask {
    int32_t m_bColor1 = 0;
    int32_t m_bColor2 = 0;
    int32_t m_bRest = 0;

    void SetAll(int32_t value) { m_bColor1 = m_bColor2 = m_bRest = value; }
    bool AnySet() const { return m_bColor1 || m_bColor2 || m_bRest; }
    int CountSet() const { return (m_bColor1 != 0) + (m_bColor2 != 0) + (m_bRest != 0); }
    void OrWith(const CFillMask& o)
    {
        m_bColor1 |= o.m_bColor1;
        m_bColor2 |= o.m_bColor2;
        m_bRest |= o.m_bRest;
    }
};
