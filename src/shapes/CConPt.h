#pragma once
// One connection point of a figure or symbol: a symbol-space position, a name,
// a flag and a 1-based id by which connectors refer to it.
#include "geometry/CFltPoint.h"

#include <cstdint>
#include <string>

class CConPt {
public:
    static constexpr size_t kMaxName = 255;

    CFltPoint m_pos;
    std::string m_strName;
    int32_t m_nFlag = 0;
    int32_t m_nId = 0;

    // Position (floats and modes), id, flag and name equal.
    bool IsEqual(const CConPt& o) const
    {
        return m_pos == o.m_pos && m_nId == o.m_nId && m_nFlag == o.m_nFlag && m_strName == o.m_strName;
    }
};
