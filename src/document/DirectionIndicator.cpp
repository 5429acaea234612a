#include "document/DirectionIndicator.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/Trunks.h"
#include "platform/CDC.h"

#include <cmath>
#include <cstdlib>

namespace {
// The code of each sixth of a turn, counter-clockwise from "right".
constexpr int kSectorCodes[6] = {1, 3, 4, 2, 5, 6};

double CodeAngle(int code)
{
    for (int i = 0; i < 6; ++i)
        if (kSectorCodes[i] == code)
            return i * M_PI / 3;
    return 0;
}
} // namespace

int GetDirectionCode(const CFigure& label, const CConnector& con, const CStaple& staple)
{
    if (label.AssociationIndicator != 1 && label.AssociationIndicator != 2)
        return 0;
    double dx = con.EndPoint2.x - con.EndPoint1.x;
    double dy = -(con.EndPoint2.y - con.EndPoint1.y);   // y up for the angle
    if (dx == 0 && dy == 0)
        return 0;
    if (staple.LateralOffset < 0 && !staple.LateralConsistency) {
        dx = -dx;
        dy = -dy;
    }
    // Sixths of a turn whose boundaries lie 15 degrees off every axis, so
    // that a connector a unit off horizontal or vertical keeps the arrow of
    // the straight one: right takes -45..15 degrees, up-right 15..75, up-left
    // 75..135 (straight up), and so on round; straight down is down-right.
    double angle = std::atan2(dy, dx) + M_PI / 4;
    while (angle < 0)
        angle += 2 * M_PI;
    const int sector = int(angle / (M_PI / 3)) % 6;
    const int code = kSectorCodes[sector];
    return label.AssociationIndicator == 2 ? SwapDirectionCode(code) : code;
}

bool DirectionIndicatorPoints(const RECT& rc, int code, int size, POINT out[3])
{
    if (code < 1 || code > 6 || size < 2)
        return false;
    const double a = CodeAngle(code), r = size / 2.0;
    const double cx = (rc.left + rc.right) / 2.0, cy = (rc.top + rc.bottom) / 2.0;
    // Tip ahead, the two back corners a third of a turn either side.
    for (int i = 0; i < 3; ++i) {
        const double t = a + i * 2 * M_PI / 3;
        out[i].x = LONG(std::lround(cx + r * std::cos(t)));
        out[i].y = LONG(std::lround(cy - r * std::sin(t)));
    }
    return true;
}

bool DrawDirectionIndicator(CDC& dc, const CFigure& label, const CConnector& con, const CStaple& staple)
{
    POINT pts[3];
    const int size = std::abs(int(label.m_props.m_font.m_lf.lfHeight)) * 2 / 3;
    if (!DirectionIndicatorPoints(label.m_rect, GetDirectionCode(label, con, staple), size, pts))
        return false;
    return dc.Polygon(pts, 3);
}
