// The union trace where it reaches a vertex of the other polygon whose two
// sides both lead away from the polygon being traced: it must follow the
// side that keeps to the outside of the union.
#include "geometry/CPointArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
CPointArray Poly(const std::vector<CPoint>& pts)
{
    CPointArray a;
    a.Alloc(int(pts.size()));
    a.SetPoints(pts.data(), int(pts.size()));
    return a;
}

std::string Describe(const CPointArray& a)
{
    std::string s;
    for (int i = 0; i < a.GetCount(); ++i)
        s += "(" + std::to_string(a[i].x) + "," + std::to_string(a[i].y) + ")";
    return s;
}
} // namespace

TEST(PolygonUnionTrace, AtATouchingVertexTheTraceTurnsToTheOutside)
{
    // A square traced upwards along its right side meets the tip of a hook
    // at (100, 50). The hook's two sides from the tip both run away from the
    // square: the upper one, towards (150, 40), bends back over the square;
    // the lower one, towards (200, 45), leads round the hook's body, which
    // also covers the square's top-right part. Only the lower one keeps the
    // body in the union.
    const CPointArray hook =
        Poly({{100, 50}, {200, 45}, {200, -50}, {50, -50}, {50, 30}, {150, 40}, {100, 50}});
    CPointArray u = Poly({{0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0}});
    ASSERT_TRUE(u.UnionWith(hook));
    ASSERT_TRUE(u.IsClosed()) << Describe(u);
    const POINT inside[] = {{10, 90}, {90, 90}, {60, 10}, {150, -20}, {190, 40}, {60, -40}, {160, 44}};
    for (const POINT& p : inside)
        EXPECT_TRUE(u.ContainsPt(p)) << p.x << "," << p.y << " " << Describe(u);
    const POINT outside[] = {{150, 80}, {-10, 50}, {20, -20}, {210, 0}};
    for (const POINT& p : outside)
        EXPECT_FALSE(u.ContainsPt(p)) << p.x << "," << p.y << " " << Describe(u);
}
