// The hot-zone polygon: limits, deep copies, comparison and the reduction of
// traced points to a rectangle.
#include "geometry/CHotZone.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<CFltPoint> Points(int n)
{
    std::vector<CFltPoint> pts;
    for (int i = 0; i < n; ++i)
        pts.emplace_back(float(i), float(2 * i));
    return pts;
}
} // namespace

TEST(HotZone, LimitsAndRefusals)
{
    CHotZone z;
    EXPECT_FALSE(z.IsValid());
    EXPECT_EQ(z.GetSize(), 0);
    EXPECT_EQ(z.GetPointArray(), nullptr);
    auto four = Points(4);
    ASSERT_EQ(z.SetPoints(4, four.data()), 1);
    EXPECT_EQ(z.GetSize(), 4 * 16 + 4);
    auto three = Points(3);
    EXPECT_EQ(z.SetPoints(3, three.data()), 0);
    EXPECT_FALSE(z.IsValid());   // a refused set empties the zone

    auto max = Points(2049);
    EXPECT_EQ(z.SetPoints(2048, max.data()), 1);
    EXPECT_EQ(z.GetCount(), 2048);
    EXPECT_EQ(z.SetPoints(2049, max.data()), 0);
    EXPECT_EQ(z.GetCount(), 0);

    // The shape code's form keeps the zone on a refusal.
    z.SetPoints(4, four.data());
    EXPECT_FALSE(z.Set(3, three.data()));
    EXPECT_EQ(z.GetCount(), 4);

    std::vector<CFltPoint> out(2048);
    int count = 0;
    ASSERT_EQ(z.GetPoints(count, out.data()), 1);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(out[3], four[3]);
}

TEST(HotZone, CopiesAreDeepAndCompareExtraWords)
{
    auto pts = Points(5);
    CHotZone a;
    a.SetPoints(5, pts.data());
    CHotZone b = a;
    EXPECT_NE(a.GetPointArray(), b.GetPointArray());
    EXPECT_TRUE(a.Equals(b));
    pts[2].m_nXMode = 1;
    CHotZone c;
    c.SetPoints(5, pts.data());
    EXPECT_FALSE(a.Equals(c));   // same x and y, different extra words

    CHotZone empty;
    b = empty;
    EXPECT_FALSE(b.IsValid());
    EXPECT_FALSE(empty.IsValid());
    EXPECT_TRUE(b.Equals(empty));

    CHotZone d;
    EXPECT_EQ(d.Copy(a.GetBuffer(), size_t(a.GetSize())), 1);
    EXPECT_TRUE(d.Equals(a));
    EXPECT_EQ(d.Copy(a.GetBuffer(), 10), 0);   // a buffer shorter than its count
    EXPECT_FALSE(d.IsValid());
    EXPECT_EQ(d.Copy(nullptr, 0), 1);
}

TEST(HotZone, PointsToRectDropsRepeatsAndMidpoints)
{
    // A square traced with its midpoints, closed.
    POINT sq[] = {{0, 0}, {50, 0}, {100, 0}, {100, 0}, {100, 50}, {100, 100}, {50, 100}, {0, 100}, {0, 50}, {0, 0}};
    int count = 10;
    HotZonePointsToRect(count, sq, nullptr, nullptr);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(sq[1].x, 100);
    EXPECT_EQ(sq[2].y, 100);
    EXPECT_EQ(sq[4].x, 0);
    EXPECT_EQ(sq[4].y, 0);

    POINT mapped[] = {{0, 0}, {2048, 0}, {2048, 2048}, {0, 2048}};
    count = 4;
    const RECT from{0, 0, 2048, 2048}, to{100, 100, 200, 300};
    HotZonePointsToRect(count, mapped, &from, &to);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(mapped[2].x, 200);
    EXPECT_EQ(mapped[2].y, 300);
}
