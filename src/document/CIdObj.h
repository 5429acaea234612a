#pragma once
// The base of every diagram object and of groups: an id (what files and the
// undo log refer to), the selected flag and a scratch flag for walks.
#include <cstdint>

class CIdObj {
public:
    virtual ~CIdObj() = default;

    int32_t m_nId = -1;          // -1: none
    int32_t m_bSelected = 0;     // handles are part of the bounding rectangle
    int32_t m_bVisited = 0;      // the mark word: scratch flag of document walks
    int32_t m_nSpare1 = 0;
    int32_t m_bSavedMark = 0;    // the mark word kept across a nested walk

    void SetSelectedFlag() { m_bSelected = 1; }
    void ClearSelectedFlag() { m_bSelected = 0; }

    // Adds delta to the id unless it is -1 (renumbering on paste).
    void OffsetId(int delta)
    {
        if (m_nId != -1)
            m_nId += delta;
    }
};
