#pragma once
// One symbol-space coordinate with its anchoring mode.
#include <cstdint>

class CFltCoord {
public:
    float m_fValue = 0.0f;
    int32_t m_nMode = 0;

    CFltCoord() = default;
    CFltCoord(float value, int32_t mode) : m_fValue(value), m_nMode(mode) {}
    bool operator==(const CFltCoord& o) const { return m_fValue == o.m_fValue && m_nMode == o.m_nMode; }
};
