#pragma once
// What connector and handle drawing needs to know about the pass it draws in:
// the output mode, the handle size, the anti-aliasing flag, transient XOR
// drawing, and the per-pass bookkeeping (connectors already drawn as part of
// a chain, calls counted by groups before they draw their handles).
#include "platform/Colorref.h"
#include "platform/WinTypes.h"

#include <unordered_map>
#include <unordered_set>

class CConnector;
class CGroup;

// Output modes: 0 screen with handles, 1 screen without handles, 2 printing,
// 3 and 4 metafile targets (3 cannot hold GDI paths), 5 bitmap, 6 style sample.
constexpr int kDrawModeScreen = 0;
constexpr int kDrawModeScreenNoHandles = 1;
constexpr int kDrawModePrint = 2;
constexpr int kDrawModeNoPaths = 3;
// Bit value of the flags byte that asks for anti-aliasing.
constexpr BYTE kDrawFlagAntiAlias = 4;

struct ConDrawCtx {
    int mode = kDrawModeScreen;
    int handleSize = 7;          // logical units
    BYTE flags = 0;
    // Transient feedback: raster operation R2_XORPEN, transparent background,
    // the colour XOR-ed with xorColor (the background), so a second drawing
    // takes it away.
    bool xorMode = false;
    COLORREF xorColor = 0xFFFFFF;

    // Connectors drawn in this pass (a chain is drawn once, by its first).
    std::unordered_set<const CConnector*> drawnCons;
    // How often each group was asked to draw its handles in this pass.
    std::unordered_map<const CGroup*, int> groupHandleCalls;

    bool IsDisplayMode() const { return mode == kDrawModeScreen || mode == kDrawModeScreenNoHandles; }
    bool AntiAlias() const { return (flags & kDrawFlagAntiAlias) != 0; }
    bool CanHoldPaths() const { return mode != kDrawModeNoPaths; }
    // A new pass: forgets what the last one drew and counted.
    void BeginPass()
    {
        drawnCons.clear();
        groupHandleCalls.clear();
    }
};
