#pragma once
// GDI's integer rounding of scaled coordinates, shared by the device
// context's mapping and measuring.
#include <QRect>
#include <QRectF>
#include <QtGlobal>

#include <algorithm>
#include <cstdint>

// (v * num) / den rounded to the nearest integer, halves away from zero, with a
// 128-bit intermediate, clamped to int; 0 for a zero denominator.
inline int ScaleRound(qint64 v, qint64 num, qint64 den)
{
    if (den == 0)
        return 0;
    __int128 n = __int128(v) * num;
    __int128 d = den;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const __int128 q = n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d));
    return int(q < INT32_MIN ? INT32_MIN : q > INT32_MAX ? INT32_MAX : q);
}

// Device coordinates are kept within 27 bits, as GDI keeps them: far outside
// any surface, yet differences of two never overflow an int.
constexpr qint64 kMaxDeviceCoord = qint64(1) << 27;
inline int ClampDeviceCoord(qint64 v)
{
    return int(std::clamp<qint64>(v, -kMaxDeviceCoord, kMaxDeviceCoord));
}
inline int ClampDeviceCoord(double v)
{
    if (!(v == v))   // NaN
        return 0;
    return int(std::clamp<double>(v, -double(kMaxDeviceCoord), double(kMaxDeviceCoord)));
}
inline int ClampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, INT32_MIN, INT32_MAX));
}

// The whole pixels of bounds grown by margin that lie on surface (done in reals,
// so that huge or infinite bounds cannot overflow).
inline QRect PixelsOnSurface(const QRectF& bounds, double margin, const QRect& surface)
{
    const QRectF grown = bounds.adjusted(-margin, -margin, margin, margin);
    const QRectF on = grown.intersected(QRectF(surface));
    if (on.isEmpty() || !(on.width() == on.width()))
        return {};
    return on.toAlignedRect().intersected(surface);
}
