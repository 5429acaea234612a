// Boxes with rows and columns, rounded boxes with compartments, the
// double-framed and bevelled boxes, the round- and arc-sided boxes and the
// two-column comment: the special shapes whose dividers split their text.
#include "ContentLibraries.h"

#include <numeric>

namespace {
constexpr int kRowHeight = kInch * 3 / 10;
} // namespace

// Rows of the given heights under each other; the first `textRows` rows
// hold text.
SymbolSketch Rows(const std::string& name, int width, const std::vector<int>& heights, int textRows)
{
    const int h = std::accumulate(heights.begin(), heights.end(), 0);
    SymbolSketch s = RectFrame(name, width, h);
    double y = 0;
    for (size_t i = 0; i + 1 < heights.size(); ++i) {
        y += heights[i];
        s.Line({0, y}, {double(width), y});
    }
    y = 0;
    for (int i = 0; i < textRows; ++i) {
        s.Compartment({0, y, double(width), y + heights[size_t(i)]});
        y += heights[size_t(i)];
    }
    return s;
}

SymbolSketch Columns(const std::string& name, int columns, int columnWidth, int height)
{
    const int w = columns * columnWidth;
    SymbolSketch s = RectFrame(name, w, height);
    for (int i = 1; i < columns; ++i)
        s.Line({double(i * columnWidth), 0}, {double(i * columnWidth), double(height)});
    for (int i = 0; i < columns; ++i)
        s.Compartment({double(i * columnWidth), 0, double((i + 1) * columnWidth), double(height)});
    return s;
}

// A 69-point rounded frame of corner radius r (logical units) as filled
// outline, hot zone and the side points.
SymbolSketch RoundedBox(const std::string& name, int w, int h, double r)
{
    SymbolSketch s(name, w, h);
    s.ShapeInSymbolUnits(RoundedFrame(float(r * 2048 / w), float(r * 2048 / h))).SidePoints();
    return s;
}

SymbolSketch RoundedRows(const std::string& name, int w, const std::vector<int>& heights, bool text)
{
    const int h = std::accumulate(heights.begin(), heights.end(), 0);
    SymbolSketch s = RoundedBox(name, w, h, kInch * 0.12);
    double y = 0;
    for (size_t i = 0; i + 1 < heights.size(); ++i) {
        y += heights[i];
        s.Line({0, y}, {double(w), y});
    }
    // The text keeps clear of the rounded corners: their radius may grow to
    // what the text leaves free.
    const double inset = kInch * 0.12 / 2;
    y = 0;
    for (size_t i = 0; i < heights.size() && (text || i == 0); ++i) {
        s.Compartment({0, y, double(w), y + heights[i]}, inset);
        y += heights[i];
    }
    return s;
}

SymbolSketch RoundSided(const std::string& name, int w, int h, bool arc, int boxes)
{
    SymbolSketch s(name, w, h);
    // Half-round sides are half circles of the height; arcs bulge less.
    const double bulge = arc ? h * 0.2 : h / 2.0;
    s.ShapeInSymbolUnits(RoundSidesFrame(float(bulge * 2048 / w), arc)).SidePoints();
    if (boxes > 0)
        s.Compartment({bulge * 0.6, 0, w - bulge * 0.6, double(h)});
    return s;
}

std::vector<SymbolSketch> CompartmentShapes()
{
    const int w = kInch * 8 / 5, r = kRowHeight;
    std::vector<SymbolSketch> v;
    v.push_back(Rows("box r2", w, {r, 2 * r}, 2));
    v.push_back(Rows("box r3", w, {r, r, r}, 3));
    v.push_back(Rows("box r4", w, {r, r, r, r}, 4));
    v.push_back(Rows("box r5", w, {r, r, r, r, r}, 5));
    v.push_back(Rows("box r6", w, {r, r, r, r, r, r}, 6));
    for (int c = 2; c <= 8; ++c)
        v.push_back(Columns("box c" + std::to_string(c), c, kInch * 4 / 5, kInch / 2));

    // Text boxes keep half the corner radius from the sides.
    const double round = kInch * 0.15, bw = kInch * 7.0 / 5, bh = kInch * 7.0 / 10;
    v.push_back(RoundedBox("rounded box", int(bw), int(bh), round).Compartment({0, 0, bw, bh}, round / 2));
    v.push_back(RoundedBox("[rounded box]", int(bw), int(bh), round)
                    .TextBox({round / 2, round / 2, bw - round / 2, bh - round / 2}));
    v.push_back(RoundedRows("rounded r2", w, {r, 2 * r}, true));
    v.push_back(RoundedRows("rounded r3", w, {r, r, r}, true));
    {
        const int cw = kInch, h = kInch * 3 / 5;
        SymbolSketch s = RoundedBox("rounded c2", 2 * cw, h, kInch * 0.12);
        s.Line({double(cw), 0}, {double(cw), double(h)});
        const double inset = kInch * 0.12 / 2;
        s.Compartment({0, 0, double(cw), double(h)}, inset).Compartment({double(cw), 0, 2.0 * cw, double(h)}, inset);
        v.push_back(s);
    }
    {
        // A double frame: the text lives inside the inner one.
        const int fw = kInch * 7 / 5, fh = kInch * 3 / 4, b = 12;
        for (const char* name : {"double rectangle", "frame"}) {
            SymbolSketch s = RectFrame(name, fw, fh);
            s.Rect({b, b, double(fw - b), double(fh - b)}).Compartment({b, b, double(fw - b), double(fh - b)});
            v.push_back(s);
        }
        const int e = 20;
        SymbolSketch bevel = RectFrame("bevel", fw, fh);
        bevel.Rect({e, e, double(fw - e), double(fh - e)})
            .Line({0, 0}, {e, e})
            .Line({0, double(fh)}, {e, double(fh - e)})
            .Line({double(fw - e), double(fh - e)}, {double(fw), double(fh)})
            .Line({double(fw - e), e}, {double(fw), 0})
            .Compartment({e, e, double(fw - e), double(fh - e)});
        v.push_back(bevel);
    }
    {
        // A comment bracket open on the right, with two columns of text.
        const int cw = kInch * 2, ch = kInch * 3 / 4, x = cw * 2 / 5;
        SymbolSketch s("comment c2", cw, ch);
        s.FillRect(s.Whole())
            .Polyline({{double(cw), 0}, {0, 0}, {0, double(ch)}, {double(cw), double(ch)}})
            .Line({double(x), 0}, {double(x), double(ch)})
            .HotZone({{0, 0}, {double(cw), 0}, {double(cw), double(ch)}, {0, double(ch)}})
            .ConnectionPoint({0, ch / 2.0}, "left")
            .Compartment({0, 0, double(x), double(ch)})
            .Compartment({double(x), 0, double(cw), double(ch)});
        v.push_back(s);
    }
    v.push_back(RoundSided("round sides", kInch * 8 / 5, kInch * 3 / 5, false, 1));
    v.push_back(RoundSided("arc sides", kInch * 8 / 5, kInch * 3 / 5, true, 1));
    v.push_back(RoundSided("[arc sides]", kInch * 8 / 5, kInch * 3 / 5, true, 1));
    return v;
}
