#pragma once
// Builds special-shape symbols for tests: any kind's template outline in a
// plain layout, and figure rectangles on which symbol space maps one to one.
#include "SymbolTestSupport.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeOutline.h"
#include "shapes/DividedShapeTemplates.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

inline CFltRect BoxOf(const CFigSymbol& s, int i)
{
    return ReadOutlineRect(s.m_program.data() + s.m_nTextBoxPos + 32 * i);
}

// The n-th operation of the outline, at its opcode.
inline const BYTE* OutlineOpAt(const CFigSymbol& s, int n)
{
    int pos = s.m_nOutlinePos;
    for (int i = 0; i < n; ++i)
        pos += OutlineOpSize(s.m_program.data(), s.m_nProgramLength, pos);
    return s.m_program.data() + pos;
}

// "box r3": rows 0..600, 600..1400 and 1400..2048 with the given text boxes.
inline CFigSymbol BoxR3With(std::initializer_list<CFltRect> boxes)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 600}, {2048, 600});
        w.Line({0, 1400}, {2048, 1400});
    }).TextBoxes(boxes);
    b.sym.Reshape = 2;
    return b.sym;
}

// On this rectangle a symbol-space coordinate maps to the same figure unit.
inline CRect UnitRect() { return CRect(0, 0, 2049, 2049); }

inline std::vector<CFltPoint> RoundedFrame69(float w = 2048, float h = 2048)
{
    std::vector<CFltPoint> pts;
    for (const TemplatePt& t : RoundedRectTemplate69)
        pts.emplace_back(t.x * w / 1000, t.y * h / 1000);
    return pts;
}

// Every name of the special-shape table with its kind, in table order.
struct SpecialName {
    const char* name;
    int kind;
};
inline constexpr SpecialName kSpecialNames[] = {
    {"box r2", 1}, {"class/object r2", 1}, {"box r3", 2}, {"class/object r3", 2}, {"box r4", 3}, {"box r5", 4},
    {"box r6", 5}, {"dog ear", 6}, {"note", 6}, {"package", 7}, {"package r2", 8}, {"package c2", 9},
    {"package c2r2a", 10}, {"arrow left open", 11}, {"arrow left", 12}, {"arrow right open", 13},
    {"arrow right", 14}, {"arrow left/right", 15}, {"arrow down", 16}, {"arrow up", 17}, {"arrow up/down", 18},
    {"double rectangle", 19}, {"frame", 19}, {"bevel", 20}, {"comment c2", 21}, {"rounded box", 22},
    {"state", 22}, {"rounded c2", 23}, {"state r3", 24}, {"rounded r3", 24}, {"[rounded box]", 25},
    {"[state]", 25}, {"[arrow left open]", 27}, {"[arrow left]", 29}, {"[arrow right open]", 31},
    {"[arrow right]", 33}, {"[arrow left/right]", 35}, {"[arrow down]", 37}, {"[arrow up]", 39},
    {"[arrow up/down]", 41}, {"box c2", 43}, {"box c3", 44}, {"box c4", 45}, {"box c5", 46}, {"box c6", 47},
    {"box c7", 48}, {"box c8", 49}, {"qfr below", 50}, {"qfr above", 51}, {"utility", 52}, {"multiobject", 53},
    {"subsystem2", 54}, {"subsystem", 55}, {"model2", 56}, {"model", 57}, {"rounded r2", 58}, {"state r2", 58},
    {"node", 59}, {"usecase r2", 60}, {"destruct", 61}, {"activity dc", 62}, {"qfr right", 63},
    {"qfr left", 64}, {"[swim lanes 2]", 65}, {"[swim lanes 3]", 66}, {"[swim lanes 4]", 67},
    {"[swim lanes 5]", 68}, {"[swim lanes 6]", 69}, {"[swim lanes 7]", 70}, {"[swim lanes 8]", 71},
    {"[partition 1x2]", 65}, {"[partition 1x3]", 66}, {"[partition 1x4]", 67}, {"[partition 1x5]", 68},
    {"[partition 1x6]", 69}, {"[partition 1x7]", 70}, {"[partition 1x8]", 71}, {"[partition 2x1]", 147},
    {"[partition 3x1]", 148}, {"[partition 4x1]", 149}, {"[partition 5x1]", 150}, {"[partition 6x1]", 151},
    {"[partition 7x1]", 152}, {"[partition 8x1]", 153}, {"[partition 2x2]", 154}, {"[partition 2x3]", 155},
    {"[partition 3x2]", 156}, {"[partition 3x3]", 157}, {"[partition 4x2]", 158}, {"[partition 2x4]", 159},
    {"[partition 4x3]", 160}, {"[partition 3x4]", 161}, {"[partition 4x4]", 162}, {"[package]", 72},
    {"[class/object r2]", 73}, {"[state r2]", 74}, {"subsystem c2", 75}, {"subsystem r2", 76},
    {"subsystem c2r2a", 77}, {"[subsystem]", 78}, {"[model]", 79}, {"class actor", 80}, {"class control", 81},
    {"class boundary", 82}, {"class entity", 83}, {"subactivity", 84}, {"state r2 hd", 85},
    {"class actor r2", 86}, {"class boundary r2", 87}, {"class entity r2", 88}, {"class control r2", 89},
    {"class actor r3", 90}, {"class boundary r3", 91}, {"class entity r3", 92}, {"class control r3", 93},
    {"[class actor r2]", 94}, {"[class boundary r2]", 95}, {"[class entity r2]", 96},
    {"[class control r2]", 97}, {"class # r2", 98}, {"class # r3", 99}, {"[class # r2]", 100},
    {"round sides", 101}, {"activity", 101}, {"[activity]", 103}, {"arc sides", 102}, {"[arc sides]", 104},
    {"class nodiv r2", 105}, {"component UML2", 118}, {"[component UML2 r2]", 119}, {"[component UML2]", 120},
    {"artifact", 121}, {"[artifact r2]", 122}, {"[artifact]", 123}, {"[frame]", 124},
    {"subactivity UML2", 125}, {"[class actor]", 126}, {"[class boundary]", 127}, {"[class entity]", 128},
    {"[class control]", 129}, {"[class #]", 130}, {"[node]", 131}, {"action", 144}, {"action dc", 132},
    {"action subact", 145}, {"[action]", 146}, {"active class/object r2", 134},
    {"active class/object r3", 135}, {"active class/object", 136}, {"[active class/object]", 137},
    {"[combined fragment2]", 138}, {"[combined fragment3]", 139}, {"[combined fragment4]", 140},
    {"[state cb2]", 141}, {"[state cb3]", 142}, {"[state cb4]", 143}, {"condition notxt", 164},
    {"condition", 163}, {"exit point", 165}, {"flow final", 166}, {"time signal", 167}, {"collate", 168},
    {"stop", 169}, {"actor", 170}, {"cd/dvd", 171}, {"boundary", 172}, {"entity", 173}, {"control", 174},
};

// The first name that gives the kind; null for the kinds no name gives.
inline const char* NameOfKind(int kind)
{
    for (const SpecialName& n : kSpecialNames)
        if (n.kind == kind)
            return n.name;
    return nullptr;
}

// n points round the symbol box, clockwise from its top-left corner and
// evenly along its sides: a convex frame; their places matter only where a
// test says so.
inline std::vector<CFltPoint> PlainFrame(int n)
{
    if (n == 69)
        return RoundedFrame69();
    std::vector<CFltPoint> pts;
    for (int i = 0; i < n; ++i) {
        const float d = 4.0f * 2048 * static_cast<float>(i) / static_cast<float>(n);   // along the perimeter
        const int side = static_cast<int>(d / 2048);
        const float t = d - 2048.0f * static_cast<float>(side);
        const CFltPoint corner[4] = {{t, 0}, {2048, t}, {2048 - t, 2048}, {0, 2048 - t}};
        pts.push_back(corner[std::min(side, 3)]);
    }
    return pts;
}

// Kinds whose first line is the bottom of a name tab in the top-left corner.
inline bool IsTabKind(int kind)
{
    return (kind >= 7 && kind <= 10) || (kind >= 54 && kind <= 57) || kind == 72 || (kind >= 75 && kind <= 79);
}

// The package frame: a tab of kTabRight x kTabBottom on the body.
constexpr float kTabRight = 640, kTabBottom = 320;
inline std::vector<CFltPoint> TabFrame()
{
    return {{0, 0}, {kTabRight, 0}, {kTabRight, kTabBottom}, {2048, kTabBottom}, {2048, 2048}, {0, 2048}, {0, 0}};
}

// "arrow up/down": tips at the top and bottom middle, heads 512 deep, the
// shaft from x 512 to 1536; vertex 8, the handle, is the shaft's top left.
inline std::vector<CFltPoint> ArrowUpDownFrame()
{
    return {{1024, 0},    {2048, 512}, {1536, 512}, {1536, 1536}, {2048, 1536}, {1024, 2048},
            {0, 1536},    {512, 1536}, {512, 512},  {0, 512},     {1024, 0}};
}

// The arrows with a movable head: tip, head corners and shaft in the order
// the head handle's drag moves them (the head handle is vertex 1, 2, 5 or 8).
inline std::vector<CFltPoint> ArrowFrame(int kind)
{
    switch (kind) {
    case 11:   // left, open: the shaft's end is not closed
    case 12:
        return {{2048, 640}, {768, 640}, {768, 0}, {0, 1024}, {768, 2048}, {768, 1408}, {2048, 1408}, {2048, 640}};
    case 13:
    case 14:
        return {{0, 640}, {1280, 640}, {1280, 0}, {2048, 1024}, {1280, 2048}, {1280, 1408}, {0, 1408}, {0, 640}};
    case 15:
        return {{0, 1024},     {640, 0},     {640, 640}, {1408, 640}, {1408, 0}, {2048, 1024},
                {1408, 2048},  {1408, 1408}, {640, 1408}, {640, 2048}, {0, 1024}};
    case 16:
        return {{1024, 2048}, {2048, 1280}, {1280, 1280}, {1280, 0}, {768, 0}, {768, 1280}, {0, 1280}, {1024, 2048}};
    case 17:
        return {{1024, 0}, {2048, 768}, {1280, 768}, {1280, 2048}, {768, 2048}, {768, 768}, {0, 768}, {1024, 0}};
    default:
        return ArrowUpDownFrame();
    }
}

// The frame polygon a kind's template starts with.
inline std::vector<CFltPoint> FrameOf(int kind, int points)
{
    if (IsTabKind(kind))
        return TabFrame();
    if (kind >= 11 && kind <= 18) {
        std::vector<CFltPoint> arrow = ArrowFrame(kind);
        arrow.resize(static_cast<size_t>(points));
        return arrow;
    }
    return PlainFrame(points);
}

// Whether line `line` of the kind's outline separates columns (is vertical).
inline bool IsVerticalLine(int kind, int line)
{
    int rows, cols;
    GetPartitionGrid(kind, rows, cols);
    if (rows > 0)
        return line >= rows - 1;
    if ((kind >= 43 && kind <= 49) || kind == 21 || kind == 23)
        return true;
    if (kind >= 134 && kind <= 137)
        return line < 2;
    // Packages with columns: the body's column line.
    if (kind == 9 || kind == 75)
        return line == 1;
    if (kind == 10 || kind == 77)
        return line == 2;
    return false;
}

// Kinds whose compartments stand side by side.
inline bool IsColumnKind(int kind)
{
    int rows, cols;
    GetPartitionGrid(kind, rows, cols);
    return (kind >= 43 && kind <= 49) || kind == 21 || kind == 23 || (rows == 1 && cols > 1);
}

// The outline of the kind's template: the frame part, then the second part,
// then the divider lines, evenly spaced (a package's first line is its tab's
// bottom, the others share the body).
inline void WriteTemplateOutline(COutlineWriter& w, int kind, const SpecialTemplate& t)
{
    if (t.frameOp == kOpPolyline) {
        const std::vector<CFltPoint> pts = FrameOf(kind, t.framePoints);
        w.Points(kOpPolyline, pts.data(), t.framePoints);
    } else {
        w.Rect(t.frameOp, CFltRect(0, 0, 2048, 2048));
    }
    if (t.secondOp == kOpRect) {
        w.Rect(kOpRect, CFltRect(256, 256, 1792, 1792));
    } else if (t.secondOp == kOpPolyline) {
        const CFltPoint q[4] = {{512, 0}, {512, 192}, {448, 256}, {0, 256}};
        w.Points(kOpPolyline, q, t.secondPoints);
    }
    const bool tab = IsTabKind(kind);
    for (int i = 0; i < t.lines; ++i) {
        if (tab && i == 0) {
            w.Line({0, kTabBottom}, {kTabRight, kTabBottom});
            continue;
        }
        const float from = tab ? kTabBottom : 0;
        const int n = tab ? t.lines - 1 : t.lines, k = tab ? i - 1 : i;
        const float at = from + (2048 - from) * static_cast<float>(k + 1) / static_cast<float>(n + 1);
        if (IsVerticalLine(kind, i))
            w.Line({2048 * static_cast<float>(k + 1) / static_cast<float>(n + 1), from}, {2048 * static_cast<float>(k + 1) / static_cast<float>(n + 1), 2048});
        else
            w.Line({0, at}, {2048, at});
    }
}

// A symbol of the kind made as the program makes one: named (its kind
// comes from the name, for the kinds that have one), its program set
// through the checked store. The outline follows the kind's template; as
// many text boxes as the kind's limits require (2 when any count will do),
// one per compartment: side by side for column kinds, else stacked (or
// the boxes given).
inline CFigSymbol TemplateSymbol(int kind, int boxes = -2, const std::vector<CFltRect>& placed = {})
{
    SpecialTemplate t;
    const bool has = GetSpecialTemplate(kind, t);
    SymbolBuilder b;
    // A polygon frame is repeated as the second program and the hot zone.
    if (has && t.frameOp == kOpPolyline) {
        const std::vector<CFltPoint> pts = FrameOf(kind, t.framePoints);
        b.Fill([&](COutlineWriter& w) { w.Points(kOpPolygon, pts.data(), t.framePoints); });
        // Open arrows close their hot zone with one more point.
        std::vector<CFltPoint> hot = pts;
        if (kind == 11 || kind == 13 || kind == 27 || kind == 31)
            hot.push_back(pts[0]);
        b.sym.m_hotZone.Set(static_cast<int>(hot.size()), hot.data());
    }
    b.Outline([&](COutlineWriter& w) {
        if (has)
            WriteTemplateOutline(w, kind, t);
        else
            w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
    });
    int n = placed.empty() ? boxes : static_cast<int>(placed.size());
    if (n == -2) {
        n = SpecialLimitBoxCount(kind);
        if (n < 0)
            n = 2;
    }
    const int boxPos = b.w.Pos();
    const bool across = IsColumnKind(kind);
    for (int i = 0; i < n; ++i) {
        const float lo = static_cast<float>(2048 * i / n + 16);
        const float hi = static_cast<float>(2048 * (i + 1) / n - 16);
        const CFltRect box = !placed.empty() ? placed[static_cast<size_t>(i)]
                             : across        ? CFltRect(lo, 64, hi, 1984)
                                             : CFltRect(64, lo, 1984, hi);
        WriteOutlineRect(b.sym.m_program.data() + boxPos + 32 * i, box);
    }
    const std::vector<BYTE> program(b.sym.m_program.begin(), b.sym.m_program.begin() + boxPos + 32 * n);
    CFigSymbol made;
    made.m_hotZone = b.sym.m_hotZone;
    EXPECT_TRUE(made.SetProgram(program.data(), static_cast<int>(program.size()), b.sym.m_nFillPos,
                                b.sym.m_nOutlinePos, -1, boxPos, n))
        << kind;
    if (const char* name = NameOfKind(kind)) {
        made.SetName(name);
        made.ComputeReshapeKind();
        EXPECT_EQ(made.Reshape, kind) << name;
    } else {
        made.Reshape = kind;   // no name gives these kinds
    }
    return made;
}
