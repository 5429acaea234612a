#pragma once
// GDI's integer rounding of scaled coordinates, shared by the device
// context's mapping and measuring.
#include <QtGlobal>

#include <algorithm>
#include <cstdint>

// (v * num) / den rounded to the nearest integer, halves away from zero, with a
// 64-bit intermediate; 0 for a zero denominator.
inline int ScaleRound(qint64 v, qint64 num, qint64 den)
{
    if (den == 0)
        return 0;
    qint64 n = v * num;
    if (den < 0) {
        n = -n;
        den = -den;
    }
    const qint64 q = n >= 0 ? (2 * n + den) / (2 * den) : -((-2 * n + den) / (2 * den));
    return int(std::clamp<qint64>(q, INT32_MIN, INT32_MAX));
}
