#include "shapes/CFigStyle.h"

#include "shapes/SymbolLibrary.h"
#include "geometry/SymbolSpace.h"

#include <cstring>

CFigStyle& CFigStyle::operator=(const CFigStyle& o)
{
    if (&o == this)
        return *this;
    CStyle::operator=(o);
    DisplayText = o.DisplayText;
    Label = o.Label;
    AutoLabel = o.AutoLabel;
    AutoLabelText = o.AutoLabelText;
    m_nTextInitCount = o.m_nTextInitCount;
    const int n = o.m_nTextInitCount < 0 ? 0
                  : (o.m_nTextInitCount > kTextInitBytes ? kTextInitBytes : o.m_nTextInitCount);
    std::memcpy(m_textInitBytes.data(), o.m_textInitBytes.data(), static_cast<size_t>(n));
    m_props = o.m_props;
    m_conPts.CopyFrom(o.m_conPts);
    Height = o.Height;
    Width = o.Width;
    DefaultText = o.DefaultText;
    TextInits = o.TextInits;
    m_hotZone = o.m_hotZone;
    m_pTextBoxInits = o.m_pTextBoxInits;
    return *this;
}

void CFigStyle::Reset()
{
    m_hotZone.Clear();
    m_props.SetDefaults();
    Label = 0;
    HasButton = 0;
    InMenu = 1;
    DisplayText = 0;
    Height = 172;
    Width = 256;
    Description.clear();
    DefaultText.clear();
    TextInits.clear();
    AutoLabelText.clear();
    m_strName.clear();
    Category.clear();
    AutoLabel = 0;
    m_nTextInitCount = 0;
    m_textInitBytes[0] = 0;
    m_conPts.RemoveAll();
    StockNameKind::Reset();
}

int CFigStyle::SetHotZone(int count, const POINT* points)
{
    if (!points || count < CHotZone::kMinPoints || count > CHotZone::kMaxPoints)
        return 0;
    std::vector<CFltPoint> pts(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        pts[i].SetFromPoint(points[i]);
    return m_hotZone.Set(count, pts.data()) ? 1 : 0;
}

const CFigSymbol* CFigStyle::GetFigSymbol(const SymbolLibrary* symbols) const
{
    return symbols ? symbols->GetAt(m_props.Symbol) : nullptr;
}

int CFigStyle::HasHotZone(const SymbolLibrary* symbols) const
{
    if (m_hotZone.HasPoints())
        return 1;
    const CFigSymbol* sym = m_props.Symbol != -1 ? GetFigSymbol(symbols) : nullptr;
    return sym ? sym->HasHotZone() : 0;
}

void AdjustAnchoredSymbolPoints(std::vector<CFltPoint>& points, const SIZE& size)
{
    if (size.cx <= 0 || size.cy <= 0)
        return;
    const double w = size.cx, h = size.cy;
    const double m = w < h ? w : h;
    for (CFltPoint& p : points) {
        if (p.m_nXMode == 1)
            p.x = static_cast<float>(p.x * m / w);
        else if (p.m_nXMode != 0)
            p.x = static_cast<float>(2048.0 - (2048.0 - p.x) * m / w);
        if (p.m_nYMode == 1)
            p.y = static_cast<float>(p.y * m / h);
        else if (p.m_nYMode != 0)
            p.y = static_cast<float>(2048.0 - (2048.0 - p.y) * m / h);
    }
}

int CFigStyle::GetHotZonePoints(std::vector<CFltPoint>& points, const SymbolLibrary* symbols,
                                const SIZE& size) const
{
    const CHotZone* zone = &m_hotZone;
    if (!zone->HasPoints()) {
        const CFigSymbol* sym = GetFigSymbol(symbols);
        if (!sym || !sym->HasHotZone())
            return 0;
        zone = &sym->m_hotZone;
    }
    points.assign(zone->GetPoints(), zone->GetPoints() + zone->GetCount());
    AdjustAnchoredSymbolPoints(points, size);
    return 1;
}

int CFigStyle::ScaleSymbolOutline(std::vector<CPoint>& out, const SymbolLibrary* symbols,
                                  const RECT& target) const
{
    std::vector<CFltPoint> pts;
    const SIZE size{target.right - target.left, target.bottom - target.top};
    if (!GetHotZonePoints(pts, symbols, size))
        return 0;
    out.clear();
    for (CFltPoint p : pts) {
        // The anchoring is already applied; map proportionally.
        p.m_nXMode = p.m_nYMode = 0;
        MapNormPtToRect(p, target, 0.0);
        out.push_back(p.RoundToPoint());
    }
    return 1;
}

void CFigStyle::GetLabelText(std::string& out) const
{
    if (!DefaultText.empty())
        out = DefaultText;
    else if (!m_strName.empty())
        out = m_strName;
    else
        out = "Label";
}
