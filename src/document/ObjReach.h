#pragma once
// How far an object's drawing can reach: what drawing an area tests each
// object against, and what the document's spatial index keeps.
#include "platform/CRect.h"

class CDiagObj;

// The logical rectangle an object's drawing can reach (shadow, handles and
// marks included) with handles of the given size.
CRect DrawReachOf(const CDiagObj& obj, int handleSize);
// How far past DrawReachOf(obj, 0) the reach with handles of `handleSize`
// (and the selection state changed either way) can lie.
inline int DrawReachGrowth(int handleSize)
{
    return 3 * handleSize + 2;
}
