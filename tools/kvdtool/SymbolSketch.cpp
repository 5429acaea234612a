#include "SymbolSketch.h"

#include "shapes/COutlineWriter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kSpace = 2048.0;

// Symbol coordinates with three decimals, as the files write them, so
// that a library reads back exactly as it was made.
float Rounded(double v)
{
    return float(std::round(std::clamp(v, 0.0, kSpace) * 1000.0) / 1000.0);
}
} // namespace

SymbolSketch::SymbolSketch(std::string name, int width, int height)
    : m_strName(std::move(name)), m_nWidth(width), m_nHeight(height)
{
}

CFltPoint SymbolSketch::ToSymbol(Pt p) const
{
    return {Rounded(p.x * kSpace / m_nWidth), Rounded(p.y * kSpace / m_nHeight)};
}

CFltRect SymbolSketch::ToSymbol(const Box& b) const
{
    const CFltPoint a = ToSymbol(Pt{b.left, b.top}), c = ToSymbol(Pt{b.right, b.bottom});
    return {a.x, a.y, c.x, c.y};
}

SymbolSketch& SymbolSketch::Add(std::vector<Op>& ops, BYTE code, const Box& r)
{
    const CFltRect s = ToSymbol(r);
    ops.push_back({code, {s.GetCorner1(), s.GetCorner2()}});
    return *this;
}

SymbolSketch& SymbolSketch::Add(std::vector<Op>& ops, BYTE code, const std::vector<Pt>& pts)
{
    Op op{code, {}};
    for (const Pt& p : pts)
        op.pts.push_back(ToSymbol(p));
    ops.push_back(std::move(op));
    return *this;
}

SymbolSketch& SymbolSketch::FillRect(const Box& r) { return Add(m_fill, kOpRect, r); }
SymbolSketch& SymbolSketch::FillEllipse(const Box& r) { return Add(m_fill, kOpEllipse, r); }
SymbolSketch& SymbolSketch::FillPolygon(const std::vector<Pt>& pts) { return Add(m_fill, kOpPolygon, pts); }
SymbolSketch& SymbolSketch::Rect(const Box& r) { return Add(m_outline, kOpRect, r); }
SymbolSketch& SymbolSketch::Ellipse(const Box& r) { return Add(m_outline, kOpEllipse, r); }
SymbolSketch& SymbolSketch::Polyline(const std::vector<Pt>& pts) { return Add(m_outline, kOpPolyline, pts); }

SymbolSketch& SymbolSketch::Line(Pt a, Pt b)
{
    m_outline.push_back({kOpLine, {ToSymbol(a), ToSymbol(b)}});
    return *this;
}

SymbolSketch& SymbolSketch::Arc(const Box& r, Pt start, Pt end)
{
    const CFltRect s = ToSymbol(r);
    m_outline.push_back({kOpArc, {s.GetCorner1(), s.GetCorner2(), ToSymbol(start), ToSymbol(end)}});
    return *this;
}

SymbolSketch& SymbolSketch::Shape(std::vector<Pt> pts)
{
    std::vector<CFltPoint> s;
    for (const Pt& p : pts)
        s.push_back(ToSymbol(p));
    return ShapeInSymbolUnits(std::move(s));
}

SymbolSketch& SymbolSketch::ShapeInSymbolUnits(std::vector<CFltPoint> pts)
{
    if (!(pts.front() == pts.back()))
        pts.push_back(pts.front());
    m_fill.push_back({kOpPolygon, pts});
    m_outline.push_back({kOpPolyline, pts});
    if (m_hot.empty())
        m_hot = pts;
    return *this;
}

SymbolSketch& SymbolSketch::Compartment(const Box& region, double inset)
{
    m_frames.push_back(ToSymbol(region));
    m_boxes.push_back(ToSymbol(Box{region.left + inset, region.top + inset, region.right - inset,
                                   region.bottom - inset}));
    return *this;
}

SymbolSketch& SymbolSketch::TextBox(const Box& box)
{
    m_boxes.push_back(ToSymbol(box));
    return *this;
}

SymbolSketch& SymbolSketch::HotZone(std::vector<Pt> pts)
{
    m_hot.clear();
    for (const Pt& p : pts)
        m_hot.push_back(ToSymbol(p));
    if (!(m_hot.front() == m_hot.back()))
        m_hot.push_back(m_hot.front());
    return *this;
}

SymbolSketch& SymbolSketch::ConnectionPoint(Pt at, const std::string& name)
{
    m_conPts.emplace_back(ToSymbol(at), name);
    return *this;
}

SymbolSketch& SymbolSketch::SidePoints()
{
    const double w = m_nWidth, h = m_nHeight;
    return ConnectionPoint({w / 2, 0}, "top")
        .ConnectionPoint({w, h / 2}, "right")
        .ConnectionPoint({w / 2, h}, "bottom")
        .ConnectionPoint({0, h / 2}, "left");
}

SymbolSketch& SymbolSketch::FixedAspect()
{
    m_bFixedAspect = true;
    return *this;
}

SymbolSketch& SymbolSketch::Oversize()
{
    m_bOversize = true;
    return *this;
}

SymbolSketch& SymbolSketch::Solid()
{
    m_bSolid = true;
    return *this;
}

SymbolSketch& SymbolSketch::NoOwnSize()
{
    m_bOwnSize = false;
    return *this;
}

bool SymbolSketch::Make(CFigSymbol& s) const
{
    s.Clear();
    s.SetName(m_strName);
    BYTE* area = s.m_program.data();
    COutlineWriter w(area, CFigSymbol::kProgramSize);
    auto emit = [&](const std::vector<Op>& ops) {
        for (const Op& op : ops) {
            switch (op.code) {
            case kOpPolyline:
            case kOpPolygon: w.Points(op.code, op.pts.data(), int(op.pts.size())); break;
            case kOpLine: w.Line(op.pts[0], op.pts[1]); break;
            case kOpArc: {
                CFltRect r;
                r.SetCorners(op.pts[0], op.pts[1]);
                w.ArcLike(op.code, r, op.pts[2], op.pts[3]);
                break;
            }
            default: {
                CFltRect r;
                r.SetCorners(op.pts[0], op.pts[1]);
                w.Rect(op.code, r);
                break;
            }
            }
        }
    };
    int32_t fill = -1, outline = -1, boxes = -1;
    if (!m_fill.empty()) {
        fill = w.Pos();
        emit(m_fill);
        w.End(kOpEndFill);
    }
    if (!m_outline.empty()) {
        outline = w.Pos();
        emit(m_outline);
        w.End(kOpEndOutline);
    }
    int length = w.Pos();
    if (!m_boxes.empty()) {
        boxes = length;
        if (length + int(m_boxes.size()) * kOutlineRectBytes > CFigSymbol::kProgramSize)
            return false;
        for (const CFltRect& b : m_boxes) {
            WriteOutlineRect(area + length, b);
            length += kOutlineRectBytes;
        }
    }
    if (!w.Ok())
        return false;
    std::vector<BYTE> bytes(area, area + length);
    if (!s.SetProgram(bytes.data(), length, fill, outline, -1, boxes, int(m_boxes.size())))
        return false;
    s.m_nFrames = int32_t(m_frames.size());
    std::copy(m_frames.begin(), m_frames.end(), s.m_frames);
    if (!m_hot.empty())
        s.m_hotZone.SetPoints(int(m_hot.size()), m_hot.data());
    for (size_t i = 0; i < m_conPts.size(); ++i)
        s.m_conPts.AddConPt(m_conPts[i].first, m_conPts[i].second, 0, true, int32_t(i + 1));
    s.FixedAspect = m_bFixedAspect ? 1 : 0;
    s.OversizeText = m_bOversize ? 1 : 0;
    s.Silhouette = m_bSolid ? 1 : 0;
    if (m_bOwnSize) {
        s.Width = m_nWidth;
        s.Height = m_nHeight;
    }
    s.ComputeReshapeKind();
    return true;
}
