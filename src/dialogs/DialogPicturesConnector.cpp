// The pictures of the connector pages: the Line page's curvatures and
// corners, the Ends page's two ends, the Auto-Label page's label positions
// and the Stamp page's orientations.
#include "dialogs/DialogPictures.h"

#include "dialogs/DialogPictureArt.h"

namespace {
using namespace dialog_art;

constexpr int kLineW = 40, kLineH = 24;
const QColor kMark(232, 132, 24);   // the end a picture is about

// A connector bending once: along the bottom, up, along the top; its
// corners in the given curvature.
QImage Curvature(int id)
{
    Sheet s(kLineW, kLineH);
    QPainter& p = s.P();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 1.4));
    const QPointF a(4, 19.5), b(20, 19.5), c(20, 5.5), d(36, 5.5);
    QPainterPath path(a);
    switch (id) {
    case kBmpStraight:
        path.lineTo(b);
        path.lineTo(c);
        path.lineTo(d);
        break;
    case kBmpRounded:
        path.lineTo(15, 19.5);
        path.quadTo(b, QPointF(20, 14.5));
        path.lineTo(20, 10.5);
        path.quadTo(c, QPointF(25, 5.5));
        path.lineTo(d);
        break;
    case kBmpCurved:
        path.quadTo(b, QPointF(20, 12.5));
        path.quadTo(c, d);
        break;
    default:   // smoothed: one sweep through the corners' middle
        path.cubicTo(b, c, d);
        break;
    }
    p.drawPath(path);
    return s.Framed();
}

// A thick bend showing the corner's join.
QImage Join(int id)
{
    Sheet s(kLineW, kLineH);
    QPainter& p = s.P();
    const Qt::PenJoinStyle join =
        id == kBmpRoundJoin ? Qt::RoundJoin : (id == kBmpBevelJoin ? Qt::BevelJoin : Qt::MiterJoin);
    QPen pen(kInk, 6, Qt::SolidLine, Qt::FlatCap, join);
    pen.setMiterLimit(4);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{QPointF(4, 19), QPointF(19, 7), QPointF(34, 19)});
    return s.Framed();
}

// A connector between two figures with the end the picker sets marked.
QImage End(bool first)
{
    Sheet s(kSmallW, 24);
    QPainter& p = s.P();
    Box(p, QRectF(3, 5, 13, 14));
    Box(p, QRectF(40, 5, 13, 14));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(16, 12.5), QPointF(36, 12.5));
    Arrowhead(p, QPointF(40, 12.5), 1, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(kMark);
    p.drawEllipse(QPointF(first ? 17.5 : 38, 12.5), 3, 3);
    return s.Framed();
}

// A connector with its label in line, above or below.
QImage LabelPosition(int id)
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Arrow(p, QPointF(3, 18.5), QPointF(53, 18.5));
    const double top = id == kBmpLabelInLine ? 12 : (id == kBmpLabelAbove ? 2 : 22);
    LabelBox(p, QRectF(16, top, 24, 12));
    return s.Framed();
}

// A stamp: a fixed connector pointing its way.
QImage Stamp(int id)
{
    Sheet s(28, 28);
    QPainter& p = s.P();
    const QPointF c(14, 14);
    const double r = 9;
    const QPointF to = id == kBmpStampRight  ? QPointF(c.x() + r, c.y())
                       : id == kBmpStampLeft ? QPointF(c.x() - r, c.y())
                       : id == kBmpStampUp   ? QPointF(c.x(), c.y() - r)
                                             : QPointF(c.x(), c.y() + r);
    const QPointF from = c - (to - c);
    p.setPen(QPen(kInk, 1.4));
    Arrow(p, from, to);
    Dot(p, from, 1.8);
    return s.Framed();
}
} // namespace

QImage DrawnConnectorPicture(int id)
{
    switch (id) {
    case kBmpStraight:
    case kBmpRounded:
    case kBmpCurved:
    case kBmpSmoothed: return Curvature(id);
    case kBmpRoundJoin:
    case kBmpBevelJoin:
    case kBmpMiterJoin: return Join(id);
    case kBmpFirstEnd: return End(true);
    case kBmpSecondEnd: return End(false);
    case kBmpLabelInLine:
    case kBmpLabelAbove:
    case kBmpLabelBelow: return LabelPosition(id);
    case kBmpStampRight:
    case kBmpStampLeft:
    case kBmpStampUp:
    case kBmpStampDown: return Stamp(id);
    default: return {};
    }
}
