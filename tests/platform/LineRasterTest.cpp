#include "platform/LineRaster.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The rule the rasteriser keeps, computed directly for each step: the minor
// offset of step i is i * minor / major rounded to nearest, halves away from
// the start when the minor direction is positive.
std::vector<QPoint> Reference(QPoint a, QPoint b)
{
    std::vector<QPoint> out;
    const qint64 dx = qint64(b.x()) - a.x(), dy = qint64(b.y()) - a.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const qint64 major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const qint64 steps = std::abs(major);
    for (qint64 i = 0; i < steps; ++i) {
        const double exact = double(i) * std::abs(minor) / double(steps);
        const qint64 k = minor >= 0 ? qint64(std::floor(exact + 0.5)) : qint64(std::ceil(exact - 0.5));
        const qint64 along = (major < 0 ? -i : i), across = (minor < 0 ? -k : k);
        out.push_back(xMajor ? QPoint(int(a.x() + along), int(a.y() + across))
                             : QPoint(int(a.x() + across), int(a.y() + along)));
    }
    return out;
}

TEST(LineRaster, StepsFollowTheRoundingRuleInEveryDirection)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-40, 40);
    for (int n = 0; n < 2000; ++n) {
        const QPoint a(coord(rng), coord(rng)), b(coord(rng), coord(rng));
        CLineStyle solid;
        std::vector<QPoint> got;
        RasterizeSegment(a, b, solid, got);
        ASSERT_EQ(got, Reference(a, b)) << a.x() << "," << a.y() << " -> " << b.x() << "," << b.y();
        // Bounds keep the same pixels, only those within.
        const QRect bounds(-10, -12, 17, 21);
        std::vector<QPoint> inside;
        RasterizeSegment(a, b, solid, inside, nullptr, &bounds);
        std::vector<QPoint> expected;
        for (const QPoint& p : got)
            if ((std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y()) ? p.x() >= bounds.left() && p.x() <= bounds.right()
                                                                    : p.y() >= bounds.top() && p.y() <= bounds.bottom()))
                expected.push_back(p);
        ASSERT_EQ(inside, expected);
    }
}

} // namespace
