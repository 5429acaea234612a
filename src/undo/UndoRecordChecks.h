#pragma once
// Plausibility checks for values read back from the undo log. The log holds
// only what the program wrote, but a damaged block must not hand geometry
// code coordinates whose arithmetic overflows: a record whose coordinates lie
// beyond any drawing is treated as unreadable and stops the replay.
#include "platform/CRect.h"

constexpr int kMaxUndoCoord = 1 << 24;

inline bool IsUndoCoord(int v)
{
    return v >= -kMaxUndoCoord && v <= kMaxUndoCoord;
}

inline bool IsUndoPoint(const POINT& p)
{
    return IsUndoCoord(p.x) && IsUndoCoord(p.y);
}

inline bool IsUndoRect(const RECT& rc)
{
    return IsUndoCoord(rc.left) && IsUndoCoord(rc.top) && IsUndoCoord(rc.right) && IsUndoCoord(rc.bottom);
}
