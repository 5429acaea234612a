// The built-in shapes (golden bytes of one per kind), the fixed entries of the
// shape library and the purge of unused end shapes.
#include "NoLibrariesDoc.h"
#include "shapes/ShapeLibrary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Expected program bytes, assembled field by field.
struct Bytes {
    std::vector<BYTE> b;
    Bytes& Op(BYTE op) { b.push_back(op); return *this; }
    Bytes& Int(int32_t v) { Put(&v); return *this; }
    Bytes& Flt(float v) { Put(&v); return *this; }
    Bytes& Pt(float x, float y) { return Flt(x).Flt(y).Int(0).Int(0); }
    Bytes& Rect(float l, float t, float r, float bt) { return Flt(l).Flt(t).Flt(r).Flt(bt).Int(0).Int(0).Int(0).Int(0); }
    template <class T> void Put(const T* v)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(v);
        b.insert(b.end(), p, p + 4);
    }
};

std::vector<BYTE> ProgramOf(const CShapeDef& s)
{
    return {s.m_program.begin(), s.m_program.begin() + s.m_nProgramLength};
}

float G(int v) { return static_cast<float>(v * 2.048); }

} // namespace

TEST(BuiltinShapes, GoldenBytesOfOnePerKind)
{
    ShapeLibrary stamps, ends;
    stamps.BuildStampShapes();
    ends.BuildLineEnds();

    // Kind 0: no program at all.
    const CShapeDef* null = ends.GetAt(0);
    EXPECT_EQ(null->m_nProgramLength, 0);
    EXPECT_EQ(null->m_nAreaPos, -1);
    EXPECT_EQ(null->m_nLinePos, -1);

    // Kind 1: a polyline only.
    const CShapeDef* diag = stamps.GetAt(stamps.FindByName("FI_DIAG"));
    Bytes k1;
    k1.Op(4).Int(5).Pt(G(500), G(500)).Pt(G(625), G(400)).Pt(G(750), G(500)).Pt(G(875), G(600)).Pt(2048, G(500)).Op(2);
    EXPECT_EQ(ProgramOf(*diag), k1.b);
    EXPECT_EQ(diag->m_nAreaPos, -1);

    // Kind 2: the polyline, then the same points as a polygon.
    const CShapeDef* block = ends.GetAt(3);
    Bytes k2;
    k2.Op(4).Int(4).Pt(1024, 1024).Pt(2048, G(300)).Pt(2048, G(700)).Pt(1024, 1024).Op(2);
    const int area = static_cast<int>(k2.b.size());
    k2.Op(5).Int(4).Pt(1024, 1024).Pt(2048, G(300)).Pt(2048, G(700)).Pt(1024, 1024).Op(1);
    EXPECT_EQ(ProgramOf(*block), k2.b);
    EXPECT_EQ(block->m_nLinePos, 0);
    EXPECT_EQ(block->m_nAreaPos, area);

    // Kind 3: line segments from point pairs, no area.
    const CShapeDef* stick = ends.GetAt(13);
    Bytes k3;
    k3.Op(11).Pt(1024, 1024).Pt(2048, G(300)).Op(11).Pt(1024, 1024).Pt(2048, G(700)).Op(2);
    EXPECT_EQ(ProgramOf(*stick), k3.b);

    // Kind 4: the rectangle in both sub-programs.
    const CShapeDef* rect = stamps.GetAt(1);
    Bytes k4;
    k4.Op(3).Rect(0, 0, 2048, 2048).Op(2).Op(3).Rect(0, 0, 2048, 2048).Op(1);
    EXPECT_EQ(ProgramOf(*rect), k4.b);
    EXPECT_EQ(rect->m_nAreaPos, 34);

    // Kind 5: the ellipse in both.
    const CShapeDef* circle = stamps.GetAt(0);
    Bytes k5;
    k5.Op(6).Rect(1024, 512, 2048, 1536).Op(2).Op(6).Rect(1024, 512, 2048, 1536).Op(1);
    EXPECT_EQ(ProgramOf(*circle), k5.b);

    for (int i = 0; i < stamps.GetCount(); ++i)
        EXPECT_TRUE(stamps.GetAt(i)->IsProgramValid()) << stamps.GetAt(i)->m_strName;
    for (int i = 0; i < ends.GetCount(); ++i)
        EXPECT_TRUE(ends.GetAt(i)->IsProgramValid()) << ends.GetAt(i)->m_strName;
}

TEST(BuiltinShapes, TablesInTheirFixedOrder)
{
    ShapeLibrary stamps, ends;
    stamps.BuildStampShapes();
    ends.BuildLineEnds();
    EXPECT_EQ(stamps.GetCount(), 30);
    EXPECT_EQ(stamps.GetAt(29)->m_strName, "FI_SQWAVE");
    EXPECT_EQ(stamps.GetAt(30), nullptr);
    EXPECT_EQ(g_nBuiltinLineEnds, 20);
    const char* names[] = {"null", "block thin", "block thin2", "block", "block short", "block shorter",
                           "taper", "bullet", "bulletin", "jagged", "indian", "sloped", "double closed",
                           "stick", "double stick", "block (solid)", "block thin (solid)",
                           "block thin2 (solid)", "block short (solid)", "block shorter (solid)"};
    ASSERT_EQ(ends.GetCount(), 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ends.GetAt(i)->m_strName, names[i]) << i;
    // The solid variants share the geometry and differ in the silhouette flag.
    EXPECT_EQ(ProgramOf(*ends.GetAt(15)), ProgramOf(*ends.GetAt(3)));
    EXPECT_EQ(ends.GetAt(15)->Silhouette, 1);
    EXPECT_EQ(ends.GetAt(4)->LineTo, 60);
    const CShapeDef* rect = stamps.GetAt(1);
    EXPECT_EQ(rect->Rotatable, 0);
    EXPECT_EQ(rect->Centered, 1);
    EXPECT_EQ(stamps.GetAt(0)->Centered, 0);
}

TEST(BuiltinShapes, OddPairListDropsTheLastPointAndFailedAppendsAddNothing)
{
    ShapeLibrary lib;
    ASSERT_EQ(lib.AddBuiltinShape("odd", 1, 0, 3, 0, {0, 0, 1000, 1000, 500, 500}), 1);
    EXPECT_EQ(lib.GetAt(0)->m_nProgramLength, 1 + 32 + 1);
    ASSERT_EQ(lib.AddBuiltinShape("cut", 1, 0, 1, 0, {0, 0, -1, 5, 5, 5}), 1);
    EXPECT_EQ(ReadOutlineInt(lib.GetAt(1)->m_program.data() + 1), 1);   // ends at the first x of -1
    lib.FailAppendsForTest(true);
    EXPECT_EQ(lib.AddBuiltinShape("none", 1, 0, 2, 0, {0, 0}), 0);
    EXPECT_EQ(lib.GetCount(), 2);
}

TEST(ShapeLibrary, FixedEntriesAndReplaceInPlace)
{
    ShapeLibrary lib;
    lib.BuildLineEnds();
    CShapeDef s;
    s.SetName("custom");
    EXPECT_EQ(lib.AddOrReplace(&s), 20);
    s.LineTo = 55;
    EXPECT_EQ(lib.AddOrReplace(&s), 20);
    EXPECT_EQ(lib.GetCount(), 21);
    EXPECT_EQ(lib.GetAt(20)->LineTo, 55);
    EXPECT_EQ(lib.AddOrReplace(nullptr), -1);
    for (int i : {-1, 0, 19, 21})
        EXPECT_EQ(lib.Delete(i), 0) << i;
    EXPECT_EQ(lib.Delete(20), 1);
    EXPECT_EQ(lib.GetCount(), 20);
}

// The purge against a document's connectors and styles is tested with a real
// document (tests/document/LibraryUsersTest.cpp).
TEST(ShapeLibrary, WithoutStyleLibrariesNothingIsPurged)
{
    NoLibrariesDoc doc;
    ShapeLibrary lib;
    lib.BuildLineEnds();
    CShapeDef e;
    e.SetName("e");
    lib.AddOrReplace(&e);
    lib.PurgeUnused(doc);
    EXPECT_EQ(lib.GetCount(), 21);
}
