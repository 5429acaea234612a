#pragma once
// Replaying a Windows metafile scaled into any rectangle by rewriting each
// record's coordinates, instead of through the target's mapping mode: the
// mapping records of the metafile are absorbed into a scale context and left
// out, every coordinate and length is rewritten to destination units.
#include "platform/CRect.h"

#include <vector>

// Source origin and extent (the source rectangle as the metafile's window),
// destination origin and extent, all signed 32-bit. Lengths scale as
// v * destination extent / source extent; coordinates map as
// (v - source origin) * destination extent / source extent + destination origin,
// in integer arithmetic truncating toward zero.
struct CMetaScaleContext {
    LONG srcOrgX = 0, srcOrgY = 0;
    LONG srcExtX = 1, srcExtY = 1;
    LONG dstOrgX = 0, dstOrgY = 0;
    LONG dstExtX = 1, dstExtY = 1;
    RECT srcRect;  // the source rectangle the window records snap to
};

// The context for playing `src` (metafile units) into `dst`: origin = left/top,
// extent = width/height of each rectangle.
CMetaScaleContext MakeMetaScaleContext(const RECT& dst, const RECT& src);

// Rewrites one WMF record (a copy: size, function, parameters) for the context,
// updating the context for the mapping records. Returns true when the record is
// to be played, false when it is left out: mapping, viewport and clip records,
// and records whose counts do not fit their size. Results are stored back as
// 16-bit values clamped to -32767..32767.
bool ScaleMetaRecordBytes(CMetaScaleContext& ctx, std::vector<BYTE>& record);
