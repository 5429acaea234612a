// The basic shapes and the flowchart symbols: closed outlines, filled, with
// their own hot zone and connection points at the middles of their sides.
#include "ContentLibraries.h"

#include <cmath>

namespace {
using P = SymbolSketch::Pt;
using B = SymbolSketch::Box;

constexpr double kPi = 3.14159265358979323846;
constexpr int kW = kInch * 5 / 4, kH = kInch * 5 / 8;

// A closed outline with its text box.
SymbolSketch Outline(const std::string& name, int w, int h, const std::vector<P>& pts, const B& text)
{
    SymbolSketch s(name, w, h);
    s.Shape(pts).TextBox(text).SidePoints();
    return s;
}

B Inset(double w, double h, double fx, double fy)
{
    return {w * fx, h * fy, w * (1 - fx), h * (1 - fy)};
}

// A regular polygon of n corners in the w x h box, the first at `start`
// radians (0 at the right, counting clockwise on the screen).
std::vector<P> Regular(int n, double w, double h, double start)
{
    std::vector<P> pts;
    for (int i = 0; i < n; ++i) {
        const double a = start + 2 * kPi * i / n;
        pts.push_back({w / 2 + w / 2 * std::cos(a), h / 2 + h / 2 * std::sin(a)});
    }
    return pts;
}

std::vector<P> Star(double w, double h)
{
    std::vector<P> pts;
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + kPi * i / 5, r = i % 2 ? 0.4 : 1.0;
        pts.push_back({w / 2 + w / 2 * r * std::cos(a), h / 2 + h / 2 * r * std::sin(a)});
    }
    return pts;
}

// An arc of the ellipse centred at (cx, cy) with radii rx, ry, from angle
// a0 to a1 (radians) in `steps` steps.
void AddArc(std::vector<P>& pts, double cx, double cy, double rx, double ry, double a0, double a1, int steps)
{
    for (int i = 0; i <= steps; ++i) {
        const double a = a0 + (a1 - a0) * i / steps;
        pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

// A wave along the bottom from right to left: the document's lower edge.
void AddWave(std::vector<P>& pts, double w, double y, double depth)
{
    constexpr int kSteps = 16;
    for (int i = 0; i <= kSteps; ++i) {
        const double x = w * (1 - double(i) / kSteps);
        pts.push_back({x, y - depth * std::sin(2 * kPi * i / kSteps)});
    }
}

SymbolSketch Cylinder(const std::string& name, int w, int h)
{
    const double e = h * 0.12;   // half the height of the end ellipses
    std::vector<P> pts;
    AddArc(pts, w / 2.0, e, w / 2.0, e, kPi, 2 * kPi, 12);          // the top's back edge
    AddArc(pts, w / 2.0, h - e, w / 2.0, e, 0, kPi, 12);            // the bottom's front edge
    SymbolSketch s(name, w, h);
    s.Shape(pts);
    std::vector<P> front;
    AddArc(front, w / 2.0, e, w / 2.0, e, 0, kPi, 12);              // the top's front edge
    s.Polyline(front).TextBox({4, 2 * e + 2, w - 4.0, h - e - 2}).SidePoints();
    return s;
}

SymbolSketch Roundrect(const std::string& name, int w, int h, double r)
{
    SymbolSketch s(name, w, h);
    std::vector<P> pts;
    AddArc(pts, w - r, r, r, r, -kPi / 2, 0, 6);
    AddArc(pts, w - r, h - r, r, r, 0, kPi / 2, 6);
    AddArc(pts, r, h - r, r, r, kPi / 2, kPi, 6);
    AddArc(pts, r, r, r, r, kPi, 1.5 * kPi, 6);
    s.Shape(pts).TextBox({r / 2, 2, w - r / 2, h - 2.0}).SidePoints();
    return s;
}
} // namespace

std::vector<SymbolSketch> BasicShapes()
{
    const double w = kW, h = kH, d = kInch * 0.75;
    std::vector<SymbolSketch> v;
    v.push_back(RectFrame("Rectangle", kW, kH).TextBox({2, 2, w - 2, h - 2}));
    v.push_back(Roundrect("Rounded Rectangle", kW, kH, kInch * 0.12));
    {
        SymbolSketch s("Ellipse", kW, kH);
        s.FillEllipse(s.Whole()).Ellipse(s.Whole()).TextBox(Inset(w, h, 0.15, 0.15)).SidePoints();
        std::vector<P> hot;
        AddArc(hot, w / 2, h / 2, w / 2, h / 2, 0, 2 * kPi, 32);
        s.HotZone(hot);
        v.push_back(s);
    }
    {
        SymbolSketch s("Circle", int(d), int(d));
        s.FillEllipse(s.Whole()).Ellipse(s.Whole()).TextBox(Inset(d, d, 0.15, 0.15)).SidePoints().FixedAspect();
        std::vector<P> hot;
        AddArc(hot, d / 2, d / 2, d / 2, d / 2, 0, 2 * kPi, 32);
        s.HotZone(hot);
        v.push_back(s);
    }
    v.push_back(Outline("Triangle", int(d), int(d), {{d / 2, 0}, {d, d}, {0, d}}, {d * 0.25, d * 0.45, d * 0.75, d}));
    v.push_back(Outline("Right Triangle", int(d), int(d), {{0, 0}, {d, d}, {0, d}}, {0, d * 0.45, d * 0.55, d}));
    v.push_back(Outline("Diamond", kW, int(h * 1.4), {{w / 2, 0}, {w, h * 0.7}, {w / 2, h * 1.4}, {0, h * 0.7}},
                        Inset(w, h * 1.4, 0.25, 0.25)));
    v.push_back(Outline("Parallelogram", kW, kH, {{w * 0.2, 0}, {w, 0}, {w * 0.8, h}, {0, h}}, Inset(w, h, 0.18, 0)));
    v.push_back(Outline("Trapezoid", kW, kH, {{w * 0.2, 0}, {w * 0.8, 0}, {w, h}, {0, h}}, Inset(w, h, 0.15, 0)));
    v.push_back(Outline("Pentagon", int(d), int(d), Regular(5, d, d, -kPi / 2), Inset(d, d, 0.2, 0.25)));
    v.push_back(Outline("Hexagon", kW, kH, {{w * 0.2, 0}, {w * 0.8, 0}, {w, h / 2}, {w * 0.8, h}, {w * 0.2, h}, {0, h / 2}},
                        Inset(w, h, 0.15, 0)));
    v.push_back(Outline("Octagon", int(d), int(d), Regular(8, d, d, kPi / 8), Inset(d, d, 0.12, 0.12)));
    v.push_back(Outline("Star", int(d), int(d), Star(d, d), Inset(d, d, 0.3, 0.35)));
    {
        const double a = d / 3;
        v.push_back(Outline("Cross", int(d), int(d),
                            {{a, 0}, {2 * a, 0}, {2 * a, a}, {d, a}, {d, 2 * a}, {2 * a, 2 * a}, {2 * a, d}, {a, d},
                             {a, 2 * a}, {0, 2 * a}, {0, a}, {a, a}},
                            {a, a, 2 * a, 2 * a}));
    }
    v.push_back(Cylinder("Cylinder", int(kInch * 0.8), kInch));
    {
        const double cw = kInch, ch = kInch, e = kInch * 0.2;
        SymbolSketch s("Cube", int(cw), int(ch));
        s.Shape({{0, e}, {e, 0}, {cw, 0}, {cw, ch - e}, {cw - e, ch}, {0, ch}});
        s.Polyline({{0, e}, {cw - e, e}, {cw - e, ch}}).Line({cw, 0}, {cw - e, e});
        s.TextBox({4, e + 4, cw - e - 4, ch - 4}).SidePoints();
        v.push_back(s);
    }
    {
        // A disc: the program keeps it round.
        const double cd = kInch * 0.6, hole = cd * 0.36;
        SymbolSketch s("cd/dvd", int(cd), int(cd));
        s.FillEllipse(s.Whole()).Ellipse(s.Whole()).Ellipse({(cd - hole) / 2, (cd - hole) / 2, (cd + hole) / 2, (cd + hole) / 2});
        s.HotZone({{0, 0}, {cd, 0}, {cd, cd}, {0, cd}}).SidePoints().FixedAspect();
        v.push_back(s);
    }
    return v;
}

std::vector<SymbolSketch> FlowchartShapes()
{
    const double w = kW, h = kH;
    std::vector<SymbolSketch> v;
    v.push_back(RectFrame("Process", kW, kH).TextBox({2, 2, w - 2, h - 2}));
    v.push_back(Roundrect("Alternate Process", kW, kH, kInch * 0.1));
    {
        SymbolSketch s = Outline("Decision", kW, int(h * 1.4), {{w / 2, 0}, {w, h * 0.7}, {w / 2, h * 1.4}, {0, h * 0.7}},
                                 Inset(w, h * 1.4, 0.2, 0.25));
        v.push_back(s.Oversize());
    }
    v.push_back(Outline("Data", kW, kH, {{w / 6, 0}, {w, 0}, {w * 5 / 6, h}, {0, h}}, Inset(w, h, 1.0 / 6, 0)));
    {
        std::vector<P> pts;
        AddArc(pts, h / 2, h / 2, h / 2, h / 2, kPi / 2, 1.5 * kPi, 10);
        AddArc(pts, w - h / 2, h / 2, h / 2, h / 2, -kPi / 2, kPi / 2, 10);
        v.push_back(Outline("Terminator", kW, kH, pts, {h / 3, 0, w - h / 3, h}));
    }
    {
        SymbolSketch s = RectFrame("Predefined Process", kW, kH);
        s.Line({w * 0.1, 0}, {w * 0.1, h}).Line({w * 0.9, 0}, {w * 0.9, h}).TextBox(Inset(w, h, 0.1, 0));
        v.push_back(s);
    }
    {
        SymbolSketch s = RectFrame("Internal Storage", kW, kH);
        s.Line({w * 0.12, 0}, {w * 0.12, h}).Line({0, h * 0.22}, {w, h * 0.22});
        s.TextBox({w * 0.12, h * 0.22, w, h});
        v.push_back(s);
    }
    {
        std::vector<P> pts{{0, 0}, {w, 0}};
        AddWave(pts, w, h * 0.86, h * 0.1);
        v.push_back(Outline("Document", kW, kH, pts, {2, 2, w - 2, h * 0.8}));
    }
    {
        const double o = kInch * 0.06;
        std::vector<P> pts{{0, 2 * o}, {o, 2 * o}, {o, o}, {2 * o, o}, {2 * o, 0}, {w, 0}, {w, h * 0.7}, {w - o, h * 0.7},
                           {w - o, h * 0.78}, {w - 2 * o, h * 0.78}};
        std::vector<P> wave;
        AddWave(wave, w - 2 * o, h * 0.88, h * 0.08);
        pts.insert(pts.end(), wave.begin(), wave.end());
        SymbolSketch s = Outline("Multidocument", kW, kH, pts, {4, 2 * o + 2, w - 2 * o - 2, h * 0.8});
        s.Polyline({{o, 2 * o}, {w - 2 * o, 2 * o}, {w - 2 * o, h * 0.78}});
        s.Polyline({{2 * o, o}, {w - o, o}, {w - o, h * 0.7}});
        v.push_back(s);
    }
    v.push_back(Outline("Preparation", kW, kH, {{w * 0.2, 0}, {w * 0.8, 0}, {w, h / 2}, {w * 0.8, h}, {w * 0.2, h}, {0, h / 2}},
                        Inset(w, h, 0.15, 0)));
    v.push_back(Outline("Manual Input", kW, kH, {{0, h * 0.35}, {w, 0}, {w, h}, {0, h}}, {2, h * 0.3, w - 2, h - 2}));
    v.push_back(Outline("Manual Operation", kW, kH, {{0, 0}, {w, 0}, {w * 0.8, h}, {w * 0.2, h}}, Inset(w, h, 0.18, 0)));
    {
        const double c = kInch * 0.4;
        SymbolSketch s("Connector", int(c), int(c));
        s.FillEllipse(s.Whole()).Ellipse(s.Whole()).TextBox(Inset(c, c, 0.1, 0.1)).SidePoints().FixedAspect();
        s.HotZone({{0, 0}, {c, 0}, {c, c}, {0, c}});
        v.push_back(s);
    }
    {
        const double c = kInch * 0.5;
        v.push_back(Outline("Off-page Connector", int(c), int(c), {{0, 0}, {c, 0}, {c, c * 0.65}, {c / 2, c}, {0, c * 0.65}},
                            {2, 2, c - 2, c * 0.65}));
    }
    v.push_back(Outline("Card", kW, kH, {{w * 0.15, 0}, {w, 0}, {w, h}, {0, h}, {0, h * 0.3}}, {4, h * 0.3, w - 4, h - 2}));
    {
        std::vector<P> pts;
        std::vector<P> bottom;
        AddWave(bottom, w, h * 0.88, h * 0.12);
        for (const P& p : bottom)
            pts.push_back({w - p.x, h - p.y});     // the top wave, left to right
        pts.insert(pts.end(), bottom.begin(), bottom.end());
        v.push_back(Outline("Punched Tape", kW, kH, pts, Inset(w, h, 0.02, 0.22)));
    }
    {
        const double c = kInch * 0.45, e = c / 2 * 0.70710678, m = c / 2;
        SymbolSketch s("Summing Junction", int(c), int(c));
        s.FillEllipse(s.Whole()).Ellipse(s.Whole()).Line({m - e, m - e}, {m + e, m + e}).Line({m - e, m + e}, {m + e, m - e});
        s.HotZone({{0, 0}, {c, 0}, {c, c}, {0, c}}).SidePoints().FixedAspect();
        v.push_back(s);
        SymbolSketch o("Or", int(c), int(c));
        o.FillEllipse(o.Whole()).Ellipse(o.Whole()).Line({m, 0}, {m, c}).Line({0, m}, {c, m});
        o.HotZone({{0, 0}, {c, 0}, {c, c}, {0, c}}).SidePoints().FixedAspect();
        v.push_back(o);
    }
    v.push_back(Hourglass("collate"));
    {
        const double c = kInch * 0.5;
        SymbolSketch s = Outline("Sort", int(c), int(c), {{c / 2, 0}, {c, c / 2}, {c / 2, c}, {0, c / 2}}, Inset(c, c, 0.25, 0.25));
        s.Line({0, c / 2}, {c, c / 2});
        v.push_back(s);
        v.push_back(Outline("Extract", int(c), int(c), {{c / 2, 0}, {c, c}, {0, c}}, {c * 0.25, c * 0.45, c * 0.75, c}));
        v.push_back(Outline("Merge", int(c), int(c), {{0, 0}, {c, 0}, {c / 2, c}}, {c * 0.25, 0, c * 0.75, c * 0.55}));
    }
    {
        std::vector<P> pts{{w * 0.15, 0}, {w, 0}};
        AddArc(pts, w, h / 2, w * 0.15, h / 2, -kPi / 2, -1.5 * kPi, 12);
        pts.push_back({w * 0.15, h});
        AddArc(pts, w * 0.15, h / 2, w * 0.15, h / 2, kPi / 2, 1.5 * kPi, 12);
        v.push_back(Outline("Stored Data", kW, kH, pts, {w * 0.15, 2, w * 0.82, h - 2}));
    }
    {
        std::vector<P> pts{{0, 0}, {w * 0.7, 0}};
        AddArc(pts, w * 0.7, h / 2, w * 0.3, h / 2, -kPi / 2, kPi / 2, 16);
        pts.push_back({0, h});
        v.push_back(Outline("Delay", kW, kH, pts, {2, 2, w * 0.85, h - 2}));
    }
    {
        std::vector<P> pts{{w * 0.2, 0}, {w * 0.8, 0}};
        AddArc(pts, w * 0.8, h / 2, w * 0.2, h / 2, -kPi / 2, kPi / 2, 12);
        pts.push_back({w * 0.2, h});
        pts.push_back({0, h / 2});
        v.push_back(Outline("Display", kW, kH, pts, {w * 0.15, 2, w * 0.85, h - 2}));
    }
    v.push_back(Cylinder("Database", int(kInch * 0.8), kInch));
    return v;
}
