#pragma once
// Fixed-size stand-ins for the Windows scalar types. Record layouts of files, the
// undo log and DIB headers are 32-bit Windows layouts, so LONG is int32_t here
// (a plain `long` is 64-bit on Linux).
#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using BOOL = int32_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using INT_PTR = intptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr int MAX_PATH = 260;

static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4 && sizeof(WORD) == 2);

inline constexpr WORD LOWORD(DWORD v) { return static_cast<WORD>(v & 0xFFFF); }
inline constexpr WORD HIWORD(DWORD v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline constexpr DWORD MAKELONG(WORD lo, WORD hi) { return DWORD(lo) | (DWORD(hi) << 16); }

// MulDiv: a*b/c with a 64-bit intermediate, rounded half away from zero;
// -1 when c is 0 or the result does not fit, as the Windows call answers.
int MulDiv(int a, int b, int c);
