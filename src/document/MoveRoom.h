#pragma once
// The room a selection has to move, after a connector was selected with its
// ends: when the room is limited on one axis only (an end slides along a
// side of its figure), the selection may not move on the other axis at all.
#include "document/CMoveSet.h"

inline void KeepMoveRoomOnOneAxis(CMoveSet& m)
{
    constexpr int U = CMoveSet::kUnlimited;
    if (m.m_nUp == U && m.m_nDown == U && m.m_nLeft != U && m.m_nRight != U)
        m.m_nUp = m.m_nDown = 0;
    if (m.m_nUp != U && m.m_nDown != U && m.m_nLeft == U && m.m_nRight == U)
        m.m_nLeft = m.m_nRight = 0;
}
