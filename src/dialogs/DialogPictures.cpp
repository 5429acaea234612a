#include "dialogs/DialogPictures.h"

#include "dialogs/DialogPictureArt.h"

#include "platform/ui/DlgItems.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <cmath>

namespace {
using namespace dialog_art;

// A connector from a box at the top left along `route` into `target`,
// ending in an arrowhead pointing right at `tip`.
QImage RouteBetweenBoxes(const QRectF& target, const QPainterPath& route, QPointF tip)
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Box(p, QRectF(4, 4, 16, 12));
    Box(p, target);
    p.setBrush(Qt::NoBrush);
    p.drawPath(route);
    Arrowhead(p, tip, 1, 0);
    return s.Framed();
}

QImage RoundedCorners()
{
    QPainterPath path(QPointF(20, 10.5));
    path.lineTo(24.5, 10.5);
    path.quadTo(30.5, 10.5, 30.5, 16.5);
    path.lineTo(30.5, 20.5);
    path.quadTo(30.5, 26.5, 36.5, 26.5);
    path.lineTo(40, 26.5);
    return RouteBetweenBoxes(QRectF(40, 20, 12, 12), path, QPointF(40, 26.5));
}

QImage Jogs()
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Arrow(p, QPointF(28.5, 3), QPointF(28.5, 33));
    // The crossing connector hops over the other one in a half loop.
    QPainterPath path(QPointF(3, 18.5));
    path.lineTo(23.5, 18.5);
    path.arcTo(QRectF(23.5, 13.5, 10, 10), 180, -180);
    path.lineTo(50, 18.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    Arrowhead(p, QPointF(53, 18.5), 1, 0);
    return s.Framed();
}

QImage JunctionDots()
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Arrow(p, QPointF(3, 14.5), QPointF(53, 14.5));
    Arrow(p, QPointF(28.5, 14.5), QPointF(28.5, 33));
    Dot(p, QPointF(28.5, 14.5), 3);
    return s.Framed();
}

QImage Orthogonal()
{
    QPainterPath path(QPointF(20, 10.5));
    path.lineTo(28.5, 10.5);
    path.lineTo(28.5, 26.5);
    path.lineTo(33, 26.5);
    return RouteBetweenBoxes(QRectF(36, 20, 16, 12), path, QPointF(36, 26.5));
}

QImage ConPointDots()
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Box(p, QRectF(20, 10, 17, 17));
    Arrow(p, QPointF(3, 18.5), QPointF(20, 18.5));
    Arrow(p, QPointF(37, 18.5), QPointF(53, 18.5));
    for (const QPointF& at : {QPointF(20.5, 18.5), QPointF(36.5, 18.5)})
        Dot(p, at, 2.5);
    return s.Framed();
}

QImage FigureLabel()
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Box(p, QRectF(18, 4, 20, 14));
    LabelBox(p, QRectF(15, 21, 26, 11));
    return s.Framed();
}

QImage ConnectorLabel()
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Arrow(p, QPointF(3, 18.5), QPointF(53, 18.5));
    LabelBox(p, QRectF(16, 12, 24, 13));
    return s.Framed();
}

QImage FlowLabel()
{
    Sheet s(kSmallW, kSmallH);
    QPainter& p = s.P();
    Box(p, QRectF(36, 10, 17, 17));
    Arrow(p, QPointF(3, 18.5), QPointF(36, 18.5));
    // Beside the connector where it meets the figure.
    LabelBox(p, QRectF(14, 4, 19, 11));
    return s.Framed();
}

QImage Decision()
{
    Sheet s(72, 56);
    QPainter& p = s.P();
    const QPointF c(36.5, 28.5);
    const double hx = 17, hy = 12;
    Arrow(p, QPointF(c.x(), c.y() - hy), QPointF(c.x(), 2));
    Arrow(p, QPointF(c.x() + hx, c.y()), QPointF(70, c.y()));
    Arrow(p, QPointF(c.x(), c.y() + hy), QPointF(c.x(), 54));
    Arrow(p, QPointF(c.x() - hx, c.y()), QPointF(2, c.y()));
    p.setBrush(QColor(255, 255, 204));
    p.drawPolygon(QPolygonF{QPointF(c.x(), c.y() - hy), QPointF(c.x() + hx, c.y()), QPointF(c.x(), c.y() + hy),
                            QPointF(c.x() - hx, c.y())});
    return s.Framed();
}

// A page with a small flowchart standing on the light grey backdrop that
// the wizard maps to its own face colour.
QImage WizardPage()
{
    Sheet s(96, 200, kLightGrey);
    QPainter& p = s.P();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.drawRect(15, 19, 72, 168);
    p.setBrush(Qt::white);
    p.setPen(kInk);
    p.drawRect(12, 16, 72, 168);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(204, 255, 204));
    p.drawRoundedRect(QRectF(24.5, 28.5, 48, 14), 7, 7);
    Arrow(p, QPointF(48.5, 43), QPointF(48.5, 62));
    Box(p, QRectF(24, 62, 49, 18));
    Arrow(p, QPointF(48.5, 80), QPointF(48.5, 96));
    p.setBrush(QColor(255, 255, 204));
    p.drawPolygon(QPolygonF{QPointF(48.5, 96.5), QPointF(66.5, 110.5), QPointF(48.5, 124.5), QPointF(30.5, 110.5)});
    Arrow(p, QPointF(48.5, 124.5), QPointF(48.5, 146));
    Box(p, QRectF(24, 146, 49, 18), QColor(255, 221, 204));
    // The other branch runs round to the side of the last step.
    QPainterPath path(QPointF(66.5, 110.5));
    path.lineTo(78.5, 110.5);
    path.lineTo(78.5, 155.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    Arrow(p, QPointF(78.5, 155.5), QPointF(73, 155.5));
    return s.Done();
}

QImage Drawn(int id)
{
    switch (id) {
    case kBmpDecision: return Decision();
    case kBmpWizard: return WizardPage();
    case kBmpRoundedCorners: return RoundedCorners();
    case kBmpJogs: return Jogs();
    case kBmpJunctionDots: return JunctionDots();
    case kBmpConPointDots: return ConPointDots();
    case kBmpOrthogonal: return Orthogonal();
    case kBmpConJunctionDots: return JunctionDots();
    case kBmpFigureLabel: return FigureLabel();
    case kBmpConnectorLabel: return ConnectorLabel();
    case kBmpFlowLabel: return FlowLabel();
    default: return DrawnConnectorPicture(id);
    }
}
} // namespace

QImage DialogPicture(int bitmapId)
{
    const QString resource = QStringLiteral(":/bitmaps/%1.png").arg(bitmapId);
    if (QFile::exists(resource))
        return QImage(resource);
    return Drawn(bitmapId);
}

QWidget* PictureBeside(QWidget* control, int ctrlId, int bitmapId)
{
    auto* pair = new QWidget(control->parentWidget());
    auto* row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(MakePictureStatic(control->parentWidget(), ctrlId, bitmapId));
    row->addWidget(control, 1);
    return pair;
}

QLabel* MakePictureStatic(QWidget* parent, int ctrlId, int bitmapId, bool mapLightGrey)
{
    QImage image = DialogPicture(bitmapId).convertToFormat(QImage::Format_ARGB32);
    if (mapLightGrey) {
        const QRgb face = parent->palette().color(QPalette::Button).rgba();
        const QRgb grey = kLightGrey.rgba();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (line[x] == grey)
                    line[x] = face;
        }
    }
    auto* label = new QLabel(parent);
    label->setPixmap(QPixmap::fromImage(image));
    label->setFixedSize(image.size());
    if (ctrlId)
        SetDlgCtrlID(label, ctrlId);
    return label;
}
