#pragma once
// Records kept for trunk routing. Nothing in the program reads or writes
// them yet; they hold their start values only.
#include <cstdint>

struct CTrunkVertex {
    int32_t m_values[4];
};

struct CTrunk {
    int32_t m_nFirst = -1;
    int32_t m_nSecond = 1;
    int32_t m_nCounts[3] = {0, 0, 0};
    int32_t m_words[201];
    CTrunkVertex m_vertices[101];
};
