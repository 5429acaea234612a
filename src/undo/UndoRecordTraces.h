#pragma once
// The trace lines written with an undo record: one "UNDO      name=value"
// line per field, only when the record is really written (never while its
// size is being measured).
#include "core/Trace.h"
#include "undo/UndoStream.h"

inline void TraceUndoField(const UndoStream& s, const char* name, int value)
{
    if (!s.IsCounting())
        DiagPrintf("UNDO      %s=%d\n", name, value);
}
