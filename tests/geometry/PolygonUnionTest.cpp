// The union of random overlapping convex polygons, checked against an
// independent point-in-polygon test of both inputs; rectangle pairs on a
// coarse grid (many sharing a side line) pixel by pixel.
#include "geometry/CPointArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {
struct Pt {
    double x, y;
};

// Even-odd containment of a point in a closed run, in doubles.
bool InsideRef(const std::vector<CPoint>& poly, Pt p)
{
    bool in = false;
    for (size_t i = 0; i + 1 < poly.size(); ++i) {
        const Pt a{double(poly[i].x), double(poly[i].y)};
        const Pt b{double(poly[i + 1].x), double(poly[i + 1].y)};
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            in = !in;
    }
    return in;
}

double SegmentDistance(Pt p, Pt a, Pt b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double OutlineDistance(const std::vector<CPoint>& poly, Pt p)
{
    double best = 1e300;
    for (size_t i = 0; i + 1 < poly.size(); ++i)
        best = std::min(best, SegmentDistance(p, {double(poly[i].x), double(poly[i].y)},
                                              {double(poly[i + 1].x), double(poly[i + 1].y)}));
    return best;
}

std::string Describe(const std::vector<CPoint>& poly)
{
    std::ostringstream os;
    for (const CPoint& p : poly)
        os << "(" << p.x << "," << p.y << ")";
    return os.str();
}

// A uniform value in [lo, hi] from the generator's raw output (the standard
// distributions differ between libraries).
int Uniform(std::mt19937& rng, int lo, int hi)
{
    return lo + int(rng() % uint32_t(hi - lo + 1));
}

std::vector<CPoint> RandomRect(std::mt19937& rng)
{
    const int x0 = Uniform(rng, 0, 300), y0 = Uniform(rng, 0, 300);
    const int x1 = x0 + Uniform(rng, 10, 200), y1 = y0 + Uniform(rng, 10, 200);
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
}

// A triangle of some size, in either orientation.
std::vector<CPoint> RandomTriangle(std::mt19937& rng)
{
    for (;;) {
        CPoint a(Uniform(rng, 0, 500), Uniform(rng, 0, 500));
        CPoint b(Uniform(rng, 0, 500), Uniform(rng, 0, 500));
        CPoint c(Uniform(rng, 0, 500), Uniform(rng, 0, 500));
        const int64_t area2 = int64_t(b.x - a.x) * (c.y - a.y) - int64_t(c.x - a.x) * (b.y - a.y);
        if (std::llabs(area2) >= 4000)
            return {a, b, c, a};
    }
}

// What went wrong with the union of a and b (empty when it is right): a point
// well inside either input must be inside the result, a point well outside
// both must be outside it. Pairs that do not overlap are not judged (*pJudged
// false).
std::string CheckUnion(const std::vector<CPoint>& a, const std::vector<CPoint>& b, bool* pJudged)
{
    constexpr double kMargin = 2.0;
    std::vector<Pt> samples;
    bool overlap = false;
    for (int y = -10; y <= 720; y += 8) {
        for (int x = -10; x <= 720; x += 8) {
            const Pt p{x + 0.25, y + 0.5};
            if (OutlineDistance(a, p) < kMargin || OutlineDistance(b, p) < kMargin)
                continue;
            overlap = overlap || (InsideRef(a, p) && InsideRef(b, p));
            samples.push_back(p);
        }
    }
    *pJudged = overlap;
    if (!overlap)
        return {};
    CPointArray result;
    result.Alloc(int(a.size()));
    result.SetPoints(a.data(), int(a.size()));
    CPointArray other;
    other.Alloc(int(b.size()));
    other.SetPoints(b.data(), int(b.size()));
    if (!result.UnionWith(other))
        return "UnionWith failed";
    std::vector<CPoint> u(result.GetData(), result.GetData() + result.GetCount());
    if (u.size() < 4 || u.front() != u.back())
        return "not a closed outline: " + Describe(u);
    for (const Pt& p : samples) {
        const bool wanted = InsideRef(a, p) || InsideRef(b, p);
        if (OutlineDistance(u, p) >= kMargin && InsideRef(u, p) != wanted) {
            std::ostringstream os;
            os << "(" << p.x << "," << p.y << ") should be " << (wanted ? "inside" : "outside")
               << " " << Describe(u);
            return os.str();
        }
    }
    return {};
}

void CheckRandomPairs(bool rectFirst, bool twoTriangles, uint32_t seed)
{
    std::mt19937 rng(seed);
    int judged = 0;
    for (int i = 0; i < 400; ++i) {
        const std::vector<CPoint> r = twoTriangles ? RandomTriangle(rng) : RandomRect(rng);
        const std::vector<CPoint> t = RandomTriangle(rng);
        bool counted = false;
        const std::string fault = rectFirst ? CheckUnion(r, t, &counted) : CheckUnion(t, r, &counted);
        judged += counted ? 1 : 0;
        EXPECT_EQ(fault, "") << Describe(rectFirst ? r : t) << " with " << Describe(rectFirst ? t : r);
    }
    EXPECT_GT(judged, 100); // enough of the pairs overlap to mean something
}
} // namespace

TEST(PolygonUnionRandom, RectangleWithTriangle)
{
    CheckRandomPairs(true, false, 1);
}

TEST(PolygonUnionRandom, TriangleWithRectangle)
{
    CheckRandomPairs(false, false, 2);
}

TEST(PolygonUnionRandom, TwoTriangles)
{
    CheckRandomPairs(true, true, 3);
}

namespace {
// Whether the outline turns back on itself: a side that runs back along the
// one before it, which encloses nothing.
bool DoublesBack(const std::vector<CPoint>& u)
{
    const size_t n = u.size() - 1; // the closing point repeats the first
    for (size_t i = 0; i < n; ++i) {
        const CPoint& a = u[(i + n - 1) % n];
        const CPoint& b = u[i];
        const CPoint& c = u[(i + 1) % n];
        const int64_t cross = int64_t(b.x - a.x) * (c.y - b.y) - int64_t(b.y - a.y) * (c.x - b.x);
        const int64_t dot = int64_t(b.x - a.x) * (c.x - b.x) + int64_t(b.y - a.y) * (c.y - b.y);
        if (a == b || (cross == 0 && dot < 0))
            return true;
    }
    return false;
}

// The union of two rectangles judged pixel by pixel: every pixel (sampled at
// its centre, which no side of integer rectangles passes through) lies in
// the result exactly when it lies in either rectangle.
std::string CheckRectUnion(const CRect& ra, const CRect& rb)
{
    auto outline = [](const CRect& r) {
        return std::vector<CPoint>{{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom},
                                   {r.left, r.top}};
    };
    const std::vector<CPoint> a = outline(ra), b = outline(rb);
    CPointArray result;
    result.Alloc(5);
    result.SetPoints(a.data(), 5);
    CPointArray other;
    other.Alloc(5);
    other.SetPoints(b.data(), 5);
    if (!result.UnionWith(other))
        return "UnionWith failed";
    std::vector<CPoint> u(result.GetData(), result.GetData() + result.GetCount());
    if (u.size() < 5 || u.front() != u.back())
        return "not a closed outline: " + Describe(u);
    if (DoublesBack(u))
        return "the outline doubles back: " + Describe(u);
    for (int y = std::min(ra.top, rb.top) - 1; y <= std::max(ra.bottom, rb.bottom); ++y)
        for (int x = std::min(ra.left, rb.left) - 1; x <= std::max(ra.right, rb.right); ++x) {
            const Pt p{x + 0.5, y + 0.5};
            const bool wanted = InsideRef(a, p) || InsideRef(b, p);
            if (InsideRef(u, p) != wanted)
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " should be " +
                       (wanted ? "inside " : "outside ") + Describe(u);
        }
    return {};
}

bool Overlap(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

TEST(PolygonUnionRandom, RectanglePairs)
{
    // Coordinates on a coarse grid, so that many pairs share a side line.
    std::mt19937 rng(7);
    auto rect = [&] {
        const int x0 = 5 * Uniform(rng, 0, 12), y0 = 5 * Uniform(rng, 0, 12);
        return CRect(x0, y0, x0 + 5 * Uniform(rng, 1, 8), y0 + 5 * Uniform(rng, 1, 8));
    };
    int judged = 0, failed = 0;
    for (int i = 0; i < 1000; ++i) {
        const CRect a = rect(), b = rect();
        if (!Overlap(a, b))
            continue;
        ++judged;
        const std::string fault = CheckRectUnion(a, b);
        if (!fault.empty() && ++failed <= 5)
            ADD_FAILURE() << a.left << "," << a.top << "," << a.right << "," << a.bottom << " with " << b.left << ","
                          << b.top << "," << b.right << "," << b.bottom << ": " << fault;
    }
    EXPECT_EQ(failed, 0) << "of " << judged;
    EXPECT_GT(judged, 150);
}

namespace {
std::vector<CPoint> Square(int x0, int y0, int x1, int y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
}

std::vector<CPoint> Reversed(std::vector<CPoint> poly)
{
    std::reverse(poly.begin(), poly.end());
    return poly;
}

// Twice the signed area a closed run encloses, by the shoelace formula.
int64_t Area2(const std::vector<CPoint>& poly)
{
    int64_t sum = 0;
    for (size_t i = 0; i + 1 < poly.size(); ++i)
        sum += int64_t(poly[i].x) * poly[i + 1].y - int64_t(poly[i + 1].x) * poly[i].y;
    return sum;
}
} // namespace

// Pairs that touch at a corner or along part of a side, overlap, or lie
// apart: the outline keeps the area of both where they meet (a single
// outline may pass a touching corner twice), and each probe point lies
// inside or outside it as it lies in either input. Apart, the trace never
// reaches the other polygon: the outline is the first one.
TEST(PolygonUnion, TouchingOverlappingAndApartPairs)
{
    const std::vector<CPoint> square = Square(0, 0, 100, 100);
    // Its left vertex on the square's top right corner.
    const std::vector<CPoint> triangle = {{100, 0}, {200, -100}, {200, 100}, {100, 0}};
    const struct Case {
        const char* name;
        std::vector<CPoint> a, b;
        int64_t area2;             // of the union, twice, unsigned
        std::vector<CPoint> in, out;
    } cases[] = {
        {"triangle on a corner", square, triangle, 20000 + 20000,
         {{50, 50}, {5, 95}, {95, 95}, {190, 0}, {150, -10}, {190, 80}},
         {{150, 90}, {105, 50}, {50, -10}}},
        {"the same, reversed", square, Reversed(triangle), 20000 + 20000, {{5, 95}, {95, 95}, {190, 0}},
         {{150, 90}, {105, 50}}},
        {"the same, triangle first", triangle, square, 20000 + 20000, {{5, 95}, {95, 95}, {190, 0}},
         {{150, 90}, {105, 50}}},
        {"squares on a corner", square, Square(100, 100, 200, 200), 40000,
         {{5, 5}, {95, 95}, {105, 105}, {195, 195}}, {{150, 50}, {50, 150}}},
        {"squares on a corner, reversed", Reversed(square), Square(100, -100, 200, 0), 40000,
         {{5, 95}, {95, 5}, {105, -5}, {195, -95}}, {{150, 50}, {50, -50}}},
        {"squares on part of a side", square, Square(100, 50, 200, 150), 40000,
         {{5, 5}, {95, 95}, {105, 55}, {195, 145}}, {{150, 25}, {50, 125}}},
        {"overlapping", square, Square(50, 50, 150, 150), 35000,
         {{5, 5}, {75, 75}, {145, 145}}, {{125, 25}, {25, 125}}},
        {"apart", square, Square(300, 0, 400, 100), 20000, {{5, 5}, {95, 95}}, {{350, 50}, {200, 50}}},
    };
    for (const Case& c : cases) {
        CPointArray result;
        result.Alloc(int(c.a.size()));
        result.SetPoints(c.a.data(), int(c.a.size()));
        CPointArray other;
        other.Alloc(int(c.b.size()));
        other.SetPoints(c.b.data(), int(c.b.size()));
        ASSERT_TRUE(result.UnionWith(other)) << c.name;
        const std::vector<CPoint> u(result.GetData(), result.GetData() + result.GetCount());
        ASSERT_TRUE(u.size() >= 4 && u.front() == u.back()) << c.name << ": " << Describe(u);
        EXPECT_EQ(std::llabs(Area2(u)), c.area2) << c.name << ": " << Describe(u);
        for (const CPoint& p : c.in)
            EXPECT_TRUE(result.ContainsPt(p)) << c.name << ": (" << p.x << "," << p.y << ") " << Describe(u);
        for (const CPoint& p : c.out)
            EXPECT_FALSE(result.ContainsPt(p)) << c.name << ": (" << p.x << "," << p.y << ") " << Describe(u);
    }
}
