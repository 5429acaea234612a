// Drives the special-shape geometry with symbols from arbitrary bytes: divider
// handles, limits with over-long minimum-size tables, the section and text-box
// rules, and the outline rewriting, which must leave a valid program.
// Input: a 17-byte header, then the program bytes.
//   byte 0       kind (mod 175)
//   bytes 1..8   fill, outline, mini-outline and text-box positions (int16, -1 absent)
//   byte 9       text-box count
//   byte 10      second text-box table count (at most 32, as the loader keeps it)
//   byte 11      hot-zone points (0: none)
//   bytes 12, 13 figure width and height (0 gives an empty rectangle)
//   bytes 14, 15 the drag offset (signed)
//   byte 16      minimum-size entries handed to the limits
#include "geometry/IntGeometry.h"
#include "shapes/CFigSymbol.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeResize.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

int16_t Pos16(const uint8_t* p)
{
    int16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

void Exercise(const CFigSymbol& base, const uint8_t* h)
{
    const CRect rect(-40, 7, -40 + h[12] * 3, 7 + h[13] * 3);
    const int dx = static_cast<int8_t>(h[14]) * 4, dy = static_cast<int8_t>(h[15]) * 4;
    std::vector<SIZE> mins(h[16], SIZE{h[16], static_cast<LONG>(h[12])});
    for (int n = -1; n <= 9; ++n) {
        CPoint at;
        if (base.GetDividerHandle(n, at, rect)) {
            CPoint p(SaturateInt(int64_t{at.x} + dx), SaturateInt(int64_t{at.y} + dy));
            base.LimitDividerPoint(n, rect, p, static_cast<int>(mins.size()), mins.data(), h[16] % 5 - 1);
            auto copy = std::make_unique<CFigSymbol>(base);
            copy->MoveSpecialHandle(n, rect, p, h[0] & 1);
            if (!copy->IsProgramValid())
                std::abort();   // a rewrite never breaks a program
        }
        POINT shift{dx, dy};
        int rescaled;
        base.GetDividerForSection(n, shift, rect, rescaled);
        base.CanGrowTextBox(n, rect, n & 1);
        int l = 1, r = 1, t = 1, b = 1;
        base.MaskTextMargins(n, l, r, t, b);
        base.GetSectionResizeRule(n);
        base.GetDividerDirection(n);
    }
    base.UsesSpecialLayout();
    base.HasCompartmentText();
    for (int mode = 0; mode <= 1; ++mode) {
        SpecialResizeArgs args;
        args.m_nMode = mode;
        args.m_nAnchor = 3 - (h[0] & 2);
        ResizeSpecialShape(base, args, rect, static_cast<int>(mins.size()), mins.data());
        if (args.m_nRows > kMaxResizeEntries || args.m_nCols > kMaxResizeEntries)
            std::abort();
    }
    SIZE least;
    GrowSpecialShapeForText(base, least, rect, static_cast<int>(mins.size()), mins.data());
    CRect sub;
    base.GetSubSymbolRect(rect, SIZE{h[14], h[15]}, h[16] % 20, sub, h[12] % 9, h[13] % 9);
    auto copy = std::make_unique<CFigSymbol>(base);
    for (int box = -1; box <= 3; ++box)
        copy->ResizeTextBoxRegion(box, SIZE{h[12], h[13]}, SIZE{h[12] + dx, h[13] + dy});
    copy->SyncSpecialOutlines();
    for (int box = -1; box <= 3; ++box) {
        int l, r, t, b;
        copy->GetTextBoxMargins(box, rect, l, r, t, b);
        copy->FitTextBoxToMargins(box, rect, h[14] % 40, h[15] % 40, 3, 4);
    }
    if (!copy->IsProgramValid())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 17)
        return 0;
    SetAltKeyQuery([] { return false; });
    const uint8_t* h = data;
    const int length = static_cast<int>(size - 17 > 20000 ? 20000 : size - 17);
    std::vector<BYTE> prog(data + 17, data + 17 + length);
    auto sym = std::make_unique<CFigSymbol>();
    if (!sym->SetProgram(prog.data(), length, Pos16(h + 1), Pos16(h + 3), Pos16(h + 5), Pos16(h + 7), h[9]))
        return 0;
    sym->Reshape = h[0] % 175;
    sym->m_nFrames = h[10] > CFigSymbol::kMaxFrames ? CFigSymbol::kMaxFrames : h[10];
    if (h[11]) {
        std::vector<CFltPoint> hz;
        for (int i = 0; i < h[11]; ++i)
            hz.emplace_back(static_cast<float>(i * 8 % 2049), static_cast<float>(i * 16 % 2049));
        sym->m_hotZone.Set(static_cast<int>(hz.size()), hz.data());
    }
    Exercise(*sym, h);
    return 0;
}
