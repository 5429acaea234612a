#include "platform/GdiTypes.h"

DWORD ApplyRop2(int rop2, DWORD pen, DWORD dest)
{
    // The 16 modes are the truth tables of (pen bit, destination bit):
    // bit ((p << 1) | d) of (mode - 1) is the result.
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        rop2 = R2_COPYPEN;
    const unsigned table = unsigned(rop2 - 1);
    DWORD out = 0;
    for (unsigned i = 0; i < 4; ++i) {
        if (!(table & (1u << i)))
            continue;
        const DWORD p = (i & 2) ? pen : ~pen;
        const DWORD d = (i & 1) ? dest : ~dest;
        out |= p & d;
    }
    return out & 0x00FFFFFF;
}

DWORD ApplyRop3(DWORD rop, DWORD src, DWORD pat, DWORD dest)
{
    // The operation index is the truth table of (pattern, source, destination):
    // bit ((p << 2) | (s << 1) | d) is the result.
    const unsigned table = (rop >> 16) & 0xFF;
    DWORD out = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(table & (1u << i)))
            continue;
        const DWORD p = (i & 4) ? pat : ~pat;
        const DWORD s = (i & 2) ? src : ~src;
        const DWORD d = (i & 1) ? dest : ~dest;
        out |= p & s & d;
    }
    return out;
}
