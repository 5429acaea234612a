#pragma once
// How a special shape tells the resize code which rows and columns may give
// up size, in which order, and which divider handle moves with each.
#include <cstdint>

constexpr int kMaxResizeEntries = 32;

struct SpecialResizeEntry {
    int32_t m_nSlack = 0;       // how much the row or column can shrink (logical units)
    int32_t m_nDivider = -1;    // the divider that moves; -1 the figure's outer side
    int32_t m_nHandlePos = 0;   // the divider handle's y (rows) or x (columns)
    int32_t m_nWeight = 1;      // 1 normal, 2 gives last, 0 only carries a handle position
};

// The two lists with their counts.
class CompartmentSet {
public:
    int32_t m_nRows = 0;
    int32_t m_nCols = 0;
    SpecialResizeEntry m_rows[kMaxResizeEntries];
    SpecialResizeEntry m_cols[kMaxResizeEntries];

    // Nothing once a list holds 32 entries.
    void AddRow(int divider, int slack, int weight);
    void AddCol(int divider, int slack, int weight);
    // Both lists; counts clamped to 0..32.
    void CopyFrom(const CompartmentSet& other);
    // Counts 0; every entry's handle position 0 and weight 1.
    void ResetEntries();
};

class SpecialResizeArgs : public CompartmentSet {
public:
    int32_t m_nMode = 1;    // 1: the shape grows for its text
    int32_t m_nAnchor = 3;  // 3: columns are listed from the left
};
