// The UML behaviour and interaction libraries: states, activities, actions,
// use cases and pseudostates; actors, robustness icons, frames, combined
// fragments and the destruction mark of sequence diagrams.
#include "ContentLibraries.h"

#include <cmath>

namespace {
using P = SymbolSketch::Pt;
using B = SymbolSketch::Box;

constexpr double kCos45 = 0.70710678;

// A state or action with rounded corners; `rows` compartments, of which the
// first holds the name.
SymbolSketch State(const std::string& name, int rows, bool text)
{
    const int w = kInch * 8 / 5, name_h = kInch * 3 / 10, row = kInch * 2 / 5;
    if (rows == 1) {
        const double r = kInch * 0.15;
        SymbolSketch s = RoundedBox(name, kInch * 7 / 5, kInch * 3 / 5, r);
        const B whole = s.Whole();
        if (text)
            s.Compartment(whole, r / 2);
        else
            s.TextBox({r / 2, r / 2, whole.right - r / 2, whole.bottom - r / 2});
        return s;
    }
    std::vector<int> heights{name_h};
    for (int i = 1; i < rows; ++i)
        heights.push_back(row);
    return RoundedRows(name, w, heights, text);
}

// A composite state with concurrent regions split by dashed lines; its name
// sits at the top of the first region.
SymbolSketch RegionState(const std::string& name, int regions)
{
    const double w = kInch * 2.6, region = kInch * 0.7, h = region * regions;
    SymbolSketch s = RoundedBox(name, int(w), int(h), kInch * 0.15);
    for (int i = 1; i < regions; ++i)
        s.Line({0, region * i}, {w, region * i});
    s.TextBox({kInch * 0.15, 6, w - kInch * 0.15, kInch * 0.25});
    return s;
}

// An action: rounded corners, text inside.
SymbolSketch Action(const std::string& name, bool text)
{
    const double r = kInch * 0.12;
    SymbolSketch s = RoundedBox(name, kInch * 7 / 5, kInch * 3 / 5, r);
    if (text)
        s.Compartment(s.Whole(), r / 2);
    else
        s.TextBox({r / 2, r / 2, kInch * 1.4 - r / 2, kInch * 0.6 - r / 2});
    return s;
}

// A use case with a line splitting its name from its extension points.
SymbolSketch UseCase()
{
    const double w = kInch * 2, h = kInch, y = h * 0.45, cx = w / 2, cy = h / 2;
    auto halfWidth = [&](double at) { return cx * std::sqrt(std::max(0.0, 1 - std::pow((at - cy) / cy, 2))); };
    SymbolSketch s("usecase r2", int(w), int(h));
    s.FillEllipse(s.Whole()).Ellipse(s.Whole()).Line({cx - halfWidth(y), y}, {cx + halfWidth(y), y});
    const double top = h * 0.14, bottom = h * 0.86;
    s.TextBox({cx - halfWidth(top + 4), top, cx + halfWidth(top + 4), y - 4});
    s.TextBox({cx - halfWidth(bottom - 4), y + 4, cx + halfWidth(bottom - 4), bottom});
    s.HotZone({{0, 0}, {w, 0}, {w, h}, {0, h}}).SidePoints();
    return s;
}

// A small circle, outlined or solid.
SymbolSketch Dot(const std::string& name, double d, bool solid)
{
    SymbolSketch s(name, int(d), int(d));
    s.FillEllipse(s.Whole()).Ellipse(s.Whole()).FixedAspect();
    s.HotZone({{0, 0}, {d, 0}, {d, d}, {0, d}}).SidePoints();
    if (solid)
        s.Solid();
    return s;
}

// A circle with a cross: the exit point and the flow final node.
SymbolSketch CrossedCircle(const std::string& name)
{
    const double d = kInch * 0.3, c = d / 2, e = c * kCos45;
    SymbolSketch s = Dot(name, d, false);
    s.Line({c - e, c + e}, {c + e, c - e}).Line({c - e, c - e}, {c + e, c + e});
    return s;
}

// The final state: a ring round a solid disc; only the disc is filled.
SymbolSketch FinalState()
{
    const double d = kInch * 0.3, i = d * 0.22;
    SymbolSketch s("stop", int(d), int(d));
    s.FillEllipse({i, i, d - i, d - i}).Ellipse(s.Whole()).Ellipse({i, i, d - i, d - i}).FixedAspect().Solid();
    s.HotZone({{0, 0}, {d, 0}, {d, d}, {0, d}}).SidePoints();
    return s;
}

} // namespace

// Two triangles meeting at the centre: the time signal and the collate.
SymbolSketch Hourglass(const std::string& name)
{
    const double d = kInch * 0.4, c = d / 2;
    SymbolSketch s(name, int(d), int(d));
    const std::vector<P> pts{{c, c}, {0, 0}, {d, 0}, {c, c}, {d, d}, {0, d}, {c, c}};
    s.FillPolygon(pts).Polyline(pts).FixedAspect();
    s.HotZone({{0, 0}, {d, 0}, {d, d}, {0, d}}).SidePoints();
    return s;
}

namespace {

// A diamond: the decision and merge node.
SymbolSketch Condition(const std::string& name, bool text)
{
    const double d = kInch * 0.5, c = d / 2;
    SymbolSketch s(name, int(d), int(d));
    const std::vector<P> pts{{c, 0}, {d, c}, {c, d}, {0, c}, {c, 0}};
    s.FillPolygon(pts).Polyline(pts).HotZone(pts).SidePoints();
    if (text)
        s.TextBox({d * 0.2, d * 0.25, d * 0.8, d * 0.75}).Oversize();
    return s;
}

SymbolSketch Bar(const std::string& name, bool horizontal)
{
    const double w = horizontal ? kInch * 1.2 : kInch * 0.08, h = horizontal ? kInch * 0.08 : kInch * 1.2;
    SymbolSketch s = RectFrame(name, int(w), int(h));
    // Its corners keep the bar's proportions; its sides stretch it.
    s.Solid().FixedAspect();
    return s;
}

// A round-sided activity; "activity dc", "subactivity" and the UML 2 form
// carry the program's icon.
SymbolSketch Activity(const std::string& name, int boxes)
{
    return RoundSided(name, kInch * 8 / 5, kInch * 3 / 5, false, boxes);
}

// The frame of an interaction: its name in a tab at the top left with the
// tab's lower right corner cut off. The cut follows the name's text box as
// the program refits it: the tab's corner points lie as far outside the box
// as its far corner.
SymbolSketch NamedFrame(const std::string& name, int operands)
{
    const double w = kInch * 3, h = kInch * 2, bx = kInch * 0.7, by = kInch * 0.2, e = kInch * 0.06;
    const double inset = 3;
    SymbolSketch s = RectFrame(name, int(w), int(h));
    const double right = bx - inset, bottom = by - inset;
    s.Polyline({{bx + e, 0}, {bx + e, 2 * bottom - (by + e)}, {2 * right - (bx + e), by + e}, {0, by + e}});
    const double top = by + e;
    for (int i = 1; i < operands; ++i) {
        const double y = top + (h - top) * i / operands;
        s.Line({0, y}, {w, y});
    }
    s.Compartment({0, 0, bx, by}, inset);
    return s;
}

// The destruction of a lifeline: a saltire of two thick bars.
SymbolSketch Destruct()
{
    const double d = kInch * 0.4, c = d / 2, v = d * 0.12;
    SymbolSketch s("destruct", int(d), int(d));
    s.Shape({{0, v}, {v, 0}, {c, c - v}, {d - v, 0}, {d, v}, {c + v, c}, {d, d - v}, {d - v, d}, {c, c + v}, {v, d},
             {0, d - v}, {c - v, c}});
    s.FixedAspect().Solid().ConnectionPoint({c, c}, "centre");
    return s;
}

SymbolSketch StickActor()
{
    const double w = kInch * 0.4, h = kInch * 0.8, c = w / 2, head = w * 0.5;
    SymbolSketch s("actor", int(w), int(h));
    const B headBox{c - head / 2, 0, c + head / 2, head};
    s.FillEllipse(headBox).Ellipse(headBox);
    s.Line({c, head}, {c, h * 0.62}).Line({0, h * 0.38}, {w, h * 0.38});
    s.Line({c, h * 0.62}, {0, h}).Line({c, h * 0.62}, {w, h});
    s.HotZone({{0, 0}, {w, 0}, {w, h}, {0, h}}).SidePoints().FixedAspect();
    return s;
}

// The robustness icons: a circle with a bar on its left (boundary), on its
// base (entity) or an arrowhead on its top (control).
SymbolSketch RobustnessIcon(const std::string& name, int kind)
{
    const double d = kInch * 0.4;
    const double w = kind == 0 ? d * 1.3 : d, h = kind == 0 ? d : d * 1.12;
    SymbolSketch s(name, int(w), int(h));
    // The circle: at the right of the boundary's bar, above the entity's
    // base, below the control's arrowhead.
    const double top = kind == 2 ? h - d : 0;
    const B circle{w - d, top, w, top + d};
    s.FillEllipse(circle).Ellipse(circle);
    if (kind == 0) {
        s.Line({0, 0}, {0, h}).Line({0, h / 2}, {w - d, h / 2});
    } else if (kind == 1) {
        s.Line({0, h}, {w, h});
    } else {
        const double c = w / 2, a = top;
        s.Line({c - a, top}, {c + a * 0.6, 0}).Line({c - a, top}, {c + a * 0.6, 2 * a});
    }
    s.HotZone({{0, 0}, {w, 0}, {w, h}, {0, h}}).SidePoints().FixedAspect();
    return s;
}

SymbolSketch Activation()
{
    SymbolSketch s = RectFrame("seq activation", kInch / 8, kInch);
    s.FixedAspect();
    return s;
}

SymbolSketch History(const std::string& name)
{
    SymbolSketch s = Dot(name, kInch * 0.3, false);
    s.TextBox({0, 0, kInch * 0.3, kInch * 0.3});
    return s;
}
} // namespace

std::vector<SymbolSketch> UmlBehaviourShapes()
{
    std::vector<SymbolSketch> v;
    v.push_back(State("state", 1, true));
    v.push_back(State("[state]", 1, false));
    v.push_back(State("state r2", 2, true));
    v.push_back(State("state r2 hd", 2, true));
    v.push_back(State("[state r2]", 2, false));
    v.push_back(State("state r3", 3, true));
    v.push_back(RegionState("[state cb2]", 2));
    v.push_back(RegionState("[state cb3]", 3));
    v.push_back(RegionState("[state cb4]", 4));
    v.push_back(Dot("start", kInch * 0.25, true));
    v.push_back(FinalState());
    v.push_back(Dot("junction state", kInch * 0.15, true));
    v.push_back(History("history"));
    v.push_back(History("deep history"));
    v.push_back(Dot("entry point", kInch * 0.25, false));
    v.push_back(CrossedCircle("exit point"));
    v.push_back(Activity("activity", 1));
    v.push_back(Activity("[activity]", 1));
    v.push_back(Activity("activity dc", 1));
    v.push_back(Activity("subactivity", 1));
    v.push_back(Activity("subactivity UML2", 1));
    v.push_back(Action("action", true));
    v.push_back(Action("action dc", true));
    v.push_back(Action("action subact", true));
    v.push_back(Action("[action]", false));
    v.push_back(Condition("condition", true));
    v.push_back(Condition("condition notxt", false));
    v.push_back(Bar("fork/join horz", true));
    v.push_back(Bar("fork/join vert", false));
    v.push_back(CrossedCircle("flow final"));
    v.push_back(Hourglass("time signal"));
    v.push_back(UseCase());
    return v;
}

std::vector<SymbolSketch> UmlInteractionShapes()
{
    std::vector<SymbolSketch> v;
    v.push_back(StickActor());
    v.push_back(RobustnessIcon("boundary", 0));
    v.push_back(RobustnessIcon("entity", 1));
    v.push_back(RobustnessIcon("control", 2));
    v.push_back(NamedFrame("[frame]", 1));
    v.push_back(NamedFrame("[combined fragment2]", 2));
    v.push_back(NamedFrame("[combined fragment3]", 3));
    v.push_back(NamedFrame("[combined fragment4]", 4));
    v.push_back(Activation());
    v.push_back(Destruct());
    return v;
}
