#pragma once
// COLORREF keeps red in the low byte, green in the next, blue in the third; files
// and the undo log store colours in this order.
#include "platform/WinTypes.h"

using COLORREF = DWORD;

inline constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(BYTE(r)) | (COLORREF(BYTE(g)) << 8) | (COLORREF(BYTE(b)) << 16);
}
inline constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xFF); }
inline constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xFF); }
inline constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xFF); }

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
