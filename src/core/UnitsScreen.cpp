// Point, screen-pixel, HIMETRIC and symbol-grid conversions.
#include "core/Settings.h"
#include "core/Units.h"
#include "platform/WinTypes.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>
#include <cmath>

namespace {
int g_screenPixelHeightOverride = 0;

int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(v);
}
} // namespace

int PointsToLogical(int points)
{
    return int((long long)(points & 0xFFFFFF) * 256 / 72);
}

int LogicalToPoints(int units)
{
    return int((long long)units * 72 / 256);
}

int GetScreenPixelHeight()
{
    if (g_screenPixelHeightOverride > 0)
        return g_screenPixelHeightOverride;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (const QScreen* s = QGuiApplication::primaryScreen())
            if (s->geometry().height() > 0)
                return s->geometry().height();
    return 768;
}

void SetScreenPixelHeightForTest(int pixels)
{
    g_screenPixelHeightOverride = pixels;
}

int ScreenPixelsToLogical(int pixels)
{
    return TruncToInt(ScreenHeight / GetScreenPixelHeight() * 256.0 * pixels + 0.5);
}

int LogicalToScreenPixels(int units)
{
    const double height = ScreenHeight > 0 ? ScreenHeight : 9.0;
    return MulDiv(units, TruncToInt(GetScreenPixelHeight() / height), 256);
}

int LogicalToHimetric(int units)
{
    return MulDiv(units, 2540, 256);
}

void SizeToHimetric(SIZE& size)
{
    size.cx = LogicalToHimetric(size.cx);
    size.cy = LogicalToHimetric(size.cy);
}

int ScaleInt2048(int value)
{
    return value ? int((long long)value * 2048 / 1000) : 0;
}

void ScaleIntPair2048(int& a, int& b)
{
    a = ScaleInt2048(a);
    b = ScaleInt2048(b);
}

double ScaleFloat2048(double value)
{
    return value != 0 ? value * 2.048 : value;
}

void ScaleFloatPair2048(double& a, double& b)
{
    a = ScaleFloat2048(a);
    b = ScaleFloat2048(b);
}

void ScaleFloatRect2048(double& l, double& t, double& r, double& b)
{
    ScaleFloatPair2048(l, t);
    ScaleFloatPair2048(r, b);
}

double ScaleFloatInv2048(double value)
{
    return value * 0.48828125;
}

void ScaleFloatPairInv2048(double& a, double& b)
{
    a = ScaleFloatInv2048(a);
    b = ScaleFloatInv2048(b);
}

void ScaleFloatRectInv2048(double& l, double& t, double& r, double& b)
{
    ScaleFloatPairInv2048(l, t);
    ScaleFloatPairInv2048(r, b);
}
