#pragma once
// Conversions between our GDI types and the record writers' types, shared by
// the EMF recorder's files.
#include "platform/Colorref.h"
#include "platform/metafile/MetaBytes.h"

#include <uemf.h>

inline U_RECTL ToRectl(const RECT& r) { return U_RECTL{r.left, r.top, r.right, r.bottom}; }
inline U_POINTL ToPointl(int x, int y) { return U_POINTL{x, y}; }
inline U_COLORREF ToColorref(COLORREF c) { return colorref3_set(GetRValue(c), GetGValue(c), GetBValue(c)); }
// The size field of a record made by the writers.
inline DWORD RecordSize(const char* record) { return LoadLE32(reinterpret_cast<const BYTE*>(record) + 4); }
