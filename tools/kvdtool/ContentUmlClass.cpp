// The UML class library: classes and objects with their compartments,
// active classes, the stereotype classes whose icon the program draws in
// their name compartment, split name compartments, utilities, qualifiers,
// multi-objects and notes.
#include "ContentLibraries.h"

namespace {
using P = SymbolSketch::Pt;
using B = SymbolSketch::Box;

constexpr int kW = kInch * 8 / 5;         // a class's width
constexpr int kName = kInch * 3 / 10;     // the name compartment's height
constexpr int kRow = kInch * 9 / 20;      // an attribute or operation compartment

// The stereotype icon the program draws at the figure's top right: a
// square of a quarter inch a sixteenth of an inch in from the sides; in a
// bracketed symbol twice as large, growing left and down.
constexpr int kIconName = kInch * 3 / 8;      // a name compartment that holds the icon
constexpr int kBigIconName = kInch * 5 / 8;   // the same for the doubled icon

// A class whose name compartment holds the icon at its right: the name's
// text box ends before it. `rows` compartments under the name, of which the
// first `textRows` (after the name) hold text.
SymbolSketch IconClass(const std::string& name, int rows, int textRows)
{
    const bool big = name.front() == '[';
    const int nameH = big ? kBigIconName : kIconName, icon = big ? kBigIconName : kIconName;
    const int h = nameH + rows * kRow;
    SymbolSketch s = RectFrame(name, kW, h);
    for (int i = 0; i < rows; ++i)
        s.Line({0, double(nameH + i * kRow)}, {double(kW), double(nameH + i * kRow)});
    s.Compartment({0, 0, double(kW - icon), double(nameH)});
    for (int i = 0; i < textRows; ++i)
        s.Compartment({0, double(nameH + i * kRow), double(kW), double(nameH + (i + 1) * kRow)});
    return s;
}

// A class whose name compartment is split in two: text box 0 is the right
// part, text box 1 the left (a tag column such as an identifier).
SymbolSketch SplitNameClass(const std::string& name, int rows, int textRows, bool line)
{
    const int h = kName + rows * kRow, split = kW * 3 / 10;
    SymbolSketch s = RectFrame(name, kW, h);
    for (int i = 0; i < rows && line; ++i)
        s.Line({0, double(kName + i * kRow)}, {double(kW), double(kName + i * kRow)});
    s.Compartment({double(split), 0, double(kW), double(kName)}).Compartment({0, 0, double(split), double(kName)});
    for (int i = 0; i < textRows; ++i)
        s.Compartment({0, double(kName + i * kRow), double(kW), double(kName + (i + 1) * kRow)});
    return s;
}

// An active class: thick sides drawn as inner bars, rows between them.
SymbolSketch ActiveClass(const std::string& name, int rows, int boxes)
{
    const int bar = kInch / 16, h = rows == 0 ? kName + kRow : kName + rows * kRow;
    SymbolSketch s = RectFrame(name, kW, h);
    s.Line({double(bar), 0}, {double(bar), double(h)}).Line({double(kW - bar), 0}, {double(kW - bar), double(h)});
    for (int i = 0; i < rows; ++i)
        s.Line({double(bar), double(kName + i * kRow)}, {double(kW - bar), double(kName + i * kRow)});
    for (int i = 0; i < boxes; ++i) {
        const double top = i == 0 ? 0 : kName + (i - 1) * kRow;
        const double bottom = i == 0 ? (boxes == 1 && rows == 0 ? h : kName) : kName + i * kRow;
        s.Compartment({double(bar), top, double(kW - bar), bottom});
    }
    return s;
}

// A class with a qualifier box on one side: `side` 0 below, 1 above, 2 right,
// 3 left. The frame is the outline of both boxes, the line their border.
SymbolSketch Qualified(const std::string& name, int side)
{
    const double q = kInch * 0.3;   // the qualifier's depth
    if (side < 2) {
        const double w = kW, body = kName + kRow, h = body + q, xl = w * 0.3, xr = w * 0.7;
        SymbolSketch s(name, int(w), int(h));
        if (side == 0) {
            s.Shape({{0, 0}, {w, 0}, {w, body}, {xr, body}, {xr, h}, {xl, h}, {xl, body}, {0, body}});
            s.Line({xl, body}, {xr, body}).Compartment({0, 0, w, body}).Compartment({xl, body, xr, h});
            s.ConnectionPoint({w / 2, 0}, "top").ConnectionPoint({w / 2, h}, "qualifier");
        } else {
            s.Shape({{xl, 0}, {xr, 0}, {xr, q}, {w, q}, {w, h}, {0, h}, {0, q}, {xl, q}});
            s.Line({xl, q}, {xr, q}).Compartment({xl, 0, xr, q}).Compartment({0, q, w, h});
            s.ConnectionPoint({w / 2, 0}, "qualifier").ConnectionPoint({w / 2, h}, "bottom");
        }
        return s;
    }
    const double body = kInch * 1.2, qw = kInch * 0.5, h = kName + kRow, w = body + qw;
    const double yt = h * 0.3, yb = h * 0.7;
    SymbolSketch s(name, int(w), int(h));
    if (side == 2) {
        s.Shape({{0, 0}, {body, 0}, {body, yt}, {w, yt}, {w, yb}, {body, yb}, {body, h}, {0, h}});
        s.Line({body, yt}, {body, yb}).Compartment({0, 0, body, h}).Compartment({body, yt, w, yb});
        s.ConnectionPoint({0, h / 2}, "left").ConnectionPoint({w, h / 2}, "qualifier");
    } else {
        s.Shape({{0, yt}, {qw, yt}, {qw, 0}, {w, 0}, {w, h}, {qw, h}, {qw, yb}, {0, yb}});
        s.Line({qw, yt}, {qw, yb}).Compartment({0, yt, qw, yb}).Compartment({qw, 0, w, h});
        s.ConnectionPoint({0, h / 2}, "qualifier").ConnectionPoint({w, h / 2}, "right");
    }
    return s;
}

// Several objects: a box with a second box behind it, up and to the right.
SymbolSketch MultiObject()
{
    const double w = kW, h = kInch * 0.8, o = kInch * 0.08;
    SymbolSketch s("multiobject", int(w), int(h));
    s.Shape({{0, o}, {o, o}, {o, 0}, {w, 0}, {w, h - o}, {w - o, h - o}, {w - o, h}, {0, h}});
    s.Polyline({{o, o}, {w - o, o}, {w - o, h - o}});
    s.Compartment({0, o, w - o, h}).SidePoints();
    return s;
}

// A note: its top right corner folded over.
SymbolSketch Note(const std::string& name)
{
    const double w = kInch * 1.4, h = kInch * 0.8, f = kInch * 0.18;
    SymbolSketch s(name, int(w), int(h));
    s.Shape({{0, 0}, {w - f, 0}, {w, f}, {w, h}, {0, h}});
    s.Polyline({{w - f, 0}, {w - f, f}, {w, f}});
    // The text keeps clear of the fold: its distance from the top and right
    // sides is what the fold may grow to.
    s.Compartment({0, f, w - f, h}).SidePoints();
    return s;
}

// A stereotype class of one compartment, its icon at the name's right.
SymbolSketch IconBox(const std::string& name)
{
    SymbolSketch s = RectFrame(name, kW, kIconName + kInch / 8);
    s.Compartment({0, 0, double(kW - kIconName), double(kIconName + kInch / 8)});
    return s;
}

// A bracketed stereotype class: the name beside the doubled icon, the rest
// of the box without line or text.
SymbolSketch IconNameOnly(const std::string& name)
{
    SymbolSketch s = RectFrame(name, kW, kBigIconName + kRow);
    s.Compartment({0, 0, double(kW - kBigIconName), double(kBigIconName)});
    return s;
}

SymbolSketch Lollipop()
{
    const double d = kInch * 0.25;
    SymbolSketch s("interface", int(d), int(d));
    s.FillEllipse(s.Whole()).Ellipse(s.Whole()).FixedAspect();
    s.HotZone({{0, 0}, {d, 0}, {d, d}, {0, d}}).ConnectionPoint({d / 2, d / 2}, "centre");
    return s;
}
} // namespace

std::vector<SymbolSketch> UmlClassShapes()
{
    std::vector<SymbolSketch> v;
    v.push_back(Rows("class/object r2", kW, {kName, kRow}, 2));
    v.push_back(Rows("class/object r3", kW, {kName, kRow, kRow}, 3));
    v.push_back(Rows("[class/object r2]", kW, {kName, kRow}, 1));
    {
        // Two compartments without a line between them.
        SymbolSketch s = RectFrame("class nodiv r2", kW, kName + kRow);
        s.Compartment({0, 0, double(kW), double(kName)}).Compartment({0, double(kName), double(kW), double(kName + kRow)});
        v.push_back(s);
    }
    {
        // A utility: name, an empty compartment, operations.
        const int h = kName + kInch / 8 + kRow;
        SymbolSketch s = RectFrame("utility", kW, h);
        s.Line({0, double(kName)}, {double(kW), double(kName)})
            .Line({0, double(kName + kInch / 8)}, {double(kW), double(kName + kInch / 8)})
            .Compartment({0, 0, double(kW), double(kName)})
            .Compartment({0, double(kName + kInch / 8), double(kW), double(h)});
        v.push_back(s);
    }
    v.push_back(ActiveClass("active class/object r2", 1, 2));
    v.push_back(ActiveClass("active class/object r3", 2, 3));
    v.push_back(ActiveClass("active class/object", 0, 1));
    v.push_back(ActiveClass("[active class/object]", 0, 1));

    const char* stereotypes[] = {"actor", "boundary", "entity", "control"};
    for (const char* st : stereotypes) {
        const std::string base = std::string("class ") + st;
        v.push_back(IconBox(base));
        v.push_back(IconClass(base + " r2", 1, 1));
        v.push_back(IconClass(base + " r3", 2, 2));
        v.push_back(IconClass("[" + base + " r2]", 1, 0));
        v.push_back(IconNameOnly("[" + base + "]"));
    }
    v.push_back(SplitNameClass("class # r2", 1, 1, true));
    v.push_back(SplitNameClass("class # r3", 2, 2, true));
    v.push_back(SplitNameClass("[class # r2]", 1, 0, true));
    v.push_back(SplitNameClass("[class #]", 1, 0, false));

    v.push_back(Qualified("qfr below", 0));
    v.push_back(Qualified("qfr above", 1));
    v.push_back(Qualified("qfr right", 2));
    v.push_back(Qualified("qfr left", 3));
    v.push_back(MultiObject());
    v.push_back(Note("note"));
    v.push_back(Note("dog ear"));
    v.push_back(Lollipop());
    return v;
}
