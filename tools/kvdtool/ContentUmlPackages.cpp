// The UML packages and components library: packages, subsystems and models
// with their tab and compartments, components, artifacts and nodes.
#include "ContentLibraries.h"

namespace {
using P = SymbolSketch::Pt;
using B = SymbolSketch::Box;

constexpr double kW = kInch * 1.8, kH = kInch * 1.2;
constexpr double kTabW = kInch * 0.7, kTabH = kInch * 0.22;

// The tabbed outline: the tab at the top left, the body below it, and the
// tab's bottom line.
SymbolSketch Tabbed(const std::string& name)
{
    SymbolSketch s(name, int(kW), int(kH));
    s.Shape({{0, 0}, {kTabW, 0}, {kTabW, kTabH}, {kW, kTabH}, {kW, kH}, {0, kH}});
    s.Line({0, kTabH}, {kTabW, kTabH});
    s.ConnectionPoint({kW / 2, kTabH}, "top").ConnectionPoint({kW, kH / 2}, "right");
    s.ConnectionPoint({kW / 2, kH}, "bottom").ConnectionPoint({0, kH / 2}, "left");
    return s;
}

constexpr B kTab{0, 0, kTabW, kTabH};
constexpr B kBody{0, kTabH, kW, kH};
// The tab's text when its width has a handle of its own.
constexpr B kTabText{0, 0, kTabW * 0.75, kTabH};
// The body's text when the program draws an icon at its top right.
constexpr B kBodyText{0, kTabH, kW - kInch * 0.45, kH};

enum class Body { Plain, Rows, Columns, ColumnsAndRows };

// The body's lines and compartments after the tab's.
void AddBody(SymbolSketch& s, Body body)
{
    const double y1 = (kTabH + kH) / 2, x1 = kW / 2;
    switch (body) {
    case Body::Plain: s.Compartment(kBody); break;
    case Body::Rows:
        s.Line({0, y1}, {kW, y1}).Compartment({0, kTabH, kW, y1}).Compartment({0, y1, kW, kH});
        break;
    case Body::Columns:
        s.Line({x1, kTabH}, {x1, kH}).Compartment({0, kTabH, x1, kH}).Compartment({x1, kTabH, kW, kH});
        break;
    case Body::ColumnsAndRows:
        s.Line({0, y1}, {x1, y1}).Line({x1, kTabH}, {x1, kH});
        s.Compartment({0, kTabH, x1, y1}).Compartment({0, y1, x1, kH}).Compartment({x1, kTabH, kW, kH});
        break;
    }
}

SymbolSketch Package(const std::string& name, Body body)
{
    SymbolSketch s = Tabbed(name);
    s.Compartment(kTab);
    AddBody(s, body);
    return s;
}

// Subsystems and models: the program draws their icon; the tab's text has
// a width handle of its own.
SymbolSketch Subsystem(const std::string& name, Body body)
{
    SymbolSketch s = Tabbed(name);
    s.Compartment(kTabText);
    AddBody(s, body);
    return s;
}

// "subsystem2" and "model2": the tab holds its whole text; the body's text
// has the width handle and keeps clear of the icon.
SymbolSketch SubsystemWithBodyText(const std::string& name)
{
    SymbolSketch s = Tabbed(name);
    s.Compartment(kTab).Compartment(kBodyText);
    return s;
}

SymbolSketch TabOnly(const std::string& name, bool tabTextHandle)
{
    SymbolSketch s = Tabbed(name);
    s.Compartment(tabTextHandle ? kTabText : kTab);
    return s;
}

// A box whose name compartment leaves room for the icon the program draws.
SymbolSketch IconRows(const std::string& name, bool line, bool nameOnly)
{
    const double w = kInch * 1.6, name_h = kInch * 0.4, h = kInch * 0.9;
    SymbolSketch s = RectFrame(name, int(w), int(h));
    if (line)
        s.Line({0, name_h}, {w, name_h});
    s.Compartment({0, 0, w - kInch * 0.4, nameOnly ? name_h : h});
    return s;
}

// A node: a box seen from above and to the right.
SymbolSketch Node(const std::string& name)
{
    const double w = kInch * 1.6, h = kInch * 1.0, d = kInch * 0.15;
    SymbolSketch s(name, int(w), int(h));
    s.Shape({{0, d}, {d, 0}, {w, 0}, {w, h - d}, {w - d, h}, {0, h}});
    s.Polyline({{0, d}, {w - d, d}, {w - d, h}});
    s.Line({w, 0}, {w - d, d});
    s.Compartment({0, d, w - d, h});
    s.ConnectionPoint({(w - d) / 2, d}, "top").ConnectionPoint({w - d, (h + d) / 2}, "right");
    s.ConnectionPoint({(w - d) / 2, h}, "bottom").ConnectionPoint({0, (h + d) / 2}, "left");
    return s;
}

// A component of the first notation: a box with two small bars on its left.
SymbolSketch Component()
{
    const double w = kInch * 1.5, h = kInch * 0.8, bw = kInch * 0.24, bh = kInch * 0.12, x = bw / 2;
    SymbolSketch s("component", int(w), int(h));
    s.FillRect({x, 0, w, h}).FillRect({0, h * 0.25, bw, h * 0.25 + bh}).FillRect({0, h * 0.6, bw, h * 0.6 + bh});
    s.Rect({x, 0, w, h}).Rect({0, h * 0.25, bw, h * 0.25 + bh}).Rect({0, h * 0.6, bw, h * 0.6 + bh});
    s.HotZone({{x, 0}, {w, 0}, {w, h}, {x, h}});
    s.TextBox({bw + 4, 4, w - 4, h - 4});
    s.ConnectionPoint({(x + w) / 2, 0}, "top").ConnectionPoint({w, h / 2}, "right");
    s.ConnectionPoint({(x + w) / 2, h}, "bottom").ConnectionPoint({0, h / 2}, "left");
    return s;
}
} // namespace

std::vector<SymbolSketch> UmlPackageShapes()
{
    std::vector<SymbolSketch> v;
    v.push_back(Package("package", Body::Plain));
    v.push_back(Package("package r2", Body::Rows));
    v.push_back(Package("package c2", Body::Columns));
    v.push_back(Package("package c2r2a", Body::ColumnsAndRows));
    v.push_back(TabOnly("[package]", false));
    v.push_back(Subsystem("subsystem", Body::Plain));
    v.push_back(Subsystem("subsystem r2", Body::Rows));
    v.push_back(Subsystem("subsystem c2", Body::Columns));
    v.push_back(Subsystem("subsystem c2r2a", Body::ColumnsAndRows));
    v.push_back(SubsystemWithBodyText("subsystem2"));
    v.push_back(TabOnly("[subsystem]", true));
    v.push_back(Subsystem("model", Body::Plain));
    v.push_back(SubsystemWithBodyText("model2"));
    v.push_back(TabOnly("[model]", true));
    v.push_back(Component());
    v.push_back(IconRows("component UML2", false, false));
    v.push_back(IconRows("[component UML2 r2]", true, true));
    v.push_back(IconRows("[component UML2]", false, true));
    v.push_back(IconRows("artifact", false, false));
    v.push_back(IconRows("[artifact r2]", true, true));
    v.push_back(IconRows("[artifact]", false, true));
    v.push_back(Node("node"));
    v.push_back(Node("[node]"));
    return v;
}
