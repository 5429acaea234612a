// Drives the outline-program validator and every walker with arbitrary
// programs. Input: a 10-byte header, then the program bytes.
//   byte 0      bit 0: end symbol (else figure symbol); bits 1-7 pick a rectangle and angle
//   bytes 1..8  fill, outline, mini-outline and text-box positions (int16, -1 absent)
//   byte 9      text-box count
// A program is either refused as a whole or every walker runs over it in bounds.
#include "shapes/CFigSymbol.h"
#include "shapes/CShapeDef.h"
#include "shapes/OutlineDrawGeometry.h"
#include "shapes/OutlineHitTest.h"

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

void WalkPrepared(BYTE* work, int length, BYTE* sub, BYTE endByte)
{
    if (!sub)
        return;
    const BYTE* end = work + length;
    const BYTE* cur = sub;
    while (cur < end && *cur != endByte) {
        const BYTE op = *cur++;
        const BYTE* before = cur;
        CPoint nearest;
        OutlineOpHitTest({50, 50}, op, cur, end, 3);
        const BYTE* again = before;
        OutlineOpDistance({10, 90}, op, again, end, nearest);
        const BYTE* gdi = before;
        const BYTE* gdiPlus = before;
        GdiOutlineOp g;
        GdiPlusOutlineOp gp;
        GetGdiOutlineOp(op, gdi, end, op & 1, false, g);
        GetGdiPlusOutlineOp(op, gdiPlus, end, op & 2, 0, false, gp);
        if (again != cur || gdi != cur || gdiPlus != cur)
            std::abort();   // every walker steps over the same payload
        if (cur <= before - 1)
            std::abort();   // the cursor always moves on
    }
}

void RunFigureSymbol(const uint8_t* h, const BYTE* prog, int length)
{
    auto sym = std::make_unique<CFigSymbol>();
    if (!sym->SetProgram(prog, length, Pos16(h + 1), Pos16(h + 3), Pos16(h + 5), Pos16(h + 7), h[9]))
        return;
    const CFltPoint hz[4] = {{0, 0}, {2048, 0}, {2048, 2048}, {0, 0}};
    sym->m_hotZone.Set(4, hz);
    sym->Reshape = (h[0] & 0x80) ? 163 + (h[0] >> 1) % 9 : 0;
    const CRect rects[] = {CRect(0, 0, 101, 101), CRect(-50, 10, 250, 30), CRect(5, 5, 5, 5)};
    const double angles[] = {0.0, 1.570795, 3.14159, 0.7};
    BYTE *fill, *outline, *mini, *boxes;
    BYTE* work = sym->PrepareOutline(rects[(h[0] >> 1) % 3], fill, outline, mini, boxes, h[0] & 2,
                                     angles[(h[0] >> 3) % 4]);
    if (!work)
        std::abort();   // a stored program is always valid
    WalkPrepared(work, length, fill, kOpEndFill);
    WalkPrepared(work, length, outline, kOpEndOutline);
    WalkPrepared(work, length, mini, kOpEndOutline);
    sym->OutlineIsPolygonal();
    sym->OutlineSameAsFill();
    sym->HotZoneIsOutline(0);
    CRect out;
    for (int n = -1; n <= 33; ++n)
        sym->GetTextBoxRect(n, rects[0], out, 1);
    CFigSymbol copy(*sym);
    if (!copy.IsSameShape(*sym))
        std::abort();
    sym->DropMiniOutline();
    if (!sym->IsProgramValid())
        std::abort();
}

void RunShapeDef(const uint8_t* h, const BYTE* prog, int length)
{
    auto shape = std::make_unique<CShapeDef>();
    if (!shape->SetProgram(prog, length, Pos16(h + 1), Pos16(h + 3)))
        return;
    shape->Rotatable = h[0] & 2;
    if (!shape->OrientToLine(CRect(0, 0, 64, 32), {0, 0}, {h[9] - 128, 7}, CFltPoint(1024, 1024)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 10)
        return 0;
    const uint8_t* h = data;
    const int length = static_cast<int>(size - 10 > 20000 ? 20000 : size - 10);
    std::vector<BYTE> prog(data + 10, data + 10 + length);
    prog.shrink_to_fit();   // the sanitizer sees every read past the program
    // The bounded walker never leaves the bytes it is given, validated or not.
    for (BYTE end : {kOpEndFill, kOpEndOutline})
        WalkSubProgram(prog.data(), length, Pos16(h + 3), end, [](BYTE, BYTE*) {});
    if (h[0] & 1)
        RunShapeDef(h, prog.data(), length);
    else
        RunFigureSymbol(h, prog.data(), length);
    return 0;
}
