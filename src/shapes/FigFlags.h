#pragma once
// The behaviour flag set of figures, labels and figure styles: two 32-bit
// words. Several low bits form exclusive groups (setting one member clears the
// others); new objects of each kind start from a fixed preset of bits.
#include "platform/WinTypes.h"

struct FigFlagSet {
    DWORD low = 0;
    DWORD high = 0;
    bool operator==(const FigFlagSet& o) const { return low == o.low && high == o.high; }
};

// Bits with a meaning of their own elsewhere.
constexpr DWORD kFigFlagReflowText = 0x8000;
constexpr DWORD kFigFlagNoHitTest = 0x80000;
constexpr DWORD kFigFlagPictureSymbol = 0x400000;
constexpr DWORD kFigFlagLabel = 0x800000;
constexpr DWORD kFigFlagActiveContainer = 0x20000000;

// Clearing: both words lose the bits. Setting: when high is 0 and low is
// exactly one member of an exclusive group, the other members are cleared
// first; then the bits are set. A request of several bits clears nothing.
FigFlagSet& SetExclusiveFlag(FigFlagSet& flags, DWORD low, DWORD high, bool set);
// The same without the exclusive groups.
FigFlagSet& SetFlagBits(FigFlagSet& flags, DWORD low, DWORD high, bool set);
bool FlagsIntersect(const FigFlagSet& flags, const FigFlagSet& mask);
// One horizontal and one vertical expansion bit from a text-alignment word
// (horizontal 1/2/4, vertical 0x10/0x20/0x40). The mapping is crossed because
// text aligned left expands to the right: word 2 -> 2, 4 -> 1, 1 -> 4, none -> 1;
// word 0x20 -> 16, 0x10 -> 8, otherwise 32.
FigFlagSet& SetAlignFlags(FigFlagSet& flags, WORD alignment);

// Presets, each a fixed sequence of exclusive sets and clears applied in order.
FigFlagSet& SetBaseFigFlags(FigFlagSet& flags);
FigFlagSet& ClearFigFlagBit21(FigFlagSet& flags);
FigFlagSet& SetFigFlagsPresetC(FigFlagSet& flags);
FigFlagSet& SetFigFlagsPresetE(FigFlagSet& flags);
FigFlagSet& SetSymbolFigFlags(FigFlagSet& flags);
FigFlagSet& SetPictureFigFlags(FigFlagSet& flags);
FigFlagSet& SetDocFigFlagsDefault(FigFlagSet& flags);
FigFlagSet& SetFigFlagsPresetD(FigFlagSet& flags);
FigFlagSet& ClearFigFlagsPresetF(FigFlagSet& flags);
