#include "render/PictureTint.h"

#include "graphics/MetaRecolour.h"
#include "platform/CGraphics.h"
#include "render/ArgbBitmaps.h"

#include <cstdlib>

namespace {

constexpr int kNearTolerance = 25;

bool NearBlackOrWhite(QRgb c)
{
    const bool nearBlack = qRed(c) <= kNearTolerance && qGreen(c) <= kNearTolerance &&
                           qBlue(c) <= kNearTolerance;
    const bool nearWhite = qRed(c) >= 255 - kNearTolerance && qGreen(c) >= 255 - kNearTolerance &&
                           qBlue(c) >= 255 - kNearTolerance;
    return nearBlack || nearWhite;
}

} // namespace

bool IsColoredBitmap(const QImage& bitmap)
{
    for (int y = 0; y < bitmap.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            if (qAlpha(row[x]) != 0 && !NearBlackOrWhite(row[x]))
                return true;
    }
    return false;
}

bool RecolorBitmap(QImage& bitmap, COLORREF colour)
{
    if (bitmap.format() != QImage::Format_ARGB32)
        return false;
    const bool coloured = IsColoredBitmap(bitmap);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb c = row[x];
            const double darkness = 1.0 - double((qRed(c) + qGreen(c) + qBlue(c)) / 3) / 256.0;
            const COLORREF tinted = coloured ? TintColored(colour, darkness) : TintMono(colour, darkness);
            row[x] = qRgba(GetRValue(tinted), GetGValue(tinted), GetBValue(tinted), qAlpha(c));
        }
    }
    return true;
}

std::optional<CGpImageAttributes> CreateTintImageAttributes(COLORREF colour)
{
    if (!IsRealColor(colour))
        return std::nullopt;
    CGpImageAttributes attrs;
    const float third = 0.33f;
    attrs.colorMatrix = std::array<std::array<float, 5>, 5>{{
        {third, third, third, 0, 0},
        {third, third, third, 0, 0},
        {third, third, third, 0, 0},
        {GetRValue(colour) / 256.0f, GetGValue(colour) / 256.0f, GetBValue(colour) / 256.0f, 1, 0},
        {0, 0, 0, 0, 1},
    }};
    return attrs;
}

int DrawARGBBitmap(CGraphics* graphics, const QImage* bitmap, const QRectF& rect, bool recolor,
                   COLORREF colour, bool makeTransparent, COLORREF keyColour, bool highQuality)
{
    if (!graphics || !bitmap || bitmap->isNull())
        return 0;
    const bool tint = recolor && IsRealColor(colour);
    QImage work;
    const QImage* draw = bitmap;
    if (tint || makeTransparent) {
        work = bitmap->convertToFormat(QImage::Format_ARGB32);
        bool ok = !work.isNull();
        if (ok && makeTransparent)
            ok = MakeColorTransparent(work, 0, keyColour);
        // A picture that cannot be keyed is drawn as it is, without recolouring.
        if (ok && tint)
            RecolorBitmap(work, colour);
        if (ok)
            draw = &work;
    }
    graphics->SetInterpolationMode(highQuality ? GpInterpolationMode::HighQualityBicubic
                                               : GpInterpolationMode::LowQuality);
    graphics->DrawImage(*draw, rect);
    return 1;
}
