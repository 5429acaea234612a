#pragma once
// Builds special-shape symbols for tests: any kind's template outline in a
// plain layout, and figure rectangles on which symbol space maps one to one.
#include "SymbolTestSupport.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeOutline.h"
#include "shapes/DividedShapeTemplates.h"

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

// n points round the symbol box (the first on the top side); their places
// matter only where a test says so.
inline std::vector<CFltPoint> PlainFrame(int n)
{
    if (n == 69)
        return RoundedFrame69();
    std::vector<CFltPoint> pts;
    for (int i = 0; i < n; ++i)
        pts.emplace_back(static_cast<float>(256 + 1536 * i / n), static_cast<float>(i % 2 ? 128 : 0));
    return pts;
}

inline bool IsVerticalLine(int kind, int line, int lines)
{
    int rows, cols;
    GetPartitionGrid(kind, rows, cols);
    if (rows > 0)
        return line >= rows - 1;
    if ((kind >= 43 && kind <= 49) || kind == 21 || kind == 23)
        return true;
    if (kind >= 134 && kind <= 137)
        return line < 2;
    (void)lines;
    return false;
}

// A symbol of the kind whose outline follows the kind's template: the frame
// part, then the second part, then evenly spaced divider lines; as many text
// boxes as the kind's limits require (2 when any count will do), stacked.
inline CFigSymbol TemplateSymbol(int kind, int boxes = -2)
{
    SpecialTemplate t;
    const bool has = GetSpecialTemplate(kind, t);
    SymbolBuilder b;
    // A polygon frame is repeated as the second program and the hot zone.
    if (has && t.frameOp == kOpPolyline) {
        const std::vector<CFltPoint> pts = PlainFrame(t.framePoints);
        b.Fill([&](COutlineWriter& w) { w.Points(kOpPolygon, pts.data(), t.framePoints); });
        // Open arrows close their hot zone with one more point.
        std::vector<CFltPoint> hot = pts;
        if (kind == 11 || kind == 13 || kind == 27 || kind == 31)
            hot.push_back(pts[0]);
        b.sym.m_hotZone.Set(static_cast<int>(hot.size()), hot.data());
    }
    b.Outline([&](COutlineWriter& w) {
        if (!has) {
            w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
            return;
        }
        if (t.frameOp == kOpPolyline) {
            const std::vector<CFltPoint> pts = PlainFrame(t.framePoints);
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
        for (int i = 0; i < t.lines; ++i) {
            const float at = static_cast<float>(2048 * (i + 1) / (t.lines + 1));
            if (IsVerticalLine(kind, i, t.lines))
                w.Line({at, 0}, {at, 2048});
            else
                w.Line({0, at}, {2048, at});
        }
    });
    int n = boxes;
    if (n == -2) {
        n = SpecialLimitBoxCount(kind);
        if (n < 0)
            n = 2;
    }
    b.sym.m_nTextBoxPos = b.w.Pos();
    for (int i = 0; i < n; ++i) {
        const float top = static_cast<float>(2048 * i / n + 16);
        const float bottom = static_cast<float>(2048 * (i + 1) / n - 16);
        WriteOutlineRect(b.sym.m_program.data() + b.w.Pos() + 32 * i, CFltRect(64, top, 1984, bottom));
    }
    b.sym.m_nTextBoxes = n;
    b.sym.m_nProgramLength = b.w.Pos() + 32 * n;
    b.sym.Reshape = kind;
    return b.sym;
}
