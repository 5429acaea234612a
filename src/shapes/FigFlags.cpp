#include "shapes/FigFlags.h"

#include <initializer_list>

namespace {

// The mask of the exclusive group that holds exactly this one bit, 0 if none.
DWORD ExclusiveGroupOf(DWORD low)
{
    switch (low) {
    case 1: case 2: case 4:
        return 7;
    case 8: case 16: case 32:
        return 0x38;
    case 0x4000: case 0x8000: case 0x10000:
        return 0x1C000;
    case 0x20000: case 0x40000:
        return 0x60000;
    default:
        return 0;
    }
}

// One preset step: set (+) or clear (-) low and high bits.
struct FlagStep {
    bool set;
    DWORD low;
    DWORD high;
};

constexpr FlagStep Plus(DWORD low) { return {true, low, 0}; }
constexpr FlagStep Minus(DWORD low) { return {false, low, 0}; }
constexpr FlagStep PlusHigh(DWORD high) { return {true, 0, high}; }
constexpr FlagStep MinusHigh(DWORD high) { return {false, 0, high}; }

FigFlagSet& ApplySteps(FigFlagSet& flags, std::initializer_list<FlagStep> steps)
{
    for (const FlagStep& s : steps)
        SetExclusiveFlag(flags, s.low, s.high, s.set);
    return flags;
}

} // namespace

FigFlagSet& SetExclusiveFlag(FigFlagSet& flags, DWORD low, DWORD high, bool set)
{
    if (!set) {
        flags.low &= ~low;
        flags.high &= ~high;
        return flags;
    }
    if (high == 0)
        flags.low &= ~ExclusiveGroupOf(low);
    flags.low |= low;
    flags.high |= high;
    return flags;
}

FigFlagSet& SetFlagBits(FigFlagSet& flags, DWORD low, DWORD high, bool set)
{
    if (set) {
        flags.low |= low;
        flags.high |= high;
    } else {
        flags.low &= ~low;
        flags.high &= ~high;
    }
    return flags;
}

bool FlagsIntersect(const FigFlagSet& flags, const FigFlagSet& mask)
{
    return ((flags.low & mask.low) | (flags.high & mask.high)) != 0;
}

FigFlagSet& SetAlignFlags(FigFlagSet& flags, WORD alignment)
{
    DWORD horz = 1;
    if (alignment & 2)
        horz = 2;
    else if (alignment & 4)
        horz = 1;
    else if (alignment & 1)
        horz = 4;
    DWORD vert = 32;
    if (alignment & 0x20)
        vert = 16;
    else if (alignment & 0x10)
        vert = 8;
    SetExclusiveFlag(flags, horz, 0, true);
    return SetExclusiveFlag(flags, vert, 0, true);
}

FigFlagSet& SetBaseFigFlags(FigFlagSet& f)
{
    return ApplySteps(f, {Plus(0x100000), Minus(64), Minus(256), Minus(128), Minus(0x200000),
                          Plus(2), Plus(16)});
}

FigFlagSet& ClearFigFlagBit21(FigFlagSet& f)
{
    return ApplySteps(f, {Minus(0x200000)});
}

FigFlagSet& SetFigFlagsPresetC(FigFlagSet& f)
{
    return ApplySteps(f, {Plus(0x200000), Plus(64), Minus(0x400000), Minus(0x1000000),
                          Minus(0x20000000)});
}

FigFlagSet& SetFigFlagsPresetE(FigFlagSet& f)
{
    return ApplySteps(f, {MinusHigh(128), MinusHigh(64), PlusHigh(16), PlusHigh(32), Plus(4096),
                          Plus(8192), Plus(0x100000), Plus(0x200000), Minus(0x80000),
                          Minus(0x20000000)});
}

FigFlagSet& SetSymbolFigFlags(FigFlagSet& f)
{
    ClearFigFlagBit21(f);
    return ApplySteps(f, {Plus(2), Plus(16), Minus(64), Minus(256), Minus(128), PlusHigh(16),
                          PlusHigh(16), PlusHigh(128), PlusHigh(64), PlusHigh(256), PlusHigh(512),
                          Minus(8192), Minus(4096), Plus(0x4000), Plus(0x20000), Minus(0x80000),
                          Minus(0x100000), Minus(0x400000), Minus(0x800000), Minus(0x2000000),
                          Minus(0x1000000), Minus(0x8000000), Minus(0x20000000)});
}

FigFlagSet& SetPictureFigFlags(FigFlagSet& f)
{
    SetBaseFigFlags(f);
    return ApplySteps(f, {PlusHigh(16), PlusHigh(32), MinusHigh(128), MinusHigh(64), Minus(8192),
                          Minus(4096), PlusHigh(256), PlusHigh(512), Minus(0x80000),
                          Plus(0x400000), Minus(0x800000), Plus(0x2000000), Plus(0x1000000),
                          Minus(0x8000000), Minus(0x20000000)});
}

FigFlagSet& SetDocFigFlagsDefault(FigFlagSet& f)
{
    SetFigFlagsPresetC(f);
    // "-high 243" clears high bits 1, 2, 16, 32, 64 and 128 in one step.
    return ApplySteps(f, {Plus(256), Plus(128), Plus(1), Plus(32), MinusHigh(243), MinusHigh(256),
                          MinusHigh(512), Minus(8192), Minus(4096), Plus(0x4000), Plus(0x20000),
                          Minus(0x80000), Minus(0x100000), Plus(0x800000), Minus(0x2000000),
                          Minus(0x1000000), Minus(0x8000000)});
}

FigFlagSet& SetFigFlagsPresetD(FigFlagSet& f)
{
    SetFigFlagsPresetC(f);
    return ApplySteps(f, {Plus(0x80000), Plus(2), Plus(16), Plus(0x4000), Plus(0x20000),
                          PlusHigh(256), PlusHigh(512), Plus(4096), Plus(0x200000),
                          Plus(0x100000), Plus(0x200000)});
}

FigFlagSet& ClearFigFlagsPresetF(FigFlagSet& f)
{
    return ApplySteps(f, {Minus(0x80000), Minus(4096), Minus(0x100000)});
}
