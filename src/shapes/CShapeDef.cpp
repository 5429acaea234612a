#include "shapes/CShapeDef.h"

#include <cmath>
#include <cstring>

void CShapeDef::Clear()
{
    Reset();
    m_nUseFlag = 0;
    m_strName.clear();
    m_nAreaPos = m_nLinePos = -1;
    Rotatable = 1;
    LineTo = 0;
    Centered = 0;
    Magnify = 100;
    Silhouette = 0;
    m_nProgramLength = 0;
    m_program.fill(0);
}

void CShapeDef::CopyFrom(const CShapeDef& o)
{
    if (&o == this)
        return;
    StockNameKind::operator=(o);
    m_nUseFlag = o.m_nUseFlag;
    m_strName = o.m_strName;
    m_nAreaPos = o.m_nAreaPos;
    m_nLinePos = o.m_nLinePos;
    Rotatable = o.Rotatable;
    LineTo = o.LineTo;
    Centered = o.Centered;
    Magnify = o.Magnify;
    Silhouette = o.Silhouette;
    m_nProgramLength = o.m_nProgramLength;
    const int n = (o.m_nProgramLength > 0 && o.m_nProgramLength <= kProgramSize) ? o.m_nProgramLength : 0;
    std::memcpy(m_program.data(), o.m_program.data(), static_cast<size_t>(n));
}

void CShapeDef::SetName(const std::string& name)
{
    m_strName = name;
    Reset();
}

bool CShapeDef::SetProgram(const BYTE* bytes, int length, int32_t areaPos, int32_t linePos)
{
    const OutlineSubProgram subs[] = {{areaPos, kOpEndFill}, {linePos, kOpEndOutline}};
    if (!ValidateOutlineProgram(bytes, length, kProgramSize, subs, 2, OutlineOpSet::EndSymbol))
        return false;
    std::memcpy(m_program.data(), bytes, static_cast<size_t>(length));
    m_nProgramLength = length;
    m_nAreaPos = areaPos;
    m_nLinePos = linePos;
    return true;
}

bool CShapeDef::IsProgramValid() const
{
    const OutlineSubProgram subs[] = {{m_nAreaPos, kOpEndFill}, {m_nLinePos, kOpEndOutline}};
    return ValidateOutlineProgram(m_program.data(), m_nProgramLength, kProgramSize, subs, 2,
                                  OutlineOpSet::EndSymbol);
}

double CShapeDef::LineAngle(const POINT& a, const POINT& b) const
{
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    if (!Rotatable || (dx == 0 && dy == 0))
        return 0.0;
    if (dy == 0)
        return dx > 0 ? 0.0 : M_PI;
    if (dx == 0)
        return dy > 0 ? M_PI / 2 : -M_PI / 2;
    return std::atan2(dy, dx);
}

namespace {

struct Orient {
    double angle;
    CFltPoint pivot;
    double left, top, divX, divY;

    // Turns a vector by the angle; the half and quarter turns exactly.
    void Turn(double& dx, double& dy) const
    {
        if (angle == 0.0)
            return;
        double x = dx, y = dy;
        if (angle == M_PI) {
            x = -dx;
            y = -dy;
        } else if (angle == M_PI / 2) {
            x = -dy;
            y = dx;
        } else if (angle == -M_PI / 2) {
            x = dy;
            y = -dx;
        } else {
            const double r = std::sqrt(dx * dx + dy * dy);
            const double t = std::atan2(dy, dx);
            x = r * std::cos(t + angle);
            y = r * std::sin(t + angle);
        }
        dx = x;
        dy = y;
    }

    CFltPoint Point(const CFltPoint& p) const
    {
        double dx = p.x - pivot.x, dy = p.y - pivot.y;
        Turn(dx, dy);
        return {static_cast<float>(left + (pivot.x + dx) * divX / 2048.0),
                static_cast<float>(top + (pivot.y + dy) * divY / 2048.0)};
    }

    void PointAt(BYTE* p) const { WriteOutlinePoint(p, Point(ReadOutlinePoint(p))); }

    void RectAt(BYTE* p) const
    {
        CFltRect r = ReadOutlineRect(p);
        r.SetCorners(Point(r.GetCorner1()), Point(r.GetCorner2()));
        WriteOutlineRect(p, r);
    }

    // An ellipse turns its centre; its axes are only scaled.
    void EllipseAt(BYTE* p) const
    {
        const CFltRect r = ReadOutlineRect(p);
        const CFltPoint c = Point({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        const double hw = (r.right - r.left) / 2.0 * divX / 2048.0;
        const double hh = (r.bottom - r.top) / 2.0 * divY / 2048.0;
        WriteOutlineRect(p, CFltRect(static_cast<float>(c.x - hw), static_cast<float>(c.y - hh),
                                     static_cast<float>(c.x + hw), static_cast<float>(c.y + hh)));
    }

    // A size is turned and scaled, not moved.
    void SizeAt(BYTE* p) const
    {
        const CFltPoint s = ReadOutlinePoint(p);
        double dx = s.x, dy = s.y;
        Turn(dx, dy);
        WriteOutlinePoint(p, CFltPoint(static_cast<float>(dx * divX / 2048.0), static_cast<float>(dy * divY / 2048.0)));
    }

    void Apply(BYTE op, BYTE* payload) const
    {
        switch (op) {
        case kOpRect:
            RectAt(payload);
            break;
        case kOpPolyline:
        case kOpPolygon: {
            const int n = ReadOutlineInt(payload);
            for (int i = 0; i < n; ++i)
                PointAt(payload + 4 + 16 * i);
            break;
        }
        case kOpEllipse:
            EllipseAt(payload);
            break;
        case kOpRoundRect:
            RectAt(payload);
            SizeAt(payload + 32);
            break;
        case kOpArc:
        case kOpChord:
        case kOpPie:
            RectAt(payload);
            PointAt(payload + 32);
            PointAt(payload + 48);
            break;
        case kOpLine:
            PointAt(payload);
            PointAt(payload + 16);
            break;
        default:
            break;
        }
    }
};

} // namespace

bool CShapeDef::OrientToLine(const RECT& target, const POINT& lineStart, const POINT& lineEnd,
                             const CFltPoint& pivot)
{
    if (!IsProgramValid())
        return false;
    const Orient o{LineAngle(lineStart, lineEnd), pivot, static_cast<double>(target.left),
                   static_cast<double>(target.top), static_cast<double>(target.right) - target.left - 1,
                   static_cast<double>(target.bottom) - target.top - 1};
    auto apply = [&o](BYTE op, BYTE* payload) { o.Apply(op, payload); };
    WalkSubProgram(m_program.data(), m_nProgramLength, m_nAreaPos, kOpEndFill, apply);
    WalkSubProgram(m_program.data(), m_nProgramLength, m_nLinePos, kOpEndOutline, apply);
    return true;
}
