#include "editing/ui/ViewCursors.h"

#include "graphics/ArtPainter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <map>

namespace {
using P = QPointF;
using R = QRectF;

// Cursors are black on a white halo, so that they show on any diagram.
class CursorArt {
public:
    explicit CursorArt(ArtPainter& art) : a(art) {}
    void Halo(const QPainterPath& path, double width = 1.6)
    {
        a.Stroke(path, Qt::white, width + 2.2);
        a.Stroke(path, Qt::black, width);
    }
    void HaloLine(P p, P q, double width = 1.6)
    {
        QPainterPath path(p);
        path.lineTo(q);
        Halo(path, width);
    }
    // A shape filled, outlined in black with the halo round it.
    void Solid(const QPainterPath& path, const QColor& fill)
    {
        a.Stroke(path, Qt::white, 3.2);
        a.Fill(path, fill);
        a.Stroke(path, Qt::black, 1.0);
    }
    // Crosshair arms round the hot spot (12, 12), a gap at the centre.
    void Crosshair()
    {
        HaloLine({12, 1}, {12, 9.5});
        HaloLine({12, 14.5}, {12, 23});
        HaloLine({1, 12}, {9.5, 12});
        HaloLine({14.5, 12}, {23, 12});
    }
    // A double arrow from p to q, heads at both ends.
    void DoubleArrow(P p, P q)
    {
        const P d = (q - p) / std::hypot(q.x() - p.x(), q.y() - p.y());
        const P n(-d.y(), d.x());
        QPainterPath path(p);
        path.lineTo(p + d * 5 + n * 3.5);
        path.lineTo(p + d * 5 + n * 1.2);
        path.lineTo(q - d * 5 + n * 1.2);
        path.lineTo(q - d * 5 + n * 3.5);
        path.lineTo(q);
        path.lineTo(q - d * 5 - n * 3.5);
        path.lineTo(q - d * 5 - n * 1.2);
        path.lineTo(p + d * 5 - n * 1.2);
        path.lineTo(p + d * 5 - n * 3.5);
        path.closeSubpath();
        Solid(path, Qt::black);
    }
    ArtPainter& a;
};

QPainterPath PointerPath(P tip, double s)
{
    QPainterPath path(tip);
    const P pts[] = {{0, 12}, {3, 9.3}, {5.4, 14.6}, {7.6, 13.6}, {5.2, 8.4}, {9, 8.4}};
    for (const P& p : pts)
        path.lineTo(tip + p * s);
    path.closeSubpath();
    return path;
}

QPainterPath Rounded(const R& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// A hand, open (fingers spread) or closed round what it pans.
void Hand(CursorArt& c, bool open)
{
    QPainterPath hand;
    if (open) {
        hand.addRoundedRect(R(6.5, 10.5, 12, 11), 4, 4);
        for (const R& f : {R(6.5, 4.5, 2.8, 9), R(9.6, 2.5, 2.8, 10), R(12.7, 3, 2.8, 10), R(15.8, 5, 2.8, 8.5)})
            hand.addRoundedRect(f, 1.4, 1.4);
        QPainterPath thumb;
        thumb.addRoundedRect(R(-1.6, -1.4, 7, 2.8), 1.4, 1.4);
        hand.addPath(QTransform().translate(5, 14.5).rotate(45).map(thumb));
    } else {
        hand.addRoundedRect(R(6.5, 8.5, 12, 12), 4, 4);
        for (double x : {6.5, 9.5, 12.5, 15.5})
            hand.addRoundedRect(R(x, 6.5, 3, 4.5), 1.5, 1.5);
    }
    c.Solid(hand.simplified(), Qt::white);
}

// The picture of a role on the 24 grid; false for a role that keeps the
// desktop's cursor. `hot` receives the hot spot in grid units.
bool Draw(ArtPainter& a, int role, P& hot)
{
    CursorArt c(a);
    hot = P(12, 12);
    switch (role) {
    case kCursorCreate:
    case kCursorConnect:
    case kCursorAttach:
    case kCursorSplit:
    case kCursorBand:
    case kCursorLabel:
    case kCursorConPt: {
        c.Crosshair();
        // The badge at the lower right says which gesture.
        QPainterPath badge;
        switch (role) {
        case kCursorCreate: c.Solid(Rounded(R(15, 15, 8, 6.5), 1.5), QColor(52, 120, 206)); break;
        case kCursorConnect:
            c.HaloLine({15, 22}, {21, 16}, 1.4);
            badge = ArtPainter::Polygon({P(23, 14), P(18.5, 15), P(22, 18.5)});
            c.Solid(badge, Qt::black);
            break;
        case kCursorAttach:
            c.Solid(Rounded(R(17, 15, 6.5, 7), 1), QColor(170, 204, 244));
            badge.addEllipse(P(17, 18.5), 1.8, 1.8);
            c.Solid(badge, QColor(206, 56, 46));
            break;
        case kCursorSplit:
            c.HaloLine({14.5, 19}, {23, 19}, 1.4);
            badge.addEllipse(P(18.75, 19), 2.2, 2.2);
            c.Solid(badge, Qt::black);
            break;
        case kCursorBand: {
            QPainterPath frame;
            frame.addRect(R(15.5, 15.5, 7, 7));
            a.Stroke(frame, Qt::white, 2.6);
            a.P().strokePath(frame, QPen(Qt::black, 1.0, Qt::DashLine));
            break;
        }
        case kCursorLabel:
            badge = ArtPainter::Polygon({P(14.5, 18.5), P(17, 15.5), P(23.5, 15.5), P(23.5, 21.5), P(17, 21.5)});
            c.Solid(badge, QColor(246, 204, 64));
            break;
        default:
            badge = ArtPainter::Polygon({P(19, 14.5), P(23, 18.5), P(19, 22.5), P(15, 18.5)});
            c.Solid(badge, QColor(232, 132, 24));
            break;
        }
        return true;
    }
    case kCursorAdjust: {
        hot = P(2, 2);
        c.Solid(PointerPath(P(2, 2), 1.1), Qt::white);
        QPainterPath d;
        d = ArtPainter::Polygon({P(18.5, 13), P(23, 17.5), P(18.5, 22), P(14, 17.5)});
        c.Solid(d, QColor(232, 132, 24));
        return true;
    }
    case Qt::DragCopyCursor: {
        hot = P(2, 2);
        c.Solid(PointerPath(P(2, 2), 1.1), Qt::white);
        c.Solid(Rounded(R(13.5, 13.5, 9.5, 9.5), 1.5), Qt::white);
        a.PlusMark(P(18.25, 18.25), 2.8, Qt::black, 1.6);
        return true;
    }
    case kCursorZoom: {
        hot = P(9.5, 9.5);
        c.HaloLine({14.5, 14.5}, {21.5, 21.5}, 3.2);
        QPainterPath glass;
        glass.addEllipse(P(9.5, 9.5), 7, 7);
        c.Solid(glass, QColor(226, 238, 252));
        return true;
    }
    case Qt::IBeamCursor: {
        QPainterPath beam(P(12, 3.5));
        beam.lineTo(12, 20.5);
        beam.moveTo(9, 3.5);
        beam.lineTo(15, 3.5);
        beam.moveTo(9, 20.5);
        beam.lineTo(15, 20.5);
        c.Halo(beam, 1.4);
        return true;
    }
    case Qt::SizeAllCursor:
        c.DoubleArrow({12, 1}, {12, 23});
        c.DoubleArrow({1, 12}, {23, 12});
        return true;
    case Qt::OpenHandCursor: Hand(c, true); return true;
    case Qt::ClosedHandCursor: Hand(c, false); return true;
    case Qt::SizeVerCursor: c.DoubleArrow({12, 2}, {12, 22}); return true;
    case Qt::SizeHorCursor: c.DoubleArrow({2, 12}, {22, 12}); return true;
    case Qt::SizeFDiagCursor: c.DoubleArrow({4, 4}, {20, 20}); return true;
    case Qt::SizeBDiagCursor: c.DoubleArrow({20, 4}, {4, 20}); return true;
    case Qt::SplitVCursor:   // a divider that moves up and down
        c.DoubleArrow({12, 1}, {12, 23});
        c.Solid(Rounded(R(3, 10, 18, 1.6), 0.4), Qt::black);
        c.Solid(Rounded(R(3, 12.6, 18, 1.6), 0.4), Qt::black);
        return true;
    case Qt::SplitHCursor:
        c.DoubleArrow({1, 12}, {23, 12});
        c.Solid(Rounded(R(10, 3, 1.6, 18), 0.4), Qt::black);
        c.Solid(Rounded(R(12.6, 3, 1.6, 18), 0.4), Qt::black);
        return true;
    case Qt::ForbiddenCursor: {
        QPainterPath ring;
        ring.addEllipse(P(12, 12), 8.5, 8.5);
        ring.moveTo(6, 6);
        ring.lineTo(18, 18);
        a.Stroke(ring, Qt::white, 5.4);
        a.Stroke(ring, QColor(206, 56, 46), 2.6);
        return true;
    }
    default: return false;
    }
}

// The cursors made so far, by role; freed while the application object
// still stands, as cursor pictures must be.
std::map<int, QCursor>* g_cursors = nullptr;

void FreeCursors()
{
    delete g_cursors;
    g_cursors = nullptr;
}

qreal DevicePixelRatio()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}
} // namespace

int ViewCursorSize()
{
    const int size = qEnvironmentVariableIntValue("XCURSOR_SIZE");
    return size > 0 ? size : 24;
}

QPixmap ViewCursorPicture(int role, int size, QPoint* hotSpot)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    P hot;
    bool drawn = false;
    {
        QPainter p(&pm);
        ArtPainter art(p, QRectF(0, 0, size, size), ArtColoursFor(Qt::white));
        drawn = Draw(art, role, hot);
    }
    if (!drawn)
        return QPixmap();
    if (hotSpot)
        *hotSpot = QPoint(int(hot.x() * size / ArtPainter::kGrid), int(hot.y() * size / ArtPainter::kGrid));
    return pm;
}

QCursor ViewCursorFor(int role)
{
    // Made once for each role and kept: the view changes its cursor on
    // every mouse move.
    if (!g_cursors) {
        g_cursors = new std::map<int, QCursor>;
        qAddPostRoutine(FreeCursors);
    }
    if (const auto it = g_cursors->find(role); it != g_cursors->end())
        return it->second;
    const qreal ratio = DevicePixelRatio();
    const int logical = ViewCursorSize();
    QPoint hot;
    QPixmap picture = ViewCursorPicture(role, int(logical * ratio), &hot);
    QCursor cursor;
    if (picture.isNull()) {
        cursor = QCursor(role < kCursorCreate ? Qt::CursorShape(role) : Qt::ArrowCursor);
    } else {
        picture.setDevicePixelRatio(ratio);
        cursor = QCursor(picture, int(hot.x() / ratio), int(hot.y() / ratio));
    }
    g_cursors->emplace(role, cursor);
    return cursor;
}
