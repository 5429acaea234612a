// The polygon frames of special shapes (notes, arrows, the "qfr" shapes,
// multiobject, node, destruct): which points of the frame, its further
// parts, the second program and the hot zone a handle moves.
#include "shapes/DividedShapeHandleMover.h"

#include <vector>

bool CSpecialHandleMover::PolygonFrame()
{
    const float dx = m_dx, dy = m_dy;
    const int k = m_kind;
    auto poly3 = [this](std::initializer_list<PtMove> moves) {
        const std::vector<PtMove> list(moves);
        return EditPolygon(m_cursor, kOpPolyline, 3, [&](CFltPoint* pts, int) {
            for (const PtMove& m : list)
                Move(pts[m.i], m.sx * m_dx, m.sy * m_dy);
        });
    };
    auto line = [this](float ax, float ay, float bx, float by) { return LineMove(m_cursor, ax, ay, bx, by); };
    if (k == 6) {
        return FrameThenSecondAndHot(6, {{1, 1, 0}, {2, 0, 1}},
                                     [&] { return poly3({{0, 1, 0}, {1, 1, 1}, {2, 0, 1}}); }, false, 6, {});
    }
    if (k == 11 || k == 13 || k == 27 || k == 31 || k == 12 || k == 14 || k == 29 || k == 33) {
        const bool eight = k == 12 || k == 14 || k == 29 || k == 33;
        auto boxes = [&] {
            if (k > 14)
                return true;
            const bool left = k == 11 || k == 12;
            return Boxes(1, {{0, left ? dx : 0, dy, left ? 0 : dx, -dy}});
        };
        const std::initializer_list<PtMove> moves7 = {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 1, 0}, {5, 1, -1},
                                                      {6, 0, -1}};
        const std::initializer_list<PtMove> moves8 = {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 1, 0}, {5, 1, -1},
                                                      {6, 0, -1}, {7, 0, 1}};
        if (eight)
            return FrameThenSecondAndHot(8, moves8, boxes, false, 8, {});
        return FrameThenSecondAndHot(7, moves7, boxes, false, 8, {{7, 0, 1}});
    }
    if (k == 15 || k == 35) {
        auto boxes = [&] { return k == 35 || Boxes(1, {{0, dx, dy, -dx, -dy}}); };
        return FrameThenSecondAndHot(11, {{1, 1, 0}, {2, 1, 1}, {3, -1, 1}, {4, -1, 0}, {6, -1, 0}, {7, -1, -1},
                                          {8, 1, -1}, {9, 1, 0}},
                                     boxes, false, 11, {});
    }
    if (k == 16 || k == 17 || k == 37 || k == 39) {
        auto boxes = [&] {
            if (k > 17)
                return true;
            return Boxes(1, {{0, dx, k == 17 ? dy : 0, -dx, k == 16 ? dy : 0}});
        };
        return FrameThenSecondAndHot(8, {{1, 0, 1}, {2, -1, 1}, {3, -1, 0}, {4, 1, 0}, {5, 1, 1}, {6, 0, 1}},
                                     boxes, false, 8, {});
    }
    if (k == 18 || k == 41) {
        auto boxes = [&] { return k == 41 || Boxes(1, {{0, dx, dy, -dx, -dy}}); };
        return FrameThenSecondAndHot(11, {{1, 0, 1}, {2, -1, 1}, {3, -1, -1}, {4, 0, -1}, {6, 0, -1},
                                          {7, 1, -1}, {8, 1, 1}, {9, 0, 1}},
                                     boxes, false, 11, {});
    }
    if (k == 50) {
        return FrameThenSecondAndHot(
            9, {{2, 0, 1}, {3, -1, 1}, {4, -1, 0}, {5, 1, 0}, {6, 1, 1}, {7, 0, 1}},
            [&] { return line(dx, dy, -dx, dy) && Boxes(2, {{0, 0, 0, 0, dy}, {1, dx, dy, -dx, 0}}); }, true, 9,
            {});
    }
    if (k == 51) {
        return FrameThenSecondAndHot(
            9, {{0, 1, 0}, {1, -1, 0}, {2, -1, 1}, {3, 0, 1}, {6, 0, 1}, {7, 1, 1}, {8, 1, 0}},
            [&] { return line(dx, dy, -dx, dy) && Boxes(2, {{0, dx, 0, -dx, dy}, {1, 0, dy, 0, 0}}); }, true, 9,
            {});
    }
    if (k == 63) {
        return FrameThenSecondAndHot(
            9, {{1, 1, 0}, {2, 1, 1}, {3, 0, 1}, {4, 0, -1}, {5, 1, -1}, {6, 1, 0}},
            [&] { return line(dx, dy, dx, -dy) && Boxes(2, {{0, 0, 0, dx, 0}, {1, dx, dy, 0, -dy}}); }, true, 9,
            {});
    }
    if (k == 64) {
        return FrameThenSecondAndHot(
            9, {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {5, 1, 0}, {6, 1, -1}, {7, 0, -1}, {8, 0, 1}},
            [&] { return line(dx, dy, dx, -dy) && Boxes(2, {{0, 0, dy, dx, -dy}, {1, dx, 0, 0, 0}}); }, true, 9,
            {});
    }
    if (k == 53) {
        return FrameThenSecondAndHot(
            9, {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 0, -1}, {5, -1, -1}, {6, -1, 0}, {8, 0, 1}},
            [&] { return poly3({{0, 1, 1}, {1, -1, 1}, {2, -1, -1}}) && Boxes(1, {{0, 0, dy, -dx, 0}}); }, true,
            9, {});
    }
    if (k == 59 || k == 131) {
        return FrameThenSecondAndHot(
            7, {{0, 0, 1}, {1, -1, 0}, {3, 0, -1}, {4, 1, 0}, {6, 0, 1}},
            [&] {
                return poly3({{0, 0, 1}, {1, 1, 1}, {2, 1, 0}}) && line(0, 0, dx, dy) &&
                       Boxes(1, {{0, 0, dy, dx, 0}});
            },
            true, 7, {});
    }
    if (k == 61) {
        // Only the horizontal delta counts: point k moves by (0, dx), (dx, 0),
        // (0, -dx), (-dx, 0) for k mod 4 = 0..3.
        const float d = m_dx;
        auto destruct = [this, d](CFltPoint* pts, int n) {
            for (int i = 0; i < n; ++i) {
                switch (i % 4) {
                case 0: Move(pts[i], 0, d); break;
                case 1: Move(pts[i], d, 0); break;
                case 2: Move(pts[i], 0, -d); break;
                default: Move(pts[i], -d, 0); break;
                }
            }
        };
        Cursor c = Program(m_sym.m_nOutlinePos);
        return EditPolygon(c, kOpPolyline, 13, destruct) && EditSecond(13, destruct) && EditHotZone(13, destruct);
    }
    return false;
}
