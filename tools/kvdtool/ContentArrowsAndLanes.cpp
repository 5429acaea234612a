// Block arrows whose head and shaft a handle reshapes, and the swim lanes
// and partitions of process diagrams.
#include "ContentLibraries.h"

namespace {
using P = SymbolSketch::Pt;
using B = SymbolSketch::Box;

constexpr double kLong = kInch * 1.5, kShort = kInch * 0.75;
constexpr double kHead = kInch * 0.4;     // the head's length
constexpr double kShaft = kShort * 0.28;  // the shaft's distance from the sides

enum class Dir { Left, Right, LeftRight, Down, Up, UpDown };

// The arrow's outline, from the point the kind's handle moves (see the
// special-shape rules): the shaft's text box between the heads.
std::vector<P> ArrowPoints(Dir dir, double w, double h)
{
    const double s = kShaft, a = kHead;
    switch (dir) {
    case Dir::Left: return {{w, s}, {a, s}, {a, 0}, {0, h / 2}, {a, h}, {a, h - s}, {w, h - s}};
    case Dir::Right: return {{0, s}, {w - a, s}, {w - a, 0}, {w, h / 2}, {w - a, h}, {w - a, h - s}, {0, h - s}};
    case Dir::LeftRight:
        return {{0, h / 2}, {a, 0}, {a, s}, {w - a, s}, {w - a, 0}, {w, h / 2},
                {w - a, h}, {w - a, h - s}, {a, h - s}, {a, h}};
    case Dir::Down: return {{w / 2, h}, {w, h - a}, {w - s, h - a}, {w - s, 0}, {s, 0}, {s, h - a}, {0, h - a}};
    case Dir::Up: return {{w / 2, 0}, {w, a}, {w - s, a}, {w - s, h}, {s, h}, {s, a}, {0, a}};
    case Dir::UpDown:
        return {{w / 2, 0}, {w, a}, {w - s, a}, {w - s, h - a}, {w, h - a}, {w / 2, h},
                {0, h - a}, {s, h - a}, {s, a}, {0, a}};
    }
    return {};
}

// The shaft, where the arrow's text goes.
B Shaft(Dir dir, double w, double h)
{
    const double s = kShaft, a = kHead;
    switch (dir) {
    case Dir::Left: return {a, s, w, h - s};
    case Dir::Right: return {0, s, w - a, h - s};
    case Dir::LeftRight: return {a, s, w - a, h - s};
    case Dir::Down: return {s, 0, w - s, h - a};
    case Dir::Up: return {s, a, w - s, h};
    case Dir::UpDown: return {s, a, w - s, h - a};
    }
    return {};
}

// `open`: the tail end has no line (the outline is not closed; the fill
// and hot zone are). Bracketed arrows carry plain text over the whole shape.
SymbolSketch Arrow(const std::string& name, Dir dir, bool open)
{
    const bool vertical = dir == Dir::Down || dir == Dir::Up || dir == Dir::UpDown;
    const double w = vertical ? kShort : (dir == Dir::LeftRight ? kLong * 1.3 : kLong);
    const double h = vertical ? (dir == Dir::UpDown ? kLong * 1.3 : kLong) : kShort;
    std::vector<P> pts = ArrowPoints(dir, w, h);
    SymbolSketch s(name, int(w), int(h));
    if (open) {
        s.FillPolygon(pts).Polyline(pts);
        std::vector<P> closed = pts;
        closed.push_back(pts.front());
        s.HotZone(closed);
    } else {
        s.Shape(pts);
    }
    const B shaft = Shaft(dir, w, h);
    if (name.front() == '[')
        s.TextBox(shaft);
    else
        s.Compartment(shaft);
    // The head's tip and the tail.
    switch (dir) {
    case Dir::Left: s.ConnectionPoint({0, h / 2}, "tip").ConnectionPoint({w, h / 2}, "tail"); break;
    case Dir::Right: s.ConnectionPoint({w, h / 2}, "tip").ConnectionPoint({0, h / 2}, "tail"); break;
    case Dir::Down: s.ConnectionPoint({w / 2, h}, "tip").ConnectionPoint({w / 2, 0}, "tail"); break;
    case Dir::Up: s.ConnectionPoint({w / 2, 0}, "tip").ConnectionPoint({w / 2, h}, "tail"); break;
    case Dir::LeftRight: s.ConnectionPoint({0, h / 2}, "left").ConnectionPoint({w, h / 2}, "right"); break;
    case Dir::UpDown: s.ConnectionPoint({w / 2, 0}, "top").ConnectionPoint({w / 2, h}, "bottom"); break;
    }
    return s;
}

// Lanes and partitions of `rows` x `columns` cells, each cell `cell` wide
// and `cellH` high; one text box across the top for the title.
SymbolSketch Lanes(const std::string& name, int rows, int columns, double cell, double cellH)
{
    const double w = cell * columns, h = cellH * rows;
    SymbolSketch s = RectFrame(name, int(w), int(h));
    for (int r = 1; r < rows; ++r)
        s.Line({0, cellH * r}, {w, cellH * r});
    for (int c = 1; c < columns; ++c)
        s.Line({cell * c, 0}, {cell * c, h});
    s.TextBox({6, 4, w - 6, kInch * 0.3});
    return s;
}
} // namespace

std::vector<SymbolSketch> ArrowShapes()
{
    struct Spec {
        const char* name;
        Dir dir;
        bool open;
    };
    static const Spec specs[] = {
        {"arrow left", Dir::Left, false},       {"arrow left open", Dir::Left, true},
        {"arrow right", Dir::Right, false},     {"arrow right open", Dir::Right, true},
        {"arrow left/right", Dir::LeftRight, false},
        {"arrow up", Dir::Up, false},           {"arrow down", Dir::Down, false},
        {"arrow up/down", Dir::UpDown, false},
        {"[arrow left]", Dir::Left, false},     {"[arrow left open]", Dir::Left, true},
        {"[arrow right]", Dir::Right, false},   {"[arrow right open]", Dir::Right, true},
        {"[arrow left/right]", Dir::LeftRight, false},
        {"[arrow up]", Dir::Up, false},         {"[arrow down]", Dir::Down, false},
        {"[arrow up/down]", Dir::UpDown, false},
    };
    std::vector<SymbolSketch> v;
    for (const Spec& s : specs)
        v.push_back(Arrow(s.name, s.dir, s.open));
    return v;
}

std::vector<SymbolSketch> LaneShapes()
{
    std::vector<SymbolSketch> v;
    const double lane = kInch * 1.6, length = kInch * 3;
    // Swim lanes side by side (one row of columns) ...
    for (int n = 2; n <= 8; ++n) {
        v.push_back(Lanes("[swim lanes " + std::to_string(n) + "]", 1, n, lane, length));
        v.push_back(Lanes("[partition 1x" + std::to_string(n) + "]", 1, n, lane, length));
    }
    // ... lanes under each other (rows of one column) ...
    for (int n = 2; n <= 8; ++n)
        v.push_back(Lanes("[partition " + std::to_string(n) + "x1]", n, 1, length * 1.6, kInch));
    // ... and grids.
    const int grids[][2] = {{2, 2}, {2, 3}, {3, 2}, {3, 3}, {4, 2}, {2, 4}, {4, 3}, {3, 4}, {4, 4}};
    for (const auto& g : grids)
        v.push_back(Lanes("[partition " + std::to_string(g[0]) + "x" + std::to_string(g[1]) + "]", g[0], g[1], lane,
                          kInch * 1.2));
    return v;
}
