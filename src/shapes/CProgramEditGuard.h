#pragma once
// Keeps a copy of a symbol's program while special-shape code rewrites it in
// place. A program from a file may pass the validator with its text boxes or
// sub-programs overlapping; writing one part then overwrites another's bytes.
// Such an edit is undone as a whole instead of leaving a broken program.
#include "shapes/CFigSymbol.h"

#include <vector>

class CProgramEditGuard {
public:
    explicit CProgramEditGuard(CFigSymbol& symbol)
        : m_sym(symbol),
          m_bytes(symbol.m_program.begin(), symbol.m_program.begin() + ClampedLength(symbol)),
          m_length(symbol.m_nProgramLength), m_mini(symbol.m_nMiniOutlinePos), m_boxes(symbol.m_nTextBoxPos)
    {
    }

    // True when the program is still valid; otherwise the old bytes and
    // positions come back and the answer is false.
    bool Keep()
    {
        if (m_sym.IsProgramValid())
            return true;
        std::copy(m_bytes.begin(), m_bytes.end(), m_sym.m_program.begin());
        m_sym.m_nProgramLength = m_length;
        m_sym.m_nMiniOutlinePos = m_mini;
        m_sym.m_nTextBoxPos = m_boxes;
        return false;
    }

private:
    static int ClampedLength(const CFigSymbol& s)
    {
        return s.m_nProgramLength < 0 ? 0 : s.m_nProgramLength > CFigSymbol::kProgramSize ? CFigSymbol::kProgramSize
                                                                                        : s.m_nProgramLength;
    }

    CFigSymbol& m_sym;
    std::vector<BYTE> m_bytes;
    int32_t m_length;
    int32_t m_mini;
    int32_t m_boxes;
};
