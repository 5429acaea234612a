// Stock-name classification and end-shape orientation along a line.
#include "shapes/CShapeDef.h"
#include "shapes/COutlineWriter.h"
#include "shapes/ShapeLibrary.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(StockNames, TablesMatchByPrefixInOrder)
{
    EXPECT_EQ(EndShapeStockCount(), 11);
    EXPECT_EQ(FigSymbolStockCount(), 53);
    struct Case { const char* name; int (*classify)(const std::string&); int kind; };
    const Case cases[] = {
        {"[Arrow UMLSolid]", ClassifyEndShapeName, 33},
        {"Block (solid)", ClassifyEndShapeName, -1},
        {"NULL", ClassifyEndShapeName, 31},
        {"[[null", ClassifyEndShapeName, -1},          // only one '[' is dropped
        {"[", ClassifyEndShapeName, -1},
        {"Seq Lifeline 2", ClassifyFigSymbolName, 29},
        {"Seq Activation", ClassifyFigSymbolName, 6},
        {"Component UML2", ClassifyFigSymbolName, 3},  // "component" comes first
        {"[State machine", ClassifyFigSymbolName, 57}, // "[" dropped before matching
        {"[[State", ClassifyFigSymbolName, 48},
        {"Deep History", ClassifyFigSymbolName, 25},
        {"Lifeline", ClassifyFigStyleName, 29},
        {"lifeline", ClassifyFigStyleName, -1},
        {"Qualifier box", ClassifyFigStyleName, 13},
        {"[qualifier", ClassifyFigStyleName, 13},
        {"Message 1", ClassifyConStyleName, 27},
        {"Messages", ClassifyConStyleName, -1},
        {"Message", ClassifyConStyleName, -1},
        {"Containment", ClassifyConStyleName, 28},
        {"Anchor", ClassifyConStyleName, 39},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.classify(c.name), c.kind) << c.name;
}

TEST(StockNames, EveryStockNameGivesItsKind)
{
    // Each table entry as the start of a name; a name that also begins with an
    // earlier entry takes that entry's kind (first match wins).
    const struct { const char* name; int kind; } figureSymbols[] = {
        {"Package x", 1}, {"Model x", 1}, {"Subsystem x", 1}, {"Start x", 5}, {"Stop x", 5},
        {"Class/Object x", 2}, {"Class Actor x", 2}, {"Class Control x", 2},
        {"Class Boundary x", 2}, {"Class Entity x", 2}, {"Class # x", 2},
        {"Active Class/Object x", 26}, {"Multiobject x", 2}, {"Component x", 3},
        {"Seq Activation x", 6}, {"Seq Lifeline x", 29}, {"Fork/Join Horz x", 7},
        {"Fork/Join Vert x", 7}, {"Actor x", 8}, {"Socket x", 9}, {"Interface x", 12},
        {"Port x", 11}, {"Junction State x", 17}, {"Time Signal x", 18}, {"Flow Final x", 19},
        {"Condition x", 20}, {"Msg x", 21}, {"Msg", -1}, {"Stub State x", 22},
        {"Synch State x", 23}, {"Destruct x", 24}, {"Terminate x", 24}, {"History x", 25},
        {"Deep History x", 25}, {"Activity x", 42}, {"Action x", 42}, {"Action DC x", 42},
        {"Action Subact x", 42}, {"Subactivity UML2 x", 43}, {"Subactivity x", 43},
        {"Activity DC x", 42}, {"Pin x", 41}, {"Qualifier x", 13}, {"Listbox Pin Vert x", 45},
        {"Listbox Pin Horz x", 46}, {"Complex Port Horz x", 60}, {"Complex Port Vert x", 59},
        {"Entry Point x", 54}, {"Exit Point x", 55}, {"State x", 57}, {"Name Tab x", 63},
        {"Parameter List x", 65}, {"Process", -1},
    };
    for (const auto& c : figureSymbols)
        EXPECT_EQ(ClassifyFigSymbolName(c.name), c.kind) << c.name;
    const struct { const char* name; int kind; } endShapes[] = {
        {"null", 31}, {"Ball for Socket", 14}, {"Socket for Ball", 15}, {"Arrow UMLStick", 32},
        {"Arrow UMLSolid", 33}, {"Arrow UMLOpen", 34}, {"Aggregation", 35}, {"Composition", 36},
        {"Containment", 37}, {"Unnavigable", 38}, {"Anchor Point", 40}, {"block", -1},
    };
    for (const auto& c : endShapes)
        EXPECT_EQ(ClassifyEndShapeName(c.name), c.kind) << c.name;
    const struct { const char* name; int kind; } figureStyles[] = {
        {"Junction State", 17}, {"Collaboration", 67}, {"Concurrent Object", 2},
        {"Initial State", 5}, {"Final State", 5}, {"Activation", 6}, {"Fork/Join Horz", 7},
        {"Fork/Join Vert", 7}, {"Expansion Region", 47}, {"Activation x", -1},
    };
    for (const auto& c : figureStyles)
        EXPECT_EQ(ClassifyFigStyleName(c.name), c.kind) << c.name;
    const struct { const char* name; int kind; } connectorStyles[] = {
        {"To Interface", 16}, {"Association", 28}, {"Aggregation", 28}, {"Composition", 28},
        {"Generalization", 28}, {"Navigable Association", 28}, {"Directional Association", 28},
        {"Bidirectional Association", 28}, {"association", -1},
    };
    for (const auto& c : connectorStyles)
        EXPECT_EQ(ClassifyConStyleName(c.name), c.kind) << c.name;
}

TEST(StockNames, FamilyQueries)
{
    struct Case { int query; std::vector<int> kinds; };
    const Case cases[] = {
        {30, {31, 32, 33, 34, 35, 36, 37, 38}}, {49, {2, 26}}, {62, {2, 26}}, {50, {42, 43, 44}},
        {51, {47, 48}}, {52, {1, 2, 3, 4, 26}}, {53, {41, 45, 46}}, {56, {54, 55}},
        {58, {47, 57, 48}}, {61, {11, 59, 60}}, {64, {57, 48}}, {66, {2, 26, 67}}, {68, {6, 29}},
        {17, {17}}, {-1, {-1}},
    };
    for (const Case& c : cases) {
        for (int kind = -1; kind <= 70; ++kind) {
            const bool expected = std::find(c.kinds.begin(), c.kinds.end(), kind) != c.kinds.end();
            EXPECT_EQ(StockKindMatches(kind, c.query), expected) << c.query << " " << kind;
        }
    }
}

TEST(StockNames, KindIsCachedUntilTheNameChanges)
{
    CShapeDef s;
    s.SetName("[Arrow UMLSolid]");
    EXPECT_EQ(s.IsKind(30), 1);
    EXPECT_EQ(s.GetKind(), 33);
    s.m_strName = "aggregation";   // a direct write keeps the cache
    EXPECT_EQ(s.GetKind(), 33);
    s.SetName("aggregation");
    EXPECT_EQ(s.GetKind(), 35);
    s.Clear();
    EXPECT_EQ(s.GetKind(), -1);
    EXPECT_EQ(s.Rotatable, 1);
    EXPECT_EQ(s.Magnify, 100);
    EXPECT_EQ(s.Centered, 0);
}

namespace {

CShapeDef LineShape(int rotatable)
{
    CShapeDef s;
    s.Rotatable = rotatable;
    COutlineWriter w(s.m_program.data(), CShapeDef::kProgramSize);
    s.m_nLinePos = 0;
    w.Line({1024, 1024}, {2048, 1024});
    w.End(kOpEndOutline);
    s.m_nProgramLength = w.Pos();
    return s;
}

} // namespace

TEST(OrientToLine, AnglesWithExactAxes)
{
    CShapeDef s = LineShape(1);
    struct Case { POINT a, b; double angle; };
    for (const Case& c : {Case{{10, 10}, {10, 50}, M_PI / 2}, Case{{50, 10}, {10, 10}, M_PI},
                          Case{{10, 10}, {50, 10}, 0.0}, Case{{10, 50}, {10, 10}, -M_PI / 2},
                          Case{{10, 10}, {10, 10}, 0.0}, Case{{0, 0}, {3, 4}, std::atan2(4.0, 3.0)}}) {
        EXPECT_EQ(s.LineAngle(c.a, c.b), c.angle) << c.b.x << "," << c.b.y;
    }
    EXPECT_EQ(LineShape(0).LineAngle({0, 0}, {0, 40}), 0.0);
}

TEST(OrientToLine, TurnsAboutThePivotAndScales)
{
    CShapeDef s = LineShape(1);
    // A downward line: the shape's (2048, 1024) end turns a quarter below the pivot.
    ASSERT_TRUE(s.OrientToLine(CRect(100, 200, 301, 401), {10, 10}, {10, 50}, CFltPoint(1024, 1024)));
    EXPECT_EQ(ReadOutlinePoint(s.m_program.data() + 1), CFltPoint(200, 300));
    EXPECT_EQ(ReadOutlinePoint(s.m_program.data() + 17), CFltPoint(200, 400));
    CShapeDef fixed = LineShape(0);
    ASSERT_TRUE(fixed.OrientToLine(CRect(0, 0, 101, 101), {10, 10}, {10, 50}, CFltPoint(1024, 1024)));
    EXPECT_EQ(ReadOutlinePoint(fixed.m_program.data() + 17), CFltPoint(100, 50));
}

TEST(OrientToLine, EllipseTurnsItsCentreAndRoundRectItsCornerSize)
{
    CShapeDef s;
    COutlineWriter w(s.m_program.data(), CShapeDef::kProgramSize);
    s.m_nAreaPos = 0;
    w.Rect(kOpEllipse, CFltRect(1024, 512, 2048, 1536));   // centre (1536, 1024), 1024 × 1024
    w.RoundRect(CFltRect(0, 0, 0, 0), {400, 100});
    w.End(kOpEndFill);
    s.m_nProgramLength = w.Pos();
    ASSERT_TRUE(s.OrientToLine(CRect(0, 0, 2049, 1025), {0, 0}, {0, 9}, CFltPoint(1024, 1024)));
    // Centre turned to (1024, 1536) and scaled by (2048/2048, 1024/2048);
    // half axes scaled only: 512 and 256.
    EXPECT_EQ(ReadOutlineRect(s.m_program.data() + 1), CFltRect(512, 512, 1536, 1024));
    EXPECT_EQ(ReadOutlinePoint(s.m_program.data() + 34 + 32), CFltPoint(-100, 200));
}

TEST(OrientToLine, RefusesProgramsWithCirclesOrNoEndByte)
{
    CShapeDef s;
    COutlineWriter w(s.m_program.data(), CShapeDef::kProgramSize);
    s.m_nLinePos = 0;
    w.Circle({1024, 1024}, 10);
    w.Line({0, 0}, {1, 1});
    w.End(kOpEndOutline);
    s.m_nProgramLength = w.Pos();
    const std::array<BYTE, CShapeDef::kProgramSize> before = s.m_program;
    EXPECT_FALSE(s.OrientToLine(CRect(0, 0, 10, 10), {0, 0}, {5, 5}, CFltPoint(1024, 1024)));
    EXPECT_EQ(s.m_program, before);
    CShapeDef t = LineShape(1);
    t.m_nProgramLength -= 1;
    EXPECT_FALSE(t.OrientToLine(CRect(0, 0, 10, 10), {0, 0}, {5, 5}, CFltPoint(1024, 1024)));
    CShapeDef u;
    EXPECT_FALSE(u.SetProgram(s.m_program.data(), s.m_nProgramLength, -1, 0));
    EXPECT_TRUE(u.SetProgram(LineShape(1).m_program.data(), LineShape(1).m_nProgramLength, -1, 0));
}
