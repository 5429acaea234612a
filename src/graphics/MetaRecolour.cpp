#include "graphics/MetaRecolour.h"

#include "graphics/BitmapHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {
constexpr int kNearTolerance = 25;

int BlendChannel(int a, int b, double f)
{
    const double v = (1.0 - f) * a + f * b;
    return std::clamp(int(v), 0, 255);
}

double Darkness(COLORREF c)
{
    const int average = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
    return 1.0 - average / 256.0;
}
}  // namespace

bool IsRealColor(COLORREF colour)
{
    colour &= 0xFFFFFF;
    return colour != 0xFFFFFF && colour != 0 && colour != 0x040404 && colour != 0xFCFCFC &&
           colour != NO_COLOR;
}

COLORREF CosineBlend(COLORREF a, COLORREF b, double x, double lo, double hi)
{
    if (hi == lo)
        return b;
    const double f = (1.0 - std::cos(std::numbers::pi * (x - lo) / (hi - lo))) / 2.0;
    return RGB(BlendChannel(GetRValue(a), GetRValue(b), f), BlendChannel(GetGValue(a), GetGValue(b), f),
               BlendChannel(GetBValue(a), GetBValue(b), f));
}

COLORREF TintMono(COLORREF tint, double x) { return CosineBlend(RGB(255, 255, 255), tint, x, 0, 1); }

COLORREF TintColored(COLORREF tint, double x)
{
    if (x <= 0.5)
        return CosineBlend(tint, RGB(255, 255, 255), x, 0.5, 1);
    return CosineBlend(RGB(0, 0, 0), tint, x, 0, 0.5);
}

void NoteMetaColor(CMetaRecolourContext& ctx, COLORREF colour)
{
    if (ctx.reference != NO_COLOR && ctx.reference == colour)
        return;
    if (ColorsNear(colour, RGB(0, 0, 0), kNearTolerance) ||
        ColorsNear(colour, RGB(255, 255, 255), kNearTolerance))
        return;
    ctx.hasColours = TRUE;
}

void TintMetaColor(COLORREF& colour, COLORREF tint, BOOL hasColours, COLORREF reference)
{
    if (reference != NO_COLOR && reference == colour)
        return;
    const double x = Darkness(colour);
    colour = hasColours ? TintColored(tint, x) : TintMono(tint, x);
}

size_t EnhRecordColourOffset(const BYTE* record, size_t size)
{
    if (size < 8)
        return 0;
    size_t offset = 0;
    switch (LoadLE32(record)) {
    case EMR_SETPIXELV: offset = 16; break;
    case EMR_SETTEXTCOLOR: offset = 8; break;
    case EMR_SETBKCOLOR: offset = 8; break;
    case EMR_CREATEPEN: offset = 24; break;
    case EMR_CREATEBRUSHINDIRECT: offset = 16; break;
    default: return 0;
    }
    return RangeInside(size, offset, 4) ? offset : 0;
}

void ScanEnhMetaColours(HENHMETAFILE h, CMetaRecolourContext& ctx)
{
    if (!h)
        return;
    WalkEmfRecords(h->Bytes(), [&](MetaBytes record) {
        const size_t offset = EnhRecordColourOffset(record.data(), record.size());
        if (offset)
            NoteMetaColor(ctx, LoadLE32(record.data() + offset) & 0xFFFFFF);
        return !ctx.hasColours;
    });
}

void RecolourEnhRecord(std::vector<BYTE>& record, const CMetaRecolourContext& ctx)
{
    const size_t offset = EnhRecordColourOffset(record.data(), record.size());
    if (!offset)
        return;
    COLORREF colour = LoadLE32(record.data() + offset) & 0xFFFFFF;
    TintMetaColor(colour, ctx.tint, ctx.hasColours, ctx.reference);
    StoreLE32(record.data() + offset, colour);
}
