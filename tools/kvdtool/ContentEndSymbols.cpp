// End symbols beyond the built-in line ends: the UML ends whose names the
// program knows (generalization, aggregation, composition, containment and
// the rest) and the common ends of other notations (circles, squares,
// diamonds, bars, crow's feet). Drawn on the 1000 grid of line ends: the
// tip at (500, 500), the shape reaching back along the line to x = 1000.
#include "ContentLibraries.h"

#include "shapes/COutlineWriter.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;

struct GridPt {
    double x;
    double y;
};

class EndSketch {
public:
    // lineTo: where the connector line stops, in per cent of the shape's
    // length from the tip (0: it runs to the tip).
    EndSketch(const char* name, int lineTo) { m_shape.SetName(name), m_shape.LineTo = lineTo; }

    // A closed area: filled and outlined.
    EndSketch& Area(std::vector<GridPt> pts)
    {
        m_area.push_back({kOpPolygon, Convert(pts)});
        pts.push_back(pts.front());
        m_line.push_back({kOpPolyline, Convert(pts)});
        return *this;
    }
    EndSketch& Lines(const std::vector<GridPt>& pts)
    {
        m_line.push_back({kOpPolyline, Convert(pts)});
        return *this;
    }
    EndSketch& Circle(GridPt centre, double r, bool filled = true)
    {
        std::vector<GridPt> pts;
        for (int i = 0; i < 24; ++i)
            pts.push_back({centre.x + r * std::cos(2 * kPi * i / 24), centre.y + r * std::sin(2 * kPi * i / 24)});
        return filled ? Area(pts) : Lines(Closed(pts));
    }
    EndSketch& Solid()
    {
        m_shape.Silhouette = 1;
        return *this;
    }

    CShapeDef Make() const
    {
        CShapeDef s = m_shape;
        COutlineWriter w(s.m_program.data(), CShapeDef::kProgramSize);
        int32_t area = -1, line = -1;
        if (!m_area.empty()) {
            area = w.Pos();
            for (const Op& op : m_area)
                w.Points(op.code, op.pts.data(), int(op.pts.size()));
            w.End(kOpEndFill);
        }
        line = w.Pos();
        for (const Op& op : m_line)
            w.Points(op.code, op.pts.data(), int(op.pts.size()));
        w.End(kOpEndOutline);
        const std::vector<BYTE> bytes(s.m_program.begin(), s.m_program.begin() + w.Pos());
        s.SetProgram(bytes.data(), int(bytes.size()), area, line);
        return s;
    }

private:
    struct Op {
        BYTE code;
        std::vector<CFltPoint> pts;
    };
    static std::vector<GridPt> Closed(std::vector<GridPt> pts)
    {
        pts.push_back(pts.front());
        return pts;
    }
    // The grid's 1000 is the symbol space's 2048; three decimals as files
    // write them.
    static std::vector<CFltPoint> Convert(const std::vector<GridPt>& pts)
    {
        std::vector<CFltPoint> out;
        for (const GridPt& p : pts)
            out.emplace_back(float(std::round(p.x * 2048.0) / 1000.0), float(std::round(p.y * 2048.0) / 1000.0));
        return out;
    }
    CShapeDef m_shape;
    std::vector<Op> m_area;
    std::vector<Op> m_line;
};

// The open half circle that receives a ball.
std::vector<GridPt> Socket()
{
    std::vector<GridPt> pts;
    for (int i = 0; i <= 16; ++i) {
        const double a = kPi / 2 + kPi * i / 16;
        pts.push_back({700 + 200 * std::cos(a), 500 + 200 * std::sin(a)});
    }
    return pts;
}
} // namespace

std::vector<CShapeDef> UmlEndSymbols()
{
    const std::vector<GridPt> head{{500, 500}, {1000, 300}, {1000, 700}};
    const std::vector<GridPt> diamond{{500, 500}, {750, 350}, {1000, 500}, {750, 650}};
    std::vector<CShapeDef> v;
    v.push_back(EndSketch("arrow umlstick", 0).Lines({{1000, 300}, {500, 500}, {1000, 700}}).Make());
    v.push_back(EndSketch("arrow umlsolid", 100).Area(head).Solid().Make());
    v.push_back(EndSketch("arrow umlopen", 100).Area(head).Make());
    v.push_back(EndSketch("aggregation", 100).Area(diamond).Make());
    v.push_back(EndSketch("composition", 100).Area(diamond).Solid().Make());
    v.push_back(EndSketch("containment", 100)
                    .Circle({700, 500}, 200)
                    .Lines({{500, 500}, {900, 500}})
                    .Lines({{700, 300}, {700, 700}})
                    .Make());
    v.push_back(EndSketch("unnavigable", 0).Lines({{600, 350}, {900, 650}}).Lines({{600, 650}, {900, 350}}).Make());
    v.push_back(EndSketch("anchor point", 100).Circle({600, 500}, 100).Make());
    v.push_back(EndSketch("ball for socket", 100).Circle({700, 500}, 200).Make());
    v.push_back(EndSketch("socket for ball", 0).Lines(Socket()).Make());
    return v;
}

std::vector<CShapeDef> MoreEndSymbols()
{
    const std::vector<GridPt> square{{500, 350}, {800, 350}, {800, 650}, {500, 650}};
    const std::vector<GridPt> diamond{{500, 500}, {700, 350}, {900, 500}, {700, 650}};
    const std::vector<GridPt> foot{{500, 300}, {750, 500}, {500, 700}};
    std::vector<CShapeDef> v;
    v.push_back(EndSketch("circle", 100).Circle({650, 500}, 150).Make());
    v.push_back(EndSketch("circle (solid)", 100).Circle({650, 500}, 150).Solid().Make());
    v.push_back(EndSketch("dot", 50).Circle({500, 500}, 90).Solid().Make());
    v.push_back(EndSketch("square", 100).Area(square).Make());
    v.push_back(EndSketch("square (solid)", 100).Area(square).Solid().Make());
    v.push_back(EndSketch("diamond", 100).Area(diamond).Make());
    v.push_back(EndSketch("diamond (solid)", 100).Area(diamond).Solid().Make());
    v.push_back(EndSketch("half arrow", 0).Lines({{500, 500}, {1000, 300}}).Make());
    v.push_back(EndSketch("slash", 0).Lines({{650, 700}, {850, 300}}).Make());
    v.push_back(EndSketch("tee", 0).Lines({{600, 300}, {600, 700}}).Make());
    v.push_back(EndSketch("one", 0).Lines({{700, 300}, {700, 700}}).Make());
    v.push_back(EndSketch("one and only one", 0).Lines({{650, 300}, {650, 700}}).Lines({{800, 300}, {800, 700}}).Make());
    v.push_back(EndSketch("zero or one", 0).Lines({{650, 300}, {650, 700}}).Circle({850, 500}, 100, false).Make());
    v.push_back(EndSketch("many", 0).Lines(foot).Make());
    v.push_back(EndSketch("one or many", 0).Lines(foot).Lines({{850, 300}, {850, 700}}).Make());
    v.push_back(EndSketch("zero or many", 0).Lines(foot).Circle({875, 500}, 100, false).Make());
    v.push_back(EndSketch("double arrow", 0).Lines({{800, 300}, {500, 500}, {800, 700}}).Lines({{1000, 300}, {700, 500}, {1000, 700}}).Make());
    return v;
}
